#include "gifwriter.h"

#include <cstring>
#include <vector>

namespace
{

void put16(QByteArray &out, int v)
{
    out.append(char(v & 0xff));
    out.append(char((v >> 8) & 0xff));
}

// Packs variable-length codes least significant bit first into 255-byte sub-blocks.
class CodeWriter
{
public:
    explicit CodeWriter(QByteArray &out) : m_out(out) {}
    void write(int code, int bits)
    {
        m_acc |= quint32(code) << m_count;
        m_count += bits;
        while (m_count >= 8) {
            pushByte(quint8(m_acc & 0xff));
            m_acc >>= 8;
            m_count -= 8;
        }
    }
    void finish()
    {
        if (m_count > 0)
            pushByte(quint8(m_acc & 0xff));
        flushBlock();
        m_out.append(char(0)); // block terminator
    }

private:
    void pushByte(quint8 b)
    {
        m_block[m_blockSize++] = b;
        if (m_blockSize == 255)
            flushBlock();
    }
    void flushBlock()
    {
        if (m_blockSize == 0)
            return;
        m_out.append(char(m_blockSize));
        m_out.append(reinterpret_cast<const char *>(m_block), m_blockSize);
        m_blockSize = 0;
    }

    QByteArray &m_out;
    quint32 m_acc = 0;
    int m_count = 0;
    quint8 m_block[255];
    int m_blockSize = 0;
};

void encodeLzw(QByteArray &out, const QVector<quint8> &pixels)
{
    const int minCodeSize = 8;
    const int clearCode = 1 << minCodeSize;
    out.append(char(minCodeSize));
    CodeWriter writer(out);
    // next[code * 256 + byte]: the code of "code followed by byte", 0 when unknown.
    std::vector<quint16> next(4096 * 256, 0);
    int codeSize = minCodeSize + 1;
    int maxCode = clearCode + 1;
    writer.write(clearCode, codeSize);
    int current = -1;
    for (quint8 value : pixels) {
        if (current < 0) {
            current = value;
            continue;
        }
        const int known = next[size_t(current) * 256 + value];
        if (known) {
            current = known;
            continue;
        }
        writer.write(current, codeSize);
        next[size_t(current) * 256 + value] = quint16(++maxCode);
        if (maxCode >= (1 << codeSize))
            ++codeSize;
        if (maxCode == 4095) {
            writer.write(clearCode, codeSize);
            std::fill(next.begin(), next.end(), 0);
            codeSize = minCodeSize + 1;
            maxCode = clearCode + 1;
        }
        current = value;
    }
    if (current >= 0)
        writer.write(current, codeSize);
    writer.write(clearCode, codeSize);
    writer.write(clearCode + 1, minCodeSize + 1);
    writer.finish();
}

} // namespace

QByteArray encodeGif(int width, int height, const QVector<QRgb> &palette, const QList<GifFrame> &frames)
{
    QByteArray out("GIF89a");
    put16(out, width);
    put16(out, height);
    out.append(char(0xf7)); // global table of 256 colours, 8 bits per primary
    out.append(char(0));    // background index
    out.append(char(0));    // square pixels
    for (int i = 0; i < 256; ++i) {
        const QRgb c = palette.value(i, qRgb(0, 0, 0));
        out.append(char(qRed(c)));
        out.append(char(qGreen(c)));
        out.append(char(qBlue(c)));
    }
    // Loop forever.
    out.append("\x21\xff\x0bNETSCAPE2.0\x03\x01", 16);
    put16(out, 0);
    out.append(char(0));

    for (const GifFrame &frame : frames) {
        out.append("\x21\xf9\x04", 3);
        out.append(char((2 << 2) | 1)); // restore to background, index 0 transparent
        put16(out, frame.delayCentiseconds);
        out.append(char(0));
        out.append(char(0));

        out.append(char(0x2c));
        put16(out, 0);
        put16(out, 0);
        put16(out, width);
        put16(out, height);
        out.append(char(0));
        encodeLzw(out, frame.indices);
    }
    out.append(char(0x3b));
    return out;
}
