// The downloader contract in one table, kept both by the fake downloader the engine tests
// run against and by the real adapter (the built `youtubedl` over Debian's yt-dlp and a local
// HTTP server), read back with the program's own parsers; then the adapter's translation
// rules on their own, and what only the real adapter has to guarantee.

#include "adaptercore.h"
#include "engine/listing.h"
#include "engine/mediainfo.h"
#include "engine/outputparse.h"
#include "engine/subtitles.h"
#include "external/toolargs.h"
#include "fakes/fakescenario.h"
#include "testlib/localhttpserver.h"
#include "testlib/standin.h"
#include "testlib/testenv.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRandomGenerator>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <algorithm>
#include <memory>

using namespace DownloaderArgs;

namespace
{

struct RunResult {
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
    QList<QPair<qint64, QByteArray>> stampedLines; // standard output lines with their arrival in ms
};

// A transfer's output read line by line with the program's own parser.
struct TransferRead {
    QVector<double> progress; // hundredths of a percent, one per progress line
    bool reached100 = false;
    bool formatUnavailable = false;
    bool speedAndTimeRead = true; // every running line gave a time, and a speed unless it said Unknown
};

TransferRead readTransfer(const QByteArray &out, const QByteArray &err = QByteArray())
{
    TransferRead read;
    for (const QByteArray &line : out.split('\n')) {
        MediaInfo media;
        media.progress = -1;
        DownloadFlags flags;
        parseDownloadOutput(QString::fromUtf8(line), &media, DownloadStage::WholeFile, flags);
        if (media.progress < 0)
            continue;
        read.progress << media.progress;
        read.reached100 |= flags.reached100;
        if (!flags.reached100
            && (media.remainingTimeText.isEmpty() || (media.speedText.isEmpty() && !line.contains(" Unknown "))))
            read.speedAndTimeRead = false;
    }
    MediaInfo media;
    DownloadFlags flags;
    parseDownloadOutput(QString::fromUtf8(err), &media, DownloadStage::WholeFile, flags);
    read.formatUnavailable = flags.formatUnavailable;
    return read;
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
    QHash<QString, QByteArray> m_media; // fixture bytes by name: clip, silent, audio, poster, dash, blob
    QHash<QString, std::shared_ptr<MediaInfo>> m_infos; // per program and page, for format ids

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
        p.start(m_ffmpeg, QStringList{"-nostdin", "-hide_banner", "-loglevel", "error", "-y"} + args);
        return p.waitForFinished(60000) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
    }

    QStringList streamTypes(const QString &path)
    {
        QProcess p;
        p.start(QStandardPaths::findExecutable(QStringLiteral("ffprobe")),
                {"-v", "error", "-show_entries", "stream=codec_type", "-of", "csv=p=0", path});
        p.waitForFinished(30000);
        return QString::fromUtf8(p.readAllStandardOutput()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    }

    static QProcessEnvironment adapterEnvironment()
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.remove(QStringLiteral("CLIPWRIGHT_YTDLP"));
        return env;
    }

    RunResult run(const QStringList &args, const QString &program = QString(),
                  const QProcessEnvironment &env = adapterEnvironment())
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
            if (clock.elapsed() > 90000) {
                p.kill();
                p.waitForFinished(5000);
                return r;
            }
        }
        r.out += p.readAllStandardOutput();
        r.err += p.readAllStandardError();
        r.exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
        return r;
    }

    // A format id of the page as the program reads the downloader's info JSON: "any", "DashVideo",
    // or "combined" (the info's own choice, which may join video and audio).
    QString formatOf(const QString &program, const QString &page, const QString &kind)
    {
        const QString key = program + QLatin1Char(' ') + page;
        if (!m_infos.contains(key)) {
            const QString work = newFolder(QStringLiteral("format lookup"));
            run(info(QString(), work, page), program);
            m_infos.insert(key, std::shared_ptr<MediaInfo>(loadInfoFromFolder(work)));
        }
        const MediaInfo *info = m_infos.value(key).get();
        if (!info)
            return QString();
        if (kind == QLatin1String("combined"))
            return info->formatId;
        for (const MediaFormat &f : info->formats()) {
            if (kind == QLatin1String("any") || f.kind == FormatKind::DashVideo)
                return f.id;
        }
        return QString();
    }

    bool rangeAsked(const QString &path, qint64 from) const
    {
        for (const LocalHttpServer::Request &req : m_server.requests(path))
            if (req.header("Range") == "bytes=" + QByteArray::number(from) + '-')
                return true;
        return false;
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

    // What the local server's page offers, told to the fake in a scenario.
    bool describeToFake(const QString &page)
    {
        FakeScenario s(newFolder(QStringLiteral("fake")));
        const QString f = m_fixtures + QLatin1Char('/');
        const QString id = QFileInfo(page).baseName();
        const QJsonObject audio = FakeMedia::format("a", "m4a", 0, 0, QString(), "mp4a.40.2");
        QJsonObject info;
        if (page.startsWith(QLatin1String("/dash/"))) {
            info = FakeMedia::infoJson(id, "Streams",
                                       {FakeMedia::format("v", "mp4", 160, 120, "avc1", {}, 0, "DASH video"), audio});
            info.insert(QStringLiteral("format_id"), QStringLiteral("v+a"));
            s.setFormatFile("v", f + "dash-video.mp4");
            s.setFormatFile("a", f + "audio.m4a");
            s.setFormatFile("v+a", f + "clip.mp4");
        } else if (page.endsWith(QLatin1String(".m4a"))) {
            info = FakeMedia::infoJson(id, "Sound", {audio});
            s.setFormatFile("a", f + "audio.m4a");
        } else {
            info = FakeMedia::infoJson(id, "Clip", {FakeMedia::format("18", "mp4", 160, 120, "avc1", "mp4a.40.2")});
            if (page.contains(QLatin1String("gone")) || page.contains(QLatin1String("none")))
                s.setFormatError("18", "404");
            else
                s.setFormatFile("18", f + (page.contains(QLatin1String("silent")) ? "silent.mp4" : "clip.mp4"));
        }
        info.insert(QStringLiteral("webpage_url"), url(page));
        s.setInfoJson(info);
        if (page.contains(QLatin1String("two-languages")))
            s.setSubtitleCodes({"en", "fr"}, {});
        if (page.contains(QLatin1String("jpeg")))
            s.setThumbnailFile(f + "poster.jpg");
        QJsonArray entries;
        for (const char *id : {"dQw4w9WgXcQ", "9bZkp7q19f0"})
            entries.append(QJsonObject{{"url", id}, {"ie_key", "Youtube"}});
        if (page == QLatin1String("/embeds.html"))
            s.setChannelJson({{"title", "Embedded list"}, {"entries", entries}});
        entries =
            QJsonArray{QJsonObject{{"url", url("/media/clip.mp4")}}, QJsonObject{{"url", url("/media/silent.mp4")}}};
        if (page == QLatin1String("/two-clips.html"))
            s.setChannelJson({{"title", "Two clips"}, {"entries", entries}});
        return s.write();
    }

    static void contractRow(const char *name, const QString &page, const QStringList &args, const QStringList &files,
                            const QString &holds, const QStringList &reads = {}, const QString &error = {},
                            const QString &before = {})
    {
        QTest::newRow(name) << page << args << files << holds << reads << error << before;
    }

    // Every job of the contract, with what the program relies on: the files in the work folder,
    // what the program's parsers read from standard output, and the error texts it looks for.
    void contractRows()
    {
        QTest::addColumn<QString>("page");      // the local server's, or the fake's scenario of it
        QTest::addColumn<QStringList>("args");  // {W} the work folder, {U} the page, {F:kind} a format of it
        QTest::addColumn<QStringList>("files"); // the work folder afterwards ("*.info.json": one info JSON)
        QTest::addColumn<QString>("holds"); // the output: a fixture's name, jpeg, video+audio, info, a listing's title
        QTest::addColumn<QStringList>("reads"); // languages, listed links or format kinds the program reads
        QTest::addColumn<QString>("error");     // the error text the program looks for, "" for success
        QTest::addColumn<QString>("before");    // the output file before the run: "", whole, marked, half
        const QString w = QStringLiteral("{W}"), u = QStringLiteral("{U}");
        const QStringList en = subtitleArguments(SubtitleSource::Subtitles, QStringLiteral("en"));
        const QStringList all = allSubtitlesArguments();
        const QStringList jpeg{"thumb.jpg"}, mp4{"f00d.mp4"}, withEn{"f00d.en.vtt", "f00d.mp4"};
        const QString f00d = w + QStringLiteral("/f00d.mp4"), cafe = w + QStringLiteral("/0cafe.webm");

        contractRow("the info job writes one JSON named after the media id", "/page-two-languages.html", info({}, w, u),
                    {"*.info.json"}, "info");
        contractRow("separate streams are read as DASH video and audio only", "/dash/manifest.mpd", info({}, w, u),
                    {"*.info.json"}, "info", {"DashVideo", "AudioOnly"});
        contractRow("the thumbnail job writes a JPEG at the given path and nothing beside it",
                    "/page-two-languages.html", thumbnail({}, w + "/thumb.jpg", u), jpeg, "jpeg");
        contractRow("a JPEG thumbnail arrives untouched", "/page-jpeg.html", thumbnail({}, w + "/thumb.jpg", u), jpeg,
                    "poster");
        contractRow("a PNG thumbnail behind a .jpg name arrives as a JPEG", "/page-silent.html",
                    thumbnail({}, w + "/thumb.jpg", u), jpeg, "jpeg");
        contractRow("the subtitle listing names every language", "/page-two-languages.html", listSubtitles({}, u), {},
                    {}, {"en", "fr"});
        contractRow("a media without subtitles answers both sections empty", "/page-silent.html", listSubtitles({}, u),
                    {}, {});
        contractRow("a video arrives whole with the chosen subtitle beside it", "/page-two-languages.html",
                    video({}, en, "8M", "{F:any}", f00d, u), withEn, "clip");
        contractRow("every subtitle arrives as WebVTT beside the video", "/page-two-languages.html",
                    video({}, all, {}, "{F:any}", f00d, u), {"f00d.en.vtt", "f00d.fr.vtt", "f00d.mp4"}, "clip");
        contractRow("a subtitle that cannot be had does not cost the video", "/page-broken-subtitle.html",
                    video({}, en, {}, "{F:any}", f00d, u), mp4, "clip");
        contractRow("the audio job fetches an audio-only format", "/media/audio.m4a",
                    audio({}, "{F:any}", w + "/f00daudio.m4a", u), {"f00daudio.m4a"}, "audio");
        contractRow("a video and an audio format merge into the file asked for", "/dash/manifest.mpd",
                    video({}, {}, {}, "{F:combined}", w + "/f00d.mkv", u), {"f00d.mkv"}, "video+audio");
        contractRow("a video-only stream arrives in fragments", "/dash/manifest.mpd",
                    video({}, {}, {}, "{F:DashVideo}", f00d, u), mp4, "dash");
        contractRow("a whole file is confirmed without fetching it again, its subtitle still fetched",
                    "/page-two-languages.html", video({}, en, {}, "{F:any}", f00d, u), withEn, "clip", {}, {}, "whole");
        contractRow("a whole file whose marker survived is confirmed and loses the marker", "/page-two-languages.html",
                    video({}, {}, {}, "{F:any}", f00d, u), mp4, "clip", {}, {}, "marked");
        contractRow("an interrupted transfer resumes where it stopped", "/page-two-languages.html",
                    video({}, {}, {}, "{F:any}", f00d, u), mp4, "clip", {}, {}, "half");
        contractRow("an unknown format is reported as not available", "/page-two-languages.html",
                    video({}, {}, {}, "99", f00d, u), {}, {}, {}, DownloaderText::FormatNotAvailable);
        contractRow("a page whose media file is gone gives the missing-data text", "/page-gone.html",
                    video({}, {}, {}, {}, f00d, u), {}, {}, {}, DownloaderText::Http404);
        contractRow("a missing media address gives the missing-data text", "/media/none.mp4",
                    video({}, {}, {}, {}, f00d, u), {}, {}, {}, DownloaderText::Http404);
        contractRow("one chosen subtitle arrives alone as base.LANG.vtt", "/page-two-languages.html",
                    subtitlesOnly({}, en, cafe, u), {"0cafe.en.vtt"}, {});
        contractRow("every subtitle language arrives as WebVTT", "/page-two-languages.html",
                    subtitlesOnly({}, all, cafe, u), {"0cafe.en.vtt", "0cafe.fr.vtt"}, {});
        contractRow("automatic captions the media lacks leave nothing behind", "/page-two-languages.html",
                    subtitlesOnly({}, subtitleArguments(SubtitleSource::AutomaticCaptions, "de"), cafe, u), {}, {});
        contractRow("a listing names the main site's videos, which the program reads as watch links", "/embeds.html",
                    channelListing({}, u), {}, "Embedded list",
                    {MainSite::baseAddress() + "watch?v=dQw4w9WgXcQ", MainSite::baseAddress() + "watch?v=9bZkp7q19f0"});
        contractRow("a listing keeps other sites' links as they are", "/two-clips.html", channelListing({}, u), {},
                    "Two clips", {url("/media/clip.mp4"), url("/media/silent.mp4")});
    }

    void checkContract(const QString &program)
    {
        QFETCH(QString, page);
        QFETCH(QStringList, args);
        QFETCH(QStringList, files);
        QFETCH(QString, holds);
        QFETCH(QStringList, reads);
        QFETCH(QString, error);
        QFETCH(QString, before);
        const bool fake = program == FakeScenario::program();
        if (fake)
            QVERIFY(describeToFake(page));
        // A work folder whose name yt-dlp must not read as a template or a variable.
        const QString work = newFolder(QStringLiteral("work 100% $HOME"));
        for (QString &a : args) {
            a.replace(QLatin1String("{W}"), work).replace(QLatin1String("{U}"), url(page));
            if (a.startsWith(QLatin1String("{F:")))
                a = formatOf(program, url(page), a.mid(3).chopped(1));
            QVERIFY(!a.isEmpty());
        }
        const QString output = args.value(args.indexOf(QStringLiteral("-o")) + 1);
        const QByteArray whole = m_media.value(holds);
        if (!before.isEmpty()) {
            QVERIFY(writeFile(output, before == QLatin1String("half") ? whole.left(whole.size() / 2) : whole));
            if (before != QLatin1String("whole"))
                QVERIFY(writeFile(output + DownloaderText::PartialMarkerSuffix, "{}"));
        }
        m_server.clearRequests();
        const RunResult r = run(args, program);

        const QStringList present = filesIn(work);
        if (files == QStringList{"*.info.json"}) {
            QCOMPARE(present.size(), 1);
            QVERIFY2(present.first().endsWith(QLatin1String(".info.json")), qPrintable(present.first()));
        } else {
            QCOMPARE(present, files);
        }
        for (const QString &name : present)
            if (name.endsWith(QLatin1String(".vtt")))
                QVERIFY2(readAll(work + QLatin1Char('/') + name).startsWith("WEBVTT"), qPrintable(name));
        if (holds == QLatin1String("info")) {
            MediaInfo media;
            QVERIFY(media.loadFromFile(work + QLatin1Char('/') + present.first()));
            QCOMPARE(media.id + QStringLiteral(".info.json"), present.first());
            QVERIFY(!media.title.isEmpty());
            QCOMPARE(media.webpageUrl, url(page));
            QVERIFY(!media.formats().isEmpty());
            for (const QString &kind : reads) {
                const FormatKind k = kind == QLatin1String("DashVideo") ? FormatKind::DashVideo : FormatKind::AudioOnly;
                QVERIFY2(std::any_of(media.formats().begin(), media.formats().end(),
                                     [k](const MediaFormat &f) { return f.kind == k; }),
                         qPrintable(kind));
            }
        } else if (holds == QLatin1String("jpeg")) {
            QVERIFY2(readAll(output).startsWith("\xFF\xD8\xFF"), "not a JPEG");
        } else if (holds == QLatin1String("video+audio")) {
            QCOMPARE(streamTypes(output), (QStringList{"video", "audio"}));
        } else if (!whole.isEmpty()) {
            QCOMPARE(readAll(output), whole);
        }

        if (args.contains(QStringLiteral("--list-subs"))) {
            SubtitleListParse listing;
            parseSubtitleList(QString::fromUtf8(r.out), listing);
            QVERIFY2(listing.answered(), r.out.constData());
            QCOMPARE(listing.subtitles, reads);
            QVERIFY(listing.autoCaptions.isEmpty());
        } else if (args.contains(QStringLiteral("-J"))) {
            ChannelListing listing;
            parseChannelListing(QString::fromUtf8(r.out), listing);
            QCOMPARE(listing.title, holds);
            QCOMPARE(listing.urls, reads);
        }

        // Only a transfer prints progress, never backwards, and only a whole file reaches 100%.
        const bool transfer = args.contains(QStringLiteral("--no-part"));
        const TransferRead read = readTransfer(r.out, r.err);
        QCOMPARE(read.reached100, transfer && error.isEmpty());
        if (!read.reached100)
            QVERIFY2(read.progress.isEmpty(), r.out.constData());
        QVERIFY2(std::is_sorted(read.progress.begin(), read.progress.end()), r.out.constData());
        QVERIFY2(read.speedAndTimeRead, r.out.constData());
        if (error.isEmpty()) {
            QVERIFY2(r.exitCode == 0, r.err.constData());
        } else {
            QVERIFY(r.exitCode != 0);
            QVERIFY2(r.err.contains(error.toUtf8()), r.err.constData());
            QVERIFY(read.formatUnavailable);
        }
        if (!fake && before == QLatin1String("whole"))
            QCOMPARE(m_server.requests("/media/clip.mp4").size(), 0);
        if (!fake && before == QLatin1String("half"))
            QVERIFY2(rangeAsked("/media/clip.mp4", whole.size() / 2), "the transfer started over");
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_root.isValid());
        m_ffmpeg = QStandardPaths::findExecutable(QStringLiteral("ffmpeg"));
        QVERIFY2(!QStandardPaths::findExecutable(QStringLiteral("yt-dlp")).isEmpty(),
                 "yt-dlp is not installed: run scripts/setup");
        QVERIFY2(!m_ffmpeg.isEmpty(), "ffmpeg is not installed: run scripts/setup");
        const QString built = TestEnv::binDir() + QStringLiteral("/youtubedl");
        QVERIFY2(QFileInfo(built).isExecutable(), qPrintable(built));

        // The program runs a copy in a tool folder with ffmpeg and ffprobe copied beside it.
        m_toolFolder = newFolder(QStringLiteral("tools"));
        m_adapter = m_toolFolder + QStringLiteral("/youtubedl");
        QVERIFY(QFile::copy(built, m_adapter));
        for (const char *tool : {"ffmpeg", "ffprobe"})
            QVERIFY(QFile::copy(QStandardPaths::findExecutable(QLatin1String(tool)),
                                m_toolFolder + QLatin1Char('/') + QLatin1String(tool)));

        m_fixtures = newFolder(QStringLiteral("fixtures"));
        const QString f = m_fixtures + QLatin1Char('/');
        const QStringList video{"-f", "lavfi", "-i", "testsrc=size=160x120:rate=15"};
        const QStringList tone{"-f", "lavfi", "-i", "sine=frequency=440:sample_rate=22050"};
        const QStringList h264{"-c:v", "libx264", "-preset", "ultrafast", "-pix_fmt", "yuv420p"};
        const QStringList aac{"-c:a", "aac", "-b:a", "32k"};
        const QStringList twoSeconds{"-t", "2"};
        QVERIFY(ffmpeg(video + tone + twoSeconds + h264 + aac + QStringList{f + "clip.mp4"}));
        QVERIFY(ffmpeg(video + twoSeconds + h264 + QStringList{f + "silent.mp4"}));
        QVERIFY(ffmpeg(tone + twoSeconds + aac + QStringList{f + "audio.m4a"}));
        QVERIFY(ffmpeg(video + QStringList{"-frames:v", "1", f + "poster.png"}));
        QVERIFY(ffmpeg(video + QStringList{"-frames:v", "1", f + "poster.jpg"}));
        QDir().mkpath(f + "dash");
        QVERIFY(ffmpeg(video + tone + QStringList{"-t", "3", "-map", "0:v", "-map", "1:a"} + h264 + aac
                       + QStringList{"-g", "15", "-f", "dash", "-seg_duration", "1", "-use_template", "1",
                                     "-use_timeline", "0", f + "dash/manifest.mpd"}));
        for (const char *name : {"clip", "silent", "audio", "poster"})
            m_media.insert(name, readAll(f + name
                                         + (qstrcmp(name, "audio") == 0    ? ".m4a"
                                            : qstrcmp(name, "poster") == 0 ? ".jpg"
                                                                           : ".mp4")));
        QRandomGenerator gen(7);
        QByteArray blob(240 * 1024, Qt::Uninitialized);
        for (char &c : blob)
            c = char(gen.bounded(256));
        m_media.insert("blob", blob);

        QVERIFY(m_server.start());
        for (const char *name : {"clip.mp4", "silent.mp4", "audio.m4a"})
            QVERIFY(m_server.addFile(QStringLiteral("/media/") + name, f + name));
        m_server.addFile("/img/poster.png", f + "poster.png");
        m_server.addFile("/img/poster.jpg", f + "poster.jpg");
        // A PNG behind a name that promises a JPEG.
        m_server.addFile("/img/mislabelled.jpg", f + "poster.png", "image/jpeg");
        m_server.addData("/subs/en.vtt",
                         "WEBVTT\n\n00:00:00.000 --> 00:00:01.000\nHello\n\n00:00:01.000 --> 00:00:02.000\nWorld\n",
                         "text/vtt");
        m_server.addData("/subs/fr.srt", "1\n00:00:00,000 --> 00:00:01,500\nBonjour\n\n", "application/x-subrip");
        const QStringList dash = QDir(f + "dash").entryList(QDir::Files, QDir::Name);
        // The same stream is served once more with one video segment gone for good.
        for (const QString &name : dash) {
            m_server.addFile("/dash/" + name, f + "dash/" + name);
            if (name != QLatin1String("chunk-stream0-00002.m4s"))
                m_server.addFile("/dash-hole/" + name, f + "dash/" + name);
        }
        // A fragmented transfer is the initialisation segment followed by the media segments in order.
        QByteArray dashVideo = readAll(f + "dash/init-stream0.m4s");
        for (const QString &name : dash)
            if (name.startsWith(QLatin1String("chunk-stream0-")))
                dashVideo += readAll(f + "dash/" + name);
        m_media.insert("dash", dashVideo);
        QVERIFY(writeFile(f + "dash-video.mp4", dashVideo));

        const QString clipSource = "<source src=\"/media/clip.mp4\" type=\"video/mp4\">";
        const QString enTrack = "<track kind=\"subtitles\" srclang=\"en\" src=\"/subs/en.vtt\">";
        addPage("/page-two-languages.html", "Two languages",
                "<video controls poster=\"/img/poster.png\">" + clipSource + enTrack
                    + "<track kind=\"captions\" srclang=\"fr\" src=\"/subs/fr.srt\"></video>");
        addPage("/page-silent.html", "Silent clip",
                "<video controls poster=\"/img/mislabelled.jpg\"><source src=\"/media/silent.mp4\" "
                "type=\"video/mp4\"></video>");
        addPage("/page-broken-subtitle.html", "Broken subtitle",
                "<video controls>" + clipSource
                    + "<track kind=\"subtitles\" srclang=\"en\" src=\"/subs/gone.vtt\"></video>");
        addPage("/page-jpeg.html", "JPEG poster",
                "<video controls poster=\"/img/poster.jpg\">" + clipSource + "</video>");
        addPage("/page-gone.html", "Gone",
                "<video controls><source src=\"/media/gone.mp4\" type=\"video/mp4\"></video>");
        addPage("/two-clips.html", "Two clips",
                "<video controls>" + clipSource
                    + "</video>\n<video controls><source src=\"/media/silent.mp4\" type=\"video/mp4\"></video>");
        addPage("/embeds.html", "Embedded list",
                "<iframe width=\"560\" height=\"315\" src=\"https://www.youtube.com/embed/dQw4w9WgXcQ\"></iframe>\n"
                "<iframe width=\"560\" height=\"315\" src=\"https://www.youtube.com/embed/9bZkp7q19f0\"></iframe>");
    }

    void cleanupTestCase()
    {
        m_server.stop();
    }

    // ---- one contract, two downloaders ----

    void theFakeKeepsTheDownloaderContract_data()
    {
        contractRows();
    }
    void theFakeKeepsTheDownloaderContract()
    {
        checkContract(FakeScenario::program());
    }

    void theAdapterKeepsTheDownloaderContract_data()
    {
        contractRows();
    }
    void theAdapterKeepsTheDownloaderContract()
    {
        checkContract(m_adapter);
    }

    // The program's argument lists are checked by the fake's refusal of every other list.
    void theFakeRefusesListsOutsideTheContract_data()
    {
        QTest::addColumn<QStringList>("args");
        const QString u = QStringLiteral("https://example.org/watch?v=1");
        QStringList list = info({}, "/w", u);
        list.removeAll("--no-playlist");
        QTest::newRow("an info job that may crawl a list") << list;
        QTest::newRow("a proxy after the prefix")
            << QStringList{"--no-warnings", "--proxy", "127.0.0.1:1080"} + video({}, {}, {}, {}, "/w/x.mp4", u).mid(1);
        list = video({}, {}, "1M", "18", "/w/x.mp4", u);
        list.move(list.indexOf("-f"), 2);
        list.move(list.indexOf("18"), 3);
        QTest::newRow("a rate limit after the format") << list;
        QTest::newRow("automatic captions without a language")
            << subtitlesOnly({}, {"--write-auto-sub"}, "/w/x.mp4", u);
        QTest::newRow("a list not ending in the URL") << QStringList(listSubtitles({}, u).mid(0, 4));
    }
    void theFakeRefusesListsOutsideTheContract()
    {
        QFETCH(QStringList, args);
        FakeScenario s(newFolder(QStringLiteral("refusing fake")));
        QVERIFY(s.write());
        const RunResult r = run(args, FakeScenario::program());
        QCOMPARE(r.exitCode, 2);
        QVERIFY2(r.err.contains("arguments outside the contract"), r.err.constData());
        QCOMPARE(s.loggedRuns().value(0).job, QStringLiteral("invalid"));
    }

    // ---- translation rules, no process involved ----

    void eachJobGivesYtdlpTheOptionsItNeeds_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("job");
        QTest::addColumn<QStringList>("wanted"); // one run of arguments, in this order
        QTest::addColumn<QStringList>("unwanted");
        const QString u = QStringLiteral("https://example.org/watch?v=1");
        const QString proxy = QStringLiteral("socks5://127.0.0.1:1080");
        const QString handle = QStringLiteral("https://www.youtube.com/@someone");
        QTest::newRow("the info job takes the one video of a link that names a list")
            << QStringList{"--no-warnings", "--ignore-errors", "--skip-download", "--write-info-json", "-o",
                           "/w/%(id)s",     u + "&list=PL1"}
            << int(Adapter::Job::Info) << QStringList{"--no-playlist"} << QStringList();
        QTest::newRow("the thumbnail job keeps the proxy")
            << thumbnail(proxy, "/w/thumb.jpg", u) << int(Adapter::Job::Thumbnail) << QStringList{"--proxy", proxy}
            << QStringList();
        QTest::newRow("the subtitle list is read from the JSON yt-dlp prints")
            << listSubtitles(QString(), u) << int(Adapter::Job::SubtitleList) << QStringList{"-J"}
            << QStringList{"--list-subs"};
        QTest::newRow("short subtitle options reach yt-dlp by their full names")
            << video(QString(), subtitleArguments(SubtitleSource::AutomaticCaptions, "zh-TW"), "1M", "137", "/c/x.mp4",
                     u)
            << int(Adapter::Job::Download) << QStringList{"--write-auto-subs", "--sub-langs", "zh-TW"}
            << QStringList{"--write-auto-sub", "--sub-lang"};
        QTest::newRow("a transfer ends at a fragment it cannot get instead of leaving a hole")
            << audio(QString(), "140", "/c/a.m4a", u) << int(Adapter::Job::Download)
            << QStringList{"--abort-on-unavailable-fragments"} << QStringList();
        QTest::newRow("every language is asked for by name")
            << subtitlesOnly(QString(), allSubtitlesArguments(), "/c/x.mp4", u) << int(Adapter::Job::SubtitlesOnly)
            << QStringList{"--write-subs", "--sub-langs", "all"} << QStringList{"--all-subs"};
        QTest::newRow("a channel by handle is listed by its videos")
            << channelListing(proxy, handle) << int(Adapter::Job::Listing) << QStringList{"--", handle + "/videos"}
            << QStringList();
        QTest::newRow("a channel's tab stays the tab asked for")
            << channelListing(QString(), handle + "/shorts") << int(Adapter::Job::Listing)
            << QStringList{"--", handle + "/shorts"} << QStringList();
        QTest::newRow("a bare version request is passed on")
            << QStringList{"--version"} << int(Adapter::Job::Other) << QStringList{"--version"} << QStringList();
    }
    void eachJobGivesYtdlpTheOptionsItNeeds()
    {
        QFETCH(QStringList, args);
        QFETCH(int, job);
        QFETCH(QStringList, wanted);
        QFETCH(QStringList, unwanted);
        Adapter::ArgList bytes;
        for (const QString &a : args)
            bytes.append(a.toUtf8());
        const Adapter::Invocation inv = Adapter::parseInvocation(bytes);
        QCOMPARE(int(inv.job), job);
        QStringList built;
        for (const QByteArray &a : Adapter::ytdlpArguments(inv, Adapter::RunContext()))
            built << QString::fromUtf8(a);
        const auto contains = [&built](const QStringList &run) {
            for (int i = 0; i + run.size() <= built.size(); ++i)
                if (built.mid(i, run.size()) == run)
                    return true;
            return false;
        };
        QVERIFY2(contains(wanted), qPrintable(built.join(QLatin1Char(' '))));
        for (const QString &option : unwanted)
            QVERIFY2(!built.contains(option), qPrintable(option));
        if (!inv.hasUrl)
            return;
        // The URL reaches yt-dlp last, behind an end of options, in the encoding the program reads.
        QCOMPARE(built.at(built.size() - 2), QStringLiteral("--"));
        QVERIFY(contains({QStringLiteral("--encoding"), QStringLiteral("utf-8")}));
    }

    void progressRecordsBecomeLinesTheProgramReads_data()
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
        QTest::newRow("a file name with blanks and a percent sign stays one name")
            << tag + "downloading 1 2 NA NA NA NA NA NA /c/my clip (1) 50%.mp4"
            << QByteArray("[download] 50.0% of 2.00B at Unknown ETA --:--");
    }
    void progressRecordsBecomeLinesTheProgramReads()
    {
        QFETCH(QByteArray, record);
        QFETCH(QByteArray, line);
        Adapter::ProgressRecord r;
        QVERIFY(Adapter::parseProgressRecord(record, &r));
        QCOMPARE(Adapter::formatProgressLine(r), line);
        // The adapter knows the media file's progress by this name.
        QVERIFY2(!r.filename.isEmpty() && record.endsWith(' ' + r.filename), r.filename.constData());
        QVERIFY(!Adapter::parseProgressRecord(line, &r));
        if (line.isEmpty())
            return;
        const TransferRead read = readTransfer(line);
        QCOMPARE(read.progress.size(), 1);
        QVERIFY2(read.speedAndTimeRead, "the program reads no speed or no time");
    }

    void ytdlpErrorsBecomeTheTextsTheProgramLooksFor_data()
    {
        QTest::addColumn<int>("job");
        QTest::addColumn<QByteArray>("input");
        QTest::addColumn<QByteArray>("output");
        const int download = int(Adapter::Job::Download);
        const int info = int(Adapter::Job::Info);
        const QByteArray notAvailable = DownloaderText::FormatNotAvailable.toUtf8();
        const QByteArray http404 = DownloaderText::Http404.toUtf8();
        const QByteArray webpage404 = "ERROR: [generic] None: Unable to download webpage: HTTP Error 404: Not Found "
                                      "(caused by <HTTPError 404: 'Not Found'>)";
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
            << download << webpage404 + advice << http404;
        QTest::newRow("a 404 while reading information keeps its text but loses the bug-report advice")
            << info << webpage404 + advice << webpage404;
        QTest::newRow("a subtitle that is gone is no media 404")
            << download << QByteArray("ERROR: Unable to download video subtitles for 'en': HTTP Error 404: Not Found")
            << QByteArray("ERROR: Unable to download video subtitles for 'en': HTTP Error 404: Not Found");
        QTest::newRow("a missing playlist gets the program's sentence")
            << info << QByteArray("ERROR: [youtube:tab] PLxyz: YouTube said: The playlist does not exist.")
            << DownloaderText::PlaylistMissing.toUtf8();
        QTest::newRow("a failed metadata write gets the program's sentence")
            << info << QByteArray("ERROR: Cannot write video metadata to JSON file /w/x.info.json")
            << DownloaderText::CannotWriteMetadata.toUtf8();
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
    void ytdlpErrorsBecomeTheTextsTheProgramLooksFor()
    {
        QFETCH(int, job);
        QFETCH(QByteArray, input);
        QFETCH(QByteArray, output);
        QCOMPARE(Adapter::translateLine(input, Adapter::Job(job)), output);
    }

    void theSubtitleListIsBuiltFromTheInfoJson_data()
    {
        QTest::addColumn<QByteArray>("json");
        QTest::addColumn<QStringList>("subtitles");
        QTest::addColumn<QStringList>("automatic");
        QTest::addColumn<QByteArray>("text");
        QTest::newRow("captions come first and every row leads with vtt")
            << js("{'id':'abc','automatic_captions':{'en':[{'ext':'json3'},{'ext':'vtt'},{'ext':'ttml'}],"
                  "'de':[{'ext':'srv3'},{'ext':'vtt'}]},'subtitles':{'fr':[{'ext':'ttml'}],'pt-BR':[{'ext':'vtt'}]}}")
            << QStringList{"fr", "pt-BR"} << QStringList{"en", "de"}
            << QByteArray("Available automatic captions for abc:\nLanguage formats\nen       vtt, ttml, srt\n"
                          "de       vtt, srt\nAvailable subtitles for abc:\nLanguage formats\n"
                          "fr       vtt, ttml, srt\npt-BR    vtt, srt\n");
        QTest::newRow("a live chat replay is no language")
            << js("{'id':'abc','subtitles':{'live_chat':[{'ext':'json'}]}}") << QStringList() << QStringList()
            << QByteArray("abc has no automatic captions\nabc has no subtitles\n");
        QTest::newRow("a playlist lists every video")
            << js("{'_type':'playlist','id':'p','entries':[{'id':'a','subtitles':{'en':[{'ext':'srt'}]}},"
                  "{'id':'b','automatic_captions':{'es':[{'ext':'vtt'}]}}]}")
            << QStringList{"en"} << QStringList{"es"} << QByteArray();
        QTest::newRow("an extraction that failed lists nothing")
            << QByteArray("null") << QStringList() << QStringList() << QByteArray("");
    }
    void theSubtitleListIsBuiltFromTheInfoJson()
    {
        QFETCH(QByteArray, json);
        QFETCH(QStringList, subtitles);
        QFETCH(QStringList, automatic);
        QFETCH(QByteArray, text);
        const QByteArray listing = Adapter::subtitleListing(json);
        if (!text.isNull())
            QCOMPARE(listing, text);
        SubtitleListParse langs;
        parseSubtitleList(QString::fromUtf8(listing), langs);
        QCOMPARE(langs.subtitles, subtitles);
        QCOMPARE(langs.autoCaptions, automatic);
    }

    void listedEntriesAreVideosTheProgramCanFetch_data()
    {
        QTest::addColumn<QByteArray>("entry");
        QTest::addColumn<QString>("url");
        QTest::newRow("a site entry with its own id is listed by that id")
            << js("{'ie_key':'Youtube','id':'dQw4w9WgXcQ','url':'https://www.youtube.com/watch?v=dQw4w9WgXcQ'}")
            << "dQw4w9WgXcQ";
        QTest::newRow("a short link is reduced to its id")
            << js("{'_type':'url','url':'https://youtu.be/9bZkp7q19f0'}") << "9bZkp7q19f0";
        QTest::newRow("an embed address without an id field is reduced to its id")
            << js("{'ie_key':'Youtube','url':'https://www.youtube.com/embed/9bZkp7q19f0'}") << "9bZkp7q19f0";
        QTest::newRow("a shorts address is reduced to its id")
            << js("{'url':'https://m.youtube.com/shorts/abcdefghijk'}") << "abcdefghijk";
        QTest::newRow("a watch address inside a playlist keeps only the video")
            << js("{'url':'https://www.youtube.com/watch?v=dQw4w9WgXcQ&list=PL1&index=2'}") << "dQw4w9WgXcQ";
        QTest::newRow("a channel tab is no video and is left out")
            << js("{'ie_key':'YoutubeTab','url':'https://www.youtube.com/@someone/videos'}") << QString();
        QTest::newRow("a playlist of the site is left out")
            << js("{'_type':'url','url':'https://www.youtube.com/playlist?list=PL1'}") << QString();
        QTest::newRow("another site's entry is left alone")
            << js("{'ie_key':'Vimeo','id':'1','url':'https://vimeo.com/1'}") << "https://vimeo.com/1";
    }
    void listedEntriesAreVideosTheProgramCanFetch()
    {
        QFETCH(QByteArray, entry);
        QFETCH(QString, url);
        QByteArray withTitle = entry;
        withTitle.insert(1, js("'title':'Clip ★','extra':[1,2,{'k':null}],"));
        const QJsonObject root =
            jsonObject(Adapter::normalizeListing(js("{'title':'List','entries':[") + withTitle + "]}"));
        QCOMPARE(root.value("title").toString(), QStringLiteral("List"));
        const QJsonArray entries = root.value("entries").toArray();
        QCOMPARE(entries.size(), url.isEmpty() ? 0 : 1);
        if (url.isEmpty())
            return;
        const QJsonObject e = entries.at(0).toObject();
        QCOMPARE(e.value("url").toString(), url);
        QCOMPARE(e.value("title").toString(), QStringLiteral("Clip ★"));
        QCOMPARE(QJsonDocument(e.value("extra").toArray()).toJson(QJsonDocument::Compact), js("[1,2,{'k':null}]"));
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
        QCOMPARE(root.value("title").toString(), QStringLiteral("Someone"));
        QStringList urls;
        for (const QJsonValue &v : root.value("entries").toArray())
            urls << v.toObject().value("url").toString();
        QCOMPARE(urls, (QStringList{"aaaaaaaaaaa", "bbbbbbbbbbb", "ccccccccccc"}));
        QCOMPARE(Adapter::normalizeListing("not json"), QByteArray("not json"));
    }

    void theInfoJsonIsTidiedForTheFormatRules_data()
    {
        QTest::addColumn<QByteArray>("format");
        QTest::addColumn<bool>("dropped");
        QTest::addColumn<QString>("note");
        QTest::addColumn<double>("filesize");
        QTest::newRow("a storyboard is dropped")
            << js("{'format_id':'sb0','format_note':'storyboard','ext':'mhtml','protocol':'mhtml',"
                  "'vcodec':'none','acodec':'none'}")
            << true << QString() << 0.0;
        QTest::newRow("an image format without codecs is dropped")
            << js("{'format_id':'img','vcodec':'none','acodec':'none'}") << true << QString() << 0.0;
        QTest::newRow("an mhtml format is dropped")
            << js("{'format_id':'mh','protocol':'mhtml','vcodec':'x'}") << true << QString() << 0.0;
        QTest::newRow("video without audio becomes DASH video and takes the approximate size")
            << js("{'format_id':'137','vcodec':'avc1.640028','acodec':'none','format_note':'1080p',"
                  "'filesize':null,'filesize_approx':123456}")
            << false << "DASH video" << 123456.0;
        QTest::newRow("video with no audio codec named is DASH video too")
            << js("{'format_id':'v','vcodec':'vp9','format_note':'720p'}") << false << "DASH video" << 0.0;
        QTest::newRow("audio keeps its note and gets a whole approximate size")
            << js("{'format_id':'140','vcodec':'none','acodec':'mp4a.40.2','format_note':'medium',"
                  "'filesize_approx':999.6}")
            << false << "medium" << 1000.0;
        QTest::newRow("a known size is kept")
            << js("{'format_id':'22','vcodec':'avc1','acodec':'mp4a','format_note':'720p','filesize':5000,"
                  "'filesize_approx':7000}")
            << false << "720p" << 5000.0;
        QTest::newRow("a format without codec information is left alone")
            << js("{'format_id':'0','ext':'mp4','vcodec':null}") << false << QString() << 0.0;
    }
    void theInfoJsonIsTidiedForTheFormatRules()
    {
        QFETCH(QByteArray, format);
        QFETCH(bool, dropped);
        QFETCH(QString, note);
        QFETCH(double, filesize);
        const QByteArray other = js("{'format_id':'keep','vcodec':'avc1','acodec':'mp4a','filesize':1}");
        QByteArray json = js("{'id':'x','title':'T','extra':{'a':[1,2]},'formats':[") + format + "," + other + "]}";
        Adapter::tidyInfoJson(&json);
        const QJsonObject root = jsonObject(json);
        QCOMPARE(root.value("title").toString(), QStringLiteral("T"));
        QCOMPARE(root.value("extra").toObject().value("a").toArray().size(), 2);
        const QJsonArray formats = root.value("formats").toArray();
        QCOMPARE(formats.size(), dropped ? 1 : 2);
        QCOMPARE(formats.last().toObject().value("format_id").toString(), QStringLiteral("keep"));
        if (dropped)
            return;
        const QJsonObject f = formats.first().toObject();
        QCOMPARE(f.value("format_note").toString(), note);
        QCOMPARE(f.value("filesize").toDouble(), filesize);
        // Tidying is idempotent, so a second pass leaves the file alone.
        QVERIFY(!Adapter::tidyInfoJson(&json));
    }

    void infoWithoutFormatsTakesTheApproximateSize()
    {
        QByteArray json = js("{'id':'x','format_id':'hls-1','filesize_approx':2048.2}");
        QVERIFY(Adapter::tidyInfoJson(&json));
        QCOMPARE(jsonObject(json).value("filesize").toDouble(), 2048.0);
        QByteArray broken = "{\"id\":";
        QVERIFY(!Adapter::tidyInfoJson(&broken));
        QCOMPARE(broken, QByteArray("{\"id\":"));
    }

    // ---- the built adapter: what only it has to guarantee ----

    void unusableYtdlpGivesOneErrorLine_data()
    {
        QTest::addColumn<QString>("fromEnvironment");
        QTest::addColumn<QByteArray>("error");
        const QByteArray missing = "ERROR: yt-dlp was not found\n";
        QTest::newRow("nothing beside the adapter and nothing on the search path") << QString() << missing;
        QTest::newRow("a CLIPWRIGHT_YTDLP naming a missing file") << "/nonexistent/yt-dlp" << missing;
        // As yt-dlp 2021.06 answers: it knows no progress template yet.
        QTest::newRow("a yt-dlp too old for an option names the version found and the one needed")
            << "#!/bin/sh\n[ \"$1\" = --version ] && { echo 2021.06.01; exit 0; }\n"
               "printf 'Usage: yt-dlp [OPTIONS] URL [URL...]\\n\\n' >&2\n"
               "echo 'yt-dlp: error: no such option: --progress-template' >&2\nexit 2\n"
            << QByteArray(
                   "ERROR: yt-dlp 2021.06.01 is too old: --progress-template needs yt-dlp 2021.10.09 or newer\n");
    }
    void unusableYtdlpGivesOneErrorLine()
    {
        QFETCH(QString, fromEnvironment);
        QFETCH(QByteArray, error);
        const QString alone = newFolder(QStringLiteral("alone"));
        QVERIFY(QFile::copy(m_adapter, alone + QStringLiteral("/youtubedl")));
        QProcessEnvironment env = adapterEnvironment();
        env.insert(QStringLiteral("PATH"), newFolder(QStringLiteral("empty path")));
        if (fromEnvironment.startsWith(QLatin1String("#!"))) {
            const QString script = newFolder(QStringLiteral("old")) + QStringLiteral("/yt-dlp");
            QVERIFY(writeFile(script, fromEnvironment.toUtf8()));
            QVERIFY(QFile::setPermissions(script, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
            fromEnvironment = script;
        }
        if (!fromEnvironment.isEmpty())
            env.insert(QStringLiteral("CLIPWRIGHT_YTDLP"), fromEnvironment);
        const RunResult r =
            run(video(QString(), {}, QString(), QString(), alone + "/video.mp4", url("/media/clip.mp4")),
                alone + QStringLiteral("/youtubedl"), env);
        QVERIFY(r.exitCode > 0);
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
        const RunResult r = run({"--proxy", "http://127.0.0.1:9", "--no-warnings", "--ignore-errors", "--skip-download",
                                 "--some-future-option", "--list-subs", odd},
                                program, env);
        QCOMPARE(r.exitCode, 3);
        QList<QByteArray> args = readAll(folder + QStringLiteral("/args")).split('\0');
        QVERIFY(!args.isEmpty());
        args.removeLast();
        for (const char *expected :
             {"--ignore-config", "--no-colors", "--newline", "--some-future-option", "--ignore-errors", "-J"})
            QVERIFY2(args.contains(expected), expected);
        QVERIFY(!args.contains("--list-subs"));
        QCOMPARE(args.value(args.indexOf("--proxy") + 1), QByteArray("http://127.0.0.1:9"));
        QCOMPARE(args.last(), odd.toUtf8());
        // ffmpeg copied beside the adapter is the one yt-dlp gets.
        const int location = args.indexOf("--ffmpeg-location");
        QCOMPARE(location >= 0, throughEnvironment);
        if (throughEnvironment)
            QCOMPARE(args.value(location + 1), m_toolFolder.toUtf8());
    }

    void anUnavailableFragmentLeavesTheFileIncomplete()
    {
        const QString manifest = url(QStringLiteral("/dash-hole/manifest.mpd"));
        const QString format = formatOf(m_adapter, manifest, QStringLiteral("DashVideo"));
        QVERIFY(!format.isEmpty());
        const QString target = newFolder(QStringLiteral("hole")) + QStringLiteral("/hole.mp4");
        const RunResult r = run(video(QString(), {}, QString(), format, target, manifest));
        // yt-dlp would skip the segment and call the file done; the program must see it incomplete.
        QVERIFY(r.exitCode != 0);
        QVERIFY2(!readTransfer(r.out).reached100, r.out.constData());
        QVERIFY(QFile::exists(target + QStringLiteral(".ytdl")));
        QVERIFY(readAll(target).size() < m_media.value("dash").size());
    }

    void anInterruptedTransferKeepsItsPartAndResumes_data()
    {
        QTest::addColumn<QString>("how");
        QTest::newRow("the server drops the connection") << "dropped";
        QTest::newRow("a killed adapter takes yt-dlp with it") << "killed";
        QTest::newRow("a terminated adapter takes yt-dlp with it") << "terminated";
    }
    void anInterruptedTransferKeepsItsPartAndResumes()
    {
        QFETCH(QString, how);
        const QString name = how + QStringLiteral("-7f3a.mp4");
        const QString media = QStringLiteral("/media/") + name;
        const QByteArray blob = m_media.value("blob");
        // A stalled server leaves yt-dlp silent in a read: it cannot notice a vanished adapter by
        // a failed write and has to be stopped by the adapter's death itself.
        LocalHttpServer::Options options;
        if (how == QLatin1String("dropped")) {
            options.dropAtOffset = 100000;
        } else {
            options.bytesPerSecond = 100000;
            options.stallAtOffset = 60000;
        }
        m_server.addData(media, blob, "video/mp4", options);
        const QString target = newFolder(QStringLiteral("interrupted")) + QLatin1Char('/') + name;
        const QString marker = target + QStringLiteral(".ytdl");
        const QStringList args = video(QString(), {}, QString(), QString(), target, url(media));
        QByteArray out;
        if (how == QLatin1String("dropped")) {
            const RunResult r = run(args);
            QVERIFY(r.exitCode != 0);
            out = r.out;
        } else {
            QProcess adapter;
            adapter.setProcessEnvironment(adapterEnvironment());
            adapter.start(m_adapter, args);
            QVERIFY(adapter.waitForStarted(10000));
            QTRY_VERIFY_WITH_TIMEOUT(m_server.hasStalled(media), 30000);
            QTRY_VERIFY_WITH_TIMEOUT(QFileInfo(target).size() > 0, 10000);
            QVERIFY2(QFile::exists(marker), "no marker while the file is incomplete");
            QVERIFY(StandIn::processMentions(name.toUtf8()));
            if (how == QLatin1String("killed"))
                adapter.kill();
            else
                adapter.terminate();
            QVERIFY(adapter.waitForFinished(5000));
            // yt-dlp would wait out its 20-second socket time-out if nothing stopped it.
            QTRY_VERIFY_WITH_TIMEOUT(!StandIn::processMentions(name.toUtf8()), 4000);
            out = adapter.readAllStandardOutput();
        }
        const qint64 partial = QFileInfo(target).size();
        QVERIFY(partial > 0 && partial <= qMax(options.dropAtOffset, options.stallAtOffset));
        if (how == QLatin1String("dropped"))
            QCOMPARE(partial, options.dropAtOffset);
        QCOMPARE(readAll(target), blob.left(int(partial)));
        QVERIFY(QFile::exists(marker));
        QVERIFY(!readTransfer(out).reached100);

        m_server.setOptions(media, LocalHttpServer::Options());
        m_server.clearRequests();
        const RunResult resumed = run(args);
        QVERIFY2(resumed.exitCode == 0, resumed.err.constData());
        QCOMPARE(readAll(target), blob);
        QVERIFY(!QFile::exists(marker));
        QVERIFY(readTransfer(resumed.out).reached100);
        QVERIFY2(rangeAsked(media, partial), "the transfer started over instead of resuming");
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
        const QStringList args = video(QString(), {}, QString(), QString(), folder + "/x.mp4", url("/media/clip.mp4"));
        // The writer ignores SIGTERM, as an ffmpeg busy finishing its file may.
        QProcess parent;
        parent.setProcessEnvironment(env);
        if (orphaned)
            parent.start(QStringLiteral("/bin/sh"), QStringList{"-c", "\"$0\" \"$@\" & wait", m_adapter} + args);
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
        const QByteArray data = m_media.value("blob").left(160 * 1024);
        m_server.addData(media, data, "video/mp4");
        const QString target = newFolder(QStringLiteral("limited")) + QStringLiteral("/limited.mp4");
        const double limit = 64 * 1024;
        const RunResult r = run(video(QString(), {}, QStringLiteral("64K"), QString(), target, url(media)));
        QVERIFY2(r.exitCode == 0, r.err.constData());
        QCOMPARE(readAll(target), data);
        // The rate is read from the progress lines as they arrive, so start-up time does not count.
        QList<QPair<qint64, double>> points; // arrival, hundredths of a percent
        for (const auto &line : r.stampedLines) {
            const TransferRead read = readTransfer(line.second);
            if (!read.progress.isEmpty())
                points.append({line.first, read.progress.first()});
        }
        QVERIFY(points.size() >= 3);
        const double bytes = (points.last().second - points.first().second) / 10000 * data.size();
        const double seconds = (points.last().first - points.first().first) / 1000.0;
        QVERIFY(seconds > 0);
        QVERIFY2(bytes / seconds < limit * 1.5, qPrintable(QStringLiteral("%1 bytes per second").arg(bytes / seconds)));
    }
};

CW_TEST_MAIN(TestAdapter)
#include "tst_adapter.moc"
