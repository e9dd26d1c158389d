// A run killed in the middle of a download loses nothing: the next run restores the
// item, resumes the partial file, finishes it, and stores the finished row once.

#include "app/format.h"
#include "fakes/fakescenario.h"
#include "queue/database.h"
#include "testlib/standin.h"
#include "testlib/testenv.h"

#include <QDir>
#include <QProcess>

#include <csignal>

class TestCrashSafety : public QObject
{
    Q_OBJECT
private slots:
    void aKilledDownloadIsResumedAndStoredOnce()
    {
        const QString root = TestEnv::root() + QStringLiteral("/tmp");
        const QString app = root + QStringLiteral("/app"), cache = root + QStringLiteral("/cache"),
                      out = root + QStringLiteral("/out");
        for (const QString &d : {app, cache, out})
            QVERIFY(QDir().mkpath(d));
        QVERIFY(FakeScenario::installAs(app + QStringLiteral("/youtubedl")));
        QFile::link(QStringLiteral("/usr/bin/ffmpeg"), app + QStringLiteral("/ffmpeg"));
        QFile::copy(TestEnv::binDir() + QStringLiteral("/libMyDecoder.so"), app + QStringLiteral("/libMyDecoder.so"));

        FakeScenario scenario(root + QStringLiteral("/scenario"));
        scenario.setInfoJson(FakeMedia::infoJson(QStringLiteral("crash1"), QStringLiteral("Crash clip"),
                                                 {FakeMedia::format("18", "mp4", 160, 90, "avc1", "mp4a", 100000)}));
        scenario.setFormatSize(QStringLiteral("18"), 100000);
        scenario.setPacing(10, 0);
        scenario.failTransfers(1, 50, FakeScenario::Behaviour::Hang);
        QVERIFY(scenario.write());

        const QString runner = TestEnv::testBinDir() + QStringLiteral("/queuerunner");
        const QString link = QStringLiteral("https://vimeo.com/crash'1");
        QProcess first;
        first.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        first.start(runner, {app, cache, out, link});
        QVERIFY(first.waitForStarted());
        // Killed while the transfer hangs halfway, marker and partial file on disk.
        QTRY_VERIFY_WITH_TIMEOUT(!QDir(cache).entryList({QStringLiteral("*.ytdl")}, QDir::Files).isEmpty(), 30000);
        ::kill(pid_t(first.processId()), SIGKILL);
        QVERIFY(first.waitForFinished(5000));
        // The downloader died with it instead of writing on.
        QTRY_COMPARE_WITH_TIMEOUT(QProcess::execute(QStringLiteral("pgrep"), {"-f", cache + "/"}), 1, 5000);

        QProcess second;
        second.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        second.start(runner, {app, cache, out});
        QVERIFY(second.waitForFinished(60000));
        QCOMPARE(second.exitCode(), 0);

        const QString finalPath = out + QStringLiteral("/Crash clip.mp4");
        QVERIFY(QFile::exists(finalPath));
        QCOMPARE(QFileInfo(finalPath).size(), qint64(100000));
        DBManagerThread db(cache);
        const QVector<StoredRow> rows = db.allRows();
        QCOMPARE(rows.size(), 1);
        QCOMPARE(rows.first().isfinished, 1);
        QCOMPARE(rows.first().record.md5, md5Hex(link + QStringLiteral("18")));
        QCOMPARE(rows.first().record.finishfilename, finalPath);
        // Two transfers in all: the killed one and the resumed one.
        QCOMPARE(scenario.loggedRuns(FakeScenario::Job::Download).size(), 2);
    }

    void aCrashLeavesNothingOfTheDownloadRunning()
    {
        // The built adapter over a stand-in yt-dlp whose writer ignores SIGTERM, as ffmpeg may.
        const QString root = TestEnv::root() + QStringLiteral("/tmp/real");
        const QString app = root + QStringLiteral("/app"), cache = root + QStringLiteral("/cache"),
                      out = root + QStringLiteral("/out"), standIn = root + QStringLiteral("/stand-in-9d2b");
        for (const QString &d : {app, cache, out})
            QVERIFY(QDir().mkpath(d));
        QVERIFY(QFile::copy(TestEnv::binDir() + QStringLiteral("/youtubedl"), app + QStringLiteral("/youtubedl")));
        QFile::link(QStringLiteral("/usr/bin/ffmpeg"), app + QStringLiteral("/ffmpeg"));
        QFile::copy(TestEnv::binDir() + QStringLiteral("/libMyDecoder.so"), app + QStringLiteral("/libMyDecoder.so"));
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("CLIPWRIGHT_YTDLP"), StandIn::writeYtdlp(standIn));

        QProcess runner;
        runner.setProcessEnvironment(env);
        runner.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        runner.start(TestEnv::testBinDir() + QStringLiteral("/queuerunner"),
                     {app, cache, out, QStringLiteral("https://vimeo.com/stand-in")});
        QVERIFY(runner.waitForStarted());
        QTRY_VERIFY_WITH_TIMEOUT(StandIn::processMentions((standIn + QStringLiteral("/writer")).toUtf8()), 30000);
        ::kill(pid_t(runner.processId()), SIGKILL);
        QVERIFY(runner.waitForFinished(5000));
        QTRY_VERIFY_WITH_TIMEOUT(!StandIn::processMentions(standIn.toUtf8()), 2000);
    }
};

CW_TEST_MAIN(TestCrashSafety)
#include "tst_crashsafety.moc"
