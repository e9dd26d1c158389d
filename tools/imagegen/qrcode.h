#pragma once
// A small QR code encoder (byte mode, error correction level M, versions 1 to 6),
// enough for the scan code picture of a short web address.

#include <QByteArray>
#include <QVector>

struct QrCode {
    int size = 0;       // modules per side, 0 when the text did not fit
    QVector<bool> dark; // size * size, row by row
    bool at(int x, int y) const
    {
        return dark[y * size + x];
    }
};

QrCode encodeQr(const QByteArray &text);
