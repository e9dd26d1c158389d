#include "qrcode.h"

#include <climits>

namespace
{

struct VersionM {
    int total;  // codewords
    int blocks; // equal blocks at level M for versions 1 to 6
    int ecPerBlock;
    int alignment; // centre of the single alignment pattern, 0 for none
};
const VersionM kVersions[] = {
    {26, 1, 10, 0}, {44, 1, 16, 18}, {70, 1, 26, 22}, {100, 2, 18, 26}, {134, 2, 24, 30}, {172, 4, 16, 34},
};

int gfMul(int x, int y)
{
    int z = 0;
    for (int i = 7; i >= 0; --i) {
        z = (z << 1) ^ ((z >> 7) * 0x11d);
        z ^= ((y >> i) & 1) * x;
    }
    return z & 0xff;
}

QVector<int> rsDivisor(int degree)
{
    QVector<int> result(degree, 0);
    result[degree - 1] = 1;
    int root = 1;
    for (int i = 0; i < degree; ++i) {
        for (int j = 0; j < degree; ++j) {
            result[j] = gfMul(result[j], root);
            if (j + 1 < degree)
                result[j] ^= result[j + 1];
        }
        root = gfMul(root, 0x02);
    }
    return result;
}

QVector<int> rsRemainder(const QVector<int> &data, const QVector<int> &divisor)
{
    QVector<int> result(divisor.size(), 0);
    for (int b : data) {
        const int factor = b ^ result[0];
        result.removeFirst();
        result.append(0);
        for (int i = 0; i < result.size(); ++i)
            result[i] ^= gfMul(divisor[i], factor);
    }
    return result;
}

class Grid
{
public:
    explicit Grid(int size) : n(size), dark(size * size, false), fixed(size * size, false) {}
    void set(int x, int y, bool d)
    {
        dark[y * n + x] = d;
        fixed[y * n + x] = true;
    }
    bool isFixed(int x, int y) const
    {
        return fixed[y * n + x];
    }
    int n;
    QVector<bool> dark;
    QVector<bool> fixed;
};

void drawFinder(Grid &g, int cx, int cy)
{
    for (int dy = -4; dy <= 4; ++dy) {
        for (int dx = -4; dx <= 4; ++dx) {
            const int x = cx + dx, y = cy + dy;
            if (x < 0 || y < 0 || x >= g.n || y >= g.n)
                continue;
            const int d = qMax(qAbs(dx), qAbs(dy));
            g.set(x, y, d != 2 && d != 4);
        }
    }
}

void drawFormat(Grid &g, int mask)
{
    const int data = (0 << 3) | mask; // level M has format bits 00
    int rem = data;
    for (int i = 0; i < 10; ++i)
        rem = (rem << 1) ^ ((rem >> 9) * 0x537);
    const int bits = ((data << 10) | rem) ^ 0x5412;
    auto bit = [bits](int i) { return ((bits >> i) & 1) != 0; };
    for (int i = 0; i <= 5; ++i)
        g.set(8, i, bit(i));
    g.set(8, 7, bit(6));
    g.set(8, 8, bit(7));
    g.set(7, 8, bit(8));
    for (int i = 9; i < 15; ++i)
        g.set(14 - i, 8, bit(i));
    for (int i = 0; i < 8; ++i)
        g.set(g.n - 1 - i, 8, bit(i));
    for (int i = 8; i < 15; ++i)
        g.set(8, g.n - 15 + i, bit(i));
    g.set(8, g.n - 8, true);
}

bool maskBit(int mask, int x, int y)
{
    switch (mask) {
    case 0:
        return (x + y) % 2 == 0;
    case 1:
        return y % 2 == 0;
    case 2:
        return x % 3 == 0;
    case 3:
        return (x + y) % 3 == 0;
    case 4:
        return (x / 3 + y / 2) % 2 == 0;
    case 5:
        return x * y % 2 + x * y % 3 == 0;
    case 6:
        return (x * y % 2 + x * y % 3) % 2 == 0;
    default:
        return ((x + y) % 2 + x * y % 3) % 2 == 0;
    }
}

int penalty(const Grid &g)
{
    const int n = g.n;
    int score = 0;
    auto at = [&](int x, int y) { return g.dark[y * n + x]; };
    // Runs of five or more in a row or column.
    for (int pass = 0; pass < 2; ++pass) {
        for (int a = 0; a < n; ++a) {
            int run = 1;
            for (int b = 1; b < n; ++b) {
                const bool same = pass == 0 ? at(b, a) == at(b - 1, a) : at(a, b) == at(a, b - 1);
                if (same) {
                    ++run;
                    if (run == 5)
                        score += 3;
                    else if (run > 5)
                        score += 1;
                } else {
                    run = 1;
                }
            }
        }
    }
    // 2 x 2 blocks of one colour.
    for (int y = 0; y + 1 < n; ++y)
        for (int x = 0; x + 1 < n; ++x)
            if (at(x, y) == at(x + 1, y) && at(x, y) == at(x, y + 1) && at(x, y) == at(x + 1, y + 1))
                score += 3;
    // Finder-like patterns 1:1:3:1:1 with four light modules beside them.
    const bool pattern[11] = {true, false, true, true, true, false, true, false, false, false, false};
    for (int pass = 0; pass < 2; ++pass) {
        for (int a = 0; a < n; ++a) {
            for (int b = 0; b + 11 <= n; ++b) {
                bool forward = true, backward = true;
                for (int k = 0; k < 11; ++k) {
                    const bool v = pass == 0 ? at(b + k, a) : at(a, b + k);
                    forward = forward && v == pattern[k];
                    backward = backward && v == pattern[10 - k];
                }
                score += (forward ? 40 : 0) + (backward ? 40 : 0);
            }
        }
    }
    int darkCount = 0;
    for (bool d : g.dark)
        darkCount += d ? 1 : 0;
    const int percent = darkCount * 100 / (n * n);
    score += qAbs(percent - 50) / 5 * 10;
    return score;
}

} // namespace

QrCode encodeQr(const QByteArray &text)
{
    QrCode code;
    int version = 0;
    for (int v = 1; v <= 6; ++v) {
        const VersionM &info = kVersions[v - 1];
        const int dataCodewords = info.total - info.blocks * info.ecPerBlock;
        if (4 + 8 + text.size() * 8 <= dataCodewords * 8) {
            version = v;
            break;
        }
    }
    if (version == 0)
        return code;
    const VersionM &info = kVersions[version - 1];
    const int dataCodewords = info.total - info.blocks * info.ecPerBlock;

    // Byte mode bit stream, terminator and padding.
    QVector<bool> bits;
    auto append = [&bits](int value, int count) {
        for (int i = count - 1; i >= 0; --i)
            bits.append(((value >> i) & 1) != 0);
    };
    append(0x4, 4);
    append(text.size(), 8);
    for (char c : text)
        append(quint8(c), 8);
    append(0, qMin(4, dataCodewords * 8 - bits.size()));
    append(0, (8 - bits.size() % 8) % 8);
    QVector<int> data;
    for (int i = 0; i < bits.size(); i += 8) {
        int byte = 0;
        for (int k = 0; k < 8; ++k)
            byte = (byte << 1) | (bits[i + k] ? 1 : 0);
        data.append(byte);
    }
    for (int pad = 0xec; data.size() < dataCodewords; pad ^= 0xec ^ 0x11)
        data.append(pad);

    // Error correction per block, then interleave.
    const int perBlock = dataCodewords / info.blocks;
    const QVector<int> divisor = rsDivisor(info.ecPerBlock);
    QVector<QVector<int>> blocks, ecc;
    for (int b = 0; b < info.blocks; ++b) {
        const QVector<int> block = data.mid(b * perBlock, perBlock);
        blocks.append(block);
        ecc.append(rsRemainder(block, divisor));
    }
    QVector<int> stream;
    for (int i = 0; i < perBlock; ++i)
        for (int b = 0; b < info.blocks; ++b)
            stream.append(blocks[b][i]);
    for (int i = 0; i < info.ecPerBlock; ++i)
        for (int b = 0; b < info.blocks; ++b)
            stream.append(ecc[b][i]);

    const int n = version * 4 + 17;
    Grid base(n);
    for (int i = 0; i < n; ++i) {
        base.set(6, i, i % 2 == 0);
        base.set(i, 6, i % 2 == 0);
    }
    drawFinder(base, 3, 3);
    drawFinder(base, n - 4, 3);
    drawFinder(base, 3, n - 4);
    if (info.alignment) {
        const int c = info.alignment;
        for (int dy = -2; dy <= 2; ++dy)
            for (int dx = -2; dx <= 2; ++dx)
                base.set(c + dx, c + dy, qMax(qAbs(dx), qAbs(dy)) != 1);
    }
    drawFormat(base, 0); // reserves the format areas; redrawn per mask below

    int i = 0;
    for (int right = n - 1; right >= 1; right -= 2) {
        if (right == 6)
            right = 5;
        for (int vert = 0; vert < n; ++vert) {
            for (int j = 0; j < 2; ++j) {
                const int x = right - j;
                const bool upward = ((right + 1) & 2) == 0;
                const int y = upward ? n - 1 - vert : vert;
                if (!base.isFixed(x, y) && i < stream.size() * 8) {
                    base.dark[y * n + x] = ((stream[i >> 3] >> (7 - (i & 7))) & 1) != 0;
                    ++i;
                }
            }
        }
    }

    int best = INT_MAX;
    Grid chosen(n);
    for (int mask = 0; mask < 8; ++mask) {
        Grid g = base;
        for (int y = 0; y < n; ++y)
            for (int x = 0; x < n; ++x)
                if (!g.isFixed(x, y) && maskBit(mask, x, y))
                    g.dark[y * n + x] = !g.dark[y * n + x];
        drawFormat(g, mask);
        const int score = penalty(g);
        if (score < best) {
            best = score;
            chosen = g;
        }
    }
    code.size = n;
    code.dark = chosen.dark;
    return code;
}
