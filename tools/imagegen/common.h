#pragma once
// The palette and small drawing helpers every picture of the generator shares.

#include <QColor>
#include <QImage>
#include <QPainter>
#include <QString>

namespace Palette
{
const QColor Accent(0x03, 0x96, 0xeb);
const QColor AccentDark(0x03, 0x8c, 0xdb);
const QColor AccentPale(0x88, 0xc5, 0xe8);
const QColor Bar(0x48, 0x4a, 0x4d);
const QColor Paper(255, 253, 253);
const QColor Ink(0x33, 0x33, 0x33);
const QColor Muted(0x6b, 0x6e, 0x72);
const QColor Soft(0x8a, 0x8d, 0x91);
const QColor Border(0xab, 0xab, 0xab);
const QColor Line(0xd8, 0xd7, 0xd6);
const QColor Faint(0xe9, 0xea, 0xeb);
const QColor Ghost(0xc9, 0xcc, 0xcf);
const QColor Alert(0xe2, 0x58, 0x51);
const QColor Green(0x2b, 0xb6, 0x73);
} // namespace Palette

extern QString g_out;
extern QString g_fontFamily;

QImage canvas(int w, int h);
void save(const QImage &img, const QString &name);
// A painter with antialiasing on and its unit set to design pixels times scale.
void begin(QPainter &p, QImage &img, qreal scale);
QPen roundPen(const QColor &c, qreal width);
QColor withAlpha(QColor c, int alpha);
QColor mix(const QColor &a, const QColor &b, qreal t);

void makeSpriteSheets();
