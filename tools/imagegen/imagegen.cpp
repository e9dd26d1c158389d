// Draws every picture under resources/images with QPainter, so the set stays one
// consistent family and can be changed in code. Usage: cw_imagegen OUTPUT_FOLDER FONT_FOLDER

#include <QDir>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QTextStream>
#include <functional>

namespace {

const QColor kAccent(0x03, 0x96, 0xeb);
const QColor kAccentDark(0x03, 0x8c, 0xdb);
const QColor kBar(0x48, 0x4a, 0x4d);
const QColor kPaper(255, 253, 253);
const QColor kInk(0x33, 0x33, 0x33);

QString g_out;
QString g_latoRegular = QStringLiteral("Lato");

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
    if (!img.save(path))
        QTextStream(stderr) << "cannot write " << path << '\n';
}

// The program's mark: a rounded tile with a play triangle over a download arrow.
void drawMark(QPainter &p, const QRectF &r)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    const qreal radius = r.width() * 0.22;
    QLinearGradient g(r.topLeft(), r.bottomRight());
    g.setColorAt(0, QColor(0x2a, 0xb0, 0xf5));
    g.setColorAt(1, kAccentDark);
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawRoundedRect(r, radius, radius);

    const qreal u = r.width() / 16.0;
    const QPointF o = r.topLeft();
    QPainterPath play;
    play.moveTo(o + QPointF(5.6 * u, 3.4 * u));
    play.lineTo(o + QPointF(11.6 * u, 7.0 * u));
    play.lineTo(o + QPointF(5.6 * u, 10.6 * u));
    play.closeSubpath();
    p.setBrush(Qt::white);
    p.drawPath(play);

    QPen bar(QColor(255, 255, 255, 235), 1.3 * u, Qt::SolidLine, Qt::RoundCap);
    p.setPen(bar);
    p.drawLine(o + QPointF(4.2 * u, 12.9 * u), o + QPointF(11.8 * u, 12.9 * u));
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

void makeSplash()
{
    const int w = 600, h = 340;
    QImage img(w, h, QImage::Format_ARGB32_Premultiplied);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.fillRect(img.rect(), kPaper);

    // A dark band like the title bar, with the mark and the name.
    const int band = 236;
    QLinearGradient g(0, 0, 0, band);
    g.setColorAt(0, QColor(0x55, 0x57, 0x5b));
    g.setColorAt(1, kBar);
    p.fillRect(QRect(0, 0, w, band), g);
    p.fillRect(QRect(0, band, w, 3), kAccent);

    drawMark(p, QRectF(56, 70, 96, 96));

    QFont title(g_latoRegular);
    title.setPixelSize(46);
    title.setBold(true);
    p.setFont(title);
    p.setPen(QColor(0xf2, 0xf2, 0xf2));
    p.drawText(QRectF(176, 68, 400, 60), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Clipwright"));

    QFont sub(g_latoRegular);
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

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc < 3) {
        QTextStream(stderr) << "usage: cw_imagegen OUTPUT_FOLDER FONT_FOLDER\n";
        return 2;
    }
    g_out = QString::fromLocal8Bit(argv[1]);
    const QString fonts = QString::fromLocal8Bit(argv[2]);
    for (const char *f : {"Lato-Regular.ttf", "Lato-Bold.ttf"}) {
        const int id = QFontDatabase::addApplicationFont(fonts + QLatin1Char('/') + QLatin1String(f));
        if (id >= 0 && !QFontDatabase::applicationFontFamilies(id).isEmpty())
            g_latoRegular = QFontDatabase::applicationFontFamilies(id).first();
    }
    makeProgramIcon();
    makeSplash();
    return 0;
}
