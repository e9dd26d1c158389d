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
#include "testlib/testenv.h"

#include <QDir>
#include <QProcess>
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

    // A scenario whose info lists a combined mp4, a video-only mp4, a webm and an audio.
    void standardScenario()
    {
        m_scenario->setInfoJson(
            FakeMedia::infoJson(QStringLiteral("abc123"), QStringLiteral("My \"Clip\": it's here?"),
                                {FakeMedia::format("140", "m4a", 0, 0, "", "mp4a.40.2", 40000),
                                 FakeMedia::format("250", "opus", 0, 0, "", "opus", 30000),
                                 FakeMedia::format("18", "mp4", 160, 90, "avc1.42001E", "mp4a.40.2", 90000),
                                 FakeMedia::format("137", "mp4", 320, 180, "avc1.640028", "", 80000, "DASH video"),
                                 FakeMedia::format("243", "webm", 480, 270, "vp9", "opus", 70000),
                                 FakeMedia::format("248", "webm", 640, 360, "vp9", "", 60000, "DASH video")}));
        m_scenario->setFormatFile(QStringLiteral("248"), fixture(QStringLiteral("mute.webm")));
        m_scenario->setFormatFile(QStringLiteral("18"), fixture(QStringLiteral("sound.mp4")));
        m_scenario->setFormatFile(QStringLiteral("137"), fixture(QStringLiteral("mute.mp4")));
        m_scenario->setFormatFile(QStringLiteral("140"), fixture(QStringLiteral("voice.m4a")));
        m_scenario->setFormatFile(QStringLiteral("250"), fixture(QStringLiteral("voice.opus")));
        m_scenario->setFormatFile(QStringLiteral("243"), fixture(QStringLiteral("sound.webm")));
        m_scenario->setSubtitleCodes({QStringLiteral("en"), QStringLiteral("fr")}, {QStringLiteral("de")});
    }

    bool analyse(YoutobeDownloadObj &d, const QString &url = kUrl)
    {
        QSignalSpy done(&d, &YoutobeDownloadObj::getInfoFinished);
        d.getInfo(url);
        return done.count() == 1 || done.wait(20000);
    }

    // Analyses, selects the format and downloads; returns the media's final state.
    int download(YoutobeDownloadObj &d, const QString &formatId, const QString &convertExt = QString())
    {
        if (!d.mediaInfo() && !analyse(d))
            return -1;
        MediaInfo *m = d.mediaInfo();
        if (!m)
            return -2;
        m->selectFormatById(formatId);
        d.m_formatId = formatId;
        d.m_outputFolder = m_out;
        d.m_convertExt = convertExt;
        QSignalSpy finished(&d, &YoutobeDownloadObj::downloadFinished);
        d.startDownload(m);
        if (finished.count() == 0 && !finished.wait(30000))
            return -3;
        return m->state;
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
    }

    void analysisRunsInfoThumbnailAndSubtitleList()
    {
        standardScenario();
        QVERIFY(m_scenario->write());
        YoutobeDownloadObj d;
        QVERIFY(analyse(d));
        QVERIFY(d.m_infoReady);
        QVERIFY(d.mediaInfo());
        QCOMPARE(d.mediaInfo()->id, QStringLiteral("abc123"));
        QCOMPARE(d.m_subtitleLangs, (QStringList{"en", "fr"}));
        QCOMPARE(d.m_autoCaptionLangs, QStringList{"de"});
        QVERIFY(QFile::exists(d.m_workFolder + QStringLiteral("/thumb.jpg")));
        QCOMPARE(d.m_workFolder, WorkFolder::pathFor(m_cache, kUrl));
        const auto runs = m_scenario->loggedRuns();
        QCOMPARE(runs.size(), 3);
        QCOMPARE(runs[0].job, QStringLiteral("info"));
        QCOMPARE(runs[1].job, QStringLiteral("thumbnail"));
        QCOMPARE(runs[2].job, QStringLiteral("subtitleList"));
        QCOMPARE(runs[0].url(), kUrl);
        // The program runs its private copy, not the application folder's file.
        QCOMPARE(runs[0].program, toolTempFolder() + QStringLiteral("/youtubedl"));
        QVERIFY(QFile::exists(toolTempFolder() + QStringLiteral("/ffmpeg")));
    }

    void aSecondAnalysisWithinFiveDaysRunsNothing()
    {
        standardScenario();
        QVERIFY(m_scenario->write());
        {
            YoutobeDownloadObj first;
            QVERIFY(analyse(first));
            ItemStateFile(first.m_workFolder)
                .setValue(QStringLiteral("LoadJsonDate"), QDate::currentDate().addDays(-3).toString("yyyy-MM-dd"));
        }
        m_scenario->resetState();
        YoutobeDownloadObj second;
        QVERIFY(analyse(second));
        QVERIFY(second.m_infoReady);
        QCOMPARE(second.m_subtitleLangs, (QStringList{"en", "fr"}));
        QVERIFY(second.m_subtitlesFound);
        QCOMPARE(m_scenario->loggedRuns().size(), 0);
        // The reuse extends itself.
        QCOMPARE(ItemStateFile(second.m_workFolder).value(QStringLiteral("LoadJsonDate"), QString()),
                 QDate::currentDate().toString("yyyy-MM-dd"));
    }

    void automaticCaptionsAloneCountWhenCached()
    {
        standardScenario();
        m_scenario->setSubtitleCodes({}, {QStringLiteral("en")});
        QVERIFY(m_scenario->write());
        {
            YoutobeDownloadObj first;
            QVERIFY(analyse(first));
            QVERIFY(first.m_subtitlesFound);
        }
        YoutobeDownloadObj second;
        QVERIFY(analyse(second));
        QVERIFY(second.m_subtitlesFound);
        QCOMPARE(second.m_autoCaptionLangs, QStringList{"en"});
    }

    void aVideoWithoutSubtitlesStillEndsTheAnalysis()
    {
        standardScenario();
        m_scenario->setSubtitleCodes({}, {});
        QVERIFY(m_scenario->write());
        YoutobeDownloadObj d;
        QVERIFY(analyse(d));
        QVERIFY(d.m_infoReady);
        QVERIFY(!d.m_subtitlesFound);
        QCOMPARE(d.m_retryCount, 0);
        QCOMPARE(m_scenario->loggedRuns(Job::SubtitleList).size(), 5);
    }

    void fiveInfoAttemptsWithTheSystemProxyFromTheThird()
    {
        standardScenario();
        m_scenario->failJob(Job::Info, -1, Behaviour::Silent);
        QVERIFY(m_scenario->write());
        qputenv("http_proxy", "proxy.example:3128");
        YoutobeDownloadObj d;
        QVERIFY(analyse(d));
        qunsetenv("http_proxy");
        QVERIFY(!d.m_infoReady);
        QCOMPARE(proxiesOf(m_scenario->loggedRuns(Job::Info)),
                 (QStringList{"", "", "http://proxy.example:3128", "socks5://proxy.example:3128",
                              "socks5://proxy.example:3128"}));
    }

    void aWorkingSystemProxyIsKeptForTheRun()
    {
        standardScenario();
        m_scenario->failJob(Job::Info, 2, Behaviour::Silent);
        QVERIFY(m_scenario->write());
        qputenv("http_proxy", "proxy.example:3128");
        YoutobeDownloadObj d;
        QVERIFY(analyse(d));
        qunsetenv("http_proxy");
        QVERIFY(d.m_infoReady);
        QCOMPARE(proxyString(), QStringLiteral("http://proxy.example:3128"));
        QCOMPARE(m_scenario->loggedRuns(Job::Thumbnail).first().proxy(), QStringLiteral("http://proxy.example:3128"));
    }

    void aConfiguredProxyGoesFirstEverywhere()
    {
        standardScenario();
        QVERIFY(m_scenario->write());
        setProxyString(QStringLiteral("socks5://10.1.1.1:1080"));
        YoutobeDownloadObj d;
        QCOMPARE(download(d, QStringLiteral("18")), int(MediaInfo::StateFinished));
        for (const auto &run : m_scenario->loggedRuns())
            QCOMPARE(run.args.mid(0, 3), (QStringList{"--proxy", "socks5://10.1.1.1:1080", "--no-warnings"}));
    }

    void aBrokenInfoJsonIsFetchedAgain()
    {
        const QString broken = m_root + QStringLiteral("/broken%1.info.json").arg(m_case);
        QFile f(broken);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("{\"id\": \"abc123\", \"formats\": [ {\"format_id\": ");
        f.close();
        m_scenario->setInfoFile(broken);
        m_scenario->root().insert("info", QJsonObject{{"file", broken}, {"id", "abc123"}});
        QVERIFY(m_scenario->write());
        YoutobeDownloadObj d;
        QVERIFY(analyse(d));
        QVERIFY(!d.m_infoReady);
        QCOMPARE(m_scenario->loggedRuns(Job::Info).size(), 5);
    }

    void aCombinedFormatDownloadsPlainly()
    {
        standardScenario();
        setRateLimitText(QStringLiteral("2M"));
        QVERIFY(m_scenario->write());
        YoutobeDownloadObj d;
        QCOMPARE(download(d, QStringLiteral("18")), int(MediaInfo::StateFinished));
        MediaInfo *m = d.mediaInfo();
        QCOMPARE(m->progress, 10000.0);
        QCOMPARE(m->finalPath, m_out + QStringLiteral("/My Clip its here.mp4"));
        QVERIFY(QFile::exists(m->finalPath));
        QVERIFY(!QFile::exists(m->tempPath));
        QCOMPARE(ItemStateFile(d.m_workFolder).completedFinalPath(m->tempPath), m->finalPath);
        const auto transfer = m_scenario->loggedRuns(Job::Download).first();
        QCOMPARE(transfer.valueOf(QStringLiteral("--limit-rate")), QStringLiteral("2M"));
        QCOMPARE(transfer.valueOf(QStringLiteral("-f")), QStringLiteral("18"));
        QCOMPARE(transfer.valueOf(QStringLiteral("-o")), m->tempPath);
        QCOMPARE(m->tempPath, m_cache + QLatin1Char('/') + WorkFolder::tempName(kUrl, "18", QString()) + ".mp4");
    }

    void aFinishedDownloadIsReportedAgainWithoutAProcess()
    {
        standardScenario();
        QVERIFY(m_scenario->write());
        YoutobeDownloadObj first;
        QCOMPARE(download(first, QStringLiteral("18")), int(MediaInfo::StateFinished));
        const QString finalPath = first.mediaInfo()->finalPath;
        m_scenario->resetState();
        YoutobeDownloadObj again;
        QCOMPARE(download(again, QStringLiteral("18")), int(MediaInfo::StateFinished));
        QCOMPARE(again.mediaInfo()->finalPath, finalPath);
        QCOMPARE(m_scenario->loggedRuns(Job::Download).size(), 0);
    }

    void twoItemsFinishingIntoTheSameName()
    {
        standardScenario();
        QVERIFY(m_scenario->write());
        YoutobeDownloadObj first, second;
        QCOMPARE(download(first, QStringLiteral("18")), int(MediaInfo::StateFinished));
        QCOMPARE(download(second, QStringLiteral("243")), int(MediaInfo::StateFinished));
        QCOMPARE(QFileInfo(first.mediaInfo()->finalPath).fileName(), QStringLiteral("My Clip its here.mp4"));
        QCOMPARE(QFileInfo(second.mediaInfo()->finalPath).fileName(), QStringLiteral("My Clip its here.webm"));
        YoutobeDownloadObj third;
        third.getInfo(kUrl + QStringLiteral("&x=1"));
        QSignalSpy(&third, &YoutobeDownloadObj::getInfoFinished).wait(20000);
        QCOMPARE(download(third, QStringLiteral("18")), int(MediaInfo::StateFinished));
        QCOMPARE(QFileInfo(third.mediaInfo()->finalPath).fileName(), QStringLiteral("My Clip its here (0).mp4"));
        QVERIFY(QFile::exists(first.mediaInfo()->finalPath));
    }

    void anUnavailableFormatMovesToTheNext()
    {
        standardScenario();
        m_scenario->setFormatError(QStringLiteral("243"), QStringLiteral("unavailable"));
        QVERIFY(m_scenario->write());
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
        standardScenario();
        m_scenario->stopTransfersAt(50);
        QVERIFY(m_scenario->write());
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

    void aFailureThatReadsLikeAnOldDownloaderIsRecognised_data()
    {
        QTest::addColumn<bool>("transfer");
        QTest::addColumn<QString>("error");
        QTest::addColumn<int>("reason");
        const int old = int(FailureReason::OutdatedDownloader);
        const int unknown = int(FailureReason::Unknown);
        QTest::newRow("an analysis the site wants a sign-in for")
            << false << QStringLiteral("ERROR: [youtube] abc: Sign in to confirm you're not a bot") << old;
        QTest::newRow("an analysis the extractor cannot read")
            << false << QStringLiteral("ERROR: [generic] Unable to extract title; please report this issue") << old;
        QTest::newRow("a playlist that does not exist is no sign of age")
            << false << QStringLiteral("ERROR: This playlist does not exist.") << unknown;
        QTest::newRow("a transfer refused with HTTP 403")
            << true << QStringLiteral("ERROR: unable to download video data: HTTP Error 403: Forbidden") << old;
        QTest::newRow("a file that is gone is no sign of age")
            << true << QString::fromLatin1(FakeScenario::Http404) << unknown;
    }
    void aFailureThatReadsLikeAnOldDownloaderIsRecognised()
    {
        QFETCH(bool, transfer);
        QFETCH(QString, error);
        QFETCH(int, reason);
        standardScenario();
        if (transfer)
            m_scenario->failTransfers(-1, 0, Behaviour::Error, QString(), error);
        else
            m_scenario->failJob(Job::Info, -1, Behaviour::Error, error);
        QVERIFY(m_scenario->write());
        YoutobeDownloadObj d;
        if (transfer)
            QCOMPARE(download(d, QStringLiteral("18")), int(MediaInfo::StateFailed));
        else
            QVERIFY(analyse(d) && !d.m_infoReady);
        QCOMPARE(int(d.m_failureReason), reason);
    }

    void everyFreshStartGetsAllAttempts()
    {
        // Analysis ends with a spent budget when there are no subtitles; the download
        // must not inherit it.
        standardScenario();
        m_scenario->setSubtitleCodes({}, {});
        m_scenario->failTransfers(2, 30);
        QVERIFY(m_scenario->write());
        YoutobeDownloadObj d;
        QVERIFY(analyse(d));
        QCOMPARE(d.m_retryCount, 0);
        QCOMPARE(download(d, QStringLiteral("18")), int(MediaInfo::StateFinished));
        QCOMPARE(m_scenario->loggedRuns(Job::Download).size(), 3);
    }

    void aVideoWithoutSoundGetsItsAudioMerged_data()
    {
        QTest::addColumn<bool>("optimizing");
        QTest::addColumn<QString>("codec");
        QTest::newRow("audio copied as it is") << false << "aac";
        QTest::newRow("audio made mp3 when optimizing") << true << "mp3";
    }
    void aVideoWithoutSoundGetsItsAudioMerged()
    {
        QFETCH(bool, optimizing);
        QFETCH(QString, codec);
        Settings::writeSwitch(Settings::Key::OptimizingAudio, optimizing);
        standardScenario();
        QVERIFY(m_scenario->write());
        YoutobeDownloadObj d;
        QCOMPARE(download(d, QStringLiteral("137")), int(MediaInfo::StateFinished));
        const QString finalPath = d.mediaInfo()->finalPath;
        QVERIFY(finalPath.endsWith(QStringLiteral(".mp4")));
        const DecoderMediaInfo info = decoderMediaInfo(finalPath);
        QCOMPARE(info.result, 0);
        QVERIFY(info.hasVideo);
        QVERIFY(info.hasAudio);
        QCOMPARE(ffprobeAudioCodec(finalPath), codec);
        QCOMPARE(m_scenario->loggedRuns(Job::Download).last().valueOf(QStringLiteral("-f")), QStringLiteral("140"));
        // Temporary parts are gone once the merged file is in place.
        QVERIFY(!QFile::exists(d.mediaInfo()->tempPath));
        QVERIFY(!QFile::exists(d.m_audioTempPath));
    }

    void aWebmWithoutSoundIsMergedEvenWhenOptimizing()
    {
        // webm takes only Vorbis or Opus: the mp3 treatment must not break the merge.
        Settings::writeSwitch(Settings::Key::OptimizingAudio, true);
        standardScenario();
        m_scenario->setFormatError(QStringLiteral("140"), QStringLiteral("unavailable"));
        QVERIFY(m_scenario->write());
        YoutobeDownloadObj d;
        QCOMPARE(download(d, QStringLiteral("248")), int(MediaInfo::StateFinished));
        QVERIFY(d.mediaInfo()->finalPath.endsWith(QStringLiteral(".webm")));
        QCOMPARE(ffprobeAudioCodec(d.mediaInfo()->finalPath), QStringLiteral("opus"));
    }

    void aMergeWithoutFfmpegFailsAndKeepsItsParts()
    {
        standardScenario();
        QVERIFY(m_scenario->write());
        YoutobeDownloadObj d;
        QVERIFY(analyse(d)); // copies the downloader into the private folder
        const QString app = appDirPath();
        const QString bare = m_root + QStringLiteral("/app-without-ffmpeg");
        QDir().mkpath(bare);
        QFile::copy(app + QStringLiteral("/libMyDecoder.so"), bare + QStringLiteral("/libMyDecoder.so"));
        setAppDirPath(bare);
        const int state = download(d, QStringLiteral("137"));
        setAppDirPath(app);
        QCOMPARE(state, int(MediaInfo::StateFailed));
        QVERIFY(QFile::exists(d.mediaInfo()->tempPath));
        QVERIFY(QFile::exists(d.m_audioTempPath));
        QVERIFY(!QFile::exists(d.mediaInfo()->finalPath));
    }

    void aConfirmedVideoIsTakenOverOnResume()
    {
        standardScenario();
        m_scenario->failTransfers(-1, 0, Behaviour::Silent, QStringLiteral("140"));
        QVERIFY(m_scenario->write());
        YoutobeDownloadObj d;
        QCOMPARE(download(d, QStringLiteral("137")), int(MediaInfo::StateFailed));
        QCOMPARE(m_scenario->loggedRuns(Job::Download).first().valueOf("-f"), QStringLiteral("137"));
        m_scenario->resetState();
        m_scenario->root().remove("formats");
        standardScenario();
        QVERIFY(m_scenario->write());
        d.mediaInfo()->selectFormatById(QStringLiteral("137"));
        QSignalSpy finished(&d, &YoutobeDownloadObj::downloadFinished);
        d.startDownload(d.mediaInfo());
        QVERIFY(finished.count() == 1 || finished.wait(30000));
        QCOMPARE(int(d.mediaInfo()->state), int(MediaInfo::StateFinished));
        // The video was not fetched again: only the audio was.
        const auto runs = m_scenario->loggedRuns(Job::Download);
        QCOMPARE(runs.size(), 1);
        QCOMPARE(runs.first().valueOf(QStringLiteral("-f")), QStringLiteral("140"));
    }

    void aWebmIsConvertedToMp4WhenAsked()
    {
        standardScenario();
        QVERIFY(m_scenario->write());
        YoutobeDownloadObj d;
        QCOMPARE(download(d, QStringLiteral("243"), QStringLiteral("mp4")), int(MediaInfo::StateFinished));
        QVERIFY(d.mediaInfo()->finalPath.endsWith(QStringLiteral(".mp4")));
        QCOMPARE(decoderMediaInfo(d.mediaInfo()->finalPath).result, 0);
        QVERIFY(!QFile::exists(d.m_convertOutputPath));
    }

    void subtitlesLandBesideTheFinalFile()
    {
        standardScenario();
        QVERIFY(m_scenario->write());
        YoutobeDownloadObj d;
        QVERIFY(analyse(d));
        d.m_subtitleEnabled = true;
        d.m_subtitleLang = QStringLiteral("fr");
        QCOMPARE(download(d, QStringLiteral("18")), int(MediaInfo::StateFinished));
        const QString stem = d.mediaInfo()->finalPath.chopped(3);
        QVERIFY2(QFile::exists(stem + QStringLiteral("fr.vtt")), qPrintable(stem));
        QVERIFY(QFile::exists(stem + QStringLiteral("fr.srt")));
        const auto transfer = m_scenario->loggedRuns(Job::Download).first();
        QVERIFY(transfer.has(QStringLiteral("--write-sub")));
        QCOMPARE(transfer.valueOf(QStringLiteral("--sub-lang")), QStringLiteral("fr"));
    }

    void withoutKnownLanguagesTheSubtitlesOnlyJobFollows()
    {
        standardScenario();
        m_scenario->setSubtitleCodes({QStringLiteral("en")}, {});
        QVERIFY(m_scenario->write());
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

    void stopMakesTheLaterEndDoNothing()
    {
        standardScenario();
        m_scenario->hangTransfersAt(40);
        QVERIFY(m_scenario->write());
        YoutobeDownloadObj d;
        QVERIFY(analyse(d));
        MediaInfo *m = d.mediaInfo();
        m->selectFormatById(QStringLiteral("18"));
        d.m_formatId = QStringLiteral("18");
        d.m_outputFolder = m_out;
        QSignalSpy finished(&d, &YoutobeDownloadObj::downloadFinished);
        d.startDownload(m);
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(m->tempPath + QStringLiteral(".ytdl")), 10000);
        QTRY_VERIFY_WITH_TIMEOUT(m->progress > 0, 10000);
        d.stop();
        QVERIFY(d.m_stopped);
        QVERIFY(!finished.wait(1500));
        QCOMPARE(int(m->state), int(MediaInfo::StateDownloading));
    }

    void aMissingOrBrokenDownloaderEndsTheAnalysis_data()
    {
        QTest::addColumn<QString>("how");
        QTest::newRow("the downloader is missing") << "missing";
        QTest::newRow("the downloader crashes") << "crash";
        QTest::newRow("the downloader prints garbage") << "garbage";
    }
    void aMissingOrBrokenDownloaderEndsTheAnalysis()
    {
        QFETCH(QString, how);
        standardScenario();
        const QString app = appDirPath();
        if (how == QLatin1String("missing"))
            setAppDirPath(m_root + QStringLiteral("/empty-app"));
        else
            m_scenario->setMode(how == QLatin1String("crash") ? Behaviour::Crash : Behaviour::Garbage);
        QVERIFY(m_scenario->write());
        YoutobeDownloadObj d;
        QVERIFY(analyse(d));
        setAppDirPath(app);
        QVERIFY(!d.m_infoReady);
        QVERIFY(!d.mediaInfo());
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
        standardScenario();
        QVERIFY(m_scenario->write());
        YoutobeDownloadObj d;
        QVERIFY(analyse(d));
        d.mediaInfo()->selectFormatById(QStringLiteral("18"));
        d.m_formatId = QStringLiteral("18");
        d.m_outputFolder = m_root + folder;
        QSignalSpy done(&d, &YoutobeDownloadObj::downloadFinished);
        d.startDownload(d.mediaInfo());
        QVERIFY(done.count() == 1 || done.wait(20000));
        QCOMPARE(d.mediaInfo()->state == MediaInfo::StateFinished, finished);
        if (finished)
            QVERIFY(QFileInfo(d.mediaInfo()->finalPath).absolutePath() == m_root + folder
                    && QFileInfo::exists(d.mediaInfo()->finalPath));
        else
            QVERIFY(QFile::exists(d.mediaInfo()->tempPath));
    }

    void aTitleOfRemovedCharactersStillGetsAName()
    {
        m_scenario->setInfoJson(FakeMedia::infoJson(QStringLiteral("vid42"), QStringLiteral("../?? /..."),
                                                    {FakeMedia::format("18", "mp4", 160, 90, "avc1", "mp4a", 9000)}));
        m_scenario->setFormatFile(QStringLiteral("18"), fixture(QStringLiteral("sound.mp4")));
        QVERIFY(m_scenario->write());
        YoutobeDownloadObj d;
        QCOMPARE(download(d, QStringLiteral("18")), int(MediaInfo::StateFinished));
        QCOMPARE(QFileInfo(d.mediaInfo()->finalPath).fileName(), QStringLiteral("vid42.mp4"));
    }

    void theRealAdapterAndYtDlpFetchAServedClip()
    {
        // No fakes: the built adapter, Debian's yt-dlp and ffmpeg, a server on 127.0.0.1.
        LocalHttpServer server;
        QVERIFY(server.start());
        QVERIFY(server.addFile(QStringLiteral("/media/clip.mp4"), fixture(QStringLiteral("sound.mp4"))));
        const QString app = appDirPath();
        const QString real = m_root + QStringLiteral("/app-real");
        QVERIFY(TestEnv::makeRealApplicationFolder(real));
        setAppDirPath(real);
        YoutobeDownloadObj d;
        QVERIFY(analyse(d, server.url(QStringLiteral("/media/clip.mp4")).toString()));
        QVERIFY(d.m_infoReady);
        QVERIFY(d.mediaInfo() && !d.mediaInfo()->formats().isEmpty());
        const QString format = d.mediaInfo()->formats().first().id;
        const int state = download(d, format);
        setAppDirPath(app);
        QCOMPARE(state, int(MediaInfo::StateFinished));
        QVERIFY(d.mediaInfo()->finalPath.startsWith(m_out + QLatin1Char('/')));
        const DecoderMediaInfo info = decoderMediaInfo(d.mediaInfo()->finalPath);
        QCOMPARE(info.result, 0);
        QVERIFY(info.hasVideo && info.hasAudio);
        QCOMPARE(QFileInfo(d.mediaInfo()->finalPath).size(), QFileInfo(fixture(QStringLiteral("sound.mp4"))).size());
    }

    void aChannelIsListedAndKeptForADay()
    {
        QJsonArray entries;
        for (int i = 0; i < 5; ++i)
            entries.append(QJsonObject{{"id", QString::number(i)},
                                       {"url", QStringLiteral("v%1").arg(i % 4)},
                                       {"title", QStringLiteral("Entry %1").arg(i)}});
        m_scenario->setChannelJson(QJsonObject{{"title", "Channel"}, {"entries", entries}});
        m_scenario->failJob(Job::Channel, 1, Behaviour::Silent);
        QVERIFY(m_scenario->write());
        const QString url = QStringLiteral("https://www.youtube.com/playlist?list=PL1");
        {
            YoutobeDownloadObj d;
            QSignalSpy done(&d, &YoutobeDownloadObj::getChannelListFinished);
            d.getInfo(url);
            QVERIFY(done.wait(20000));
            QVERIFY(d.m_infoReady);
            QCOMPARE(d.m_channelTitle, QStringLiteral("Channel"));
            QCOMPARE(d.m_channelNames.size(), 4);
            QCOMPARE(d.m_channelUrls.first(), QStringLiteral("https://www.youtube.com/watch?v=v0"));
            QCOMPARE(m_scenario->loggedRuns(Job::Channel).size(), 2);
        }
        m_scenario->resetState();
        YoutobeDownloadObj cached;
        QSignalSpy done(&cached, &YoutobeDownloadObj::getChannelListFinished);
        cached.getInfo(url);
        QVERIFY(done.count() == 1 || done.wait(5000));
        QCOMPARE(cached.m_channelNames.size(), 4);
        QCOMPARE(m_scenario->loggedRuns().size(), 0);
    }
};

CW_TEST_MAIN(TestDownloadDriver)
#include "tst_downloaddriver.moc"
