#pragma once
// A small GIF89a writer for the animated spinner: Qt reads GIF but cannot write it.
// Frames share one 256-entry palette; index 0 is transparent.

#include <QByteArray>
#include <QList>
#include <QRgb>
#include <QVector>

struct GifFrame {
    QVector<quint8> indices; // width * height palette indices, row by row
    int delayCentiseconds = 8;
};

// An endlessly looping animation; each frame replaces the previous one whole.
QByteArray encodeGif(int width, int height, const QVector<QRgb> &palette, const QList<GifFrame> &frames);
