#include "platform/platform.h"

#include <QDBusConnection>
#include <QDBusInterface>
#include <QDBusReply>
#include <QDBusUnixFileDescriptor>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QProcessEnvironment>
#include <QStandardPaths>
#include <QStorageInfo>
#include <QUrl>
#include <QtDebug>

#include <sys/stat.h>
#include <unistd.h>

namespace Platform
{

namespace
{

std::function<void(PowerAction)> &powerHook()
{
    static std::function<void(PowerAction)> hook;
    return hook;
}

// The sleep inhibitor lasts as long as this descriptor stays open.
QDBusUnixFileDescriptor &sleepInhibitor()
{
    static QDBusUnixFileDescriptor fd;
    return fd;
}

QString envFirst(const QProcessEnvironment &env, const QStringList &names)
{
    for (const QString &n : names) {
        const QString v = env.value(n).trimmed();
        if (!v.isEmpty())
            return v;
    }
    return {};
}

// Runs a short query program and returns its trimmed output, "" on any failure.
QString queryProgram(const QString &program, const QStringList &args)
{
    if (QStandardPaths::findExecutable(program).isEmpty())
        return {};
    QProcess p;
    p.start(program, args, QIODevice::ReadOnly);
    if (!p.waitForFinished(1500)) {
        p.kill();
        p.waitForFinished(200);
        return {};
    }
    if (p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0)
        return {};
    return QString::fromUtf8(p.readAllStandardOutput()).trimmed();
}

QString unquoteGVariant(QString s)
{
    if (s.size() >= 2 && (s.startsWith(QLatin1Char('\'')) || s.startsWith(QLatin1Char('"'))))
        s = s.mid(1, s.size() - 2);
    return s;
}

} // namespace

void keepSystemAwake()
{
    QDBusConnection system = QDBusConnection::systemBus();
    if (system.isConnected()) {
        QDBusInterface login1(QStringLiteral("org.freedesktop.login1"), QStringLiteral("/org/freedesktop/login1"),
                              QStringLiteral("org.freedesktop.login1.Manager"), system);
        if (login1.isValid()) {
            QDBusReply<QDBusUnixFileDescriptor> reply =
                login1.call(QStringLiteral("Inhibit"), QStringLiteral("sleep:idle"), QStringLiteral("Clipwright"),
                            QStringLiteral("Downloads in progress"), QStringLiteral("block"));
            if (reply.isValid())
                sleepInhibitor() = reply.value();
        }
    }
    QDBusConnection session = QDBusConnection::sessionBus();
    if (session.isConnected()) {
        QDBusInterface saver(QStringLiteral("org.freedesktop.ScreenSaver"),
                             QStringLiteral("/org/freedesktop/ScreenSaver"),
                             QStringLiteral("org.freedesktop.ScreenSaver"), session);
        if (saver.isValid())
            saver.call(QStringLiteral("Inhibit"), QStringLiteral("Clipwright"),
                       QStringLiteral("Downloads in progress"));
    }
}

QString executableSuffix()
{
#ifdef Q_OS_WIN
    return QStringLiteral(".exe");
#else
    return QString();
#endif
}

QString sharedLibraryFileName(const QString &baseName)
{
#ifdef Q_OS_WIN
    return baseName + QStringLiteral(".dll");
#elif defined(Q_OS_MACOS)
    return QStringLiteral("lib") + baseName + QStringLiteral(".dylib");
#else
    return QStringLiteral("lib") + baseName + QStringLiteral(".so");
#endif
}

bool isOldWindows()
{
    return false;
}

bool setHiddenAttribute(const QString &path)
{
    Q_UNUSED(path);
    return true;
}

SystemProxyValues systemProxyValues()
{
    SystemProxyValues v;
    const QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    QString server =
        envFirst(env, {QStringLiteral("https_proxy"), QStringLiteral("HTTPS_PROXY"), QStringLiteral("http_proxy"),
                       QStringLiteral("HTTP_PROXY"), QStringLiteral("all_proxy"), QStringLiteral("ALL_PROXY")});
    while (server.endsWith(QLatin1Char('/')))
        server.chop(1);
    if (!server.isEmpty()) {
        v.proxyEnable = 1;
        v.proxyServer = server;
    }

    // The desktop's automatic configuration (GNOME and relatives keep it in gsettings).
    v.autoConfigUrl = envFirst(env, {QStringLiteral("CLIPWRIGHT_PROXY_PAC")});
    if (v.autoConfigUrl.isEmpty() && !env.value(QStringLiteral("DISPLAY")).isEmpty()) {
        const QString mode = unquoteGVariant(
            queryProgram(QStringLiteral("gsettings"),
                         {QStringLiteral("get"), QStringLiteral("org.gnome.system.proxy"), QStringLiteral("mode")}));
        if (mode == QLatin1String("auto"))
            v.autoConfigUrl = unquoteGVariant(queryProgram(
                QStringLiteral("gsettings"),
                {QStringLiteral("get"), QStringLiteral("org.gnome.system.proxy"), QStringLiteral("autoconfig-url")}));
    }
    return v;
}

bool openFolder(const QString &path)
{
    return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

bool openFile(const QString &path)
{
    return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

bool showFileInFolder(const QString &filePath)
{
    QDBusConnection session = QDBusConnection::sessionBus();
    if (session.isConnected()) {
        QDBusInterface fm(QStringLiteral("org.freedesktop.FileManager1"),
                          QStringLiteral("/org/freedesktop/FileManager1"),
                          QStringLiteral("org.freedesktop.FileManager1"), session);
        if (fm.isValid()) {
            QDBusMessage reply =
                fm.call(QStringLiteral("ShowItems"), QStringList{QUrl::fromLocalFile(filePath).toString()}, QString());
            if (reply.type() == QDBusMessage::ReplyMessage)
                return true;
        }
    }
    return openFolder(QFileInfo(filePath).absolutePath());
}

void runPowerAction(PowerAction action)
{
    if (powerHook()) {
        powerHook()(action);
        return;
    }
    const QString verb = action == PowerAction::Restart ? QStringLiteral("reboot") : QStringLiteral("poweroff");
    QProcess::startDetached(QStringLiteral("systemctl"), {verb});
}

void setPowerActionHook(std::function<void(PowerAction)> hook)
{
    powerHook() = std::move(hook);
}

namespace
{
std::function<qint64(const QString &)> &freeBytesHook()
{
    static std::function<qint64(const QString &)> hook;
    return hook;
}
} // namespace

qint64 freeBytes(const QString &path)
{
    if (freeBytesHook())
        return freeBytesHook()(path);
    QString existing = path;
    while (!existing.isEmpty() && !QFileInfo::exists(existing)) {
        const QString parent = QFileInfo(existing).absolutePath();
        if (parent == existing)
            break;
        existing = parent;
    }
    const QStorageInfo storage(existing);
    return storage.isValid() ? storage.bytesAvailable() : -1;
}

void setFreeBytesHook(std::function<qint64(const QString &path)> hook)
{
    freeBytesHook() = std::move(hook);
}

QString ensurePrivateFolder(const QString &path)
{
    QDir().mkpath(path);
    const QByteArray native = QFile::encodeName(path);
    struct stat st {
    };
    if (::lstat(native.constData(), &st) != 0 || !S_ISDIR(st.st_mode))
        return {};
    if (st.st_uid != ::getuid()) {
        qDebug() << "ensurePrivateFolder: refusing a folder owned by another user" << path;
        return {};
    }
    if ((st.st_mode & 077) != 0)
        ::chmod(native.constData(), 0700);
    return path;
}

bool isOwnedByCurrentUser(const QString &path)
{
    struct stat st {
    };
    if (::stat(QFile::encodeName(path).constData(), &st) != 0)
        return false;
    return st.st_uid == ::getuid();
}

QString privateTempBase()
{
    QString base = QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation);
    if (base.isEmpty())
        base = QDir::homePath() + QStringLiteral("/.cache");
    return base;
}

} // namespace Platform
