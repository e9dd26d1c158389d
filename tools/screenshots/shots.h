// What the two screenshot programs share: waiting for the screen to settle, writing a picture
// into the output folder, and switching language and scale before a round of pictures.
#pragma once

#include "app/settings.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QTextStream>

namespace Shots
{
// The folder the pictures go to, and the prefix of each picture's name.
inline QString outDir;
inline QString prefix;

inline void settle(int ms = 150)
{
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < ms)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
}

inline void store(const QImage &image, const QString &name)
{
    const QString path = outDir + QLatin1Char('/') + prefix + name + QStringLiteral(".png");
    if (!image.save(path))
        QTextStream(stderr) << "cannot write " << path << '\n';
}

// Stores the language and forces the scale factor that the next window takes; returns the
// tag of the round's pictures, e.g. "en-150".
inline QString useLanguageAndScale(const QString &code, double scale)
{
    Settings::writeLanguage(code);
    qputenv("CLIPWRIGHT_SCALE_FACTOR", QByteArray::number(scale));
    return code.toLower() + QLatin1Char('-') + QString::number(qRound(scale * 100));
}
} // namespace Shots
