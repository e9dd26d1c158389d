// The sprite sheets: the row and chooser marks (public.png), the title bar buttons
// (minclose.png and its 2x twin), the splitter's mode selector (radio.png) and the
// toolkit tiles (tools.png, converttool.png). Part positions come from the program's
// own table, widgets/pictures.h, so drawing and cutting never disagree.

#include "common.h"

#include "widgets/pictures.h"

#include <QPainterPath>
#include <functional>

namespace
{

using PartPainter = std::function<void(QPainter &, int state)>;

// Draws the four states of a strip; the painter's unit is one design pixel.
void drawStrip(QImage &img, const Sprites::Strip &strip, qreal pixelsPerUnit, const PartPainter &paint)
{
    for (int state = 0; state < 4; ++state) {
        QPainter p;
        begin(p, img, 1.0);
        const QRect part = strip.part(state);
        p.setClipRect(part);
        p.translate(part.topLeft());
        p.scale(pixelsPerUnit, pixelsPerUnit);
        paint(p, state);
    }
}

void drawOnce(QImage &img, const QRect &part, qreal pixelsPerUnit, const std::function<void(QPainter &)> &paint)
{
    QPainter p;
    begin(p, img, 1.0);
    p.setClipRect(part);
    p.translate(part.topLeft());
    p.scale(pixelsPerUnit, pixelsPerUnit);
    paint(p);
}

// Row buttons: a grey glyph that turns to the accent on a pale disc when hovered.
struct RowLook {
    QColor glyph;
    QColor disc;
};
RowLook rowLook(int state, const QColor &active = Palette::Accent)
{
    switch (state) {
    case Sprites::Hover:
        return {active, withAlpha(active, 30)};
    case Sprites::Pressed:
        return {active.darker(112), withAlpha(active, 60)};
    case Sprites::Disabled:
        return {Palette::Ghost, Qt::transparent};
    default:
        return {Palette::Soft, Qt::transparent};
    }
}

void disc(QPainter &p, const QPointF &c, qreal r, const QColor &color)
{
    if (color.alpha() == 0)
        return;
    p.setPen(Qt::NoPen);
    p.setBrush(color);
    p.drawEllipse(c, r, r);
}

void drawTrash(QPainter &p, int state)
{
    const RowLook look = rowLook(state, Palette::Alert);
    disc(p, QPointF(10, 10), 9.5, look.disc);
    p.setPen(roundPen(look.glyph, 1.4));
    p.setBrush(Qt::NoBrush);
    p.drawLine(QPointF(5.6, 6.4), QPointF(14.4, 6.4));
    p.drawLine(QPointF(8.6, 4.6), QPointF(11.4, 4.6));
    QPainterPath body;
    body.moveTo(6.9, 8.4);
    body.lineTo(7.6, 15.0);
    body.quadTo(7.7, 15.6, 8.4, 15.6);
    body.lineTo(11.6, 15.6);
    body.quadTo(12.3, 15.6, 12.4, 15.0);
    body.lineTo(13.1, 8.4);
    p.drawPath(body);
    p.setPen(roundPen(look.glyph, 1.1));
    p.drawLine(QPointF(9.0, 9.8), QPointF(9.2, 13.6));
    p.drawLine(QPointF(11.0, 9.8), QPointF(10.8, 13.6));
}

void drawPause(QPainter &p, int state)
{
    const RowLook look = rowLook(state);
    disc(p, QPointF(10, 10), 9.5, look.disc);
    p.setPen(Qt::NoPen);
    p.setBrush(look.glyph);
    p.drawRoundedRect(QRectF(6.6, 5.6, 2.5, 8.8), 1.0, 1.0);
    p.drawRoundedRect(QRectF(10.9, 5.6, 2.5, 8.8), 1.0, 1.0);
}

void drawResume(QPainter &p, int state)
{
    const RowLook look = rowLook(state);
    disc(p, QPointF(10, 10), 9.5, look.disc);
    QPainterPath play;
    play.moveTo(7.6, 5.6);
    play.lineTo(14.6, 10.0);
    play.lineTo(7.6, 14.4);
    play.closeSubpath();
    p.setPen(QPen(look.glyph, 1.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(look.glyph);
    p.drawPath(play);
}

void drawRedownload(QPainter &p, int state)
{
    const RowLook look = rowLook(state);
    disc(p, QPointF(15, 15), 14, look.disc);
    p.setPen(roundPen(look.glyph, 2.0));
    p.setBrush(Qt::NoBrush);
    const QRectF ring(8.2, 8.2, 13.6, 13.6);
    p.drawArc(ring, 100 * 16, 290 * 16);
    // Arrow head at the arc's open end, pointing along it.
    QPainterPath head;
    head.moveTo(15.6, 4.6);
    head.lineTo(19.6, 8.2);
    head.lineTo(14.6, 10.2);
    p.setPen(QPen(look.glyph, 2.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(head);
}

void drawOpenFolder(QPainter &p, int state)
{
    const RowLook look = rowLook(state);
    disc(p, QPointF(15, 15), 14, look.disc);
    QPainterPath folder;
    folder.moveTo(7.5, 20.8);
    folder.lineTo(7.5, 9.6);
    folder.quadTo(7.5, 8.6, 8.5, 8.6);
    folder.lineTo(12.6, 8.6);
    folder.lineTo(14.4, 10.6);
    folder.lineTo(20.8, 10.6);
    folder.quadTo(21.8, 10.6, 21.8, 11.6);
    folder.lineTo(21.8, 13.2);
    p.setPen(QPen(look.glyph, 1.8, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(folder);
    QPainterPath front;
    front.moveTo(7.5, 20.8);
    front.lineTo(10.2, 13.8);
    front.lineTo(23.6, 13.8);
    front.lineTo(20.9, 20.8);
    front.closeSubpath();
    p.setBrush(state == Sprites::Normal || state == Sprites::Disabled ? QColor(Qt::white) : withAlpha(look.glyph, 40));
    p.drawPath(front);
}

void drawDialogClose(QPainter &p, int state)
{
    QColor glyph = Palette::Soft;
    QColor back = Qt::transparent;
    if (state == Sprites::Hover) {
        glyph = Palette::Ink;
        back = Palette::Faint;
    } else if (state == Sprites::Pressed) {
        glyph = Palette::Ink;
        back = Palette::Line;
    } else if (state == Sprites::Disabled) {
        glyph = Palette::Ghost;
    }
    disc(p, QPointF(10, 10), 9.5, back);
    p.setPen(roundPen(glyph, 1.6));
    p.drawLine(QPointF(6.4, 6.4), QPointF(13.6, 13.6));
    p.drawLine(QPointF(13.6, 6.4), QPointF(6.4, 13.6));
}

QPainterPath tickPath(qreal s)
{
    QPainterPath tick;
    tick.moveTo(4.6 * s, 8.3 * s);
    tick.lineTo(7.0 * s, 10.6 * s);
    tick.lineTo(11.5 * s, 5.7 * s);
    return tick;
}

// Square tick box: unticked, ticked, and both disabled.
void drawTickBox(QPainter &p, int state)
{
    const bool ticked = state == 1 || state == 3;
    const bool disabled = state >= 2;
    const QRectF box(2.0, 2.0, 12.0, 12.0);
    if (ticked) {
        p.setPen(Qt::NoPen);
        p.setBrush(disabled ? Palette::Ghost : Palette::Accent);
        p.drawRoundedRect(box, 2.6, 2.6);
        p.setPen(QPen(Qt::white, 1.7, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.setBrush(Qt::NoBrush);
        p.drawPath(tickPath(1.0));
    } else {
        p.setPen(QPen(disabled ? Palette::Line : Palette::Border, 1.2));
        p.setBrush(disabled ? QColor(0xf4, 0xf4, 0xf4) : QColor(Qt::white));
        p.drawRoundedRect(box.adjusted(0.6, 0.6, -0.6, -0.6), 2.2, 2.2);
    }
}

// Round single-choice mark of the quality rows: off, on, and both disabled.
void drawChoiceMark(QPainter &p, int state)
{
    const bool on = state == 1 || state == 3;
    const bool disabled = state >= 2;
    if (on) {
        p.setPen(Qt::NoPen);
        p.setBrush(disabled ? Palette::Ghost : Palette::Accent);
        p.drawEllipse(QPointF(8, 8), 6.5, 6.5);
        p.setPen(QPen(Qt::white, 1.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.setBrush(Qt::NoBrush);
        p.drawPath(tickPath(1.0));
    } else {
        p.setPen(QPen(disabled ? Palette::Line : Palette::Border, 1.2));
        p.setBrush(disabled ? QColor(0xf4, 0xf4, 0xf4) : QColor(Qt::white));
        p.drawEllipse(QPointF(8, 8), 5.9, 5.9);
    }
}

void drawHdBadge(QPainter &p)
{
    p.setPen(Qt::NoPen);
    p.setBrush(Palette::Accent);
    p.drawRoundedRect(QRectF(0.5, 0.5, 21.0, 13.0), 2.6, 2.6);
    QFont f(g_fontFamily);
    f.setBold(true);
    f.setPixelSize(9);
    f.setLetterSpacing(QFont::AbsoluteSpacing, 0.3);
    p.setFont(f);
    p.setPen(Qt::white);
    p.drawText(QRectF(0, 0.3, 22, 14), Qt::AlignCenter, QStringLiteral("HD"));
}

void drawAudioBadge(QPainter &p)
{
    const QColor purple(0xad, 0x5d, 0xc7);
    p.setPen(Qt::NoPen);
    p.setBrush(purple);
    p.drawRoundedRect(QRectF(0.5, 0.5, 21.0, 13.0), 2.6, 2.6);
    p.setBrush(Qt::white);
    p.drawEllipse(QPointF(8.6, 9.6), 2.0, 1.6);
    p.drawEllipse(QPointF(14.6, 8.6), 2.0, 1.6);
    p.setPen(QPen(Qt::white, 1.1, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
    p.setBrush(Qt::NoBrush);
    QPainterPath beam;
    beam.moveTo(10.4, 9.6);
    beam.lineTo(10.4, 3.4);
    beam.lineTo(16.4, 2.4);
    beam.lineTo(16.4, 8.6);
    p.drawPath(beam);
}

void drawChevron(QPainter &p, const QColor &c)
{
    p.setPen(QPen(c, 1.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    QPainterPath v;
    v.moveTo(2.6, 2.4);
    v.lineTo(6.0, 5.8);
    v.lineTo(9.4, 2.4);
    p.drawPath(v);
}

void makePublicSheet()
{
    QImage img = canvas(Sprites::PublicSheetSize.width(), Sprites::PublicSheetSize.height());
    drawStrip(img, Sprites::RowDelete, 2.0, drawTrash);
    drawStrip(img, Sprites::RowPause, 2.0, drawPause);
    drawStrip(img, Sprites::RowResume, 2.0, drawResume);
    drawStrip(img, Sprites::RowRedownload, 2.0, drawRedownload);
    drawStrip(img, Sprites::RowOpen, 2.0, drawOpenFolder);
    drawStrip(img, Sprites::DialogClose, 2.0, drawDialogClose);
    drawStrip(img, Sprites::TickBox, 2.0, drawTickBox);
    drawStrip(img, Sprites::ChoiceMark, 2.0, drawChoiceMark);
    drawOnce(img, Sprites::HdBadge, 2.0, drawHdBadge);
    drawOnce(img, Sprites::AudioBadge, 2.0, drawAudioBadge);
    drawOnce(img, Sprites::DropChevron.part(0), 2.0, [](QPainter &p) { drawChevron(p, Palette::Ink); });
    drawOnce(img, Sprites::DropChevron.part(1), 2.0, [](QPainter &p) { drawChevron(p, Palette::Accent); });
    save(img, QStringLiteral("public.png"));
}

// Title bar buttons on the #484a4d bar. Lines sit on pixel centres at 1x and on
// whole pixels at 2x, so both sheets are sharp.
void drawTitleButton(QPainter &p, int columnX, bool hover)
{
    p.translate(columnX, hover ? 28 : 0);
    if (hover) {
        p.setPen(Qt::NoPen);
        p.setBrush(columnX == Sprites::TitleCloseX ? Palette::Alert : QColor(255, 255, 255, 38));
        p.drawRoundedRect(QRectF(2, 2, 22, 22), 3, 3);
    }
    const QColor glyph = hover ? QColor(Qt::white) : QColor(0xd9, 0xda, 0xdb);
    if (columnX == Sprites::TitleCloseX) {
        p.setPen(QPen(glyph, 1.3, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(8.5, 8.5), QPointF(17.5, 17.5));
        p.drawLine(QPointF(17.5, 8.5), QPointF(8.5, 17.5));
        return;
    }
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(Qt::NoPen);
    p.setBrush(glyph);
    if (columnX == Sprites::TitleMinimiseX) {
        p.drawRect(QRectF(8, 13, 10, 1));
    } else {
        for (int y : {9, 13, 17})
            p.drawRect(QRectF(8, y, 10, 1));
    }
}

void makeMinClose(int scale, const QString &name)
{
    QImage img = canvas(Sprites::MinCloseSheetSize.width() * scale, Sprites::MinCloseSheetSize.height() * scale);
    for (int column : {Sprites::TitleMenuX, Sprites::TitleMinimiseX, Sprites::TitleCloseX}) {
        for (bool hover : {false, true}) {
            QPainter p;
            begin(p, img, scale);
            drawTitleButton(p, column, hover);
        }
    }
    save(img, name);
}

void drawRadio(QPainter &p, int state)
{
    QColor ring = Palette::Border;
    QColor fill = Qt::white;
    if (state == Sprites::Hover) {
        ring = Palette::Accent;
    } else if (state == Sprites::Pressed) {
        ring = Palette::AccentDark;
        fill = withAlpha(Palette::Accent, 40);
    } else if (state == Sprites::Disabled) {
        ring = Palette::Accent;
    }
    p.setPen(QPen(ring, 1.3));
    p.setBrush(fill);
    p.drawEllipse(QPointF(8, 8), 6.0, 6.0);
    if (state == Sprites::Disabled) {
        p.setPen(Qt::NoPen);
        p.setBrush(Palette::Accent);
        p.drawEllipse(QPointF(8, 8), 3.3, 3.3);
    }
}

void makeRadio()
{
    QImage img = canvas(Sprites::RadioSelector.w * 4, Sprites::RadioSelector.h);
    drawStrip(img, Sprites::RadioSelector, 2.0, drawRadio);
    save(img, QStringLiteral("radio.png"));
}

// Toolkit tiles: a white glyph on a rounded square in the tool's own colour.
using Glyph = std::function<void(QPainter &)>;

void drawToolTile(QPainter &p, int state, const QColor &color, const Glyph &glyph)
{
    QColor base = color;
    qreal lift = 0;
    if (state == Sprites::Hover)
        base = mix(color, Qt::white, 0.12);
    else if (state == Sprites::Pressed)
        base = mix(color, Qt::black, 0.12), lift = 1.0;
    else if (state == Sprites::Disabled)
        base = Palette::Ghost;
    const QRectF tile(7, 6 + lift, 50, 50);
    if (state != Sprites::Pressed) {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0, 0, 0, state == Sprites::Hover ? 34 : 22));
        p.drawRoundedRect(tile.translated(0, 1.6), 12, 12);
    }
    QLinearGradient g(tile.topLeft(), tile.bottomLeft());
    g.setColorAt(0, mix(base, Qt::white, 0.10));
    g.setColorAt(1, base);
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawRoundedRect(tile, 12, 12);
    p.translate(0, lift);
    p.setPen(QPen(Qt::white, 3.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    glyph(p);
}

void glyphCutter(QPainter &p)
{
    p.drawEllipse(QPointF(24.5, 40.5), 4.6, 4.6);
    p.drawEllipse(QPointF(39.5, 40.5), 4.6, 4.6);
    p.drawLine(QPointF(27.4, 36.8), QPointF(38.6, 20.0));
    p.drawLine(QPointF(36.6, 36.8), QPointF(25.4, 20.0));
}

void glyphJoiner(QPainter &p)
{
    p.drawRoundedRect(QRectF(16.5, 24.5, 12, 15), 2.5, 2.5);
    p.drawRoundedRect(QRectF(35.5, 24.5, 12, 15), 2.5, 2.5);
    p.setPen(QPen(Qt::white, 2.6, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(32, 28.6), QPointF(32, 35.4));
    p.drawLine(QPointF(28.6, 32), QPointF(35.4, 32));
}

void glyphSplitter(QPainter &p)
{
    p.drawRoundedRect(QRectF(20.5, 23.5, 23, 17), 2.5, 2.5);
    QPen dashed(Qt::white, 2.4, Qt::CustomDashLine, Qt::RoundCap);
    dashed.setDashPattern({1.2, 1.6});
    p.setPen(dashed);
    p.drawLine(QPointF(32, 17.5), QPointF(32, 46.5));
}

void glyphRotator(QPainter &p)
{
    p.drawArc(QRectF(20, 20, 24, 24), 120 * 16, 280 * 16);
    QPainterPath head;
    head.moveTo(19.4, 18.8);
    head.lineTo(25.6, 22.6);
    head.lineTo(19.8, 26.6);
    p.drawPath(head);
    p.setPen(QPen(Qt::white, 2.6));
    p.drawRoundedRect(QRectF(28.5, 28.5, 7, 7), 1.5, 1.5);
}

void glyphAddAudio(QPainter &p)
{
    p.drawLine(QPointF(37.5, 38.5), QPointF(37.5, 20.5));
    p.drawLine(QPointF(37.5, 20.5), QPointF(44.0, 23.5));
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.save();
    p.translate(33.0, 39.5);
    p.rotate(-20);
    p.drawEllipse(QPointF(0, 0), 5.0, 3.8);
    p.restore();
    p.setPen(QPen(Qt::white, 2.6, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(23.5, 21.0), QPointF(23.5, 29.0));
    p.drawLine(QPointF(19.5, 25.0), QPointF(27.5, 25.0));
}

void glyphDownloader(QPainter &p)
{
    p.drawLine(QPointF(32, 18.5), QPointF(32, 37.5));
    QPainterPath head;
    head.moveTo(24.8, 30.6);
    head.lineTo(32, 37.8);
    head.lineTo(39.2, 30.6);
    p.drawPath(head);
    QPainterPath tray;
    tray.moveTo(20.5, 38.5);
    tray.lineTo(20.5, 44.5);
    tray.lineTo(43.5, 44.5);
    tray.lineTo(43.5, 38.5);
    p.drawPath(tray);
}

void glyphConverter(QPainter &p)
{
    p.drawLine(QPointF(20.5, 26.5), QPointF(42.5, 26.5));
    QPainterPath right;
    right.moveTo(37.5, 21.5);
    right.lineTo(42.8, 26.5);
    right.lineTo(37.5, 31.5);
    p.drawPath(right);
    p.drawLine(QPointF(43.5, 37.5), QPointF(21.5, 37.5));
    QPainterPath left;
    left.moveTo(26.5, 32.5);
    left.lineTo(21.2, 37.5);
    left.lineTo(26.5, 42.5);
    p.drawPath(left);
}

void makeToolSheets()
{
    struct Tool {
        int row;
        QColor color;
        Glyph glyph;
    };
    const Tool tools[] = {
        {Sprites::CutterIcon, QColor(0xef, 0x6c, 0x57), glyphCutter},
        {Sprites::JoinerIcon, QColor(0x5d, 0x69, 0xc7), glyphJoiner},
        {Sprites::SplitterIcon, QColor(0xe8, 0x9b, 0x2d), glyphSplitter},
        {Sprites::RotatorIcon, QColor(0x2b, 0xb6, 0x73), glyphRotator},
        {Sprites::AddAudioIcon, QColor(0xad, 0x5d, 0xc7), glyphAddAudio},
        {Sprites::DownloaderIcon, Palette::Accent, glyphDownloader},
    };
    QImage sheet = canvas(128 * 4, 128 * Sprites::ToolIconCount);
    for (const Tool &tool : tools) {
        drawStrip(sheet, Sprites::toolIcon(tool.row), 2.0,
                  [&tool](QPainter &p, int state) { drawToolTile(p, state, tool.color, tool.glyph); });
    }
    save(sheet, QStringLiteral("tools.png"));

    QImage converter = canvas(128 * 4, 128);
    drawStrip(converter, Sprites::ConverterIcon, 2.0,
              [](QPainter &p, int state) { drawToolTile(p, state, QColor(0x1a, 0xa7, 0xa7), glyphConverter); });
    save(converter, QStringLiteral("converttool.png"));
}

} // namespace

void makeSpriteSheets()
{
    makePublicSheet();
    makeMinClose(1, QStringLiteral("minclose.png"));
    makeMinClose(2, QStringLiteral("minclose@2x.png"));
    makeRadio();
    makeToolSheets();
}
