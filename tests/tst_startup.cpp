// Start-up: the scale factor, the main window's first shape, the splash, the
// decoder's lazy loading, the plug-in folders and the single running instance.

#include "app/appenv.h"
#include "app/folders.h"
#include "app/splash.h"
#include "app/startup.h"
#include "external/mydecoder.h"
#include "platform/singleinstance.h"
#include "shell/mainwindow.h"
#include "testlib/testenv.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLibraryInfo>
#include <QProcess>
#include <QScreen>
#include <QSplashScreen>

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

QProcessEnvironment programEnvironment()
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
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
        QCOMPARE(scaled(1000), 1500);
        QCOMPARE(scaled(630), 945);
        QCOMPARE(scaled(25), 37);
        setScaleFactor(5.0);
        QCOMPARE(scaleFactor(), 1.8);
        setScaleFactor(0.5);
        QCOMPARE(scaleFactor(), 1.0);
    }

    void mainWindowTakesItsFirstShape()
    {
        // A working copy of the downloader left from the last run is deleted.
        const QString stale = toolTempFolder() + QStringLiteral("/youtubedl");
        QFile f(stale);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.close();

        DoRaDuvoZezavi window;
        QCOMPARE(mainWindow(), &window);
        const QScreen *screen = QGuiApplication::primaryScreen();
        QCOMPARE(scaleFactor(), computeScaleFactor(screen->logicalDotsPerInchX(), screen->logicalDotsPerInchY()));
        QCOMPARE(window.size(), QSize(int(1000 * scaleFactor()), int(630 * scaleFactor())));
        QVERIFY(window.windowFlags() & Qt::FramelessWindowHint);
        QCOMPARE(window.windowTitle(), QStringLiteral("Clipwright"));
        QVERIFY(!window.windowIcon().isNull());
        QVERIFY(!QFile::exists(stale));
    }

    void mainWindowIsForgottenWhenDestroyed()
    {
        {
            DoRaDuvoZezavi window;
            QVERIFY(mainWindow());
        }
        QVERIFY(!mainWindow());
    }

    void splashStaysAtLeastTwoSecondsWithGrowingDots()
    {
        QSplashScreen *splash = showSplashScreen();
        QVERIFY(splash);
        QVERIFY(!splash->pixmap().isNull());
        QStringList seen;
        connect(splash, &QSplashScreen::messageChanged, this, [&seen](const QString &m) {
            if (seen.isEmpty() || seen.last() != m)
                seen << m;
        });
        QElapsedTimer timer;
        timer.start();
        holdSplashScreen(2000, QStringLiteral("Loading.."));
        QVERIFY(timer.elapsed() >= 2000);
        QVERIFY2(seen.size() >= 10, qPrintable(seen.join(QLatin1Char('|'))));
        QCOMPARE(seen.first(), QStringLiteral("Loading..."));
        QVERIFY(seen.contains(QStringLiteral("Loading.....")));
        QVERIFY(seen.contains(QStringLiteral("Loading..")));
        for (const QString &m : seen)
            QVERIFY(m.startsWith(QStringLiteral("Loading..")) && m.size() <= 14);
        delete splash;
        // Without a splash there is nothing to wait for.
        timer.restart();
        holdSplashScreen(2000, QStringLiteral("Loading.."));
        QVERIFY(timer.elapsed() < 1000);
    }

    void decoderLoadsLazilyAndRetriesAfterAMissingLibrary()
    {
        const QString appDir = TestEnv::root() + QStringLiteral("/tmp/appdir");
        QVERIFY(QDir().mkpath(appDir));
        setAppDirPath(appDir);
        resetDecoderLibraryForTests();

        QCOMPARE(loadDecoderLibrary(), -1);
        QCOMPARE(decoderMediaInfo(QStringLiteral("/x/sound.mp4")).result, -1);

        // The library appears: the next request loads it.
        QVERIFY(QFile::copy(TestEnv::testBinDir() + QStringLiteral("/fakes/decoder/libMyDecoder.so"),
                            appDir + QStringLiteral("/libMyDecoder.so")));
        const DecoderMediaInfo withSound = decoderMediaInfo(QStringLiteral("/x/sound.mp4"));
        QCOMPARE(withSound.result, 0);
        QCOMPARE(withSound.durationMicros, qint64(2500000));
        QVERIFY(withSound.hasVideo);
        QVERIFY(withSound.hasAudio);
        const DecoderMediaInfo mute = decoderMediaInfo(QStringLiteral("/x/mute.mp4"));
        QCOMPARE(mute.result, 0);
        QVERIFY(mute.hasVideo);
        QVERIFY(!mute.hasAudio);
        QVERIFY(decoderMediaInfo(QStringLiteral("/x/notes.txt")).result != 0);
        resetDecoderLibraryForTests();
    }

    void decoderWithoutTheInformationEntryYieldsMinusOne()
    {
        setAppDirPath(TestEnv::testBinDir() + QStringLiteral("/fakes/decoder-noentry"));
        resetDecoderLibraryForTests();
        QCOMPARE(loadDecoderLibrary(), 0);
        QCOMPARE(decoderMediaInfo(QStringLiteral("/x/sound.mp4")).result, -1);
        resetDecoderLibraryForTests();
    }

    void pluginFoldersAreRestricted()
    {
        const QString planted = TestEnv::root() + QStringLiteral("/tmp/planted-plugins");
        QDir().mkpath(planted);
        QCoreApplication::addLibraryPath(planted);
        // Qt keeps only folders that exist.
        const QString appDir = TestEnv::root() + QStringLiteral("/tmp/app");
        QVERIFY(QDir().mkpath(appDir + QStringLiteral("/plugins/sqldrivers")));
        restrictPluginPaths(appDir);
        const QStringList paths = QCoreApplication::libraryPaths();
        QVERIFY(!paths.contains(planted));
        QVERIFY(paths.contains(appDir + QStringLiteral("/plugins/sqldrivers")));
        QVERIFY(paths.contains(appDir));
        QVERIFY(paths.contains(QLibraryInfo::location(QLibraryInfo::PluginsPath)));
    }

    void secondStartExitsAtOnceWhileTheFirstRuns()
    {
        const QString program = TestEnv::binDir() + QStringLiteral("/clipwright");
        QVERIFY(QFile::exists(program));
        const QString lockPath = SingleInstanceGuard::lockFilePathFor(QStringLiteral("Clipwright"));

        QProcess first;
        first.setProcessEnvironment(programEnvironment());
        first.start(program, QStringList());
        QVERIFY(first.waitForStarted());
        QTRY_COMPARE_WITH_TIMEOUT(readLockPid(lockPath), QString::number(first.processId()), 10000);

        QProcess second;
        second.setProcessEnvironment(programEnvironment());
        second.start(program, QStringList());
        QVERIFY(second.waitForFinished(10000));
        QCOMPARE(second.exitStatus(), QProcess::NormalExit);
        QCOMPARE(second.exitCode(), 0);
        QCOMPARE(second.readAllStandardOutput(), QByteArray());
        QCOMPARE(first.state(), QProcess::Running);

        // A crashed first instance leaves its lock behind; the next start takes it over.
        ::kill(pid_t(first.processId()), SIGKILL);
        QVERIFY(first.waitForFinished(5000));
        QVERIFY(QFile::exists(lockPath));
        QProcess third;
        third.setProcessEnvironment(programEnvironment());
        third.start(program, QStringList());
        QVERIFY(third.waitForStarted());
        QTRY_COMPARE_WITH_TIMEOUT(readLockPid(lockPath), QString::number(third.processId()), 10000);
        QCOMPARE(third.state(), QProcess::Running);
        third.kill();
        third.waitForFinished(5000);
    }
};

CW_TEST_MAIN(TestStartup)
#include "tst_startup.moc"
