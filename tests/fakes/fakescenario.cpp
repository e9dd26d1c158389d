#include "fakes/fakescenario.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QProcess>
#include <QStandardPaths>

namespace
{
const char *const ScenarioVariable = "CLIPWRIGHT_FAKE_SCENARIO";
}

QString FakeScenario::Run::proxy() const
{
    return valueOf(QStringLiteral("--proxy"));
}

QString FakeScenario::Run::url() const
{
    return args.isEmpty() ? QString() : args.last();
}

QString FakeScenario::Run::valueOf(const QString &option) const
{
    const int at = args.indexOf(option);
    return at >= 0 && at + 1 < args.size() ? args.at(at + 1) : QString();
}

FakeScenario::FakeScenario(const QString &folder) : m_folder(QDir(folder).absolutePath())
{
    QDir().mkpath(m_folder);
}

// The names the fake uses for jobs and behaviours, in the order of the enums.
QString FakeScenario::jobName(Job job)
{
    static const char *const names[] = {"info", "thumbnail", "subtitleList", "subtitles", "download", "channel"};
    return QLatin1String(names[int(job)]);
}

QString FakeScenario::behaviourName(Behaviour how)
{
    static const char *const names[] = {"error", "silent", "garbage", "crash", "hang"};
    return QLatin1String(names[int(how)]);
}

void FakeScenario::setKey(const QString &section, const QString &key, const QJsonValue &value)
{
    QJsonObject sec = m_root.value(section).toObject();
    sec.insert(key, value);
    m_root.insert(section, sec);
}

void FakeScenario::setFormatKey(const QString &formatId, const QString &key, const QJsonValue &value)
{
    QJsonObject formats = m_root.value(QLatin1String("formats")).toObject();
    QJsonObject format = formats.value(formatId).toObject();
    format.insert(key, value);
    formats.insert(formatId, format);
    m_root.insert(QStringLiteral("formats"), formats);
}

void FakeScenario::setTransferKey(const QString &formatId, const QString &key, const QJsonValue &value)
{
    if (formatId.isEmpty())
        setKey(QStringLiteral("download"), key, value);
    else
        setFormatKey(formatId, key, value);
}

void FakeScenario::setInfoJson(const QJsonObject &info)
{
    setKey(QStringLiteral("info"), QStringLiteral("json"), info);
}

void FakeScenario::setThumbnailFile(const QString &jpeg)
{
    setKey(QStringLiteral("thumbnail"), QStringLiteral("file"), jpeg);
}

void FakeScenario::setSubtitleCodes(const QStringList &subtitles, const QStringList &automaticCaptions)
{
    setKey(QStringLiteral("captions"), QStringLiteral("subtitles"), QJsonArray::fromStringList(subtitles));
    setKey(QStringLiteral("captions"), QStringLiteral("automatic"), QJsonArray::fromStringList(automaticCaptions));
}

void FakeScenario::setSubtitleContent(const QString &code, const QString &vtt)
{
    QJsonObject content = m_root.value(QLatin1String("captions")).toObject().value(QLatin1String("content")).toObject();
    content.insert(code, vtt);
    setKey(QStringLiteral("captions"), QStringLiteral("content"), content);
}

void FakeScenario::setFormatFile(const QString &formatId, const QString &file)
{
    setFormatKey(formatId, QStringLiteral("file"), file);
}

void FakeScenario::setFormatSize(const QString &formatId, qint64 bytes)
{
    setFormatKey(formatId, QStringLiteral("size"), double(bytes));
}

void FakeScenario::setFormatError(const QString &formatId, const QString &error)
{
    setFormatKey(formatId, QStringLiteral("error"), error);
}

void FakeScenario::setPacing(int steps, int stepMs, const QString &formatId)
{
    setTransferKey(formatId, QStringLiteral("steps"), steps);
    setTransferKey(formatId, QStringLiteral("stepMs"), stepMs);
}

void FakeScenario::stopTransfersAt(int percent, const QString &formatId)
{
    setTransferKey(formatId, QStringLiteral("stopAt"), percent);
}

void FakeScenario::hangTransfersAt(int percent, const QString &formatId)
{
    setTransferKey(formatId, QStringLiteral("hangAt"), percent);
}

void FakeScenario::failTransfers(int times, int atPercent, Behaviour how, const QString &formatId, const QString &error)
{
    setTransferKey(formatId, QStringLiteral("failTimes"), times);
    setTransferKey(formatId, QStringLiteral("failAt"), atPercent);
    setTransferKey(formatId, QStringLiteral("failWith"), behaviourName(how));
    if (!error.isEmpty())
        setTransferKey(formatId, QStringLiteral("failError"), error);
}

void FakeScenario::setChannelJson(const QJsonObject &listing)
{
    setKey(QStringLiteral("channel"), QStringLiteral("json"), listing);
}

void FakeScenario::failJob(Job job, int times, Behaviour how, const QString &error)
{
    setKey(jobName(job), QStringLiteral("failTimes"), times);
    setKey(jobName(job), QStringLiteral("failWith"), behaviourName(how));
    if (!error.isEmpty())
        setKey(jobName(job), QStringLiteral("failError"), error);
}

void FakeScenario::setMode(Behaviour how)
{
    m_root.insert(QStringLiteral("mode"), behaviourName(how));
}

void FakeScenario::setJobDelay(Job job, int ms)
{
    setKey(jobName(job), QStringLiteral("delayMs"), ms);
}

QJsonObject &FakeScenario::root()
{
    return m_root;
}

bool FakeScenario::write() const
{
    const QString path = m_folder + QStringLiteral("/scenario.json");
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    file.write(QJsonDocument(m_root).toJson(QJsonDocument::Indented));
    file.close();
    qputenv(ScenarioVariable, QFile::encodeName(path));
    return file.error() == QFile::NoError;
}

void FakeScenario::resetState() const
{
    QFile::remove(m_folder + QStringLiteral("/counters.ini"));
    QFile::remove(m_folder + QStringLiteral("/runs.log"));
}

QVector<FakeScenario::Run> FakeScenario::loggedRuns() const
{
    QVector<Run> runs;
    QFile file(m_folder + QStringLiteral("/runs.log"));
    if (!file.open(QIODevice::ReadOnly))
        return runs;
    while (!file.atEnd()) {
        const QJsonObject entry = QJsonDocument::fromJson(file.readLine()).object();
        if (entry.isEmpty())
            continue;
        Run r;
        r.job = entry.value(QLatin1String("job")).toString();
        r.args = entry.value(QLatin1String("args")).toVariant().toStringList();
        r.program = entry.value(QLatin1String("program")).toString();
        runs.append(r);
    }
    return runs;
}

QVector<FakeScenario::Run> FakeScenario::loggedRuns(Job job) const
{
    QVector<Run> runs;
    const QString name = jobName(job);
    for (const Run &r : loggedRuns()) {
        if (r.job == name)
            runs.append(r);
    }
    return runs;
}

QString FakeScenario::program()
{
    return QStringLiteral(CLIPWRIGHT_FAKE_DOWNLOADER);
}

bool FakeScenario::installAs(const QString &path)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile::remove(path);
    if (!QFile::copy(program(), path))
        return false;
    return QFile::setPermissions(path, QFile::permissions(path) | QFile::ExeOwner | QFile::ReadOwner);
}

namespace FakeMedia
{

namespace
{
bool runFfmpeg(const QStringList &args, QString *error)
{
    const QString ffmpeg = QStandardPaths::findExecutable(QStringLiteral("ffmpeg"));
    if (ffmpeg.isEmpty()) {
        if (error)
            *error = QStringLiteral("ffmpeg not found");
        return false;
    }
    QProcess p;
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(ffmpeg, QStringList{QStringLiteral("-hide_banner"), QStringLiteral("-v"), QStringLiteral("error"),
                                QStringLiteral("-nostdin"), QStringLiteral("-y")}
                        + args);
    // Generous: the clips take well under a second, but a loaded machine must not fail a test.
    const bool done = p.waitForFinished(120000);
    const bool ok = done && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
    if (!ok && error)
        *error = QString::fromLocal8Bit(p.readAll());
    return ok;
}
} // namespace

bool makeClip(const QString &path, int seconds, bool withVideo, bool withAudio, QString *error)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    const bool soundOnly = QStringList{QStringLiteral("m4a"), QStringLiteral("aac"), QStringLiteral("mp3"),
                                       QStringLiteral("opus"), QStringLiteral("ogg")}
                               .contains(suffix);
    withVideo = withVideo && !soundOnly;
    const QString length = QString::number(qMax(1, seconds));
    QStringList args;
    if (withVideo)
        args << QStringLiteral("-f") << QStringLiteral("lavfi") << QStringLiteral("-i")
             << QStringLiteral("testsrc=size=160x90:rate=10:duration=") + length;
    if (withAudio)
        args << QStringLiteral("-f") << QStringLiteral("lavfi") << QStringLiteral("-i")
             << QStringLiteral("sine=frequency=440:sample_rate=22050:duration=") + length;
    if (!withVideo && !withAudio) {
        if (error)
            *error = QStringLiteral("a clip needs video or sound");
        return false;
    }
    if (withVideo) {
        if (suffix == QLatin1String("webm"))
            args << QStringLiteral("-c:v") << QStringLiteral("libvpx") << QStringLiteral("-deadline")
                 << QStringLiteral("realtime") << QStringLiteral("-cpu-used") << QStringLiteral("8");
        else if (suffix == QLatin1String("avi"))
            args << QStringLiteral("-c:v") << QStringLiteral("mpeg4");
        else
            args << QStringLiteral("-c:v") << QStringLiteral("libx264") << QStringLiteral("-preset")
                 << QStringLiteral("ultrafast");
        args << QStringLiteral("-pix_fmt") << QStringLiteral("yuv420p");
    }
    if (withAudio) {
        if (suffix == QLatin1String("webm") || suffix == QLatin1String("opus"))
            args << QStringLiteral("-c:a") << QStringLiteral("libopus");
        else if (suffix == QLatin1String("ogg"))
            args << QStringLiteral("-c:a") << QStringLiteral("libvorbis");
        else if (suffix == QLatin1String("mp3") || suffix == QLatin1String("avi"))
            args << QStringLiteral("-c:a") << QStringLiteral("libmp3lame");
        else
            args << QStringLiteral("-c:a") << QStringLiteral("aac");
    }
    if (suffix == QLatin1String("aac"))
        args << QStringLiteral("-f") << QStringLiteral("adts");
    args << QStringLiteral("-threads") << QStringLiteral("1") << path;
    QDir().mkpath(QFileInfo(path).absolutePath());
    return runFfmpeg(args, error);
}

bool makeJpeg(const QString &path, int width, int height, QString *error)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    return runFfmpeg({QStringLiteral("-f"), QStringLiteral("lavfi"), QStringLiteral("-i"),
                      QStringLiteral("testsrc=size=%1x%2:rate=1").arg(width).arg(height), QStringLiteral("-frames:v"),
                      QStringLiteral("1"), path},
                     error);
}

QJsonObject format(const QString &id, const QString &ext, int width, int height, const QString &vcodec,
                   const QString &acodec, qint64 filesize, const QString &note)
{
    QJsonObject f;
    f.insert(QStringLiteral("format_id"), id);
    f.insert(QStringLiteral("ext"), ext);
    f.insert(QStringLiteral("vcodec"), vcodec.isEmpty() ? QStringLiteral("none") : vcodec);
    f.insert(QStringLiteral("acodec"), acodec.isEmpty() ? QStringLiteral("none") : acodec);
    if (width > 0)
        f.insert(QStringLiteral("width"), width);
    if (height > 0)
        f.insert(QStringLiteral("height"), height);
    if (filesize > 0)
        f.insert(QStringLiteral("filesize"), double(filesize));
    if (!note.isEmpty())
        f.insert(QStringLiteral("format_note"), note);
    return f;
}

QJsonObject infoJson(const QString &id, const QString &title, const QVector<QJsonObject> &formats)
{
    QJsonObject info;
    info.insert(QStringLiteral("id"), id);
    info.insert(QStringLiteral("title"), title);
    info.insert(QStringLiteral("webpage_url"), QString(QStringLiteral("http://127.0.0.1/watch?v=") + id));
    info.insert(QStringLiteral("duration"), 2);
    if (!formats.isEmpty()) {
        QJsonArray list;
        for (const QJsonObject &f : formats)
            list.append(f);
        info.insert(QStringLiteral("formats"), list);
        info.insert(QStringLiteral("format_id"), formats.last().value(QLatin1String("format_id")));
        info.insert(QStringLiteral("ext"), formats.last().value(QLatin1String("ext")));
    }
    return info;
}

} // namespace FakeMedia
