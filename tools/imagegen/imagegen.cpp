// Draws every picture under resources/images with QPainter, so the set stays one
// consistent family and can be changed in code. Usage: cw_imagegen OUTPUT_FOLDER FONT_FOLDER
// [ICON_FOLDER], the last for the desktop icons the package installs.
// Sprite sheets are in sheets.cpp; the spinner is written by gifwriter, the scan code by qrcode.

#include "common.h"
#include "gifwriter.h"
#include "qrcode.h"

#include "widgets/pictures.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QImageReader>
#include <QLinearGradient>
#include <QPainterPath>
#include <QTextStream>
#include <QtMath>

QString g_out;
QString g_fontFamily = QStringLiteral("Lato");

QImage canvas(int w, int h)
{
    QImage img(w, h, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    return img;
}

void save(const QImage &img, const QString &name)
{
    const QString path = g_out + QLatin1Char('/') + name;
    QDir().mkpath(QFileInfo(path).absolutePath());
    if (!img.save(path, nullptr, name.endsWith(QLatin1String(".jpg")) ? 95 : -1))
        QTextStream(stderr) << "cannot write " << path << '\n';
}

void begin(QPainter &p, QImage &img, qreal scale)
{
    p.begin(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.scale(scale, scale);
}

QPen roundPen(const QColor &c, qreal width)
{
    return QPen(c, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

QColor withAlpha(QColor c, int alpha)
{
    c.setAlpha(alpha);
    return c;
}

QColor mix(const QColor &a, const QColor &b, qreal t)
{
    return QColor::fromRgbF(a.redF() + (b.redF() - a.redF()) * t, a.greenF() + (b.greenF() - a.greenF()) * t,
                            a.blueF() + (b.blueF() - a.blueF()) * t, a.alphaF() + (b.alphaF() - a.alphaF()) * t);
}

namespace
{

// The program's mark: a rounded tile with a play triangle over a download bar. One
// geometry serves the painted pictures and the scalable icon.
struct Mark {
    QRectF tile;
    qreal radius;
    QColor top = QColor(0x2a, 0xb0, 0xf5);
    QColor bottom = Palette::AccentDark;
    QPointF play[3];
    QLineF bar;
    qreal barWidth;
    QColor barColor = QColor(255, 255, 255, 235);
};

Mark markIn(const QRectF &r)
{
    Mark m;
    m.tile = r;
    m.radius = r.width() * 0.22;
    const qreal u = r.width() / 16.0;
    const QPointF o = r.topLeft();
    m.play[0] = o + QPointF(5.6 * u, 3.4 * u);
    m.play[1] = o + QPointF(11.6 * u, 7.0 * u);
    m.play[2] = o + QPointF(5.6 * u, 10.6 * u);
    m.bar = QLineF(o + QPointF(4.2 * u, 12.9 * u), o + QPointF(11.8 * u, 12.9 * u));
    m.barWidth = 1.3 * u;
    return m;
}

void drawMark(QPainter &p, const QRectF &r)
{
    const Mark m = markIn(r);
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient g(m.tile.topLeft(), m.tile.bottomRight());
    g.setColorAt(0, m.top);
    g.setColorAt(1, m.bottom);
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawRoundedRect(m.tile, m.radius, m.radius);

    QPainterPath play;
    play.moveTo(m.play[0]);
    play.lineTo(m.play[1]);
    play.lineTo(m.play[2]);
    play.closeSubpath();
    p.setBrush(Qt::white);
    p.drawPath(play);

    p.setPen(QPen(m.barColor, m.barWidth, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(m.bar);
    p.restore();
}

void makeProgramIcon()
{
    QImage img = canvas(256, 256);
    QPainter p(&img);
    drawMark(p, QRectF(8, 8, 240, 240));
    p.end();
    save(img, QStringLiteral("program.png"));
}

// The desktop's icons: the mark at the sizes of the icon theme, with the theme's margin,
// and as SVG for any other size.
void makeDesktopIcons(const QString &folder)
{
    for (const int size : {48, 128, 256}) {
        QImage img = canvas(size, size);
        QPainter p(&img);
        const qreal margin = size / 32.0;
        drawMark(p, QRectF(margin, margin, size - 2 * margin, size - 2 * margin));
        p.end();
        const QString path = folder + QStringLiteral("/clipwright-%1.png").arg(size);
        if (!img.save(path))
            QTextStream(stderr) << "cannot write " << path << '\n';
    }
    const Mark m = markIn(QRectF(8, 8, 240, 240));
    const auto n = [](qreal v) { return QString::number(v, 'f', 2); };
    QString svg;
    QTextStream out(&svg);
    out << "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"256\" height=\"256\" viewBox=\"0 0 256 256\">\n"
        << "  <defs>\n"
        << "    <linearGradient id=\"tile\" gradientUnits=\"userSpaceOnUse\" x1=\"" << n(m.tile.left()) << "\" y1=\""
        << n(m.tile.top()) << "\" x2=\"" << n(m.tile.right()) << "\" y2=\"" << n(m.tile.bottom()) << "\">\n"
        << "      <stop offset=\"0\" stop-color=\"" << m.top.name() << "\"/>\n"
        << "      <stop offset=\"1\" stop-color=\"" << m.bottom.name() << "\"/>\n"
        << "    </linearGradient>\n"
        << "  </defs>\n"
        << "  <rect x=\"" << n(m.tile.x()) << "\" y=\"" << n(m.tile.y()) << "\" width=\"" << n(m.tile.width())
        << "\" height=\"" << n(m.tile.height()) << "\" rx=\"" << n(m.radius) << "\" fill=\"url(#tile)\"/>\n"
        << "  <path d=\"M " << n(m.play[0].x()) << ' ' << n(m.play[0].y()) << " L " << n(m.play[1].x()) << ' '
        << n(m.play[1].y()) << " L " << n(m.play[2].x()) << ' ' << n(m.play[2].y()) << " Z\" fill=\"#ffffff\"/>\n"
        << "  <line x1=\"" << n(m.bar.x1()) << "\" y1=\"" << n(m.bar.y1()) << "\" x2=\"" << n(m.bar.x2()) << "\" y2=\""
        << n(m.bar.y2()) << "\" stroke=\"#ffffff\" stroke-opacity=\"" << n(m.barColor.alphaF()) << "\" stroke-width=\""
        << n(m.barWidth) << "\" stroke-linecap=\"round\"/>\n"
        << "</svg>\n";
    out.flush();
    QFile file(folder + QStringLiteral("/clipwright.svg"));
    if (!file.open(QIODevice::WriteOnly) || file.write(svg.toUtf8()) < 0)
        QTextStream(stderr) << "cannot write " << file.fileName() << '\n';
}

void makeSplash()
{
    const int w = 600, h = 340;
    QImage img(w, h, QImage::Format_ARGB32_Premultiplied);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.fillRect(img.rect(), Palette::Paper);

    // A dark band like the title bar, with the mark and the name.
    const int band = 236;
    QLinearGradient g(0, 0, 0, band);
    g.setColorAt(0, QColor(0x55, 0x57, 0x5b));
    g.setColorAt(1, Palette::Bar);
    p.fillRect(QRect(0, 0, w, band), g);
    p.fillRect(QRect(0, band, w, 3), Palette::Accent);

    drawMark(p, QRectF(56, 70, 96, 96));

    QFont title(g_fontFamily);
    title.setPixelSize(46);
    title.setBold(true);
    p.setFont(title);
    p.setPen(QColor(0xf2, 0xf2, 0xf2));
    p.drawText(QRectF(176, 68, 400, 60), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Clipwright"));

    QFont sub(g_fontFamily);
    sub.setPixelSize(17);
    p.setFont(sub);
    p.setPen(QColor(0xb7, 0xb7, 0xb7));
    p.drawText(QRectF(178, 126, 400, 30), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("Video downloader and toolkit"));

    // Bottom edge line, so the white area reads as part of the card.
    p.setPen(QPen(QColor(0xd8, 0xd7, 0xd6), 1));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(0.5, 0.5, w - 1, h - 1));
    p.end();
    save(img, QStringLiteral("splash.png"));
}

// A thumbnail not yet fetched: a soft landscape on the row's grey.
void makeThumbnailPlaceholder()
{
    const QSize design = Sprites::ThumbnailSize;
    QImage img = canvas(design.width() * 2, design.height() * 2);
    QPainter p;
    begin(p, img, 2.0);
    QLinearGradient g(0, 0, 0, design.height());
    g.setColorAt(0, QColor(0xf4, 0xf5, 0xf6));
    g.setColorAt(1, QColor(0xe6, 0xe8, 0xea));
    p.fillRect(QRectF(0, 0, design.width(), design.height()), g);
    const QColor hill(0xc4, 0xc9, 0xce);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xd3, 0xd7, 0xdb));
    p.drawEllipse(QPointF(53, 25), 5.5, 5.5);
    QPainterPath far;
    far.moveTo(22, 50);
    far.lineTo(40, 32);
    far.lineTo(50, 42);
    far.lineTo(56, 37);
    far.lineTo(66, 50);
    far.closeSubpath();
    p.setBrush(hill);
    p.drawPath(far);
    p.setPen(QPen(hill, 2.0, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(20, 50), QPointF(64, 50));
    p.end();
    save(img, QStringLiteral("image.png"));
}

// Empty download list: a monitor with a download arrow.
void makeEmptyDownloading()
{
    const QSize design = Sprites::EmptyViewSize;
    QImage img = canvas(design.width() * 2, design.height() * 2);
    QPainter p;
    begin(p, img, 2.0);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 14));
    p.drawEllipse(QPointF(80, 108), 46, 5);

    const QRectF screen(34, 16, 92, 64);
    p.setBrush(Qt::white);
    p.setPen(QPen(Palette::Border, 2.4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawRoundedRect(screen, 6, 6);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xed, 0xf4, 0xfb));
    p.drawRoundedRect(screen.adjusted(5, 5, -5, -5), 3, 3);
    p.setPen(QPen(Palette::Border, 2.4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawLine(QPointF(80, 80), QPointF(80, 92));
    p.drawLine(QPointF(64, 94), QPointF(96, 94));

    p.setPen(QPen(Palette::Accent, 4.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawLine(QPointF(80, 30), QPointF(80, 56));
    QPainterPath head;
    head.moveTo(70, 47);
    head.lineTo(80, 57);
    head.lineTo(90, 47);
    p.drawPath(head);
    p.setPen(QPen(Palette::AccentPale, 4.0, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(66, 66), QPointF(94, 66));
    p.end();
    save(img, QStringLiteral("pc.png"));
}

// Empty finished list: an open folder waiting for its first video.
void makeEmptyFinished()
{
    const QSize design = Sprites::EmptyViewSize;
    QImage img = canvas(design.width() * 2, design.height() * 2);
    QPainter p;
    begin(p, img, 2.0);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 14));
    p.drawEllipse(QPointF(80, 108), 48, 5);

    QPainterPath back;
    back.addRoundedRect(QRectF(36, 24, 88, 74), 6, 6);
    back.addRoundedRect(QRectF(36, 17, 36, 16), 5, 5);
    back.setFillRule(Qt::WindingFill);
    p.setBrush(QColor(0x5b, 0xb3, 0xee));
    p.drawPath(back.simplified());

    // A sheet with a play mark standing in the folder.
    p.save();
    p.translate(84, 44);
    p.rotate(-7);
    p.setBrush(Qt::white);
    p.setPen(QPen(Palette::Line, 1.2));
    p.drawRoundedRect(QRectF(-22, -26, 44, 50), 3, 3);
    p.setPen(Qt::NoPen);
    p.setBrush(Palette::Accent);
    QPainterPath play;
    play.moveTo(-5, -10);
    play.lineTo(9, -1);
    play.lineTo(-5, 8);
    play.closeSubpath();
    p.drawPath(play);
    p.restore();

    QPainterPath front;
    front.moveTo(29, 56);
    front.lineTo(131, 56);
    front.lineTo(123, 98);
    front.lineTo(37, 98);
    front.closeSubpath();
    QLinearGradient g(0, 56, 0, 98);
    g.setColorAt(0, QColor(0x8f, 0xd0, 0xf7));
    g.setColorAt(1, QColor(0x6c, 0xc0, 0xf3));
    p.setBrush(g);
    p.setPen(Qt::NoPen);
    p.drawPath(front);
    p.end();
    save(img, QStringLiteral("file1.png"));
}

// The speed box's drop-down arrow: a style-sheet image, shown at its own size.
void makeComboArrow()
{
    QImage img = canvas(Sprites::ComboArrowSize.width(), Sprites::ComboArrowSize.height());
    QPainter p;
    begin(p, img, 1.0);
    p.setPen(QPen(Palette::Accent, 1.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    QPainterPath v;
    v.moveTo(2.0, 2.2);
    v.lineTo(6.0, 6.0);
    v.lineTo(10.0, 2.2);
    p.drawPath(v);
    p.end();
    save(img, QStringLiteral("arrowDown.png"));
}

// The mark beside every combo box entry (and the submenu arrow).
void makeComboItemMark()
{
    const QSize design = Sprites::ComboIconSize;
    QImage img = canvas(design.width() * 2, design.height() * 2);
    QPainter p;
    begin(p, img, 2.0);
    QPainterPath tri;
    tri.moveTo(6.0, 4.2);
    tri.lineTo(11.2, 8.0);
    tri.lineTo(6.0, 11.8);
    tri.closeSubpath();
    p.setPen(QPen(Palette::Accent, 1.4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Palette::Accent);
    p.drawPath(tri);
    p.end();
    save(img, QStringLiteral("arrowtest.png"));
}

void drawGear(QPainter &p, const QColor &c)
{
    const QPointF centre(15, 15);
    QPainterPath gear;
    const int teeth = 8;
    for (int i = 0; i < teeth * 2; ++i) {
        const qreal r = (i % 2 == 0) ? 10.6 : 8.2;
        for (int k = 0; k < 2; ++k) {
            const qreal a = (i + (k == 0 ? 0.12 : 0.88)) * M_PI / teeth;
            const QPointF pt = centre + QPointF(qCos(a) * r, qSin(a) * r);
            if (i == 0 && k == 0)
                gear.moveTo(pt);
            else
                gear.lineTo(pt);
        }
    }
    gear.closeSubpath();
    gear.addEllipse(centre, 3.6, 3.6);
    p.setPen(QPen(c, 1.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(c);
    p.setBrush(QBrush(c));
    gear.setFillRule(Qt::OddEvenFill);
    p.drawPath(gear);
}

void makeSettingButtons()
{
    const QSize design = Sprites::SettingButtonSize;
    const QColor looks[] = {Palette::Muted, Palette::Accent};
    const char *names[] = {"setting1.png", "setting2.png"};
    for (int i = 0; i < 2; ++i) {
        QImage img = canvas(design.width() * 2, design.height() * 2);
        QPainter p;
        begin(p, img, 2.0);
        drawGear(p, looks[i]);
        p.end();
        save(img, QString::fromLatin1(names[i]));
    }
}

// Check-box indicators for style sheets: ticked and not, and their disabled looks.
void makeCheckIndicators()
{
    const QSize design = Sprites::CheckIndicatorSize;
    struct Look {
        const char *name;
        bool ticked;
        bool disabled;
    };
    const Look looks[] = {{"check/checked1.png", true, false},
                          {"check/unchecked1.png", false, false},
                          {"check/checked1_disabled.png", true, true},
                          {"check/unchecked1_disabled.png", false, true}};
    for (const Look &look : looks) {
        QImage img = canvas(design.width() * 2, design.height() * 2);
        QPainter p;
        begin(p, img, 2.0);
        const QRectF box(1.5, 1.5, 13, 13);
        if (look.ticked) {
            p.setPen(Qt::NoPen);
            p.setBrush(look.disabled ? Palette::Ghost : Palette::Accent);
            p.drawRoundedRect(box, 2.8, 2.8);
            p.setPen(QPen(Qt::white, 1.8, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
            QPainterPath tick;
            tick.moveTo(4.6, 8.2);
            tick.lineTo(7.0, 10.6);
            tick.lineTo(11.6, 5.6);
            p.setBrush(Qt::NoBrush);
            p.drawPath(tick);
        } else {
            p.setPen(QPen(look.disabled ? Palette::Line : Palette::Border, 1.2));
            p.setBrush(look.disabled ? QColor(0xf4, 0xf4, 0xf4) : QColor(Qt::white));
            p.drawRoundedRect(box.adjusted(0.6, 0.6, -0.6, -0.6), 2.4, 2.4);
        }
        p.end();
        save(img, QString::fromLatin1(look.name));
    }
}

// The spinner: twelve dots in the accent colour, a bright head with a fading tail.
// Drawn over white and written with the white turned transparent: it sits on white
// panels and rows.
void makeSpinner()
{
    const int size = Sprites::SpinnerSize.width() * 2;
    const int frames = 12;
    // Palette: 0 transparent, then 255 steps from white to the accent.
    QVector<QRgb> palette(256);
    palette[0] = qRgb(255, 255, 255);
    for (int i = 1; i < 256; ++i) {
        const qreal t = (i - 1) / 254.0;
        palette[i] = mix(Qt::white, Palette::Accent, t).rgb();
    }
    QList<GifFrame> out;
    for (int f = 0; f < frames; ++f) {
        QImage img(size, size, QImage::Format_RGB32);
        img.fill(Qt::white);
        QPainter p;
        begin(p, img, 2.0);
        p.setPen(Qt::NoPen);
        for (int k = 0; k < frames; ++k) {
            const int age = (f - k + frames) % frames; // 0 = the head
            const qreal strength = qMax(0.12, 1.0 - age / 8.0);
            const qreal a = k * 2 * M_PI / frames - M_PI / 2;
            const QPointF c(10 + qCos(a) * 7.0, 10 + qSin(a) * 7.0);
            p.setBrush(mix(Qt::white, Palette::Accent, strength));
            p.drawEllipse(c, 1.55, 1.55);
        }
        p.end();
        GifFrame frame;
        frame.delayCentiseconds = 8;
        frame.indices.resize(size * size);
        for (int y = 0; y < size; ++y) {
            const QRgb *line = reinterpret_cast<const QRgb *>(img.constScanLine(y));
            for (int x = 0; x < size; ++x) {
                // Every pixel lies between white and the accent; red tells how far.
                const qreal t = (255 - qRed(line[x])) / qreal(255 - Palette::Accent.red());
                const int index = t <= 0.002 ? 0 : 1 + qBound(0, qRound(t * 254), 254);
                frame.indices[y * size + x] = quint8(index);
            }
        }
        out.append(frame);
    }
    const QString path = g_out + QStringLiteral("/small_loadimg2.gif");
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(encodeGif(size, size, palette, out)) < 0)
        QTextStream(stderr) << "cannot write " << path << '\n';
}

// The support page as a code to scan with the messenger's camera.
void makeScanCode()
{
    const QrCode code = encodeQr(QByteArrayLiteral("https://www.kestrova.com/support/"));
    if (code.size == 0) {
        QTextStream(stderr) << "scan code text too long\n";
        return;
    }
    const int side = Sprites::ScanCodeSize.width() * 2;
    QImage img(side, side, QImage::Format_RGB32);
    img.fill(Qt::white);
    QPainter p(&img);
    const int quiet = 4;
    const qreal module = qreal(side) / (code.size + 2 * quiet);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x22, 0x22, 0x22));
    for (int y = 0; y < code.size; ++y) {
        for (int x = 0; x < code.size; ++x) {
            if (code.at(x, y)) {
                const QRectF r((quiet + x) * module, (quiet + y) * module, module, module);
                p.drawRect(r.toAlignedRect());
            }
        }
    }
    p.end();
    save(img, QStringLiteral("weixin.jpg"));
}

// Reads every picture back, so a broken writer shows up here and not in the program.
bool verify()
{
    bool ok = true;
    const QStringList names = {
        "splash.png",   "program.png", "public.png", "minclose.png",    "minclose@2x.png",    "small_loadimg2.gif",
        "image.png",    "pc.png",      "file1.png",  "arrowDown.png",   "arrowtest.png",      "setting1.png",
        "setting2.png", "radio.png",   "tools.png",  "converttool.png", "check/checked1.png", "check/unchecked1.png",
        "weixin.jpg"};
    for (const QString &name : names) {
        QImageReader reader(g_out + QLatin1Char('/') + name);
        const QImage first = reader.read();
        if (first.isNull()) {
            QTextStream(stderr) << "unreadable: " << name << ' ' << reader.errorString() << '\n';
            ok = false;
        }
    }
    QImageReader spinner(g_out + QStringLiteral("/small_loadimg2.gif"));
    if (spinner.imageCount() != 12) {
        QTextStream(stderr) << "spinner has " << spinner.imageCount() << " frames\n";
        ok = false;
    }
    return ok;
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc < 3) {
        QTextStream(stderr) << "usage: cw_imagegen OUTPUT_FOLDER FONT_FOLDER [ICON_FOLDER]\n";
        return 2;
    }
    g_out = QString::fromLocal8Bit(argv[1]);
    const QString fonts = QString::fromLocal8Bit(argv[2]);
    for (const char *f : {"Lato-Regular.ttf", "Lato-Bold.ttf"}) {
        const int id = QFontDatabase::addApplicationFont(fonts + QLatin1Char('/') + QLatin1String(f));
        if (id >= 0 && !QFontDatabase::applicationFontFamilies(id).isEmpty())
            g_fontFamily = QFontDatabase::applicationFontFamilies(id).first();
    }
    makeProgramIcon();
    if (argc > 3)
        makeDesktopIcons(QString::fromLocal8Bit(argv[3]));
    makeSplash();
    makeSpriteSheets();
    makeThumbnailPlaceholder();
    makeEmptyDownloading();
    makeEmptyFinished();
    makeComboArrow();
    makeComboItemMark();
    makeSettingButtons();
    makeCheckIndicators();
    makeSpinner();
    makeScanCode();
    return verify() ? 0 : 1;
}
