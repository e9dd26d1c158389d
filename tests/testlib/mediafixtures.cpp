#include "testlib/mediafixtures.h"

#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QtDebug>

namespace MediaFixtures {

QString ffmpegProgram()
{
    return QStandardPaths::findExecutable(QStringLiteral("ffmpeg"));
}

bool make(const QString &path, Kind kind, double seconds)
{
    const QString len = QString::number(seconds);
    QStringList args{QStringLiteral("-hide_banner"), QStringLiteral("-loglevel"), QStringLiteral("error"),
                     QStringLiteral("-y")};
    const bool video = kind != Kind::AudioOnly;
    const bool sound = kind != Kind::VideoWithoutSound;
    if (video)
        args << QStringLiteral("-f") << QStringLiteral("lavfi") << QStringLiteral("-i")
             << QStringLiteral("testsrc=size=160x120:rate=15:duration=") + len;
    if (sound)
        args << QStringLiteral("-f") << QStringLiteral("lavfi") << QStringLiteral("-i")
             << QStringLiteral("sine=frequency=440:sample_rate=22050:duration=") + len;
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (video)
        args << (suffix == QLatin1String("webm") ? QStringList{QStringLiteral("-c:v"), QStringLiteral("libvpx")}
                                                 : QStringList{QStringLiteral("-c:v"), QStringLiteral("libx264"),
                                                               QStringLiteral("-preset"), QStringLiteral("ultrafast"),
                                                               QStringLiteral("-pix_fmt"), QStringLiteral("yuv420p")});
    if (sound)
        args << QStringLiteral("-c:a")
             << (suffix == QLatin1String("webm") || suffix == QLatin1String("ogg") ? QStringLiteral("libopus")
                 : suffix == QLatin1String("mp3")                                   ? QStringLiteral("libmp3lame")
                                                                                    : QStringLiteral("aac"));
    args << path;
    QProcess p;
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(ffmpegProgram(), args);
    if (!p.waitForFinished(60000) || p.exitCode() != 0 || !QFileInfo::exists(path)) {
        qWarning() << "ffmpeg failed for" << path << p.readAll();
        return false;
    }
    return true;
}

} // namespace MediaFixtures
