// Installing and packaging: the program installed into a temporary prefix runs and finds
// its files there, the launcher and the software centre's description pass their
// validators, and the Debian package holds the install and says what it depends on.

#include "app/appenv.h"
#include "app/folders.h"
#include "app/paths.h"
#include "external/mydecoder.h"
#include "testlib/testenv.h"
#include "update/componentupdater.h"

#include <QDirIterator>
#include <QProcess>
#include <QStandardPaths>

namespace
{
const QString kAppId = QStringLiteral(CLIPWRIGHT_APP_ID);
const QString kVersion = QStringLiteral(CLIPWRIGHT_VERSION);

struct Run {
    int code = -1;
    QByteArray out;
};

Run run(const QString &program, const QStringList &arguments,
        const QProcessEnvironment &env = QProcessEnvironment::systemEnvironment())
{
    QProcess process;
    process.setProcessEnvironment(env);
    process.setWorkingDirectory(QStringLiteral(CLIPWRIGHT_BUILD_DIR));
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program, arguments);
    Run r;
    if (process.waitForFinished(240000) && process.exitStatus() == QProcess::NormalExit)
        r.code = process.exitCode();
    r.out = process.readAll();
    return r;
}

QString missingTool(const QStringList &tools)
{
    for (const QString &tool : tools) {
        if (QStandardPaths::findExecutable(tool).isEmpty())
            return tool;
    }
    return QString();
}
} // namespace

class TestPackaging : public QObject
{
    Q_OBJECT
    QString m_prefix;

private slots:
    void initTestCase()
    {
        m_prefix = TestEnv::root() + "/prefix";
        const Run r = run(QStringLiteral(CMAKE_COMMAND_PATH),
                          {"--install", QStringLiteral(CLIPWRIGHT_BUILD_DIR), "--prefix", m_prefix});
        QVERIFY2(r.code == 0, r.out.constData());
    }

    void installedProgramPrintsItsVersionWithoutAWindow()
    {
        // No display at all: opening a window would abort the program.
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.remove("DISPLAY");
        env.remove("WAYLAND_DISPLAY");
        env.insert("QT_QPA_PLATFORM", "xcb");
        const Run r = run(m_prefix + "/bin/clipwright", {"--version"}, env);
        QCOMPARE(r.code, 0);
        QCOMPARE(r.out, (QStringLiteral("Clipwright ") + kVersion + QLatin1Char('\n')).toUtf8());
    }

    void installedProgramFindsItsFilesFromItsOwnFolder()
    {
        setAppDirPath(m_prefix + "/bin");
        QVERIFY(AppPaths::isInstalled());
        QVERIFY(QFileInfo(AppPaths::adapterProgram()).isExecutable());
        resetDecoderLibraryForTests();
        QCOMPARE(loadDecoderLibrary(), 0);
        resetDecoderLibraryForTests();
        const QString data = AppPaths::dataFolder();
        for (const QString &file :
             QStringList{data + "/Lang/Lang_config", AppPaths::translationFile("EN"), AppPaths::translationFile("ZH"),
                         ComponentUpdaterOptions::fromEnvironment().keyring})
            QVERIFY2(QFile::exists(file), qPrintable(file));
        for (const char *font : {"Arial.ttf", "Lato-Regular.ttf", "Lato-Bold.ttf", "sum"})
            QVERIFY2(QFileInfo(data + "/font/" + QLatin1String(font)).isFile(), font);
        // ffmpeg and ffprobe are the system's: nothing of theirs is installed.
        QCOMPARE(ffmpegPath(), QStandardPaths::findExecutable(QStringLiteral("ffmpeg")));
        QDirIterator it(m_prefix, QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString name = QFileInfo(it.next()).fileName();
            QVERIFY2(!name.startsWith(QLatin1String("ffmpeg")) && !name.startsWith(QLatin1String("ffprobe")),
                     qPrintable(it.filePath()));
        }
        setAppDirPath(QString());
    }

    void launcherAndMetainfoPassTheirValidators_data()
    {
        QTest::addColumn<QString>("validator");
        QTest::addColumn<QString>("debianPackage");
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("file");
        QTest::newRow("the desktop entry passes desktop-file-validate")
            << "desktop-file-validate"
            << "desktop-file-utils" << QStringList() << "/share/applications/" + kAppId + ".desktop";
        QTest::newRow("the metainfo passes appstreamcli validate")
            << "appstreamcli"
            << "appstream" << QStringList{"validate", "--no-net"} << "/share/metainfo/" + kAppId + ".metainfo.xml";
    }
    void launcherAndMetainfoPassTheirValidators()
    {
        QFETCH(QString, validator);
        QFETCH(QString, debianPackage);
        QFETCH(QStringList, arguments);
        QFETCH(QString, file);
        if (!missingTool({validator}).isEmpty())
            QSKIP(qPrintable(validator + " is missing (Debian package " + debianPackage
                             + "; scripts/setup installs it)"));
        const Run r = run(validator, arguments << m_prefix + file);
        QVERIFY2(r.code == 0, r.out.constData());
    }

    void launcherStartsTheProgramWithItsIconAndVersion()
    {
        QFile entry(m_prefix + "/share/applications/" + kAppId + ".desktop");
        QVERIFY(entry.open(QIODevice::ReadOnly | QIODevice::Text));
        const QStringList lines = QString::fromUtf8(entry.readAll()).split(QLatin1Char('\n'));
        QVERIFY(lines.contains("Exec=clipwright %U"));
        QVERIFY(lines.contains("Icon=" + kAppId));
        for (const char *icon : {"48x48/apps/@.png", "128x128/apps/@.png", "256x256/apps/@.png", "scalable/apps/@.svg"})
            QVERIFY2(QFile::exists(m_prefix + "/share/icons/hicolor/" + QString(icon).replace('@', kAppId)), icon);
        QFile metainfo(m_prefix + "/share/metainfo/" + kAppId + ".metainfo.xml");
        QVERIFY(metainfo.open(QIODevice::ReadOnly));
        QVERIFY(metainfo.readAll().contains(("<release version=\"" + kVersion + QLatin1Char('"')).toUtf8()));
    }

    void debianPackageHoldsTheInstallAndItsDepends()
    {
        const QString missing = missingTool({"dpkg-deb", "dpkg-shlibdeps"});
        if (!missing.isEmpty())
            QSKIP(qPrintable(missing + " is missing (Debian package dpkg-dev; scripts/setup installs it)"));
        // The build folder's own package rules, with the output kept out of the build folder.
        const QString out = TestEnv::root() + "/package";
        const Run made =
            run(QStringLiteral(CPACK_COMMAND_PATH),
                {"-G", "DEB", "-B", out, "--config", QStringLiteral(CLIPWRIGHT_BUILD_DIR "/CPackConfig.cmake")});
        QVERIFY2(made.code == 0, made.out.constData());
        const QStringList debs = QDir(out).entryList({"clipwright_" + kVersion + "_*.deb"});
        QCOMPARE(debs.size(), 1);
        const QString deb = out + QLatin1Char('/') + debs.first();

        const Run depends = run("dpkg-deb", {"-f", deb, "Depends"});
        QCOMPARE(depends.code, 0);
        const QStringList wanted = QString::fromUtf8(depends.out).trimmed().split(", ");
        // What the program runs or loads without linking it, then what dpkg-shlibdeps found.
        for (const char *name :
             {"ffmpeg", "yt-dlp", "gpgv", "fonts-lato", "fonts-liberation2", "fonts-wqy-microhei", "libqt5sql5-sqlite",
              "libqt5core5a ", "libqt5widgets5 ", "libavformat", "libcjson1 "}) {
            const bool found = std::any_of(wanted.cbegin(), wanted.cend(),
                                           [name](const QString &d) { return d.startsWith(QLatin1String(name)); });
            QVERIFY2(found, qPrintable(QLatin1String(name) + " not in: " + wanted.join(", ")));
        }

        const Run listing = run("dpkg-deb", {"-c", deb});
        QCOMPARE(listing.code, 0);
        const QString files = QString::fromUtf8(listing.out);
        for (const QString &path : QStringList{
                 "./usr/bin/clipwright", "./usr/lib/clipwright/youtubedl", "./usr/lib/clipwright/libMyDecoder.so",
                 "./usr/share/clipwright/Lang/Lang_ZH.qm",
                 QStringLiteral(
                     "./usr/share/clipwright/font/Lato-Regular.ttf -> ../../fonts/truetype/lato/Lato-Regular.ttf"),
                 "./usr/share/clipwright/keys/yt-dlp-release.gpg", "./usr/share/applications/" + kAppId + ".desktop",
                 "./usr/share/doc/clipwright/copyright", "./usr/share/doc/clipwright/changelog.gz",
                 "./usr/share/man/man1/clipwright.1.gz"})
            QVERIFY2(files.contains(QLatin1Char(' ') + path + QLatin1Char('\n'))
                         || files.contains(QLatin1Char(' ') + path + " ->"),
                     qPrintable(path + " not in:\n" + files));
        QVERIFY(!files.contains("ffmpeg") && !files.contains("ffprobe"));

        if (!missingTool({"lintian"}).isEmpty())
            QSKIP("lintian is missing (Debian package lintian; scripts/setup installs it)");
        const Run checked = run("lintian", {deb});
        for (const QByteArray &line : checked.out.split('\n'))
            QVERIFY2(!line.startsWith("E:"), checked.out.constData());
    }
};

CW_TEST_MAIN(TestPackaging)
#include "tst_packaging.moc"
