// The downloader adapter: its translation rules on their own, then every job of the
// program's argument lists run through the built `youtubedl` and the real yt-dlp against
// a local HTTP server, read back with the program's own parsing rules.

#include "adaptercore.h"
#include "testlib/localhttpserver.h"
#include "testlib/standin.h"
#include "testlib/testenv.h"

#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QProcess>
#include <QRandomGenerator>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>

namespace
{

const QString NoWarnings = QStringLiteral("--no-warnings");

struct RunResult {
    int exitCode = -1;
    QProcess::ExitStatus exitStatus = QProcess::CrashExit;
    bool timedOut = false;
    QByteArray out;
    QByteArray err;
    QList<QPair<qint64, QByteArray>> stampedLines; // standard output lines with their arrival in ms
    QList<QByteArray> errLines() const
    {
        QList<QByteArray> lines = err.split('\n');
        lines.removeAll(QByteArray());
        return lines;
    }
};

// A progress segment read the way the program reads it: split at "[download]", at single blanks.
struct ProgressSegment {
    double percent = 0;
    QString speed;     // as the program takes it: only a text that starts with a digit
    QString speedWord; // the text in the speed's place, whatever it is
    QString time;
};

QList<ProgressSegment> programProgress(const QByteArray &text)
{
    QList<ProgressSegment> segments;
    const QStringList pieces = QString::fromUtf8(text).trimmed().split(QStringLiteral("[download]"));
    for (QString piece : pieces) {
        piece = piece.trimmed();
        if (!piece.contains(QLatin1String("of")))
            continue;
        piece.replace(QLatin1String("  "), QLatin1String(" "));
        const QStringList parts = piece.split(QLatin1Char(' '));
        if (parts.size() < 3 || parts.at(1).trimmed().toLower() != QLatin1String("of"))
            continue;
        if (parts.at(0).indexOf(QLatin1Char('%')) < 1)
            continue;
        bool ok = false;
        ProgressSegment s;
        s.percent = QString(parts.at(0)).remove(QLatin1Char('%')).trimmed().toDouble(&ok);
        if (!ok)
            continue;
        if (parts.size() >= 5) {
            s.speedWord = parts.at(4);
            const QString speed = QString(parts.at(4)).remove(QLatin1Char('i'));
            if (!speed.isEmpty() && speed.at(0).isDigit())
                s.speed = speed;
        }
        if (parts.size() >= 7)
            s.time = parts.at(6).trimmed();
        segments.append(s);
    }
    return segments;
}

// The subtitle listing read the way the program reads it.
struct SubtitleLanguages {
    QStringList subtitles;
    QStringList automatic;
};

SubtitleLanguages programSubtitles(const QByteArray &text)
{
    SubtitleLanguages langs;
    bool automatic = false;
    bool table = false;
    for (const QString &raw : QString::fromUtf8(text).split(QLatin1Char('\n'))) {
        const QString line = raw.trimmed();
        if (line.startsWith(QLatin1String("Available automatic captions for")))
            automatic = true;
        else if (line.startsWith(QLatin1String("Available subtitles for")))
            automatic = false;
        if (line.startsWith(QLatin1String("Language formats")))
            table = true;
        if (!table)
            continue;
        const QStringList parts = line.split(QLatin1Char(','));
        if (parts.size() < 2 || !parts.at(0).contains(QLatin1String("vtt")))
            continue;
        const QString code = parts.at(0).left(parts.at(0).indexOf(QLatin1String("vtt"))).trimmed();
        if (code.size() < 9)
            (automatic ? langs.automatic : langs.subtitles).append(code);
    }
    return langs;
}

QByteArray readAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

bool writeFile(const QString &path, const QByteArray &data)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(data) == data.size();
}

QByteArray randomBytes(int size, quint32 seed)
{
    QRandomGenerator gen(seed);
    QByteArray data(size, Qt::Uninitialized);
    for (int i = 0; i < size; ++i)
        data[i] = char(gen.bounded(256));
    return data;
}

QStringList filesIn(const QString &folder)
{
    return QDir(folder).entryList(QDir::Files | QDir::Hidden, QDir::Name);
}

QJsonObject jsonObject(const QByteArray &json)
{
    return QJsonDocument::fromJson(json).object();
}

// JSON written with single quotes, which read better inside C++ strings.
QByteArray js(const char *text)
{
    return QByteArray(text).replace('\'', '"');
}

} // namespace

class TestAdapter : public QObject
{
    Q_OBJECT

    QTemporaryDir m_root;
    LocalHttpServer m_server;
    QString m_fixtures;
    QString m_toolFolder;
    QString m_adapter;
    QString m_ffmpeg;
    int m_folderCount = 0;
    QByteArray m_clip, m_silent, m_audio, m_posterJpeg, m_dashVideo;
    QByteArray m_blob;
    QHash<QString, QJsonObject> m_infos; // info JSON per page, for format ids

    QString newFolder(const QString &name)
    {
        const QString path = m_root.path() + QStringLiteral("/%1 %2").arg(++m_folderCount).arg(name);
        QDir().mkpath(path);
        return path;
    }

    QString url(const QString &path) const
    {
        return m_server.url(path).toString();
    }

    bool ffmpeg(const QStringList &args)
    {
        QProcess p;
        p.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        p.start(m_ffmpeg, QStringList{QStringLiteral("-nostdin"), QStringLiteral("-hide_banner"),
                                      QStringLiteral("-loglevel"), QStringLiteral("error"), QStringLiteral("-y")}
                              + args);
        return p.waitForFinished(60000) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
    }

    QStringList streamTypes(const QString &path)
    {
        QProcess p;
        p.start(QStandardPaths::findExecutable(QStringLiteral("ffprobe")),
                {QStringLiteral("-v"), QStringLiteral("error"), QStringLiteral("-show_entries"),
                 QStringLiteral("stream=codec_type"), QStringLiteral("-of"), QStringLiteral("csv=p=0"), path});
        p.waitForFinished(30000);
        return QString::fromUtf8(p.readAllStandardOutput()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    }

    static QProcessEnvironment adapterEnvironment()
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.remove(QStringLiteral("CLIPWRIGHT_YTDLP"));
        return env;
    }

    RunResult run(const QStringList &args, const QProcessEnvironment &env = adapterEnvironment(),
                  const QString &program = QString(), int timeoutMs = 90000)
    {
        RunResult r;
        QProcess p;
        p.setProcessEnvironment(env);
        p.start(program.isEmpty() ? m_adapter : program, args);
        if (!p.waitForStarted(10000))
            return r;
        QElapsedTimer clock;
        clock.start();
        QByteArray pending;
        for (;;) {
            const bool more = p.waitForReadyRead(100);
            const QByteArray chunk = p.readAllStandardOutput();
            r.out += chunk;
            pending += chunk;
            for (int nl = pending.indexOf('\n'); nl >= 0; nl = pending.indexOf('\n')) {
                r.stampedLines.append({clock.elapsed(), pending.left(nl)});
                pending.remove(0, nl + 1);
            }
            r.err += p.readAllStandardError();
            if (!more && p.state() == QProcess::NotRunning)
                break;
            if (clock.elapsed() > timeoutMs) {
                p.kill();
                p.waitForFinished(5000);
                r.timedOut = true;
                break;
            }
        }
        r.out += p.readAllStandardOutput();
        r.err += p.readAllStandardError();
        r.exitCode = p.exitCode();
        r.exitStatus = p.exitStatus();
        return r;
    }

    // The format id the info job reports for the first format matching the kind.
    QString formatIdOf(const QString &pageUrl, const QString &kind)
    {
        // Each page is asked once per run.
        if (!m_infos.contains(pageUrl)) {
            const QString work = newFolder(QStringLiteral("format lookup"));
            run({NoWarnings, QStringLiteral("--ignore-errors"), QStringLiteral("--skip-download"),
                 QStringLiteral("--write-info-json"), QStringLiteral("-o"), work + QStringLiteral("/%(id)s"), pageUrl});
            const QStringList json = QDir(work).entryList({QStringLiteral("*.json")}, QDir::Files);
            if (json.isEmpty())
                return QString();
            m_infos.insert(pageUrl, jsonObject(readAll(work + QLatin1Char('/') + json.first())));
        }
        const QJsonObject info = m_infos.value(pageUrl);
        // "combined" is the info's own choice, which may join a video and an audio format.
        if (kind == QLatin1String("combined"))
            return info.value(QStringLiteral("format_id")).toString();
        const QJsonArray formats = info.value(QStringLiteral("formats")).toArray();
        for (const QJsonValue &v : formats) {
            const QJsonObject f = v.toObject();
            const QString vcodec = f.value(QStringLiteral("vcodec")).toString();
            const QString acodec = f.value(QStringLiteral("acodec")).toString();
            const bool matches = kind == QLatin1String("any")
                                 || (kind == QLatin1String("video-only") && acodec == QLatin1String("none"))
                                 || (kind == QLatin1String("audio-only") && vcodec == QLatin1String("none"));
            if (matches)
                return f.value(QStringLiteral("format_id")).toString();
        }
        return QString();
    }

    void addPage(const QString &path, const QString &title, const QString &body)
    {
        m_server.addData(
            path,
            QStringLiteral("<!DOCTYPE html><html><head><title>%1</title></head><body>\n%2\n</body></html>\n")
                .arg(title, body)
                .toUtf8(),
            "text/html; charset=utf-8");
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_root.isValid());
        const QString ytdlp = QStandardPaths::findExecutable(QStringLiteral("yt-dlp"));
        m_ffmpeg = QStandardPaths::findExecutable(QStringLiteral("ffmpeg"));
        QVERIFY2(!ytdlp.isEmpty(), "yt-dlp is not installed: run scripts/setup");
        QVERIFY2(!m_ffmpeg.isEmpty(), "ffmpeg is not installed: run scripts/setup");
        const QString built = TestEnv::binDir() + QStringLiteral("/youtubedl");
        QVERIFY2(QFileInfo(built).isExecutable(), qPrintable(built));

        // The program runs a copy in a tool folder with ffmpeg and ffprobe copied beside it.
        m_toolFolder = newFolder(QStringLiteral("tools"));
        m_adapter = m_toolFolder + QStringLiteral("/youtubedl");
        QVERIFY(QFile::copy(built, m_adapter));
        for (const char *tool : {"ffmpeg", "ffprobe"}) {
            const QString path = QStandardPaths::findExecutable(QLatin1String(tool));
            QVERIFY(!path.isEmpty());
            QVERIFY(QFile::copy(path, m_toolFolder + QLatin1Char('/') + QLatin1String(tool)));
        }

        m_fixtures = newFolder(QStringLiteral("fixtures"));
        const QString f = m_fixtures + QLatin1Char('/');
        const QStringList video{QStringLiteral("-f"), QStringLiteral("lavfi"), QStringLiteral("-i"),
                                QStringLiteral("testsrc=size=160x120:rate=15")};
        const QStringList tone{QStringLiteral("-f"), QStringLiteral("lavfi"), QStringLiteral("-i"),
                               QStringLiteral("sine=frequency=440:sample_rate=22050")};
        const QStringList h264{QStringLiteral("-c:v"),      QStringLiteral("libx264"),  QStringLiteral("-preset"),
                               QStringLiteral("ultrafast"), QStringLiteral("-pix_fmt"), QStringLiteral("yuv420p")};
        const QStringList aac{QStringLiteral("-c:a"), QStringLiteral("aac"), QStringLiteral("-b:a"),
                              QStringLiteral("32k")};
        const QStringList twoSeconds{QStringLiteral("-t"), QStringLiteral("2")};
        QVERIFY(ffmpeg(video + tone + twoSeconds + h264 + aac + QStringList{f + QStringLiteral("clip.mp4")}));
        QVERIFY(ffmpeg(video + twoSeconds + h264 + QStringList{f + QStringLiteral("silent.mp4")}));
        QVERIFY(ffmpeg(tone + twoSeconds + aac + QStringList{f + QStringLiteral("audio.m4a")}));
        QVERIFY(ffmpeg(
            video + QStringList{QStringLiteral("-frames:v"), QStringLiteral("1"), f + QStringLiteral("poster.png")}));
        QVERIFY(ffmpeg(
            video + QStringList{QStringLiteral("-frames:v"), QStringLiteral("1"), f + QStringLiteral("poster.jpg")}));
        QDir().mkpath(f + QStringLiteral("dash"));
        QVERIFY(
            ffmpeg(video + tone
                   + QStringList{QStringLiteral("-t"), QStringLiteral("3"), QStringLiteral("-map"),
                                 QStringLiteral("0:v"), QStringLiteral("-map"), QStringLiteral("1:a")}
                   + h264 + aac
                   + QStringList{QStringLiteral("-g"), QStringLiteral("15"), QStringLiteral("-f"),
                                 QStringLiteral("dash"), QStringLiteral("-seg_duration"), QStringLiteral("1"),
                                 QStringLiteral("-use_template"), QStringLiteral("1"), QStringLiteral("-use_timeline"),
                                 QStringLiteral("0"), f + QStringLiteral("dash/manifest.mpd")}));
        m_clip = readAll(f + QStringLiteral("clip.mp4"));
        m_silent = readAll(f + QStringLiteral("silent.mp4"));
        m_audio = readAll(f + QStringLiteral("audio.m4a"));
        m_posterJpeg = readAll(f + QStringLiteral("poster.jpg"));
        QVERIFY(!m_clip.isEmpty() && !m_silent.isEmpty() && !m_audio.isEmpty() && !m_posterJpeg.isEmpty());
        m_blob = randomBytes(240 * 1024, 7);

        QVERIFY(m_server.start());
        m_server.addData(QStringLiteral("/media/clip.mp4"), m_clip, "video/mp4");
        m_server.addData(QStringLiteral("/media/silent.mp4"), m_silent, "video/mp4");
        m_server.addData(QStringLiteral("/media/audio.m4a"), m_audio, "audio/mp4");
        m_server.addData(QStringLiteral("/media/blob.mp4"), m_blob, "video/mp4");
        m_server.addFile(QStringLiteral("/img/poster.png"), f + QStringLiteral("poster.png"));
        m_server.addFile(QStringLiteral("/img/poster.jpg"), f + QStringLiteral("poster.jpg"));
        // A PNG behind a name that promises a JPEG.
        m_server.addFile(QStringLiteral("/img/mislabelled.jpg"), f + QStringLiteral("poster.png"), "image/jpeg");
        m_server.addData(QStringLiteral("/subs/en.vtt"),
                         "WEBVTT\n\n00:00:00.000 --> 00:00:01.000\nHello\n\n00:00:01.000 --> 00:00:02.000\nWorld\n",
                         "text/vtt");
        m_server.addData(QStringLiteral("/subs/fr.srt"), "1\n00:00:00,000 --> 00:00:01,500\nBonjour\n\n",
                         "application/x-subrip");
        const QStringList dash = QDir(f + QStringLiteral("dash")).entryList(QDir::Files, QDir::Name);
        for (const QString &name : dash)
            m_server.addFile(QStringLiteral("/dash/") + name, f + QStringLiteral("dash/") + name);
        // The same stream with one video segment gone for good.
        for (const QString &name : dash)
            if (name != QLatin1String("chunk-stream0-00002.m4s"))
                m_server.addFile(QStringLiteral("/dash-hole/") + name, f + QStringLiteral("dash/") + name);
        // A fragmented transfer is the initialisation segment followed by the media segments in order.
        m_dashVideo = readAll(f + QStringLiteral("dash/init-stream0.m4s"));
        for (const QString &name : dash) {
            if (name.startsWith(QLatin1String("chunk-stream0-")))
                m_dashVideo += readAll(f + QStringLiteral("dash/") + name);
        }

        addPage(QStringLiteral("/page.html"), QStringLiteral("Test clip page"),
                QStringLiteral("<video controls poster=\"/img/poster.png\"><source src=\"/media/clip.mp4\" "
                               "type=\"video/mp4\"><track kind=\"subtitles\" srclang=\"en\" src=\"/subs/en.vtt\">"
                               "</video>"));
        addPage(QStringLiteral("/page-two-languages.html"), QStringLiteral("Two languages"),
                QStringLiteral("<video controls poster=\"/img/poster.png\"><source src=\"/media/clip.mp4\" "
                               "type=\"video/mp4\"><track kind=\"subtitles\" srclang=\"en\" src=\"/subs/en.vtt\">"
                               "<track kind=\"captions\" srclang=\"fr\" src=\"/subs/fr.srt\"></video>"));
        addPage(QStringLiteral("/page-silent.html"), QStringLiteral("Silent clip"),
                QStringLiteral("<video controls poster=\"/img/mislabelled.jpg\"><source src=\"/media/silent.mp4\" "
                               "type=\"video/mp4\"></video>"));
        addPage(QStringLiteral("/page-broken-subtitle.html"), QStringLiteral("Broken subtitle"),
                QStringLiteral("<video controls><source src=\"/media/clip.mp4\" type=\"video/mp4\">"
                               "<track kind=\"subtitles\" srclang=\"en\" src=\"/subs/gone.vtt\"></video>"));
        addPage(QStringLiteral("/page-jpeg.html"), QStringLiteral("JPEG poster"),
                QStringLiteral("<video controls poster=\"/img/poster.jpg\"><source src=\"/media/clip.mp4\" "
                               "type=\"video/mp4\"></video>"));
        addPage(QStringLiteral("/page-gone.html"), QStringLiteral("Gone"),
                QStringLiteral("<video controls><source src=\"/media/gone.mp4\" type=\"video/mp4\"></video>"));
        addPage(QStringLiteral("/two-clips.html"), QStringLiteral("Two clips"),
                QStringLiteral("<video controls><source src=\"/media/clip.mp4\" type=\"video/mp4\"></video>\n"
                               "<video controls><source src=\"/media/silent.mp4\" type=\"video/mp4\"></video>"));
        addPage(QStringLiteral("/embeds.html"), QStringLiteral("Embedded list"),
                QStringLiteral("<iframe width=\"560\" height=\"315\" src=\"https://www.youtube.com/embed/"
                               "dQw4w9WgXcQ\"></iframe>\n<iframe width=\"560\" height=\"315\" "
                               "src=\"https://www.youtube.com/embed/9bZkp7q19f0\"></iframe>"));
    }

    void cleanupTestCase()
    {
        m_server.stop();
    }

    // ---- the test server, as other tests' clients see it ----

    void serverAnswersQtNetworkClients_data()
    {
        QTest::addColumn<QByteArray>("method");
        QTest::addColumn<QString>("path");
        QTest::addColumn<QByteArray>("range");
        QTest::addColumn<int>("status");
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<QByteArray>("contentRange");
        QTest::newRow("a whole resource")
            << QByteArray("GET") << QStringLiteral("/subs/fr.srt") << QByteArray() << 200
            << QByteArray("1\n00:00:00,000 --> 00:00:01,500\nBonjour\n\n") << QByteArray();
        QTest::newRow("a byte range") << QByteArray("GET") << QStringLiteral("/subs/fr.srt") << QByteArray("bytes=2-13")
                                      << 206 << QByteArray("00:00:00,000") << QByteArray("bytes 2-13/41");
        QTest::newRow("the last bytes") << QByteArray("GET") << QStringLiteral("/subs/fr.srt") << QByteArray("bytes=-9")
                                        << 206 << QByteArray("Bonjour\n\n") << QByteArray("bytes 32-40/41");
        QTest::newRow("a range past the end")
            << QByteArray("GET") << QStringLiteral("/subs/fr.srt") << QByteArray("bytes=41-") << 416 << QByteArray()
            << QByteArray("bytes */41");
        QTest::newRow("an unknown path") << QByteArray("GET") << QStringLiteral("/nothing/here") << QByteArray() << 404
                                         << QByteArray("Not Found\n") << QByteArray();
        QTest::newRow("a HEAD request has headers only") << QByteArray("HEAD") << QStringLiteral("/subs/fr.srt")
                                                         << QByteArray() << 200 << QByteArray() << QByteArray();
    }
    void serverAnswersQtNetworkClients()
    {
        QFETCH(QByteArray, method);
        QFETCH(QString, path);
        QFETCH(QByteArray, range);
        QFETCH(int, status);
        QFETCH(QByteArray, body);
        QFETCH(QByteArray, contentRange);
        QNetworkAccessManager manager;
        QNetworkRequest request(m_server.url(path));
        if (!range.isEmpty())
            request.setRawHeader("Range", range);
        m_server.clearRequests();
        QNetworkReply *reply = manager.sendCustomRequest(request, method);
        QSignalSpy done(reply, &QNetworkReply::finished);
        QVERIFY(done.wait(10000));
        QCOMPARE(reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt(), status);
        QCOMPARE(reply->readAll(), body);
        QCOMPARE(reply->rawHeader("Content-Range"), contentRange);
        if (status == 200 && method == "HEAD")
            QCOMPARE(reply->header(QNetworkRequest::ContentLengthHeader).toLongLong(), 41);
        delete reply;
        const QList<LocalHttpServer::Request> log = m_server.requests(path);
        QCOMPARE(log.size(), 1);
        QCOMPARE(log.first().method, method);
        QCOMPARE(log.first().header("Range"), range);
    }

    // ---- translation rules, no process involved ----

    void argumentsNameTheirJob_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("job");
        const QString u = QStringLiteral("https://example.org/watch?v=1");
        const QStringList proxy{QStringLiteral("--proxy"), QStringLiteral("socks5://127.0.0.1:1080"), NoWarnings};
        const QStringList skip{QStringLiteral("--ignore-errors"), QStringLiteral("--skip-download")};
        QTest::newRow("the info job writes the info JSON") << QStringList(
            proxy + skip
            + QStringList{QStringLiteral("--write-info-json"), QStringLiteral("-o"), QStringLiteral("/w/%(id)s"), u})
                                                           << int(Adapter::Job::Info);
        QTest::newRow("the thumbnail job writes the thumbnail") << QStringList(
            QStringList{NoWarnings} + skip
            + QStringList{QStringLiteral("--write-thumbnail"), QStringLiteral("-o"), QStringLiteral("/w/thumb.jpg"), u})
                                                                << int(Adapter::Job::Thumbnail);
        QTest::newRow("the subtitle list job lists subtitles")
            << QStringList(QStringList{NoWarnings} + skip + QStringList{QStringLiteral("--list-subs"), u})
            << int(Adapter::Job::SubtitleList);
        QTest::newRow("a video job with subtitles, a rate and a format downloads")
            << QStringList{NoWarnings,
                           QStringLiteral("--no-part"),
                           QStringLiteral("--write-auto-sub"),
                           QStringLiteral("--sub-lang"),
                           QStringLiteral("zh-TW"),
                           QStringLiteral("--limit-rate"),
                           QStringLiteral("1M"),
                           QStringLiteral("-f"),
                           QStringLiteral("137"),
                           QStringLiteral("-o"),
                           QStringLiteral("/c/x.mp4"),
                           u}
            << int(Adapter::Job::Download);
        QTest::newRow("an audio job downloads") << QStringList{NoWarnings,
                                                               QStringLiteral("--no-part"),
                                                               QStringLiteral("-f"),
                                                               QStringLiteral("140"),
                                                               QStringLiteral("-o"),
                                                               QStringLiteral("/c/a.m4a"),
                                                               u}
                                                << int(Adapter::Job::Download);
        QTest::newRow("skipping the download with subtitle options fetches subtitles only")
            << QStringList(
                   QStringList{NoWarnings} + skip
                   + QStringList{QStringLiteral("--all-subs"), QStringLiteral("-o"), QStringLiteral("/c/x.mp4"), u})
            << int(Adapter::Job::SubtitlesOnly);
        QTest::newRow("the channel job lists entries")
            << QStringList(proxy + skip + QStringList{QStringLiteral("--flat-playlist"), QStringLiteral("-J"), u})
            << int(Adapter::Job::Listing);
        QTest::newRow("a bare version request is passed on")
            << QStringList{QStringLiteral("--version")} << int(Adapter::Job::Other);
    }
    void argumentsNameTheirJob()
    {
        QFETCH(QStringList, args);
        QFETCH(int, job);
        Adapter::ArgList bytes;
        for (const QString &a : args)
            bytes.append(a.toUtf8());
        const Adapter::Invocation inv = Adapter::parseInvocation(bytes);
        QCOMPARE(int(inv.job), job);
        if (!args.last().startsWith(QLatin1Char('-'))) {
            QCOMPARE(inv.url, args.last().toUtf8());
            // The URL reaches yt-dlp last, behind an end of options.
            const Adapter::ArgList built = Adapter::ytdlpArguments(inv, Adapter::RunContext());
            QCOMPARE(built.last(), args.last().toUtf8());
            QCOMPARE(built.at(built.size() - 2), QByteArray("--"));
        }
    }

    void argumentsYtdlpGets_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QStringList>("wanted"); // one run of arguments, in this order
        QTest::addColumn<QStringList>("unwanted");
        const QString u = QStringLiteral("https://example.org/v");
        const QStringList skip{NoWarnings, QStringLiteral("--ignore-errors"), QStringLiteral("--skip-download")};
        QTest::newRow("short subtitle options reach yt-dlp by their full names")
            << QStringList{NoWarnings, "--no-part", "--write-auto-sub", "--sub-lang", "zh-TW", "-o", "/c/x.mp4", u}
            << QStringList{"--write-auto-subs", "--sub-langs", "zh-TW"}
            << QStringList{"--write-auto-sub", "--sub-lang"};
        QTest::newRow("every language is asked for by name")
            << skip + QStringList{"--all-subs", "-o", "/c/x.mp4", u}
            << QStringList{"--write-subs", "--sub-langs", "all"} << QStringList{"--all-subs"};
        QTest::newRow("a transfer ends at a fragment it cannot get instead of leaving a hole")
            << QStringList{NoWarnings, "--no-part", "-o", "/c/x.mp4", u}
            << QStringList{"--abort-on-unavailable-fragments"} << QStringList();
        QTest::newRow("the info job takes the one video of a link that names a list")
            << skip + QStringList{"--write-info-json", "-o", "/w/%(id)s", u + "?list=PL1"}
            << QStringList{"--no-playlist"} << QStringList();
        QTest::newRow("a channel by handle is listed by its videos")
            << skip + QStringList{"--flat-playlist", "-J", "https://www.youtube.com/@someone"}
            << QStringList{"--", "https://www.youtube.com/@someone/videos"} << QStringList();
        QTest::newRow("a channel's tab stays the tab asked for")
            << skip + QStringList{"--flat-playlist", "-J", "https://www.youtube.com/@someone/shorts"}
            << QStringList{"--", "https://www.youtube.com/@someone/shorts"} << QStringList();
    }
    void argumentsYtdlpGets()
    {
        QFETCH(QStringList, args);
        QFETCH(QStringList, wanted);
        QFETCH(QStringList, unwanted);
        Adapter::ArgList bytes;
        for (const QString &a : args)
            bytes.append(a.toUtf8());
        QStringList built;
        for (const QByteArray &a : Adapter::ytdlpArguments(Adapter::parseInvocation(bytes), Adapter::RunContext()))
            built << QString::fromUtf8(a);
        const auto contains = [&built](const QStringList &run) {
            for (int i = 0; i + run.size() <= built.size(); ++i)
                if (built.mid(i, run.size()) == run)
                    return true;
            return false;
        };
        QVERIFY2(contains(wanted), qPrintable(built.join(QLatin1Char(' '))));
        // yt-dlp prints in the encoding the program reads, whatever the locale.
        QVERIFY(contains({QStringLiteral("--encoding"), QStringLiteral("utf-8")}));
        for (const QString &option : unwanted)
            QVERIFY2(!built.contains(option), qPrintable(option));
    }

    void progressLines_data()
    {
        QTest::addColumn<QByteArray>("record");
        QTest::addColumn<QByteArray>("line");
        const QByteArray tag = QByteArray(Adapter::ProgressTag) + ' ';
        QTest::newRow("a known total gives percentage, size, speed and time")
            << tag + "downloading 1024 2048 NA 512.5 2 0.5 NA NA /c/a b.mp4"
            << QByteArray("[download] 50.0% of 2.00KiB at 512.50B/s ETA 00:02");
        QTest::newRow("an estimated total is marked with a tilde")
            << tag + "downloading 5242880 NA 10485760 1048576 5 5 4 8 /c/x.mp4"
            << QByteArray("[download] 50.0% of ~10.00MiB at 1.00MiB/s ETA 00:05");
        QTest::newRow("fragments alone still give a percentage")
            << tag + "downloading 3000 NA NA NA NA NA 3 12 /c/x.mp4"
            << QByteArray("[download] 25.0% of ~11.72KiB at Unknown ETA --:--");
        QTest::newRow("an unknown speed is a word the program passes over, not a speed of zero")
            << tag + "downloading 100 1000 NA NA NA NA NA NA /c/x.mp4"
            << QByteArray("[download] 10.0% of 1000.00B at Unknown ETA --:--");
        QTest::newRow("a transfer without any total prints nothing")
            << tag + "downloading 100 NA NA 20.5 NA 1 NA NA /c/x.mp4" << QByteArray();
        QTest::newRow("a running transfer never claims 100%")
            << tag + "downloading 2048 2048 NA 100 0 1 NA NA /c/x.mp4"
            << QByteArray("[download] 99.9% of 2.00KiB at 100.00B/s ETA 00:00");
        QTest::newRow("a finished transfer without speed reaches 100%")
            << tag + "finished NA 2048 NA NA NA NA NA NA /c/x.mp4"
            << QByteArray("[download] 100% of 2.00KiB at Unknown ETA 00:00");
        QTest::newRow("a finished transfer takes its speed from the elapsed time")
            << tag + "finished 4096 4096 NA NA NA 2.0 NA NA /c/x.mp4"
            << QByteArray("[download] 100% of 4.00KiB at 2.00KiB/s ETA 00:00");
        QTest::newRow("a wait of over an hour shows hours")
            << tag + "downloading 1 3000 NA 1 3725 1 NA NA /c/x.mp4"
            << QByteArray("[download] 0.0% of 2.93KiB at 1.00B/s ETA 1:02:05");
        QTest::newRow("a size guessed past the largest number is an unknown size")
            << tag + "downloading 1e308 NA NA NA NA NA 1 10 /c/x.mp4"
            << QByteArray("[download] 10.0% of ~0.00B at Unknown ETA --:--");
        QTest::newRow("an error report prints nothing") << tag + "error 1 2 NA NA NA NA NA NA /c/x.mp4" << QByteArray();
    }
    void progressLines()
    {
        QFETCH(QByteArray, record);
        QFETCH(QByteArray, line);
        Adapter::ProgressRecord r;
        QVERIFY(Adapter::parseProgressRecord(record, &r));
        QCOMPARE(Adapter::formatProgressLine(r), line);
        if (line.isEmpty())
            return;
        const QList<ProgressSegment> seen = programProgress(line);
        QCOMPARE(seen.size(), 1);
        QVERIFY2(!seen.first().speed.isEmpty() || seen.first().speedWord == QLatin1String("Unknown"),
                 "the program reads no speed");
        QVERIFY2(!seen.first().time.isEmpty(), "the program reads no time");
    }

    void progressRecordKeepsFileNamesWithBlanks()
    {
        Adapter::ProgressRecord r;
        QVERIFY(Adapter::parseProgressRecord(
            QByteArray(Adapter::ProgressTag) + " downloading 1 2 NA NA NA NA NA NA /c/my clip (1) 50%.mp4", &r));
        QCOMPARE(r.filename, QByteArray("/c/my clip (1) 50%.mp4"));
        QCOMPARE(r.total, 2.0);
        QCOMPARE(r.speed, -1.0);
        QVERIFY(!Adapter::parseProgressRecord("[download] 50.0% of 2.00KiB at 1.00B/s ETA 00:01", &r));
    }

    void errorLines_data()
    {
        QTest::addColumn<int>("job");
        QTest::addColumn<QByteArray>("input");
        QTest::addColumn<QByteArray>("output");
        const int download = int(Adapter::Job::Download);
        const int info = int(Adapter::Job::Info);
        const QByteArray notAvailable = "ERROR: requested format not available";
        const QByteArray http404 = "ERROR: unable to download video data: HTTP Error 404: Not Found";
        const QByteArray advice = "; please report this issue on  https://github.com/yt-dlp/yt-dlp/issues?q= , "
                                  "filling out the appropriate issue template. Confirm you are on the latest "
                                  "version using  yt-dlp -U";
        QTest::newRow("yt-dlp's unavailable format becomes the program's wording")
            << download
            << QByteArray("ERROR: [youtube] abc: Requested format is not available. Use --list-formats for a list "
                          "of available formats")
            << notAvailable;
        QTest::newRow("a 404 on the media data keeps the standard text with the standard reason")
            << download << QByteArray("ERROR: unable to download video data: HTTP Error 404: File not found")
            << http404;
        QTest::newRow("a 404 on a direct media address during a download is a media 404")
            << download
            << "ERROR: [generic] None: Unable to download webpage: HTTP Error 404: Not Found (caused by "
               "<HTTPError 404: 'Not Found'>)"
                   + advice
            << http404;
        QTest::newRow("a 404 while reading information keeps its text but loses the bug-report advice")
            << info
            << "ERROR: [generic] None: Unable to download webpage: HTTP Error 404: Not Found (caused by "
               "<HTTPError 404: 'Not Found'>)"
                   + advice
            << QByteArray("ERROR: [generic] None: Unable to download webpage: HTTP Error 404: Not Found (caused "
                          "by <HTTPError 404: 'Not Found'>)");
        QTest::newRow("a subtitle that is gone is no media 404")
            << download << QByteArray("ERROR: Unable to download video subtitles for 'en': HTTP Error 404: Not Found")
            << QByteArray("ERROR: Unable to download video subtitles for 'en': HTTP Error 404: Not Found");
        QTest::newRow("a missing playlist gets the program's sentence")
            << info << QByteArray("ERROR: [youtube:tab] PLxyz: YouTube said: The playlist does not exist.")
            << QByteArray("ERROR: This playlist does not exist.");
        QTest::newRow("a failed metadata write gets the program's sentence")
            << info << QByteArray("ERROR: Cannot write video metadata to JSON file /w/x.info.json")
            << QByteArray("ERROR: Cannot write metadata to JSON file");
        QTest::newRow("other errors keep their prefix and text")
            << download << QByteArray("ERROR: [youtube] abc: Video unavailable")
            << QByteArray("ERROR: [youtube] abc: Video unavailable");
        QTest::newRow("a carriage return inside an error is dropped")
            << download << QByteArray("ERROR: \r[download] Got error: timed out. Giving up after 10 retries")
            << QByteArray("ERROR: [download] Got error: timed out. Giving up after 10 retries");
        QTest::newRow("an HTTP retry notice takes the server-error wording")
            << download << QByteArray("[download] Got error: HTTP Error 503: Service Unavailable. Retrying (1/10)...")
            << QByteArray("[download] Got server HTTP error: HTTP Error 503: Service Unavailable. Retrying (1/10)...");
        QTest::newRow("ordinary lines pass unchanged")
            << download << QByteArray("[info] Writing video subtitles to: /c/x.en.vtt")
            << QByteArray("[info] Writing video subtitles to: /c/x.en.vtt");
    }
    void errorLines()
    {
        QFETCH(int, job);
        QFETCH(QByteArray, input);
        QFETCH(QByteArray, output);
        QCOMPARE(Adapter::translateLine(input, Adapter::Job(job)), output);
    }

    void subtitleTable_data()
    {
        QTest::addColumn<QByteArray>("json");
        QTest::addColumn<QStringList>("subtitles");
        QTest::addColumn<QStringList>("automatic");
        QTest::addColumn<QByteArray>("text");
        QTest::newRow("captions come first and every row leads with vtt")
            << QByteArray(js("{'id':'abc','automatic_captions':{'en':[{'ext':'json3'},{'ext':'vtt'},{'ext':'ttml'}],"
                             "'de':[{'ext':'srv3'},{'ext':'vtt'}]},"
                             "'subtitles':{'fr':[{'ext':'ttml'}],'pt-BR':[{'ext':'vtt'}]}}"))
            << QStringList{QStringLiteral("fr"), QStringLiteral("pt-BR")}
            << QStringList{QStringLiteral("en"), QStringLiteral("de")}
            << QByteArray("Available automatic captions for abc:\nLanguage formats\nen       vtt, ttml, srt\n"
                          "de       vtt, srt\nAvailable subtitles for abc:\nLanguage formats\n"
                          "fr       vtt, ttml, srt\npt-BR    vtt, srt\n");
        QTest::newRow("a live chat replay is no language")
            << QByteArray(js("{'id':'abc','subtitles':{'live_chat':[{'ext':'json'}]}}")) << QStringList()
            << QStringList() << QByteArray("abc has no automatic captions\nabc has no subtitles\n");
        QTest::newRow("a playlist lists every video")
            << QByteArray(js("{'_type':'playlist','id':'p','entries':[{'id':'a','subtitles':{'en':[{'ext':'srt'}]}},"
                             "{'id':'b','automatic_captions':{'es':[{'ext':'vtt'}]}}]}"))
            << QStringList{QStringLiteral("en")} << QStringList{QStringLiteral("es")} << QByteArray();
        QTest::newRow("an extraction that failed lists nothing")
            << QByteArray("null") << QStringList() << QStringList() << QByteArray("");
    }
    void subtitleTable()
    {
        QFETCH(QByteArray, json);
        QFETCH(QStringList, subtitles);
        QFETCH(QStringList, automatic);
        QFETCH(QByteArray, text);
        const QByteArray listing = Adapter::subtitleListing(json);
        if (!text.isNull())
            QCOMPARE(listing, text);
        const SubtitleLanguages langs = programSubtitles(listing);
        QCOMPARE(langs.subtitles, subtitles);
        QCOMPARE(langs.automatic, automatic);
    }

    void listingEntries_data()
    {
        QTest::addColumn<QByteArray>("entry");
        QTest::addColumn<QString>("url");
        QTest::newRow("a site entry with its own id is listed by that id") << QByteArray(
            js("{'ie_key':'Youtube','id':'dQw4w9WgXcQ','url':'https://www.youtube.com/watch?v=dQw4w9WgXcQ'}"))
                                                                           << QStringLiteral("dQw4w9WgXcQ");
        QTest::newRow("a short link is reduced to its id")
            << QByteArray(js("{'_type':'url','url':'https://youtu.be/9bZkp7q19f0'}")) << QStringLiteral("9bZkp7q19f0");
        QTest::newRow("an embed address without an id field is reduced to its id")
            << QByteArray(js("{'ie_key':'Youtube','url':'https://www.youtube.com/embed/9bZkp7q19f0'}"))
            << QStringLiteral("9bZkp7q19f0");
        QTest::newRow("a shorts address is reduced to its id")
            << QByteArray(js("{'url':'https://m.youtube.com/shorts/abcdefghijk'}")) << QStringLiteral("abcdefghijk");
        QTest::newRow("a watch address inside a playlist keeps only the video")
            << QByteArray(js("{'url':'https://www.youtube.com/watch?v=dQw4w9WgXcQ&list=PL1&index=2'}"))
            << QStringLiteral("dQw4w9WgXcQ");
        QTest::newRow("a channel tab is no video and is left out")
            << QByteArray(js("{'ie_key':'YoutubeTab','url':'https://www.youtube.com/@someone/videos'}")) << QString();
        QTest::newRow("a playlist of the site is left out")
            << QByteArray(js("{'_type':'url','url':'https://www.youtube.com/playlist?list=PL1'}")) << QString();
        QTest::newRow("another site's entry is left alone")
            << QByteArray(js("{'ie_key':'Vimeo','id':'1','url':'https://vimeo.com/1'}"))
            << QStringLiteral("https://vimeo.com/1");
    }
    void listingEntries()
    {
        QFETCH(QByteArray, entry);
        QFETCH(QString, url);
        QByteArray withTitle = entry;
        withTitle.insert(1, js("'title':'Clip ★','extra':[1,2,{'k':null}],"));
        const QByteArray out = Adapter::normalizeListing(js("{'title':'List','entries':[") + withTitle + "]}");
        const QJsonObject root = jsonObject(out);
        QCOMPARE(root.value(QStringLiteral("title")).toString(), QStringLiteral("List"));
        const QJsonArray entries = root.value(QStringLiteral("entries")).toArray();
        QCOMPARE(entries.size(), url.isEmpty() ? 0 : 1);
        if (url.isEmpty())
            return;
        const QJsonObject e = entries.at(0).toObject();
        QCOMPARE(e.value(QStringLiteral("url")).toString(), url);
        QCOMPARE(e.value(QStringLiteral("title")).toString(), QStringLiteral("Clip ★"));
        QCOMPARE(QJsonDocument(e.value(QStringLiteral("extra")).toArray()).toJson(QJsonDocument::Compact),
                 QByteArray(js("[1,2,{'k':null}]")));
    }

    void channelTabsAreListedAsOneList()
    {
        const QByteArray json = js(
            "{'title':'Someone','_type':'playlist','entries':["
            "{'_type':'playlist','title':'Someone - Videos','entries':["
            "{'ie_key':'Youtube','id':'aaaaaaaaaaa','url':'https://www.youtube.com/watch?v=aaaaaaaaaaa','title':'A'},"
            "{'ie_key':'Youtube','id':'bbbbbbbbbbb','url':'https://www.youtube.com/watch?v=bbbbbbbbbbb','title':'B'}]},"
            "{'_type':'playlist','title':'Someone - Shorts','entries':["
            "{'ie_key':'Youtube','id':'ccccccccccc','url':'https://www.youtube.com/shorts/"
            "ccccccccccc','title':'C'}]}]}");
        const QJsonObject root = jsonObject(Adapter::normalizeListing(json));
        QCOMPARE(root.value(QStringLiteral("title")).toString(), QStringLiteral("Someone"));
        QStringList urls;
        for (const QJsonValue &v : root.value(QStringLiteral("entries")).toArray())
            urls << v.toObject().value(QStringLiteral("url")).toString();
        QCOMPARE(urls, (QStringList{QStringLiteral("aaaaaaaaaaa"), QStringLiteral("bbbbbbbbbbb"),
                                    QStringLiteral("ccccccccccc")}));
        QCOMPARE(Adapter::normalizeListing("not json"), QByteArray("not json"));
    }

    void infoTidying_data()
    {
        QTest::addColumn<QByteArray>("format");
        QTest::addColumn<bool>("dropped");
        QTest::addColumn<QString>("note");
        QTest::addColumn<double>("filesize");
        QTest::newRow("a storyboard is dropped")
            << QByteArray(js("{'format_id':'sb0','format_note':'storyboard','ext':'mhtml','protocol':'mhtml',"
                             "'vcodec':'none','acodec':'none'}"))
            << true << QString() << 0.0;
        QTest::newRow("an image format without codecs is dropped")
            << QByteArray(js("{'format_id':'img','vcodec':'none','acodec':'none'}")) << true << QString() << 0.0;
        QTest::newRow("an mhtml format is dropped")
            << QByteArray(js("{'format_id':'mh','protocol':'mhtml','vcodec':'x'}")) << true << QString() << 0.0;
        QTest::newRow("video without audio becomes DASH video and takes the approximate size")
            << QByteArray(js("{'format_id':'137','vcodec':'avc1.640028','acodec':'none','format_note':'1080p',"
                             "'filesize':null,'filesize_approx':123456}"))
            << false << QStringLiteral("DASH video") << 123456.0;
        QTest::newRow("video with no audio codec named is DASH video too")
            << QByteArray(js("{'format_id':'v','vcodec':'vp9','format_note':'720p'}")) << false
            << QStringLiteral("DASH video") << 0.0;
        QTest::newRow("audio keeps its note and gets a whole approximate size")
            << QByteArray(js("{'format_id':'140','vcodec':'none','acodec':'mp4a.40.2','format_note':'medium',"
                             "'filesize_approx':999.6}"))
            << false << QStringLiteral("medium") << 1000.0;
        QTest::newRow("a known size is kept")
            << QByteArray(js("{'format_id':'22','vcodec':'avc1','acodec':'mp4a','format_note':'720p','filesize':5000,"
                             "'filesize_approx':7000}"))
            << false << QStringLiteral("720p") << 5000.0;
        QTest::newRow("a format without codec information is left alone")
            << QByteArray(js("{'format_id':'0','ext':'mp4','vcodec':null}")) << false << QString() << 0.0;
    }
    void infoTidying()
    {
        QFETCH(QByteArray, format);
        QFETCH(bool, dropped);
        QFETCH(QString, note);
        QFETCH(double, filesize);
        const QByteArray other = js("{'format_id':'keep','vcodec':'avc1','acodec':'mp4a','filesize':1}");
        QByteArray json = js("{'id':'x','title':'T','extra':{'a':[1,2]},'formats':[") + format + "," + other + "]}";
        Adapter::tidyInfoJson(&json);
        const QJsonObject root = jsonObject(json);
        QCOMPARE(root.value(QStringLiteral("title")).toString(), QStringLiteral("T"));
        QCOMPARE(root.value(QStringLiteral("extra")).toObject().value(QStringLiteral("a")).toArray().size(), 2);
        const QJsonArray formats = root.value(QStringLiteral("formats")).toArray();
        QCOMPARE(formats.size(), dropped ? 1 : 2);
        QCOMPARE(formats.last().toObject().value(QStringLiteral("format_id")).toString(), QStringLiteral("keep"));
        if (dropped)
            return;
        const QJsonObject f = formats.first().toObject();
        QCOMPARE(f.value(QStringLiteral("format_note")).toString(), note);
        QCOMPARE(f.value(QStringLiteral("filesize")).toDouble(), filesize);
        // Tidying is idempotent, so a second pass leaves the file alone.
        QVERIFY(!Adapter::tidyInfoJson(&json));
    }

    void infoWithoutFormatsTakesTheApproximateSize()
    {
        QByteArray json = js("{'id':'x','format_id':'hls-1','filesize_approx':2048.2}");
        QVERIFY(Adapter::tidyInfoJson(&json));
        QCOMPARE(jsonObject(json).value(QStringLiteral("filesize")).toDouble(), 2048.0);
        QByteArray broken = "{\"id\":";
        QVERIFY(!Adapter::tidyInfoJson(&broken));
        QCOMPARE(broken, QByteArray("{\"id\":"));
    }

    // ---- the built adapter and the real yt-dlp ----

    void unusableYtdlpGivesOneErrorLine_data()
    {
        QTest::addColumn<QString>("fromEnvironment");
        QTest::addColumn<QByteArray>("error");
        const QByteArray missing = "ERROR: yt-dlp was not found\n";
        QTest::newRow("nothing beside the adapter and nothing on the search path") << QString() << missing;
        QTest::newRow("a CLIPWRIGHT_YTDLP naming a missing file") << QStringLiteral("/nonexistent/yt-dlp") << missing;
        // As yt-dlp 2021.06 answers: it knows no progress template yet.
        QTest::newRow("a yt-dlp too old for an option names the version found and the one needed")
            << QStringLiteral("#!/bin/sh\n[ \"$1\" = --version ] && { echo 2021.06.01; exit 0; }\n"
                              "printf 'Usage: yt-dlp [OPTIONS] URL [URL...]\\n\\n' >&2\n"
                              "echo 'yt-dlp: error: no such option: --progress-template' >&2\nexit 2\n")
            << QByteArray(
                   "ERROR: yt-dlp 2021.06.01 is too old: --progress-template needs yt-dlp 2021.10.09 or newer\n");
    }
    void unusableYtdlpGivesOneErrorLine()
    {
        QFETCH(QString, fromEnvironment);
        QFETCH(QByteArray, error);
        const QString alone = newFolder(QStringLiteral("alone"));
        const QString empty = newFolder(QStringLiteral("empty path"));
        QVERIFY(QFile::copy(m_adapter, alone + QStringLiteral("/youtubedl")));
        QProcessEnvironment env = adapterEnvironment();
        env.insert(QStringLiteral("PATH"), empty);
        if (fromEnvironment.startsWith(QLatin1String("#!"))) {
            const QString script = newFolder(QStringLiteral("old")) + QStringLiteral("/yt-dlp");
            QVERIFY(writeFile(script, fromEnvironment.toUtf8()));
            QVERIFY(QFile::setPermissions(script, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
            fromEnvironment = script;
        }
        if (!fromEnvironment.isEmpty())
            env.insert(QStringLiteral("CLIPWRIGHT_YTDLP"), fromEnvironment);
        const QString target = alone + QStringLiteral("/video.mp4");
        const RunResult r = run({NoWarnings, QStringLiteral("--no-part"), QStringLiteral("-o"), target,
                                 url(QStringLiteral("/media/clip.mp4"))},
                                env, alone + QStringLiteral("/youtubedl"));
        QCOMPARE(r.exitStatus, QProcess::NormalExit);
        QVERIFY(r.exitCode != 0);
        QCOMPARE(r.err, error);
        QVERIFY(r.out.isEmpty());
        QCOMPARE(filesIn(alone), QStringList{QStringLiteral("youtubedl")});
    }

    void argumentsReachYtdlpIntact_data()
    {
        QTest::addColumn<bool>("throughEnvironment");
        QTest::newRow("yt-dlp named by CLIPWRIGHT_YTDLP") << true;
        QTest::newRow("yt-dlp found beside the adapter") << false;
    }
    void argumentsReachYtdlpIntact()
    {
        QFETCH(bool, throughEnvironment);
        // A stand-in yt-dlp that records its arguments, one per NUL, and fails with code 3.
        const QString folder = newFolder(QStringLiteral("recorder"));
        const QString recorder = folder + QStringLiteral("/yt-dlp");
        QVERIFY(writeFile(recorder, "#!/bin/sh\nout=\"${0%/*}/args\"\n: > \"$out\"\n"
                                    "for a in \"$@\"; do printf '%s\\0' \"$a\" >> \"$out\"; done\nexit 3\n"));
        QVERIFY(QFile::setPermissions(recorder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
        QString program = m_adapter;
        QProcessEnvironment env = adapterEnvironment();
        env.insert(QStringLiteral("PATH"), newFolder(QStringLiteral("empty path")));
        if (throughEnvironment) {
            env.insert(QStringLiteral("CLIPWRIGHT_YTDLP"), recorder);
        } else {
            program = folder + QStringLiteral("/youtubedl");
            QVERIFY(QFile::copy(m_adapter, program));
        }
        const QString odd = QStringLiteral("http://127.0.0.1:1/a b/\"quoted\" 'single'?x=1&y=$HOME");
        const RunResult r = run({QStringLiteral("--proxy"), QStringLiteral("http://127.0.0.1:9"), NoWarnings,
                                 QStringLiteral("--ignore-errors"), QStringLiteral("--skip-download"),
                                 QStringLiteral("--some-future-option"), QStringLiteral("--list-subs"), odd},
                                env, program);
        QCOMPARE(r.exitCode, 3);
        QList<QByteArray> args = readAll(folder + QStringLiteral("/args")).split('\0');
        QVERIFY(!args.isEmpty());
        args.removeLast();
        for (const char *expected :
             {"--ignore-config", "--no-colors", "--newline", "--some-future-option", "--ignore-errors", "-J"})
            QVERIFY2(args.contains(expected), expected);
        QVERIFY(!args.contains("--list-subs"));
        const int proxy = args.indexOf("--proxy");
        QVERIFY(proxy >= 0);
        QCOMPARE(args.value(proxy + 1), QByteArray("http://127.0.0.1:9"));
        QCOMPARE(args.last(), odd.toUtf8());
        if (throughEnvironment) {
            // ffmpeg copied beside the adapter is the one yt-dlp gets.
            const int location = args.indexOf("--ffmpeg-location");
            QVERIFY(location >= 0);
            QCOMPARE(args.value(location + 1), m_toolFolder.toUtf8());
        } else {
            QVERIFY(!args.contains("--ffmpeg-location"));
        }
    }

    void infoJob_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<bool>("separateStreams");
        QTest::newRow("an HTML5 video page gives one info JSON named after its id")
            << QStringLiteral("/page.html") << false;
        QTest::newRow("a DASH manifest gives video-only formats marked as DASH video")
            << QStringLiteral("/dash/manifest.mpd") << true;
    }
    void infoJob()
    {
        QFETCH(QString, path);
        QFETCH(bool, separateStreams);
        // A work folder whose name yt-dlp must not read as a template or a variable.
        const QString work = newFolder(QStringLiteral("info 100% $HOME"));
        const RunResult r = run({NoWarnings, QStringLiteral("--ignore-errors"), QStringLiteral("--skip-download"),
                                 QStringLiteral("--write-info-json"), QStringLiteral("-o"),
                                 work + QStringLiteral("/%(id)s"), url(path)});
        QVERIFY2(r.exitCode == 0, r.err.constData());
        const QStringList json = QDir(work).entryList({QStringLiteral("*.json")}, QDir::Files);
        QCOMPARE(json.size(), 1);
        QVERIFY(json.first().endsWith(QLatin1String(".info.json")));
        const QJsonObject info = jsonObject(readAll(work + QLatin1Char('/') + json.first()));
        const QString id = json.first().chopped(int(qstrlen(".info.json")));
        QCOMPARE(info.value(QStringLiteral("id")).toString(), id);
        QVERIFY(!info.value(QStringLiteral("title")).toString().isEmpty());
        QVERIFY(!info.value(QStringLiteral("format_id")).toString().isEmpty());
        QCOMPARE(info.value(QStringLiteral("webpage_url")).toString(), url(path));
        const QJsonArray formats = info.value(QStringLiteral("formats")).toArray();
        QVERIFY(!formats.isEmpty());
        int videoOnly = 0, audioOnly = 0;
        for (const QJsonValue &v : formats) {
            const QJsonObject f = v.toObject();
            QVERIFY(!f.value(QStringLiteral("format_id")).toString().isEmpty());
            QVERIFY(!f.value(QStringLiteral("ext")).toString().isEmpty());
            const QString vcodec = f.value(QStringLiteral("vcodec")).toString();
            const QString acodec = f.value(QStringLiteral("acodec")).toString();
            QVERIFY(!(vcodec == QLatin1String("none") && acodec == QLatin1String("none")));
            if (acodec == QLatin1String("none") && !vcodec.isEmpty()) {
                QCOMPARE(f.value(QStringLiteral("format_note")).toString(), QStringLiteral("DASH video"));
                ++videoOnly;
            }
            if (vcodec == QLatin1String("none"))
                ++audioOnly;
        }
        QCOMPARE(videoOnly > 0 && audioOnly > 0, separateStreams);
    }

    void thumbnailJob_data()
    {
        QTest::addColumn<QString>("page");
        QTest::addColumn<bool>("keptAsIs");
        QTest::newRow("a PNG poster becomes a JPEG at the given path") << QStringLiteral("/page.html") << false;
        QTest::newRow("a JPEG poster arrives untouched") << QStringLiteral("/page-jpeg.html") << true;
        QTest::newRow("a PNG behind a .jpg name is converted all the same")
            << QStringLiteral("/page-silent.html") << false;
    }
    void thumbnailJob()
    {
        QFETCH(QString, page);
        QFETCH(bool, keptAsIs);
        const QString work = newFolder(QStringLiteral("thumbnail"));
        const QString thumb = work + QStringLiteral("/thumb.jpg");
        const RunResult r = run({NoWarnings, QStringLiteral("--ignore-errors"), QStringLiteral("--skip-download"),
                                 QStringLiteral("--write-thumbnail"), QStringLiteral("-o"), thumb, url(page)});
        QVERIFY2(r.exitCode == 0, r.err.constData());
        const QByteArray data = readAll(thumb);
        QVERIFY2(data.startsWith("\xFF\xD8\xFF"), "not a JPEG");
        if (keptAsIs)
            QCOMPARE(data, m_posterJpeg);
        // No converted or original leftovers beside it.
        QCOMPARE(filesIn(work), QStringList{QStringLiteral("thumb.jpg")});
    }

    void subtitleListJob_data()
    {
        QTest::addColumn<QString>("page");
        QTest::addColumn<QStringList>("languages");
        QTest::newRow("one English WebVTT track is listed")
            << QStringLiteral("/page.html") << QStringList{QStringLiteral("en")};
        QTest::newRow("a French SubRip track is listed beside English")
            << QStringLiteral("/page-two-languages.html") << QStringList{QStringLiteral("en"), QStringLiteral("fr")};
        QTest::newRow("a page without tracks lists nothing") << QStringLiteral("/page-silent.html") << QStringList();
    }
    void subtitleListJob()
    {
        QFETCH(QString, page);
        QFETCH(QStringList, languages);
        const RunResult r = run({NoWarnings, QStringLiteral("--ignore-errors"), QStringLiteral("--skip-download"),
                                 QStringLiteral("--list-subs"), url(page)});
        QVERIFY2(r.exitCode == 0, r.err.constData());
        const SubtitleLanguages langs = programSubtitles(r.out);
        QCOMPARE(langs.subtitles, languages);
        QVERIFY(langs.automatic.isEmpty());
        if (languages.isEmpty())
            QVERIFY(r.out.contains(" has no subtitles\n"));
    }

    void downloadJob_data()
    {
        QTest::addColumn<QString>("source");
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QStringList>("subtitleArgs");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<QStringList>("vttLanguages");
        QTest::newRow("a page's video arrives with its English subtitles")
            << QStringLiteral("/page.html") << QStringLiteral("any")
            << QStringList{QStringLiteral("--write-sub"), QStringLiteral("--sub-lang"), QStringLiteral("en")}
            << QStringLiteral("clip") << QStringList{QStringLiteral("en")};
        QTest::newRow("every subtitle of a page arrives as WebVTT")
            << QStringLiteral("/page-two-languages.html") << QStringLiteral("any")
            << QStringList{QStringLiteral("--all-subs")} << QStringLiteral("clip")
            << QStringList{QStringLiteral("en"), QStringLiteral("fr")};
        QTest::newRow("a broken subtitle link does not cost the video")
            << QStringLiteral("/page-broken-subtitle.html") << QStringLiteral("any")
            << QStringList{QStringLiteral("--write-sub"), QStringLiteral("--sub-lang"), QStringLiteral("en")}
            << QStringLiteral("clip") << QStringList();
        QTest::newRow("the audio job fetches an audio-only format")
            << QStringLiteral("/media/audio.m4a") << QStringLiteral("audio-only") << QStringList()
            << QStringLiteral("audio") << QStringList();
        QTest::newRow("separate video and audio formats merge into the one file asked for")
            << QStringLiteral("/dash/manifest.mpd") << QStringLiteral("combined") << QStringList()
            << QStringLiteral("merged") << QStringList();
        QTest::newRow("a DASH video-only format arrives in fragments")
            << QStringLiteral("/dash/manifest.mpd") << QStringLiteral("video-only") << QStringList()
            << QStringLiteral("dash") << QStringList();
    }
    void downloadJob()
    {
        QFETCH(QString, source);
        QFETCH(QString, kind);
        QFETCH(QStringList, subtitleArgs);
        QFETCH(QString, expected);
        QFETCH(QStringList, vttLanguages);
        const QByteArray wanted = expected == QLatin1String("clip")    ? m_clip
                                  : expected == QLatin1String("audio") ? m_audio
                                  : expected == QLatin1String("dash")  ? m_dashVideo
                                                                       : QByteArray();
        const QString format = formatIdOf(url(source), kind);
        QVERIFY(!format.isEmpty());
        const QString cache = newFolder(QStringLiteral("cache 100% $HOME"));
        // The merge asks for a container yt-dlp would not pick on its own.
        const QString fileName =
            expected == QLatin1String("merged") ? QStringLiteral("f00d.mkv") : QStringLiteral("f00d.mp4");
        const QString target = cache + QLatin1Char('/') + fileName;
        const QStringList args = QStringList{NoWarnings, QStringLiteral("--no-part")} + subtitleArgs
                                 + QStringList{QStringLiteral("-f"), format, QStringLiteral("-o"), target, url(source)};
        const RunResult r = run(args);
        QVERIFY2(r.exitCode == 0, r.err.constData());
        const QByteArray arrived = readAll(target);
        if (wanted.isEmpty())
            QCOMPARE(streamTypes(target), QStringList({QStringLiteral("video"), QStringLiteral("audio")}));
        else
            QCOMPARE(arrived, wanted);
        QVERIFY(!QFile::exists(target + QStringLiteral(".ytdl")));

        const QList<ProgressSegment> progress = programProgress(r.out);
        QVERIFY(!progress.isEmpty());
        double last = -1;
        for (const ProgressSegment &s : progress) {
            QVERIFY2((!s.speed.isEmpty() || s.speedWord == QLatin1String("Unknown")) && !s.time.isEmpty(),
                     qPrintable(QString::number(s.percent)));
            QVERIFY(s.percent >= last);
            last = s.percent;
        }
        QCOMPARE(int(progress.last().percent), 100);

        QStringList expectedFiles{fileName};
        for (const QString &lang : vttLanguages) {
            const QString vtt = QStringLiteral("f00d.") + lang + QStringLiteral(".vtt");
            expectedFiles << vtt;
            QVERIFY2(readAll(cache + QLatin1Char('/') + vtt).startsWith("WEBVTT"), qPrintable(vtt));
        }
        expectedFiles.sort();
        QCOMPARE(filesIn(cache), expectedFiles);

        // A second run finds the file whole: it reports 100% without fetching the media again.
        m_server.clearRequests();
        const QString mediaPath = source.startsWith(QLatin1String("/media/")) ? source
                                  : source.startsWith(QLatin1String("/dash/"))
                                      ? QStringLiteral("/dash/init-stream0.m4s")
                                      : QStringLiteral("/media/clip.mp4");
        const RunResult again = run(args);
        QVERIFY2(again.exitCode == 0, again.err.constData());
        QCOMPARE(int(programProgress(again.out).value(0).percent), 100);
        QVERIFY(m_server.requests(mediaPath).isEmpty());
        QCOMPARE(readAll(target), arrived);
        QCOMPARE(filesIn(cache), expectedFiles);
    }

    void downloadErrors_data()
    {
        QTest::addColumn<QString>("source");
        QTest::addColumn<QString>("format");
        QTest::addColumn<QByteArray>("error");
        QTest::newRow("an unknown format id is reported as not available")
            << QStringLiteral("/page.html") << QStringLiteral("99")
            << QByteArray("ERROR: requested format not available");
        QTest::newRow("a page whose media file is gone gives the 404 text")
            << QStringLiteral("/page-gone.html") << QString()
            << QByteArray("ERROR: unable to download video data: HTTP Error 404: Not Found");
        QTest::newRow("a missing direct media address gives the 404 text")
            << QStringLiteral("/media/none.mp4") << QString()
            << QByteArray("ERROR: unable to download video data: HTTP Error 404: Not Found");
    }
    void downloadErrors()
    {
        QFETCH(QString, source);
        QFETCH(QString, format);
        QFETCH(QByteArray, error);
        const QString cache = newFolder(QStringLiteral("errors"));
        const QString target = cache + QStringLiteral("/video.mp4");
        QStringList args{NoWarnings, QStringLiteral("--no-part")};
        if (!format.isEmpty())
            args << QStringLiteral("-f") << format;
        args << QStringLiteral("-o") << target << url(source);
        const RunResult r = run(args);
        QVERIFY(r.exitCode != 0);
        QVERIFY2(r.errLines().contains(error), r.err.constData());
        QVERIFY(programProgress(r.out).isEmpty());
        // Nothing was written, so no marker promises a resumable file.
        QCOMPARE(filesIn(cache), QStringList());
    }

    void anUnavailableFragmentLeavesTheFileIncomplete()
    {
        const QString manifest = url(QStringLiteral("/dash-hole/manifest.mpd"));
        const QString format = formatIdOf(manifest, QStringLiteral("video-only"));
        QVERIFY(!format.isEmpty());
        const QString target = newFolder(QStringLiteral("hole")) + QStringLiteral("/hole.mp4");
        const RunResult r = run({NoWarnings, QStringLiteral("--no-part"), QStringLiteral("-f"), format,
                                 QStringLiteral("-o"), target, manifest});
        // yt-dlp would skip the segment and call the file done; the program must see it incomplete.
        QVERIFY(r.exitCode != 0);
        for (const ProgressSegment &s : programProgress(r.out))
            QVERIFY2(int(s.percent) < 100, r.out.constData());
        QVERIFY(QFile::exists(target + QStringLiteral(".ytdl")));
        QVERIFY(readAll(target).size() < m_dashVideo.size());
    }

    void truncatedTransferResumes()
    {
        const QString media = QStringLiteral("/media/truncated.mp4");
        const qint64 cut = 100000;
        LocalHttpServer::Options dropping;
        dropping.dropAtOffset = cut;
        m_server.addData(media, m_blob, "video/mp4", dropping);
        const QString cache = newFolder(QStringLiteral("truncated"));
        const QString target = cache + QStringLiteral("/part.mp4");
        const QStringList args{NoWarnings, QStringLiteral("--no-part"), QStringLiteral("-o"), target, url(media)};

        const RunResult cutOff = run(args);
        QVERIFY(cutOff.exitCode != 0);
        QCOMPARE(readAll(target), m_blob.left(int(cut)));
        QVERIFY(QFile::exists(target + QStringLiteral(".ytdl")));
        for (const ProgressSegment &s : programProgress(cutOff.out))
            QVERIFY(int(s.percent) < 100);

        m_server.setOptions(media, LocalHttpServer::Options());
        m_server.clearRequests();
        const RunResult resumed = run(args);
        QVERIFY2(resumed.exitCode == 0, resumed.err.constData());
        QCOMPARE(readAll(target), m_blob);
        QVERIFY(!QFile::exists(target + QStringLiteral(".ytdl")));
        QCOMPARE(int(programProgress(resumed.out).last().percent), 100);
        bool rangeAsked = false;
        for (const LocalHttpServer::Request &req : m_server.requests(media))
            rangeAsked |= req.header("Range") == "bytes=" + QByteArray::number(cut) + '-';
        QVERIFY2(rangeAsked, "the transfer started over instead of resuming");

        // A whole file whose marker survived (a stop right at the end) is confirmed, not fetched again.
        QVERIFY(writeFile(target + QStringLiteral(".ytdl"), "{}"));
        const RunResult confirmed = run(args);
        QVERIFY2(confirmed.exitCode == 0, confirmed.err.constData());
        QCOMPARE(int(programProgress(confirmed.out).last().percent), 100);
        QCOMPARE(readAll(target), m_blob);
        QVERIFY(!QFile::exists(target + QStringLiteral(".ytdl")));
    }

    void stoppedAdapterStopsYtdlp_data()
    {
        QTest::addColumn<bool>("kill");
        QTest::newRow("a killed adapter takes yt-dlp with it") << true;
        QTest::newRow("a terminated adapter takes yt-dlp with it") << false;
    }
    void stoppedAdapterStopsYtdlp()
    {
        QFETCH(bool, kill);
        const QString name = kill ? QStringLiteral("killed-7f3a.mp4") : QStringLiteral("terminated-7f3a.mp4");
        const QString media = QStringLiteral("/media/slow-") + name;
        // The server slows down and then hangs, so yt-dlp sits silent in a read: it cannot notice
        // a vanished adapter by a failed write and has to be stopped by the adapter's death itself.
        const qint64 hang = 60000;
        LocalHttpServer::Options slow;
        slow.bytesPerSecond = 100000;
        slow.stallAtOffset = hang;
        m_server.addData(media, m_blob, "video/mp4", slow);
        const QString cache = newFolder(QStringLiteral("stopped"));
        const QString target = cache + QLatin1Char('/') + name;
        const QString marker = target + QStringLiteral(".ytdl");
        const QStringList args{NoWarnings, QStringLiteral("--no-part"), QStringLiteral("-o"), target, url(media)};

        QProcess adapter;
        adapter.setProcessEnvironment(adapterEnvironment());
        adapter.start(m_adapter, args);
        QVERIFY(adapter.waitForStarted(10000));
        QTRY_VERIFY_WITH_TIMEOUT(m_server.hasStalled(media), 30000);
        QTRY_VERIFY_WITH_TIMEOUT(QFileInfo(target).size() > 0, 10000);
        QVERIFY2(QFile::exists(marker), "no marker while the file is incomplete");
        QVERIFY(StandIn::processMentions(name.toUtf8()));
        if (kill)
            adapter.kill();
        else
            adapter.terminate();
        QVERIFY(adapter.waitForFinished(5000));
        // yt-dlp would wait out its 20-second socket time-out if nothing stopped it.
        QTRY_VERIFY_WITH_TIMEOUT(!StandIn::processMentions(name.toUtf8()), 4000);
        const qint64 partial = QFileInfo(target).size();
        QVERIFY(partial > 0 && partial <= hang);
        QCOMPARE(readAll(target), m_blob.left(int(partial)));
        QVERIFY(QFile::exists(marker));

        m_server.setOptions(media, LocalHttpServer::Options());
        m_server.clearRequests();
        const RunResult resumed = run(args);
        QVERIFY2(resumed.exitCode == 0, resumed.err.constData());
        QCOMPARE(readAll(target), m_blob);
        QVERIFY(!QFile::exists(marker));
        bool rangeAsked = false;
        for (const LocalHttpServer::Request &req : m_server.requests(media))
            rangeAsked |= req.header("Range") == "bytes=" + QByteArray::number(partial) + '-';
        QVERIFY2(rangeAsked, "the transfer started over instead of resuming");
    }

    void nothingTheDownloadStartedOutlivesTheAdapter_data()
    {
        QTest::addColumn<bool>("orphaned");
        QTest::newRow("a terminated adapter ends the writer yt-dlp started") << false;
        QTest::newRow("an adapter whose parent dies ends the writer yt-dlp started") << true;
    }
    void nothingTheDownloadStartedOutlivesTheAdapter()
    {
        QFETCH(bool, orphaned);
        const QString folder =
            newFolder(orphaned ? QStringLiteral("orphaned-5c1e") : QStringLiteral("terminated-5c1e"));
        QProcessEnvironment env = adapterEnvironment();
        env.insert(QStringLiteral("CLIPWRIGHT_YTDLP"), StandIn::writeYtdlp(folder));
        const QStringList args{NoWarnings, QStringLiteral("--no-part"), QStringLiteral("-o"),
                               folder + QStringLiteral("/x.mp4"), url(QStringLiteral("/media/clip.mp4"))};
        // The writer ignores SIGTERM, as an ffmpeg busy finishing its file may.
        QProcess parent;
        parent.setProcessEnvironment(env);
        if (orphaned)
            parent.start(QStringLiteral("/bin/sh"),
                         QStringList{QStringLiteral("-c"), QStringLiteral("\"$0\" \"$@\" & wait"), m_adapter} + args);
        else
            parent.start(m_adapter, args);
        QVERIFY(parent.waitForStarted(10000));
        QTRY_VERIFY_WITH_TIMEOUT(StandIn::processMentions((folder + QStringLiteral("/writer")).toUtf8()), 10000);
        if (orphaned)
            parent.kill();
        else
            parent.terminate();
        QTRY_VERIFY_WITH_TIMEOUT(!StandIn::processMentions(folder.toUtf8()), 2000);
    }

    void rateLimitSlowsTheTransfer()
    {
        const QString media = QStringLiteral("/media/limited.mp4");
        const QByteArray data = m_blob.left(160 * 1024);
        m_server.addData(media, data, "video/mp4");
        const QString target = newFolder(QStringLiteral("limited")) + QStringLiteral("/limited.mp4");
        const double limit = 64 * 1024;
        const RunResult r = run({NoWarnings, QStringLiteral("--no-part"), QStringLiteral("--limit-rate"),
                                 QStringLiteral("64K"), QStringLiteral("-o"), target, url(media)});
        QVERIFY2(r.exitCode == 0, r.err.constData());
        QCOMPARE(readAll(target), data);
        // The rate is read from the progress lines as they arrive, so start-up time does not count.
        QList<QPair<qint64, double>> points;
        for (const auto &line : r.stampedLines) {
            const QList<ProgressSegment> seen = programProgress(line.second);
            if (!seen.isEmpty())
                points.append({line.first, seen.first().percent});
        }
        QVERIFY(points.size() >= 3);
        const double bytes = (points.last().second - points.first().second) / 100 * data.size();
        const double seconds = (points.last().first - points.first().first) / 1000.0;
        QVERIFY(seconds > 0);
        const double rate = bytes / seconds;
        QVERIFY2(rate < limit * 1.5, qPrintable(QStringLiteral("%1 bytes per second").arg(rate)));
    }

    void subtitlesOnlyJob_data()
    {
        QTest::addColumn<QStringList>("subtitleArgs");
        QTest::addColumn<QStringList>("languages");
        QTest::newRow("one chosen language arrives as base.en.vtt")
            << QStringList{QStringLiteral("--write-sub"), QStringLiteral("--sub-lang"), QStringLiteral("en")}
            << QStringList{QStringLiteral("en")};
        QTest::newRow("every language arrives as WebVTT, SubRip converted")
            << QStringList{QStringLiteral("--all-subs")} << QStringList{QStringLiteral("en"), QStringLiteral("fr")};
        QTest::newRow("automatic captions the page lacks leave nothing behind")
            << QStringList{QStringLiteral("--write-auto-sub"), QStringLiteral("--sub-lang"), QStringLiteral("de")}
            << QStringList();
    }
    void subtitlesOnlyJob()
    {
        QFETCH(QStringList, subtitleArgs);
        QFETCH(QStringList, languages);
        const QString cache = newFolder(QStringLiteral("subtitles only"));
        const QString target = cache + QStringLiteral("/0cafe.webm");
        const RunResult r = run(
            QStringList{NoWarnings, QStringLiteral("--ignore-errors"), QStringLiteral("--skip-download")} + subtitleArgs
            + QStringList{QStringLiteral("-o"), target, url(QStringLiteral("/page-two-languages.html"))});
        QVERIFY2(r.exitCode == 0, r.err.constData());
        QStringList expected;
        for (const QString &lang : languages) {
            expected << QStringLiteral("0cafe.") + lang + QStringLiteral(".vtt");
            QVERIFY(readAll(cache + QLatin1Char('/') + expected.last()).startsWith("WEBVTT"));
        }
        QCOMPARE(filesIn(cache), expected);
        QVERIFY(programProgress(r.out).isEmpty());
    }

    void listingJob_data()
    {
        QTest::addColumn<QString>("page");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QStringList>("urls");
        QTest::addColumn<QStringList>("ids");
        QTest::newRow("embedded main-site videos are listed by their bare ids")
            << QStringLiteral("/embeds.html") << QStringLiteral("Embedded list")
            << QStringList{QStringLiteral("dQw4w9WgXcQ"), QStringLiteral("9bZkp7q19f0")}
            << QStringList{QString(), QString()};
        QTest::newRow("clips of another site keep their ids and titles")
            << QStringLiteral("/two-clips.html") << QStringLiteral("Two clips")
            << QStringList{url(QStringLiteral("/media/clip.mp4")), url(QStringLiteral("/media/silent.mp4"))}
            << QStringList{QStringLiteral("two-clips-1"), QStringLiteral("two-clips-2")};
    }
    void listingJob()
    {
        QFETCH(QString, page);
        QFETCH(QString, title);
        QFETCH(QStringList, urls);
        QFETCH(QStringList, ids);
        const RunResult r = run({NoWarnings, QStringLiteral("--ignore-errors"), QStringLiteral("--skip-download"),
                                 QStringLiteral("--flat-playlist"), QStringLiteral("-J"), url(page)});
        QVERIFY2(r.exitCode == 0, r.err.constData());
        QJsonParseError error;
        const QJsonDocument doc = QJsonDocument::fromJson(r.out, &error);
        QVERIFY2(error.error == QJsonParseError::NoError, "standard output is not one JSON document");
        QCOMPARE(doc.object().value(QStringLiteral("title")).toString(), title);
        QStringList gotUrls, gotIds;
        for (const QJsonValue &v : doc.object().value(QStringLiteral("entries")).toArray()) {
            gotUrls << v.toObject().value(QStringLiteral("url")).toString();
            gotIds << v.toObject().value(QStringLiteral("id")).toString();
        }
        QCOMPARE(gotUrls, urls);
        QCOMPARE(gotIds, ids);
    }
};

CW_TEST_MAIN(TestAdapter)
#include "tst_adapter.moc"
