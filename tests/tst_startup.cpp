// Start-up: the scale factor, the main window's first shape, the splash, the
// decoder's lazy loading, the plug-in folders, and the single running copy that takes
// the links of later starts.

#include "app/appenv.h"
#include "app/folders.h"
#include "app/splash.h"
#include "app/startup.h"
#include "external/mydecoder.h"
#include "platform/instancechannel.h"
#include "platform/singleinstance.h"
#include "shell/mainwindow.h"
#include "testlib/testenv.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLibraryInfo>
#include <QLocalSocket>
#include <QProcess>
#include <QSplashScreen>
#include <QSqlDatabase>
#include <QSqlQuery>

#include <csignal>
#include <sys/types.h>

namespace
{
QString readLockPid(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return QString();
    return QString::fromLatin1(f.readLine()).trimmed();
}

// Queued links are analysed at once. This downloader notes each start and then waits,
// never leaving the machine, so the program starts nothing more once every link has its
// analysis (a copy killed while it starts a process leaves a forked child behind).
QString waitingDownloaderLog()
{
    return TestEnv::root() + "/tmp/yt-dlp-started";
}

QString waitingDownloader()
{
    const QString path = TestEnv::root() + "/tmp/yt-dlp-waits";
    QFile script(path);
    if (!script.exists() && script.open(QIODevice::WriteOnly)) {
        script.write("#!/bin/sh\necho $$ >> '" + QFile::encodeName(waitingDownloaderLog()) + "'\nexec sleep 300\n");
        script.close();
        script.setPermissions(QFile::ReadOwner | QFile::ExeOwner);
    }
    return path;
}

QProcessEnvironment programEnvironment()
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "offscreen");
    env.insert("CLIPWRIGHT_YTDLP", waitingDownloader());
    return env;
}
} // namespace

class TestStartup : public QObject
{
    Q_OBJECT
private slots:
    void scaleFactorFromLogicalDpi_data()
    {
        QTest::addColumn<double>("dpiX");
        QTest::addColumn<double>("dpiY");
        QTest::addColumn<double>("factor");
        QTest::newRow("96 DPI is 1.0") << 96.0 << 96.0 << 1.0;
        QTest::newRow("below 96 DPI stays 1.0") << 72.0 << 72.0 << 1.0;
        QTest::newRow("120 DPI is 1.25") << 120.0 << 120.0 << 1.25;
        QTest::newRow("144 DPI is 1.5") << 144.0 << 144.0 << 1.5;
        QTest::newRow("240 DPI is capped at 1.8") << 240.0 << 240.0 << 1.8;
        QTest::newRow("the smaller axis decides") << 192.0 << 144.0 << 1.5;
        QTest::newRow("a screen reporting nothing is 1.0") << 0.0 << 0.0 << 1.0;
    }
    void scaleFactorFromLogicalDpi()
    {
        QFETCH(double, dpiX);
        QFETCH(double, dpiY);
        QFETCH(double, factor);
        QCOMPARE(computeScaleFactor(dpiX, dpiY), factor);
    }

    void scaledSizesAreTruncated()
    {
        setScaleFactor(1.5);
        QCOMPARE(QList<int>({scaled(1000), scaled(25)}), QList<int>({1500, 37}));
        setScaleFactor(5.0);
        QCOMPARE(scaleFactor(), 1.8);
        setScaleFactor(0.5);
        QCOMPARE(scaleFactor(), 1.0);
    }

    // The main window is frameless and named, clears the last run's working copy of the
    // downloader, and is forgotten when it goes (its size is tst_mainwindow's).
    void mainWindowTakesItsFirstShape()
    {
        const QString stale = toolTempFolder() + "/youtubedl";
        QFile f(stale);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.close();
        {
            DoRaDuvoZezavi window;
            QCOMPARE(mainWindow(), &window);
            QVERIFY(window.windowFlags() & Qt::FramelessWindowHint);
            QCOMPARE(window.windowTitle(), QStringLiteral("Clipwright"));
            QVERIFY(!window.windowIcon().isNull());
            QVERIFY(!QFile::exists(stale));
        }
        QVERIFY(!mainWindow());
    }

    void splashStaysAtLeastTwoSecondsWithGrowingDots()
    {
        QSplashScreen *splash = showSplashScreen();
        QVERIFY(splash && !splash->pixmap().isNull());
        QStringList seen;
        connect(splash, &QSplashScreen::messageChanged, this, [&seen](const QString &m) {
            if (seen.isEmpty() || seen.last() != m)
                seen << m;
        });
        QElapsedTimer timer;
        timer.start();
        holdSplashScreen(2000, "Loading..");
        QVERIFY(timer.elapsed() >= 2000);
        QVERIFY2(seen.size() >= 10, qPrintable(seen.join(QLatin1Char('|'))));
        QCOMPARE(seen.first(), QStringLiteral("Loading..."));
        QVERIFY(seen.contains("Loading....."));
        QVERIFY(seen.contains("Loading.."));
        for (const QString &m : seen)
            QVERIFY(m.startsWith("Loading..") && m.size() <= 14);
        delete splash;
        // Without a splash there is nothing to wait for.
        timer.restart();
        holdSplashScreen(2000, "Loading..");
        QVERIFY(timer.elapsed() < 1000);
    }

    // The decoder is loaded when first asked for, again after it was missing; one without the
    // information entry answers -1.
    void decoderLoadsLazilyAndRetriesAfterAMissingLibrary()
    {
        const QString appDir = TestEnv::root() + "/tmp/appdir";
        QVERIFY(QDir().mkpath(appDir));
        setAppDirPath(appDir);
        resetDecoderLibraryForTests();
        QCOMPARE(loadDecoderLibrary(), -1);
        QCOMPARE(decoderMediaInfo("/x/sound.mp4").result, -1);

        QVERIFY(QFile::copy(TestEnv::testBinDir() + "/fakes/decoder/libMyDecoder.so", appDir + "/libMyDecoder.so"));
        const DecoderMediaInfo withSound = decoderMediaInfo("/x/sound.mp4");
        QCOMPARE(withSound.result, 0);
        QCOMPARE(withSound.durationMicros, qint64(2500000));
        QVERIFY(withSound.hasVideo && withSound.hasAudio);
        const DecoderMediaInfo mute = decoderMediaInfo("/x/mute.mp4");
        QVERIFY(mute.result == 0 && mute.hasVideo && !mute.hasAudio);
        QVERIFY(decoderMediaInfo("/x/notes.txt").result != 0);

        setAppDirPath(TestEnv::testBinDir() + "/fakes/decoder-noentry");
        resetDecoderLibraryForTests();
        QCOMPARE(loadDecoderLibrary(), 0);
        QCOMPARE(decoderMediaInfo("/x/sound.mp4").result, -1);
        resetDecoderLibraryForTests();
    }

    void pluginFoldersAreRestricted()
    {
        const QString planted = TestEnv::root() + "/tmp/planted-plugins";
        QDir().mkpath(planted);
        QCoreApplication::addLibraryPath(planted);
        // Qt keeps only folders that exist.
        const QString appDir = TestEnv::root() + "/tmp/app";
        QVERIFY(QDir().mkpath(appDir + "/plugins/sqldrivers"));
        restrictPluginPaths(appDir);
        const QStringList paths = QCoreApplication::libraryPaths();
        QVERIFY(!paths.contains(planted));
        QVERIFY(paths.contains(appDir + "/plugins/sqldrivers"));
        QVERIFY(paths.contains(appDir));
        QVERIFY(paths.contains(QLibraryInfo::location(QLibraryInfo::PluginsPath)));
    }

    // Real copies of the program: the first holds the lock and the channel, later starts
    // hand their links over and end, and the links join the first one's queue (its stored
    // rows) as a paste of the same lines would put them there.
    void laterStartsHandTheirLinksToTheRunningCopy()
    {
        const QString lockPath = SingleInstanceGuard::lockFilePathFor("Clipwright");
        const QString youtube = "https://www.youtube.com/watch?v=";
        const QString spaced = QString::fromUtf8("https://vimeo.com/77 Gr\xc3\xbc\xc3\x9f"
                                                 "e aus K\xc3\xb6ln \xe6\x97\xa5\xe6\x9c\xac");

        // No running copy: the program starts and queues its own link once it is up.
        QProcess first;
        startProgram(first, {youtube + "first"});
        QTRY_COMPARE_WITH_TIMEOUT(readLockPid(lockPath), QString::number(first.processId()), 10000);
        QTRY_COMPARE_WITH_TIMEOUT(queuedLinks(), QStringList{youtube + "first"}, 30000);

        // Without links a later start only knocks; with links it hands them over. Either way
        // it ends at once, saying nothing.
        QCOMPARE(runLaterStart({}), 0);
        QCOMPARE(runLaterStart({spaced, youtube + QStringLiteral("second")}), 0);
        QTRY_COMPARE_WITH_TIMEOUT(queuedLinks(), (QStringList{youtube + "first", spaced, youtube + "second"}), 20000);

        // A peer sending an over-long line is dropped unanswered, the request it ends never
        // taken; the running copy carries on.
        QLocalSocket peer;
        peer.connectToServer(InstanceChannel::socketPathFor("Clipwright"));
        QVERIFY(peer.waitForConnected(5000));
        peer.write(QByteArray("https://vimeo.com/") + QByteArray(InstanceChannel::MaxLineBytes, 'a') + "\n\n");
        QTRY_COMPARE_WITH_TIMEOUT(peer.state(), QLocalSocket::UnconnectedState, 10000);
        QCOMPARE(peer.readAll(), QByteArray());
        QCOMPARE(first.state(), QProcess::Running);
        // A link the running copy would refuse to read is not reported as handed over.
        QCOMPARE(runLaterStart({youtube + QString(InstanceChannel::MaxLineBytes, QLatin1Char('a'))}), 1);
        QCOMPARE(runLaterStart({youtube + QStringLiteral("third")}), 0);
        QTRY_COMPARE_WITH_TIMEOUT(queuedLinks().size(), 4, 20000);

        // A crashed copy leaves its lock and socket behind; the next start takes both over.
        QTRY_COMPARE_WITH_TIMEOUT(analysesStarted(), 4, 20000);
        ::kill(pid_t(first.processId()), SIGKILL);
        QVERIFY(first.waitForFinished(5000));
        QVERIFY(QFile::exists(lockPath));
        runOnQueue("DELETE FROM dldata"); // else the restore question waits for an answer
        QProcess again;
        startProgram(again, {});
        QTRY_COMPARE_WITH_TIMEOUT(readLockPid(lockPath), QString::number(again.processId()), 10000);
        QCOMPARE(runLaterStart({youtube + QStringLiteral("fourth")}), 0);
        QTRY_COMPARE_WITH_TIMEOUT(queuedLinks(), QStringList{youtube + "fourth"}, 30000);
        QCOMPARE(again.state(), QProcess::Running);
        again.kill();
        again.waitForFinished(5000);
    }

private:
    static QString program()
    {
        return TestEnv::binDir() + "/clipwright";
    }

    static void startProgram(QProcess &process, const QStringList &arguments)
    {
        process.setProcessEnvironment(programEnvironment());
        process.start(program(), arguments);
        QVERIFY(process.waitForStarted());
    }

    // A later start's exit code; it must end on its own, printing nothing.
    static int runLaterStart(const QStringList &arguments)
    {
        QProcess later;
        later.setProcessEnvironment(programEnvironment());
        later.start(program(), arguments);
        if (!later.waitForFinished(20000) || later.exitStatus() != QProcess::NormalExit)
            return -1;
        if (!later.readAllStandardOutput().isEmpty())
            return -2;
        return later.exitCode();
    }

    static int analysesStarted()
    {
        QFile log(waitingDownloaderLog());
        return log.open(QIODevice::ReadOnly) ? log.readAll().count('\n') : 0;
    }

    // The links the running copy stored, in the order it queued them.
    static QStringList queuedLinks()
    {
        QStringList links;
        runOnQueue("SELECT url FROM dldata ORDER BY rowid", &links);
        return links;
    }

    static void runOnQueue(const QString &statement, QStringList *firstColumn = nullptr)
    {
        {
            QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "peek");
            db.setDatabaseName(downloadCacheFolder() + "/data.db");
            db.setConnectOptions("QSQLITE_BUSY_TIMEOUT=1000");
            if (db.open()) {
                QSqlQuery q(statement, db);
                while (firstColumn && q.next())
                    *firstColumn << q.value(0).toString();
            }
        }
        QSqlDatabase::removeDatabase("peek");
    }
};

CW_TEST_MAIN(TestStartup)
#include "tst_startup.moc"
