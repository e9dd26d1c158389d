// Settings turned into folders, under a temporary home: documents base variants,
// the download folder, the cache folder, the private tool folder, and where the
// program's own files are.

#include "app/appenv.h"
#include "app/folders.h"
#include "app/paths.h"
#include "testlib/testenv.h"

#include <QDateTime>
#include <QDialog>
#include <QDir>
#include <QFileInfo>

using Settings::Key;

class TestFolders : public QObject
{
    Q_OBJECT

    QString home() const
    {
        return QDir::homePath();
    }
    void wipeHome()
    {
        QDir h(home());
        for (const QString &e : h.entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden))
            QFileInfo(h.filePath(e)).isDir() ? QDir(h.filePath(e)).removeRecursively() : h.remove(e);
    }

private slots:
    void init()
    {
        TestEnv::clearSettings();
        wipeHome();
    }

    // The documents base, and the download folder under it.
    void documentsBase_data()
    {
        QTest::addColumn<QStringList>("existing");
        QTest::addColumn<QString>("expected");
        QTest::newRow("Documents exists") << QStringList{"Documents"} << "/Documents/";
        QTest::newRow("only My Documents exists") << QStringList{"My Documents"} << "/My Documents/";
        QTest::newRow("both exist: Documents wins") << QStringList{"My Documents", "Documents"} << "/Documents/";
        QTest::newRow("neither exists: Documents is created") << QStringList{} << "/Documents/";
    }
    void documentsBase()
    {
        QFETCH(QStringList, existing);
        QFETCH(QString, expected);
        for (const QString &d : existing)
            QVERIFY(QDir(home()).mkdir(d));
        QCOMPARE(::documentsBase(), home() + expected);
        QVERIFY(QFileInfo(home() + expected).isDir());
        QCOMPARE(resolveFolderSetting(Key::addVideoPath), home() + expected + "Kestrova/Clipwright");
        // No second base is made beside the one in use.
        QCOMPARE(QDir(home()).entryList(QDir::Dirs | QDir::NoDotAndDotDot).size(), qMax(1, existing.size()));
    }

    void downloadFolder_data()
    {
        QTest::addColumn<bool>("store");
        QTest::addColumn<QString>("stored");
        QTest::addColumn<bool>("useStored");
        QTest::newRow("unset gives the default folder") << false << "" << false;
        QTest::newRow("empty gives the default folder") << true << "" << false;
        QTest::newRow("a folder that no longer exists gives the default")
            << true << "/nonexistent/clipwright/gone" << false;
        QTest::newRow("an existing folder is used as stored") << true << "@HOME/Videos/it's mine" << true;
    }
    void downloadFolder()
    {
        QFETCH(bool, store);
        QFETCH(QString, stored);
        QFETCH(bool, useStored);
        stored.replace("@HOME", home());
        if (useStored)
            QVERIFY(QDir().mkpath(stored));
        if (store)
            saveStringSetting(Key::SaveDownloadPath, stored);

        const QString folder = resolveFolderSetting(Key::SaveDownloadPath);
        if (useStored) {
            QCOMPARE(folder, stored);
        } else {
            QCOMPARE(folder, home() + QStringLiteral("/Documents/Kestrova/Clipwright"));
            QVERIFY(QFileInfo(folder).isDir());
        }
        // The setting itself is never rewritten.
        QCOMPARE(Settings::contains(Key::SaveDownloadPath), store);
        QCOMPARE(Settings::readText(Key::SaveDownloadPath), stored);
    }

    void downloadCacheFolder_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("expected"); // none: the default cache, made on the way
        QTest::newRow("unset gives the default cache") << QString() << QString();
        QTest::newRow("a bare drive letter gives the default cache") << "C:" << QString();
        QTest::newRow("two characters give the default cache") << "/a" << QString();
        QTest::newRow("three characters are used") << "/ab" << QStringLiteral("/ab");
        QTest::newRow("a missing Windows path's backslashes become slashes") << "D:\\Cache\\Clips"
                                                                             << "D:/Cache/Clips";
        QTest::newRow("a missing folder is not created") << "/nonexistent/cache"
                                                         << "/nonexistent/cache";
    }
    void downloadCacheFolder()
    {
        QFETCH(QString, stored);
        QFETCH(QString, expected);
        if (!stored.isNull())
            saveStringSetting(Key::DownloadTempFolder, stored);
        const QString defaultCache = home() + "/Documents/Kestrova/Temp_Download";
        QCOMPARE(::downloadCacheFolder(), expected.isNull() ? defaultCache : expected);
        QCOMPARE(QFileInfo(defaultCache).isDir(), expected.isNull());
        // The setting itself is never rewritten.
        QCOMPARE(Settings::readText(Key::DownloadTempFolder), stored);
        QCOMPARE(Settings::contains(Key::DownloadTempFolder), !stored.isNull());
    }

    // The tool folder is owner-only (and made so again), outside the shared temporary folder
    // where another user could plant a program.
    void toolTempFolderIsPrivate()
    {
        const QString folder = toolTempFolder();
        QVERIFY2(folder.startsWith(TestEnv::root() + "/cache/") && folder.endsWith("/Kestrova/temp"),
                 qPrintable(folder));
        QVERIFY(QFile::setPermissions(folder, QFile::Permissions(0x7777)));
        QCOMPARE(toolTempFolder(), folder);
        for (const QString &f : {folder, QFileInfo(folder).absolutePath()})
            QVERIFY2(!(QFileInfo(f).permissions() & QFile::Permissions(0x0077)), qPrintable(f));
    }

    // An upgrade of the program or of the system's tool must reach the working copy.
    void privateCopyFollowsItsSource()
    {
        const QString folder = toolTempFolder();
        const QString source = TestEnv::root() + "/tool";
        const QString link = TestEnv::root() + "/tool-link";
        const QString copy = folder + "/tool";
        auto write = [&](const QByteArray &bytes, const QDateTime &when) {
            QFile f(source);
            QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
            f.write(bytes);
            f.flush();
            QVERIFY(f.setFileTime(when, QFileDevice::FileModificationTime));
        };
        auto copied = [&] {
            QFile f(copy);
            return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
        };
        const QDateTime t0 = QDateTime::currentDateTime().addDays(-2);
        QVERIFY(!refreshPrivateCopy(source, copy)); // no source yet
        write("version 1", t0);
        QVERIFY(QFile::link(source, link));
        QVERIFY(refreshPrivateCopy(link, copy));
        QCOMPARE(copied(), QByteArray("version 1"));
        write("version 22", t0); // another size
        QVERIFY(refreshPrivateCopy(link, copy));
        QCOMPARE(copied(), QByteArray("version 22"));
        write("version 33", t0.addSecs(60)); // same size, newer
        QVERIFY(refreshPrivateCopy(link, copy));
        QCOMPARE(copied(), QByteArray("version 33"));
        QVERIFY(!QFile::exists(copy + ".part"));
        QVERIFY(!QFileInfo(copy).isSymLink());
    }

    // The program's own files, found from the folder of its executable: everything beside
    // it in the build folder, the freedesktop layout under an installed prefix, where
    // ffmpeg is the system's (found on PATH) and never one planted beside the program.
    void programFilesFollowTheLayout_data()
    {
        QTest::addColumn<QStringList>("layout"); // program, library and data folders, ffmpeg
        QTest::newRow("a build folder keeps everything beside the program, ffmpeg included")
            << QStringList{"clip wright/bin", "clip wright/bin", "clip wright/bin", "clip wright/bin/ffmpeg"};
        QTest::newRow("an installed prefix uses lib/clipwright, share/clipwright and the system's ffmpeg")
            << QStringList{"prefix/bin", "prefix/lib/clipwright", "prefix/share/clipwright", "path/ffmpeg"};
    }
    void programFilesFollowTheLayout()
    {
        QFETCH(QStringList, layout);
        const QString root = TestEnv::root() + "/tmp/layout/";
        for (const char *dir : {"clip wright/bin", "prefix/bin", "prefix/lib/clipwright", "path"})
            QVERIFY(QDir().mkpath(root + QLatin1String(dir)));
        QFile tool(root + "path/ffmpeg");
        QVERIFY(tool.open(QIODevice::WriteOnly));
        tool.close();
        tool.setPermissions(QFile::ReadOwner | QFile::ExeOwner);
        const QByteArray path = qgetenv("PATH");
        qputenv("PATH", QFile::encodeName(root + "path"));
        setAppDirPath(root + layout.at(0));
        QCOMPARE(AppPaths::adapterProgram(), root + layout.at(1) + "/youtubedl");
        QCOMPARE(AppPaths::decoderLibrary(), root + layout.at(1) + "/libMyDecoder.so");
        QCOMPARE(AppPaths::translationFile("ZH"), root + layout.at(2) + "/Lang/Lang_ZH.qm");
        QCOMPARE(ffmpegPath(), root + layout.at(3));
        qputenv("PATH", path);
        setAppDirPath(QString());
    }

    void centerOnMainWindow_data()
    {
        QTest::addColumn<QRect>("mainGeometry");
        QTest::addColumn<QPoint>("expected");
        QTest::newRow("centred on the window") << QRect(100, 50, 1000, 630) << QPoint(100 + 300, 50 + 165);
        QTest::newRow("a window off the left edge counts from zero") << QRect(-300, -20, 1000, 630) << QPoint(300, 165);
        QTest::newRow("no main window: a design window at the origin") << QRect() << QPoint(300, 165);
    }
    void centerOnMainWindow()
    {
        QFETCH(QRect, mainGeometry);
        QFETCH(QPoint, expected);
        QWidget main;
        if (mainGeometry.isValid()) {
            main.setGeometry(mainGeometry);
            main.move(mainGeometry.topLeft());
            setMainWidget(&main);
        } else {
            setMainWidget(nullptr);
        }
        QDialog dialog;
        dialog.resize(400, 300);
        ::centerOnMainWindow(&dialog);
        QCOMPARE(dialog.pos(), expected);
        setMainWidget(nullptr);
    }
};

CW_TEST_MAIN(TestFolders)
#include "tst_folders.moc"
