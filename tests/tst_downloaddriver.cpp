// The download driver against real child processes: the fake downloader for every
// job chain, retry, cache shortcut and proxy fallback, and the real ffmpeg for
// merging, converting and subtitles.

#include "app/appenv.h"
#include "app/folders.h"
#include "app/settings.h"
#include "app/startup.h"
#include "engine/downloaddriver.h"
#include "engine/proxy.h"
#include "engine/workfolder.h"
#include "external/mydecoder.h"
#include "fakes/fakescenario.h"
#include "testlib/localhttpserver.h"
#include "testlib/standin.h"
#include "testlib/testenv.h"

#include <QDir>
#include <QProcess>
#include <QScopeGuard>
#include <QSignalSpy>

using Job = FakeScenario::Job;
using Behaviour = FakeScenario::Behaviour;

namespace
{
const QString kUrl = QStringLiteral("https://127.0.0.1/watch?v=abc'123");

QString ffprobeAudioCodec(const QString &path)
{
    QProcess p;
    p.start(QStringLiteral("ffprobe"), {"-v", "error", "-select_streams", "a:0", "-show_entries", "stream=codec_name",
                                        "-of", "default=noprint_wrappers=1:nokey=1", path});
    p.waitForFinished(10000);
    return QString::fromUtf8(p.readAllStandardOutput()).trimmed();
}

QByteArray readFile(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QStringList proxiesOf(const QVector<FakeScenario::Run> &runs)
{
    QStringList out;
    for (const auto &r : runs)
        out << r.proxy();
    return out;
}
} // namespace

class TestDownloadDriver : public QObject
{
    Q_OBJECT

    QString m_root;
    QString m_media; // fixtures, made once
    QString m_out;
    QString m_cache;
    std::unique_ptr<FakeScenario> m_scenario;
    int m_case = 0;

    QString fixture(const QString &name) const
    {
        return m_media + QLatin1Char('/') + name;
    }

    // Every case starts from a scenario whose info lists a combined mp4, a video-only mp4, a
    // webm and audio, the audio worst first as a large site lists it.
    void standardScenario()
    {
        const auto audio = [](const char *id, const char *ext, const char *codec, double abr, qint64 size) {
            QJsonObject f = FakeMedia::format(id, ext, 0, 0, "", codec, size);
            f.insert("abr", abr);
            return f;
        };
        m_scenario->setInfoJson(FakeMedia::infoJson(
            QStringLiteral("abc123"), QStringLiteral("My \"Clip\": it's here?"),
            {audio("599", "m4a", "mp4a.40.5", 30.9, 20000), audio("139", "m4a", "mp4a.40.5", 48.8, 30000),
             audio("140", "m4a", "mp4a.40.2", 129.5, 40000), FakeMedia::format("250", "opus", 0, 0, "", "opus", 30000),
             FakeMedia::format("18", "mp4", 160, 90, "avc1.42001E", "mp4a.40.2", 90000),
             FakeMedia::format("137", "mp4", 320, 180, "avc1.640028", "", 80000, "DASH video"),
             FakeMedia::format("243", "webm", 480, 270, "vp9", "opus", 70000),
             FakeMedia::format("248", "webm", 640, 360, "vp9", "", 60000, "DASH video")}));
        m_scenario->setFormatFile(QStringLiteral("248"), fixture(QStringLiteral("mute.webm")));
        m_scenario->setFormatFile(QStringLiteral("18"), fixture(QStringLiteral("sound.mp4")));
        m_scenario->setFormatFile(QStringLiteral("137"), fixture(QStringLiteral("mute.mp4")));
        for (const char *id : {"599", "139", "140"})
            m_scenario->setFormatFile(QLatin1String(id), fixture(QStringLiteral("voice.m4a")));
        m_scenario->setFormatFile(QStringLiteral("250"), fixture(QStringLiteral("voice.opus")));
        m_scenario->setFormatFile(QStringLiteral("243"), fixture(QStringLiteral("sound.webm")));
        m_scenario->setSubtitleCodes({QStringLiteral("en"), QStringLiteral("fr")}, {QStringLiteral("de")});
    }

    // An application folder with the built adapter in place of the fake, made once.
    QString realAppFolder()
    {
        const QString real = m_root + QStringLiteral("/app-real");
        if (!QFile::exists(real + QStringLiteral("/youtubedl")))
            TestEnv::makeRealApplicationFolder(real);
        return real;
    }

    // Analysing and downloading write the scenario as the case has set it up.
    bool analyse(YoutobeDownloadObj &d, const QString &url = kUrl)
    {
        if (!m_scenario->write())
            return false;
        QSignalSpy done(&d, &YoutobeDownloadObj::getInfoFinished);
        d.getInfo(url);
        return done.count() == 1 || done.wait(20000);
    }

    // Starts the download of an analysed link into folder (the case's output folder if empty).
    MediaInfo *start(YoutobeDownloadObj &d, const QString &formatId, const QString &convertExt = QString(),
                     const QString &folder = QString())
    {
        MediaInfo *m = d.mediaInfo();
        m->selectFormatById(formatId);
        d.m_formatId = formatId;
        d.m_outputFolder = folder.isEmpty() ? m_out : folder;
        d.m_convertExt = convertExt;
        d.startDownload(m);
        return m;
    }

    // Analyses, selects the format and downloads; returns the media's final state.
    int download(YoutobeDownloadObj &d, const QString &formatId, const QString &convertExt = QString(),
                 const QString &folder = QString())
    {
        if (!d.mediaInfo() && !analyse(d))
            return -1;
        if (!d.mediaInfo() || !m_scenario->write())
            return -2;
        QSignalSpy finished(&d, &YoutobeDownloadObj::downloadFinished);
        MediaInfo *m = start(d, formatId, convertExt, folder);
        if (finished.count() == 0 && !finished.wait(30000))
            return -3;
        return m->state;
    }

    // Runs the case with another application folder (and yt-dlp, if given).
    auto useAppFolder(const QString &folder, const QString &ytdlp = QString())
    {
        const QString app = appDirPath();
        setAppDirPath(folder);
        if (!ytdlp.isEmpty())
            qputenv("CLIPWRIGHT_YTDLP", QFile::encodeName(ytdlp));
        return qScopeGuard([app]() {
            setAppDirPath(app);
            qunsetenv("CLIPWRIGHT_YTDLP");
        });
    }

private slots:
    void initTestCase()
    {
        m_root = TestEnv::root() + QStringLiteral("/tmp");
        m_media = m_root + QStringLiteral("/media");
        QDir().mkpath(m_media);
        QVERIFY(FakeMedia::makeClip(fixture(QStringLiteral("sound.mp4")), 2, true, true));
        QVERIFY(FakeMedia::makeClip(fixture(QStringLiteral("mute.mp4")), 2, true, false));
        QVERIFY(FakeMedia::makeClip(fixture(QStringLiteral("voice.m4a")), 2, false, true));
        QVERIFY(FakeMedia::makeClip(fixture(QStringLiteral("voice.opus")), 2, false, true));
        QVERIFY(FakeMedia::makeClip(fixture(QStringLiteral("sound.webm")), 1, true, true));
        QVERIFY(FakeMedia::makeClip(fixture(QStringLiteral("mute.webm")), 1, true, false));
        QVERIFY(FakeMedia::makeJpeg(fixture(QStringLiteral("poster.jpg"))));
        // The application folder: the fake as the downloader, the real ffmpeg and decoder.
        const QString app = m_root + QStringLiteral("/app");
        QDir().mkpath(app);
        QVERIFY(FakeScenario::installAs(app + QStringLiteral("/youtubedl")));
        for (const char *tool : {"ffmpeg", "ffprobe"})
            QVERIFY(QFile::link(QStringLiteral("/usr/bin/") + QLatin1String(tool),
                                app + QLatin1Char('/') + QLatin1String(tool)));
        QVERIFY(QFile::copy(TestEnv::binDir() + QStringLiteral("/libMyDecoder.so"),
                            app + QStringLiteral("/libMyDecoder.so")));
        setAppDirPath(app);
    }

    void init()
    {
        ++m_case;
        TestEnv::clearSettings();
        setProxyString(QString());
        setRateLimitText(QString());
        qunsetenv("http_proxy");
        m_cache = m_root + QStringLiteral("/cache%1").arg(m_case);
        m_out = m_root + QStringLiteral("/out%1").arg(m_case);
        QDir().mkpath(m_cache);
        QDir().mkpath(m_out);
        Settings::writeText(Settings::Key::DownloadTempFolder, m_cache);
        deleteStaleDownloaderCopy();
        m_scenario = std::make_unique<FakeScenario>(m_root + QStringLiteral("/scenario%1").arg(m_case));
        standardScenario();
    }

    // The first analysis runs the info, thumbnail and subtitle-list jobs once each (a
    // listing that says "no subtitles" is an answer too); a second one within five days
    // runs nothing and extends the reuse.
    void anAnalysisRunsEachJobOnceAndIsReusedForFiveDays_data()
    {
        QTest::addColumn<QStringList>("subtitles");
        QTest::addColumn<QStringList>("captions");
        QTest::newRow("subtitles and automatic captions") << QStringList{"en", "fr"} << QStringList{"de"};
        QTest::newRow("automatic captions alone") << QStringList() << QStringList{"en"};
        QTest::newRow("neither") << QStringList() << QStringList();
    }
    void anAnalysisRunsEachJobOnceAndIsReusedForFiveDays()
    {
        QFETCH(QStringList, subtitles);
        QFETCH(QStringList, captions);
        m_scenario->setSubtitleCodes(subtitles, captions);
        const bool found = !subtitles.isEmpty() || !captions.isEmpty();
        {
            YoutobeDownloadObj d;
            QVERIFY(analyse(d));
            QVERIFY(d.m_infoReady);
            QCOMPARE(d.mediaInfo()->id, QStringLiteral("abc123"));
            QCOMPARE(d.m_subtitlesFound, found);
            QCOMPARE(d.m_retryCount, YoutobeDownloadObj::kAttempts);
            QVERIFY(QFile::exists(d.m_workFolder + QStringLiteral("/thumb.jpg")));
            QCOMPARE(d.m_workFolder, WorkFolder::pathFor(m_cache, kUrl));
            QStringList jobs;
            for (const auto &run : m_scenario->loggedRuns())
                jobs << run.job;
            QCOMPARE(jobs, (QStringList{"info", "thumbnail", "subtitleList"}));
            QCOMPARE(m_scenario->loggedRuns().first().url(), kUrl);
            // The program runs its private copy, not the application folder's file.
            QCOMPARE(m_scenario->loggedRuns().first().program, toolTempFolder() + QStringLiteral("/youtubedl"));
            QVERIFY(QFile::exists(toolTempFolder() + QStringLiteral("/ffmpeg")));
            ItemStateFile(d.m_workFolder)
                .setValue(QStringLiteral("LoadJsonDate"), QDate::currentDate().addDays(-3).toString("yyyy-MM-dd"));
        }
        m_scenario->resetState();
        YoutobeDownloadObj again;
        QVERIFY(analyse(again));
        QVERIFY(again.m_infoReady);
        QCOMPARE(m_scenario->loggedRuns().size(), 0);
        QCOMPARE(again.m_subtitlesFound, found);
        QCOMPARE(again.m_subtitleLangs, subtitles);
        QCOMPARE(again.m_autoCaptionLangs, captions);
        QCOMPARE(ItemStateFile(again.m_workFolder).value(QStringLiteral("LoadJsonDate"), QString()),
                 QDate::currentDate().toString("yyyy-MM-dd"));
    }

    void privateCopiesFollowAnUpgradeOfTheirSources()
    {
        {
            YoutobeDownloadObj first;
            QVERIFY(analyse(first));
        }
        // An upgrade of the program and of ffmpeg: files of other sizes take the old places.
        const QString app = appDirPath();
        const auto upgrade = [&app](const QString &name, const QString &from) {
            const QString path = app + QLatin1Char('/') + name;
            QFile::remove(path);
            QFile file(path);
            return QFile::copy(from, path) && file.open(QIODevice::Append) && file.write("\0upgraded", 9) == 9;
        };
        const auto restore = qScopeGuard([&app]() {
            QFile::remove(app + QStringLiteral("/ffmpeg"));
            QFile::link(QStringLiteral("/usr/bin/ffmpeg"), app + QStringLiteral("/ffmpeg"));
            FakeScenario::installAs(app + QStringLiteral("/youtubedl"));
        });
        QVERIFY(upgrade(QStringLiteral("youtubedl"), FakeScenario::program()));
        QVERIFY(upgrade(QStringLiteral("ffmpeg"), QStringLiteral("/usr/bin/ffmpeg")));
        YoutobeDownloadObj again;
        QVERIFY(analyse(again, kUrl + QStringLiteral("&upgraded=1")));
        QVERIFY(again.m_infoReady);
        for (const char *tool : {"youtubedl", "ffmpeg"})
            QCOMPARE(readFile(toolTempFolder() + QLatin1Char('/') + QLatin1String(tool)),
                     readFile(app + QLatin1Char('/') + QLatin1String(tool)));
    }

    // Failing info attempts go on through the desktop's proxy from the third; one that works
    // keeps its proxy for the rest of the run.
    void theSystemProxyIsTriedFromTheThirdAttempt_data()
    {
        QTest::addColumn<int>("failures");
        QTest::addColumn<QStringList>("proxies");
        QTest::addColumn<QString>("kept");
        const QString http = QStringLiteral("http://proxy.example:3128"), socks = "socks5://proxy.example:3128";
        QTest::newRow("five failures: two direct, then http, then socks5")
            << -1 << QStringList{"", "", http, socks, socks} << QString();
        QTest::newRow("the third attempt works: its proxy is kept") << 2 << QStringList{"", "", http} << http;
    }
    void theSystemProxyIsTriedFromTheThirdAttempt()
    {
        QFETCH(int, failures);
        QFETCH(QStringList, proxies);
        QFETCH(QString, kept);
        m_scenario->failJob(Job::Info, failures, Behaviour::Silent);
        qputenv("http_proxy", "proxy.example:3128");
        YoutobeDownloadObj d;
        QVERIFY(analyse(d));
        qunsetenv("http_proxy");
        QCOMPARE(d.m_infoReady, !kept.isEmpty());
        QCOMPARE(proxiesOf(m_scenario->loggedRuns(Job::Info)), proxies);
        QCOMPARE(proxyString(), kept);
        if (d.m_infoReady)
            QCOMPARE(m_scenario->loggedRuns(Job::Thumbnail).first().proxy(), kept);
    }

    // The downloader's every run goes through the configured proxy; a second download of
    // the same format finds the finished file and starts no process.
    void aCombinedFormatDownloadsPlainlyAndOnlyOnce()
    {
        setProxyString(QStringLiteral("socks5://10.1.1.1:1080"));
        YoutobeDownloadObj d;
        QCOMPARE(download(d, QStringLiteral("18")), int(MediaInfo::StateFinished));
        MediaInfo *m = d.mediaInfo();
        QCOMPARE(m->progress, 10000.0);
        QCOMPARE(m->finalPath, m_out + QStringLiteral("/My Clip its here.mp4"));
        QVERIFY(QFile::exists(m->finalPath));
        QVERIFY(!QFile::exists(m->tempPath));
        QCOMPARE(ItemStateFile(d.m_workFolder).completedFinalPath(m->tempPath), m->finalPath);
        const auto transfer = m_scenario->loggedRuns(Job::Download).first();
        QCOMPARE(transfer.valueOf(QStringLiteral("-f")), QStringLiteral("18"));
        QCOMPARE(transfer.valueOf(QStringLiteral("-o")), m->tempPath);
        QCOMPARE(m->tempPath, m_cache + QLatin1Char('/') + WorkFolder::tempName(kUrl, "18", QString()) + ".mp4");
        for (const auto &run : m_scenario->loggedRuns())
            QCOMPARE(run.args.mid(0, 3), (QStringList{"--proxy", "socks5://10.1.1.1:1080", "--no-warnings"}));
        m_scenario->resetState();
        YoutobeDownloadObj again;
        QCOMPARE(download(again, QStringLiteral("18")), int(MediaInfo::StateFinished));
        QCOMPARE(again.mediaInfo()->finalPath, m->finalPath);
        QCOMPARE(m_scenario->loggedRuns(Job::Download).size(), 0);
    }

    void anUnavailableFormatMovesToTheNext()
    {
        m_scenario->setFormatError(QStringLiteral("243"), QStringLiteral("unavailable"));
        YoutobeDownloadObj d;
        QCOMPARE(download(d, QStringLiteral("243")), int(MediaInfo::StateFinished));
        const auto runs = m_scenario->loggedRuns(Job::Download);
        QVERIFY(runs.size() >= 2);
        QCOMPARE(runs[0].valueOf(QStringLiteral("-f")), QStringLiteral("243"));
        QVERIFY(runs[1].valueOf(QStringLiteral("-f")) != QLatin1String("243"));
        QCOMPARE(d.m_formatId, runs[1].valueOf(QStringLiteral("-f")));
    }

    void aTransferStoppingShortFailsAfterFiveAttempts()
    {
        m_scenario->stopTransfersAt(50);
        // Someone else's file already has the final name: it must survive the failure.
        const QString theirs = m_out + QStringLiteral("/My Clip its here.mp4");
        QFile f(theirs);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("not ours");
        f.close();
        YoutobeDownloadObj d;
        QCOMPARE(download(d, QStringLiteral("18")), int(MediaInfo::StateFailed));
        QCOMPARE(m_scenario->loggedRuns(Job::Download).size(), 5);
        QVERIFY(QFile::exists(d.mediaInfo()->tempPath));
        QVERIFY(QFile::exists(d.mediaInfo()->tempPath + QStringLiteral(".ytdl")));
        QVERIFY(QFile::exists(theirs));
        QCOMPARE(QFileInfo(theirs).size(), qint64(8));
    }

    void everyFreshStartGetsAllAttempts()
    {
        // Analysis ends with a spent budget when the subtitle list never answers; the
        // download must not inherit it.
        m_scenario->failJob(Job::SubtitleList, -1, Behaviour::Silent);
        m_scenario->failTransfers(2, 30);
        YoutobeDownloadObj d;
        QVERIFY(analyse(d));
        QCOMPARE(d.m_retryCount, 0);
        QCOMPARE(download(d, QStringLiteral("18")), int(MediaInfo::StateFinished));
        QCOMPARE(m_scenario->loggedRuns(Job::Download).size(), 3);
    }

    // The best audio is merged in; webm takes only Vorbis or Opus, so the mp3 treatment
    // must not break its merge.
    void aVideoWithoutSoundGetsItsAudioMerged_data()
    {
        QTest::addColumn<QString>("video");
        QTest::addColumn<bool>("optimizing");
        QTest::addColumn<QString>("audio");
        QTest::addColumn<QString>("codec");
        QTest::newRow("mp4: the best m4a copied as it is") << "137" << false << "140" << QStringLiteral("aac");
        QTest::newRow("mp4: made mp3 when optimizing") << "137" << true << "140" << QStringLiteral("mp3");
        QTest::newRow("webm: opus kept even when optimizing") << "248" << true << "250" << QStringLiteral("opus");
    }
    void aVideoWithoutSoundGetsItsAudioMerged()
    {
        QFETCH(QString, video);
        QFETCH(bool, optimizing);
        QFETCH(QString, audio);
        QFETCH(QString, codec);
        Settings::writeSwitch(Settings::Key::OptimizingAudio, optimizing);
        if (audio == QLatin1String("250"))
            for (const char *id : {"599", "139", "140"})
                m_scenario->setFormatError(QLatin1String(id), QStringLiteral("unavailable"));
        YoutobeDownloadObj d;
        QCOMPARE(download(d, video), int(MediaInfo::StateFinished));
        const QString finalPath = d.mediaInfo()->finalPath;
        QCOMPARE(QFileInfo(finalPath).suffix(), video == QLatin1String("137") ? "mp4" : "webm");
        const DecoderMediaInfo info = decoderMediaInfo(finalPath);
        QVERIFY(info.result == 0 && info.hasVideo && info.hasAudio);
        QCOMPARE(ffprobeAudioCodec(finalPath), codec);
        QCOMPARE(m_scenario->loggedRuns(Job::Download).last().valueOf(QStringLiteral("-f")), audio);
        // Temporary parts are gone once the merged file is in place.
        QVERIFY(!QFile::exists(d.mediaInfo()->tempPath));
        QVERIFY(!QFile::exists(d.m_audioTempPath));
    }

    void aMergeWithoutFfmpegFailsAndKeepsItsParts()
    {
        YoutobeDownloadObj d;
        QVERIFY(analyse(d)); // copies the downloader into the private folder
        const QString bare = m_root + QStringLiteral("/app-without-ffmpeg");
        QDir().mkpath(bare);
        QFile::copy(appDirPath() + QStringLiteral("/libMyDecoder.so"), bare + QStringLiteral("/libMyDecoder.so"));
        const auto restore = useAppFolder(bare);
        QCOMPARE(download(d, QStringLiteral("137")), int(MediaInfo::StateFailed));
        QVERIFY(QFile::exists(d.mediaInfo()->tempPath));
        QVERIFY(QFile::exists(d.m_audioTempPath));
        QVERIFY(!QFile::exists(d.mediaInfo()->finalPath));
    }

    void aConfirmedVideoIsTakenOverOnResume()
    {
        m_scenario->failTransfers(-1, 0, Behaviour::Silent, QStringLiteral("140"));
        YoutobeDownloadObj d;
        QCOMPARE(download(d, QStringLiteral("137")), int(MediaInfo::StateFailed));
        QCOMPARE(m_scenario->loggedRuns(Job::Download).first().valueOf("-f"), QStringLiteral("137"));
        m_scenario->resetState();
        m_scenario->root().remove("formats");
        standardScenario();
        QCOMPARE(download(d, QStringLiteral("137")), int(MediaInfo::StateFinished));
        // The video was not fetched again: only the audio was.
        const auto runs = m_scenario->loggedRuns(Job::Download);
        QCOMPARE(runs.size(), 1);
        QCOMPARE(runs.first().valueOf(QStringLiteral("-f")), QStringLiteral("140"));
    }

    // The subtitles land beside the final file, under the name actually used: a name taken
    // by a file or by a subtitle of the user's numbers both, and nothing of theirs is touched.
    // (A webm converted to mp4 is checked on the way.)
    void subtitlesFollowTheNameActuallyUsed_data()
    {
        QTest::addColumn<QString>("format");
        QTest::addColumn<QString>("convertExt");
        QTest::addColumn<QStringList>("theirs");
        QTest::addColumn<QString>("finalName");
        QTest::newRow("a free name") << "18" << QString() << QStringList() << "My Clip its here.mp4";
        QTest::newRow("a conversion into a taken name numbers the file and its subtitles")
            << "243" << QStringLiteral("mp4") << QStringList{"My Clip its here.mp4", "My Clip its here.fr.vtt"}
            << "My Clip its here (0).mp4";
        QTest::newRow("a subtitle of that name already there numbers the download")
            << "18" << QString() << QStringList{"My Clip its here.fr.vtt"} << "My Clip its here (0).mp4";
    }
    void subtitlesFollowTheNameActuallyUsed()
    {
        QFETCH(QString, format);
        QFETCH(QString, convertExt);
        QFETCH(QStringList, theirs);
        QFETCH(QString, finalName);
        for (const QString &name : theirs) {
            QFile f(m_out + QLatin1Char('/') + name);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write("the user's own");
        }
        m_scenario->setSubtitleContent(QStringLiteral("fr"),
                                       QStringLiteral("WEBVTT\n\n00:00.000 --> 00:01.000\nBonjour\n"));
        YoutobeDownloadObj d;
        QVERIFY(analyse(d));
        d.m_subtitleEnabled = true;
        d.m_subtitleLang = QStringLiteral("fr");
        QCOMPARE(download(d, format, convertExt), int(MediaInfo::StateFinished));
        QCOMPARE(d.mediaInfo()->finalPath, m_out + QLatin1Char('/') + finalName);
        QCOMPARE(decoderMediaInfo(d.mediaInfo()->finalPath).result, 0);
        QVERIFY(!QFile::exists(d.m_convertOutputPath));
        const QString stem = d.mediaInfo()->finalPath.chopped(3);
        QVERIFY(readFile(stem + QStringLiteral("fr.vtt")).contains("Bonjour"));
        QVERIFY(QFile::exists(stem + QStringLiteral("fr.srt")));
        QCOMPARE(m_scenario->loggedRuns(Job::Download).first().valueOf(QStringLiteral("--sub-lang")), "fr");
        for (const QString &name : theirs)
            QCOMPARE(readFile(m_out + QLatin1Char('/') + name), QByteArray("the user's own"));
    }

    void withoutKnownLanguagesTheSubtitlesOnlyJobFollows()
    {
        m_scenario->setSubtitleCodes({QStringLiteral("en")}, {});
        YoutobeDownloadObj d;
        QVERIFY(analyse(d));
        d.m_subtitleLangs.clear();
        d.m_autoCaptionLangs.clear();
        d.m_subtitleEnabled = true;
        d.m_subtitleLang = QStringLiteral("de");
        QCOMPARE(download(d, QStringLiteral("18")), int(MediaInfo::StateFinished));
        const auto only = m_scenario->loggedRuns(Job::Subtitles);
        QCOMPARE(only.size(), 1);
        QCOMPARE(only.first().valueOf(QStringLiteral("--sub-lang")), QStringLiteral("en"));
        QVERIFY(QFile::exists(d.mediaInfo()->finalPath.chopped(3) + QStringLiteral("en.vtt")));
    }

    void aFileWithItsOwnSoundFillsTheBarAndNamesItsSize()
    {
        // No size in the info: the transfer's own lines name it.
        m_scenario->root().remove("formats");
        m_scenario->setInfoJson(FakeMedia::infoJson(QStringLiteral("whole1"), QStringLiteral("Whole"),
                                                    {FakeMedia::format("18", "mp4", 160, 90, "avc1", "mp4a", 0)}));
        m_scenario->setFormatSize(QStringLiteral("18"), 200000);
        m_scenario->setPacing(20, 0);
        m_scenario->hangTransfersAt(95);
        YoutobeDownloadObj d;
        QVERIFY(analyse(d));
        QCOMPARE(d.mediaInfo()->formats().first().fileSizeBytes, qint64(0));
        MediaInfo *m = start(d, QStringLiteral("18"));
        // No audio part follows, so 95 % of the transfer is 95 % of the bar, not 85.5 %.
        QTRY_VERIFY_WITH_TIMEOUT(m->progress > 9499, 10000);
        QVERIFY2(qAbs(m->selectedFileSize() - 200000) < 1000, qPrintable(QString::number(m->selectedFileSize())));
        d.stop();
    }

    void aPausedMergeLeavesNoFfmpegRunning()
    {
        // An ffmpeg that takes its time: a stand-in that waits until it is killed.
        const QString slow = m_root + QStringLiteral("/app-slow-ffmpeg");
        QVERIFY(QDir().mkpath(slow));
        QVERIFY(FakeScenario::installAs(slow + QStringLiteral("/youtubedl")));
        QFile::copy(appDirPath() + QStringLiteral("/libMyDecoder.so"), slow + QStringLiteral("/libMyDecoder.so"));
        QFile ffmpeg(slow + QStringLiteral("/ffmpeg"));
        QVERIFY(ffmpeg.open(QIODevice::WriteOnly));
        ffmpeg.write("#!/bin/sh\nwhile :; do sleep 1; done\n");
        ffmpeg.close();
        ffmpeg.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        const auto restore = useAppFolder(slow);
        YoutobeDownloadObj d;
        QVERIFY(analyse(d));
        const QByteArray merging = start(d, QStringLiteral("243"), QStringLiteral("mp4"))->tempPath.toUtf8();
        QTRY_VERIFY_WITH_TIMEOUT(StandIn::processMentions(merging), 10000);
        d.stop();
        QTRY_VERIFY_WITH_TIMEOUT(!StandIn::processMentions(merging), 2000);
    }

    // Five attempts, then the analysis ends without a record.
    void aMissingOrBrokenDownloaderEndsTheAnalysis_data()
    {
        QTest::addColumn<QString>("how");
        QTest::addColumn<int>("runs");
        QTest::newRow("the downloader is missing") << "missing" << 0;
        QTest::newRow("the downloader crashes") << "crash" << 5;
        QTest::newRow("the downloader prints garbage") << "garbage" << 5;
        QTest::newRow("the downloader writes a broken info file") << "broken" << 5;
    }
    void aMissingOrBrokenDownloaderEndsTheAnalysis()
    {
        QFETCH(QString, how);
        QFETCH(int, runs);
        const auto restore = useAppFolder(how == QLatin1String("missing") ? m_root + "/empty-app" : appDirPath());
        if (how == QLatin1String("crash") || how == QLatin1String("garbage"))
            m_scenario->setMode(how == QLatin1String("crash") ? Behaviour::Crash : Behaviour::Garbage);
        if (how == QLatin1String("broken")) {
            const QString broken = m_root + QStringLiteral("/broken%1.info.json").arg(m_case);
            QFile f(broken);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write("{\"id\": \"abc123\", \"formats\": [ {\"format_id\": ");
            f.close();
            m_scenario->root().insert("info", QJsonObject{{"file", broken}, {"id", "abc123"}});
        }
        YoutobeDownloadObj d;
        QVERIFY(analyse(d));
        QVERIFY(!d.m_infoReady);
        QVERIFY(!d.mediaInfo());
        QCOMPARE(m_scenario->loggedRuns(Job::Info).size(), runs);
    }

    // The download folder was deleted while the download ran: it is made again. Only a
    // folder that cannot be made fails, and the download stays in the cache for a retry.
    void theOutputFolderIsMadeAgainWhenItCanBe_data()
    {
        QTest::addColumn<QString>("folder");
        QTest::addColumn<bool>("finished");
        QTest::newRow("a deleted folder is made again") << "/deleted/Videos" << true;
        QTest::newRow("a folder under a plain file cannot be made") << "/a-file/Videos" << false;
    }
    void theOutputFolderIsMadeAgainWhenItCanBe()
    {
        QFETCH(QString, folder);
        QFETCH(bool, finished);
        QFile plain(m_root + QStringLiteral("/a-file"));
        QVERIFY(plain.open(QIODevice::WriteOnly));
        plain.close();
        QDir(m_root + QStringLiteral("/deleted")).removeRecursively();
        YoutobeDownloadObj d;
        QCOMPARE(download(d, QStringLiteral("18"), QString(), m_root + folder) == MediaInfo::StateFinished, finished);
        if (finished)
            QVERIFY(QFileInfo(d.mediaInfo()->finalPath).absolutePath() == m_root + folder
                    && QFileInfo::exists(d.mediaInfo()->finalPath));
        else
            QVERIFY(QFile::exists(d.mediaInfo()->tempPath));
    }

    void theRealAdapterAnalysesALinkWithOneExtraction_data()
    {
        QTest::addColumn<bool>("current");
        QTest::addColumn<bool>("subtitles");
        QTest::newRow("Debian's yt-dlp, a page with subtitles, then its download") << false << true;
        QTest::newRow("Debian's yt-dlp, a page without subtitles") << false << false;
        QTest::newRow("a current yt-dlp, a page with subtitles, then its download") << true << true;
    }
    void theRealAdapterAnalysesALinkWithOneExtraction()
    {
        // No fakes: the built adapter, yt-dlp and ffmpeg, a server on 127.0.0.1.
        QFETCH(bool, current);
        QFETCH(bool, subtitles);
        const QString ytdlp = current ? TestEnv::currentYtdlp() : QStringLiteral("/usr/bin/yt-dlp");
        if (ytdlp.isEmpty())
            QSKIP("../shared/vendor/yt-dlp-2026.08.19 is absent: no current yt-dlp to run");
        LocalHttpServer server;
        QVERIFY(server.start());
        QVERIFY(server.addFile(QStringLiteral("/media/clip.mp4"), fixture(QStringLiteral("sound.mp4"))));
        QVERIFY(server.addFile(QStringLiteral("/img/poster.jpg"), fixture(QStringLiteral("poster.jpg"))));
        server.addData(QStringLiteral("/subs/en.vtt"), "WEBVTT\n\n00:00:00.000 --> 00:00:01.000\nHello\n", "text/vtt");
        const QString track =
            subtitles ? QStringLiteral("<track kind=\"subtitles\" srclang=\"en\" src=\"/subs/en.vtt\">") : QString();
        server.addData(QStringLiteral("/page.html"),
                       (QStringLiteral("<!DOCTYPE html><html><head><title>Served clip</title></head><body>"
                                       "<video controls poster=\"/img/poster.jpg\"><source src=\"/media/clip.mp4\" "
                                       "type=\"video/mp4\">")
                        + track + QStringLiteral("</video></body></html>"))
                           .toUtf8(),
                       "text/html");
        // Every start of yt-dlp is counted.
        const QString counter = m_root + QStringLiteral("/counted%1").arg(m_case);
        QDir().mkpath(counter);
        QFile wrapper(counter + QStringLiteral("/yt-dlp"));
        QVERIFY(wrapper.open(QIODevice::WriteOnly));
        wrapper.write("#!/bin/sh\necho \"$*\" >> \"${0%/*}/starts\"\nexec '" + QFile::encodeName(ytdlp) + "' \"$@\"\n");
        wrapper.close();
        wrapper.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        const auto restore = useAppFolder(realAppFolder(), wrapper.fileName());
        // yt-dlp's version is asked once per yt-dlp and remembered: that is no extraction.
        const auto starts = [&counter]() {
            int extractions = 0;
            for (const QByteArray &line : readFile(counter + QStringLiteral("/starts")).split('\n'))
                extractions += !line.isEmpty() && line != "--version";
            return extractions;
        };

        YoutobeDownloadObj d;
        QVERIFY(analyse(d, server.url(QStringLiteral("/page.html")).toString()));
        QVERIFY(d.m_infoReady);
        QVERIFY(d.mediaInfo() && !d.mediaInfo()->formats().isEmpty());
        QVERIFY(readFile(d.m_workFolder + QStringLiteral("/thumb.jpg")).startsWith("\xFF\xD8\xFF"));
        QCOMPARE(d.m_subtitleLangs, subtitles ? QStringList{QStringLiteral("en")} : QStringList());
        // Info, thumbnail and subtitle list: one extraction, whether or not there are subtitles.
        QCOMPARE(starts(), 1);
        if (!subtitles)
            return;
        d.m_subtitleEnabled = true;
        d.m_subtitleLang = QStringLiteral("en");
        QCOMPARE(download(d, d.mediaInfo()->formats().first().id), int(MediaInfo::StateFinished));
        const QString finalPath = d.mediaInfo()->finalPath;
        QVERIFY(finalPath.startsWith(m_out + QLatin1Char('/')));
        QCOMPARE(readFile(finalPath), readFile(fixture(QStringLiteral("sound.mp4"))));
        QVERIFY(readFile(finalPath.chopped(3) + QStringLiteral("en.vtt")).contains("Hello"));
    }

    void nothingADownloadStartedOutlivesItsStop_data()
    {
        QTest::addColumn<bool>("removed");
        QTest::newRow("a paused download") << false;
        QTest::newRow("a removed download") << true;
    }
    void nothingADownloadStartedOutlivesItsStop()
    {
        // The real adapter over a stand-in yt-dlp whose writer ignores SIGTERM, as ffmpeg may.
        QFETCH(bool, removed);
        const QString folder = m_root + QStringLiteral("/stand-in-%1").arg(m_case);
        const auto restore = useAppFolder(realAppFolder(), StandIn::writeYtdlp(folder));
        auto *d = new YoutobeDownloadObj;
        QVERIFY(analyse(*d, QStringLiteral("https://127.0.0.1:9/stand-in")));
        QVERIFY(d->mediaInfo());
        QSignalSpy finished(d, &YoutobeDownloadObj::downloadFinished);
        start(*d, QStringLiteral("18"));
        QTRY_VERIFY_WITH_TIMEOUT(StandIn::processMentions((folder + QStringLiteral("/writer")).toUtf8()), 10000);
        if (removed)
            delete d;
        else
            d->stop();
        QTRY_VERIFY_WITH_TIMEOUT(!StandIn::processMentions(folder.toUtf8()), 2000);
        if (removed)
            return;
        // The stopped run's end does nothing: no finish, the download stays where it was.
        QTest::qWait(200);
        QCOMPARE(finished.count(), 0);
        QCOMPARE(int(d->mediaInfo()->state), int(MediaInfo::StateDownloading));
        delete d;
    }
};

CW_TEST_MAIN(TestDownloadDriver)
#include "tst_downloaddriver.moc"
