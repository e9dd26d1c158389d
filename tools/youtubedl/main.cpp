// youtubedl: the downloader the program runs. It takes the program's argument lists,
// runs yt-dlp underneath and hands back the lines, files and JSON the program reads.

#include "adaptercore.h"
#include "dependentprocess.h"
#include "external/components.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <csignal>
#include <cstdlib>
#include <unistd.h>

using namespace Adapter;

namespace
{

void writeLine(int fd, const QByteArray &line)
{
    const QByteArray data = line + '\n';
    const char *p = data.constData();
    qint64 left = data.size();
    while (left > 0) {
        const ssize_t n = ::write(fd, p, size_t(left));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return;
        p += n;
        left -= n;
    }
}

class LineSplitter
{
public:
    template <typename F> void feed(const char *data, size_t size, F &&onLine)
    {
        m_pending.append(data, int(size));
        int start = 0;
        for (int nl = m_pending.indexOf('\n'); nl >= 0; nl = m_pending.indexOf('\n', start)) {
            QByteArray line = m_pending.mid(start, nl - start);
            if (line.endsWith('\r'))
                line.chop(1);
            onLine(line);
            start = nl + 1;
        }
        m_pending.remove(0, start);
    }
    template <typename F> void finish(F &&onLine)
    {
        if (!m_pending.isEmpty())
            onLine(m_pending);
        m_pending.clear();
    }

private:
    QByteArray m_pending;
};

QString selfDir()
{
    return QFileInfo(QFile::symLinkTarget(QStringLiteral("/proc/self/exe"))).absolutePath();
}

bool isExecutableFile(const QString &path)
{
    const QFileInfo fi(path);
    return fi.isFile() && fi.isExecutable();
}

QString findFfmpeg(bool *beside)
{
    const QString here = selfDir() + QStringLiteral("/ffmpeg");
    *beside = isExecutableFile(here);
    return *beside ? here : QStandardPaths::findExecutable(QStringLiteral("ffmpeg"));
}

QString absolutePath(const QByteArray &path)
{
    return QDir::cleanPath(QFileInfo(QFile::decodeName(path)).absoluteFilePath());
}

bool isJpeg(const QByteArray &data)
{
    return data.startsWith("\xFF\xD8\xFF");
}

bool saveFile(const QString &path, const QByteArray &data)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write(data);
    return file.commit();
}

class Session
{
public:
    Session(const Invocation &inv, const Components::YtdlpChoice &ytdlp) : m_inv(inv), m_ytdlp(ytdlp.path)
    {
        for (const QString &arg : Components::jsRuntimeArguments(ytdlp.version))
            m_runtimeArgs.append(QFile::encodeName(arg));
        bool beside = false;
        m_ffmpeg = findFfmpeg(&beside);
        if (beside)
            m_ctx.ffmpegLocation = QFile::encodeName(selfDir());
        m_ctx.convertThumbnails = !m_ffmpeg.isEmpty();
    }

    int run()
    {
        switch (m_inv.job) {
        case Job::Download:
            return runDownload();
        case Job::Thumbnail:
            return m_inv.hasOutput ? runThumbnail() : runYtdlp();
        case Job::Info:
            return runInfo();
        case Job::SubtitleList:
            return runSubtitleList();
        case Job::Listing:
            return runListing();
        case Job::SubtitlesOnly:
            if (m_inv.hasOutput)
                m_ctx.outputPath = absolutePath(m_inv.output);
            return runYtdlp();
        case Job::Other:
            break;
        }
        return runYtdlp();
    }

private:
    int runYtdlp()
    {
        ArgList argv{QFile::encodeName(m_ytdlp)};
        argv += m_runtimeArgs;
        argv += ytdlpArguments(m_inv, m_ctx);
        DependentProcess child;
        if (!child.start(argv)) {
            writeLine(STDERR_FILENO, "ERROR: yt-dlp could not be started: " + child.error());
            return 127;
        }
        LineSplitter out, err;
        const int code = child.wait(
            [&](const char *d, size_t n) { out.feed(d, n, [this](const QByteArray &l) { onStdoutLine(l); }); },
            [&](const char *d, size_t n) { err.feed(d, n, [this](const QByteArray &l) { onStderrLine(l); }); });
        out.finish([this](const QByteArray &l) { onStdoutLine(l); });
        err.finish([this](const QByteArray &l) { onStderrLine(l); });
        return code;
    }

    void onStdoutLine(const QByteArray &line)
    {
        ProgressRecord record;
        if (parseProgressRecord(line, &record)) {
            onProgress(record);
            return;
        }
        if (m_collect) {
            m_collected += line + '\n';
            return;
        }
        if (m_inv.job == Job::Info) {
            const QByteArray path = infoJsonPath(line);
            if (!path.isEmpty())
                m_infoFiles.append(absolutePath(path));
        }
        writeLine(STDOUT_FILENO, translateLine(line, m_inv.job));
    }

    void onStderrLine(const QByteArray &line)
    {
        if (!line.isEmpty())
            writeLine(STDERR_FILENO, translateLine(line, m_inv.job));
    }

    void onProgress(const ProgressRecord &record)
    {
        // Subtitle files travel through the same downloader; only the media file's progress counts.
        if (m_inv.job != Job::Download || absolutePath(record.filename) != m_ctx.outputPath)
            return;
        const bool finished = record.status == "finished";
        if (!finished && m_lastProgress.isValid() && m_lastProgress.elapsed() < 100)
            return;
        const QByteArray line = formatProgressLine(record);
        if (line.isEmpty())
            return;
        // The file is whole before the program hears of it, so a stop after this line keeps it.
        if (finished && QFileInfo::exists(m_ctx.outputPath))
            QFile::remove(m_ctx.outputPath + QStringLiteral(".ytdl"));
        writeLine(STDOUT_FILENO, line);
        m_lastProgress.start();
        if (finished) {
            m_finished = true;
            m_printedComplete = true;
        }
    }

    int runDownload()
    {
        m_ctx.outputPath = absolutePath(m_inv.output);
        const QString target = m_ctx.outputPath;
        const QString marker = target + QStringLiteral(".ytdl");
        // Without its marker an existing file is whole: it is never fetched again.
        m_ctx.outputComplete = QFileInfo::exists(target) && !QFileInfo::exists(marker);
        if (m_ctx.outputComplete) {
            const int code = m_inv.subtitles ? runYtdlp() : 0;
            reportAlreadyComplete(target);
            return code;
        }
        if (!QFileInfo::exists(marker)) {
            QDir().mkpath(QFileInfo(target).absolutePath());
            // The marker is laid out as yt-dlp's fragment state, so a fragmented transfer reads it as "start".
            saveFile(marker, "{\"downloader\": {\"current_fragment\": {\"index\": 0}}}");
        }
        const int code = runYtdlp();
        const bool signalled = DependentProcess::receivedSignal() != 0;
        const QFileInfo file(target);
        if (file.exists() && (m_finished || (code == 0 && !signalled))) {
            if (!m_printedComplete)
                writeLine(STDOUT_FILENO, completedLine(file.size()));
            QFile::remove(marker);
        } else if (!file.exists()) {
            // Nothing was written, so there is nothing to resume.
            QFile::remove(marker);
        }
        return code;
    }

    void reportAlreadyComplete(const QString &target)
    {
        writeLine(STDOUT_FILENO, "[download] " + QFile::encodeName(target) + " has already been downloaded");
        writeLine(STDOUT_FILENO, completedLine(QFileInfo(target).size()));
    }

    int runThumbnail()
    {
        const QString target = absolutePath(m_inv.output);
        QTemporaryDir folder(QDir::tempPath() + QStringLiteral("/youtubedl-thumb-XXXXXX"));
        if (!folder.isValid()) {
            writeLine(STDERR_FILENO, "ERROR: no temporary folder for the thumbnail");
            return 1;
        }
        m_ctx.thumbnailFolder = folder.path();
        const int code = runYtdlp();

        const QFileInfoList written = QDir(folder.path()).entryInfoList({QStringLiteral("thumb.*")}, QDir::Files);
        if (written.isEmpty())
            return code;
        QFileInfo image = written.first();
        for (const QFileInfo &fi : written) {
            if (fi.suffix().compare(QLatin1String("jpg"), Qt::CaseInsensitive) == 0)
                image = fi;
        }
        QByteArray data = readFile(image.absoluteFilePath());
        // The extension comes from the thumbnail's URL and can lie about the content.
        if (!isJpeg(data))
            data = convertToJpeg(image.absoluteFilePath(), folder.path());
        if (!isJpeg(data)) {
            writeLine(STDERR_FILENO, "ERROR: the thumbnail could not be converted to JPEG");
            return code ? code : 1;
        }
        QDir().mkpath(QFileInfo(target).absolutePath());
        if (!saveFile(target, data)) {
            writeLine(STDERR_FILENO, "ERROR: unable to write thumbnail file " + QFile::encodeName(target));
            return code ? code : 1;
        }
        return code;
    }

    QByteArray convertToJpeg(const QString &source, const QString &folder)
    {
        if (m_ffmpeg.isEmpty())
            return QByteArray();
        const QString converted = folder + QStringLiteral("/converted.jpg");
        DependentProcess ffmpeg;
        const ArgList argv{
            QFile::encodeName(m_ffmpeg), "-nostdin",  "-y", "-loglevel", "error", "-i",
            QFile::encodeName(source),   "-frames:v", "1",  "-q:v",      "2",     QFile::encodeName(converted)};
        if (!ffmpeg.start(argv))
            return QByteArray();
        const auto toStderr = [](const char *d, size_t n) { (void)!::write(STDERR_FILENO, d, n); };
        ffmpeg.wait([](const char *, size_t) {}, toStderr);
        return readFile(converted);
    }

    static QByteArray readFile(const QString &path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    int runInfo()
    {
        const int code = runYtdlp();
        for (const QString &path : qAsConst(m_infoFiles)) {
            QByteArray json = readFile(path);
            if (tidyInfoJson(&json))
                saveFile(path, json);
        }
        return code;
    }

    int runSubtitleList()
    {
        m_collect = true;
        const int code = runYtdlp();
        const QByteArray listing = subtitleListing(m_collected);
        if (!listing.isEmpty())
            writeLine(STDOUT_FILENO, listing.chopped(1));
        return code;
    }

    int runListing()
    {
        m_collect = true;
        const int code = runYtdlp();
        const QByteArray json = m_collected.trimmed();
        if (!json.isEmpty())
            writeLine(STDOUT_FILENO, normalizeListing(json).trimmed());
        return code;
    }

    Invocation m_inv;
    QString m_ytdlp;
    ArgList m_runtimeArgs;
    QString m_ffmpeg;
    RunContext m_ctx;
    bool m_collect = false;
    QByteArray m_collected;
    QList<QString> m_infoFiles;
    QElapsedTimer m_lastProgress;
    bool m_finished = false;
    bool m_printedComplete = false;
};

} // namespace

int main(int argc, char *argv[])
{
    ArgList args;
    for (int i = 1; i < argc; ++i)
        args.append(QByteArray(argv[i]));
    const Invocation inv = parseInvocation(args);

    const Components::YtdlpChoice ytdlp = Components::chooseYtdlp(selfDir());
    if (ytdlp.path.isEmpty()) {
        writeLine(STDERR_FILENO, "ERROR: yt-dlp was not found");
        return 127;
    }
    // The version of the yt-dlp this adapter runs, known without starting it again.
    if (args == ArgList{"--version"} && !ytdlp.version.isEmpty()) {
        writeLine(STDOUT_FILENO, ytdlp.version.toUtf8());
        return 0;
    }
    // Output reaches the program line by line, whatever Python thinks of the pipe.
    qputenv("PYTHONUNBUFFERED", "1");
    qputenv("PYTHONIOENCODING", "utf-8");

    const int code = Session(inv, ytdlp).run();
    if (const int sig = DependentProcess::receivedSignal()) {
        // Die of the same signal, as the program's QProcess expects of a stopped tool.
        std::signal(sig, SIG_DFL);
        std::raise(sig);
    }
    return code;
}
