#include "testlib/testenv.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QTemporaryDir>
#include <cstdlib>

namespace
{
QTemporaryDir *g_root = nullptr;

void setEnv(const char *name, const QString &value)
{
    qputenv(name, QFile::encodeName(value));
}
} // namespace

namespace TestEnv
{

void isolate()
{
    if (g_root)
        return;
    // Outlives every test object; removed when the process exits normally.
    static QTemporaryDir dir(QDir::tempPath() + QStringLiteral("/clipwright-test-XXXXXX"));
    g_root = &dir;
    const QString r = dir.path();
    for (const char *sub : {"home", "tmp", "config", "cache", "data", "runtime"})
        QDir(r).mkdir(QLatin1String(sub));
    QFile::setPermissions(r + QStringLiteral("/runtime"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    setEnv("HOME", r + QStringLiteral("/home"));
    setEnv("TMPDIR", r + QStringLiteral("/tmp"));
    setEnv("XDG_CONFIG_HOME", r + QStringLiteral("/config"));
    setEnv("XDG_CACHE_HOME", r + QStringLiteral("/cache"));
    setEnv("XDG_DATA_HOME", r + QStringLiteral("/data"));
    setEnv("XDG_RUNTIME_DIR", r + QStringLiteral("/runtime"));
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // Every main window checks for updates 5.8 s after start; in a test that check goes to
    // a closed local port, never to the vendor's site. Tests that need an answer set their own.
    if (qEnvironmentVariableIsEmpty("CLIPWRIGHT_VENDOR_URL"))
        qputenv("CLIPWRIGHT_VENDOR_URL", "http://127.0.0.1:9");
    // Likewise the downloader components' release check never reaches GitHub from a test.
    if (qEnvironmentVariableIsEmpty("CLIPWRIGHT_GITHUB_API"))
        qputenv("CLIPWRIGHT_GITHUB_API", "http://127.0.0.1:9");
    // No proxy of the machine running the tests may leak into what they observe.
    for (const char *v : {"http_proxy", "https_proxy", "all_proxy", "HTTP_PROXY", "HTTPS_PROXY", "ALL_PROXY",
                          "CLIPWRIGHT_PROXY_PAC", "DISPLAY", "CLIPWRIGHT_YTDLP", "CLIPWRIGHT_COMPONENTS_KEYRING"})
        qunsetenv(v);
}

QString root()
{
    return g_root ? g_root->path() : QString();
}

QString home()
{
    return root() + QStringLiteral("/home");
}

QString binDir()
{
    return QStringLiteral(CLIPWRIGHT_BIN_DIR);
}

QString testBinDir()
{
    return QStringLiteral(CLIPWRIGHT_TEST_BIN_DIR);
}

QString currentYtdlp()
{
    const QString path =
        QStringLiteral(CLIPWRIGHT_SOURCE_DIR) + QStringLiteral("/../shared/vendor/yt-dlp-2026.08.19/yt-dlp");
    return QFileInfo(path).isExecutable() ? QFileInfo(path).absoluteFilePath() : QString();
}

void clearSettings()
{
    QSettings store(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Kestrova"),
                    QStringLiteral("Clipwright"));
    store.clear();
    store.sync();
}

bool makeRealApplicationFolder(const QString &path)
{
    bool ok = QDir().mkpath(path);
    for (const char *built : {"youtubedl", "libMyDecoder.so"})
        ok = QFile::copy(binDir() + QLatin1Char('/') + QLatin1String(built),
                         path + QLatin1Char('/') + QLatin1String(built))
             && ok;
    for (const char *tool : {"ffmpeg", "ffprobe"})
        ok = QFile::link(QStringLiteral("/usr/bin/") + QLatin1String(tool),
                         path + QLatin1Char('/') + QLatin1String(tool))
             && ok;
    return ok;
}

void press(QWidget *control)
{
    QTest::mouseClick(control, Qt::LeftButton, Qt::NoModifier, control->rect().center());
}

} // namespace TestEnv
