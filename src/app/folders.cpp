#include "app/folders.h"

#include "app/appenv.h"
#include "app/paths.h"
#include "platform/platform.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QWidget>

#include <cstdio>

namespace
{
const QString kVendor = QStringLiteral("Kestrova");

bool isFolder(const QString &path)
{
    return QFileInfo(path).isDir();
}
} // namespace

QString documentsBase()
{
    const QString home = QDir::homePath();
    if (isFolder(home + QStringLiteral("/Documents")))
        return home + QStringLiteral("/Documents/");
    if (isFolder(home + QStringLiteral("/My Documents")))
        return home + QStringLiteral("/My Documents/");
    QDir(home).mkdir(QStringLiteral("Documents"));
    return home + QStringLiteral("/Documents/");
}

QString defaultDownloadFolder()
{
    const QString base = documentsBase();
    if (!isFolder(base + kVendor))
        QDir(base).mkdir(kVendor);
    const QString folder = base + kVendor + QStringLiteral("/Clipwright");
    if (!isFolder(folder))
        QDir(base + kVendor).mkdir(QStringLiteral("Clipwright"));
    return folder;
}

QString resolveFolderSetting(Settings::Key key)
{
    const QString stored = Settings::readText(key);
    if (!stored.isEmpty() && isFolder(stored))
        return stored;
    return defaultDownloadFolder();
}

void saveStringSetting(Settings::Key key, const QString &value)
{
    Settings::writeText(key, value);
}

QString downloadCacheFolder()
{
    const QString stored = Settings::readText(Settings::Key::DownloadTempFolder);
    if (stored.size() < 3) {
        const QString base = documentsBase();
        QDir(base).mkdir(kVendor);
        QDir(base + kVendor).mkdir(QStringLiteral("Temp_Download"));
        return base + kVendor + QStringLiteral("/Temp_Download");
    }
    // A stored Windows-style path has its backslashes turned into slashes; on Linux a
    // backslash is an ordinary letter, so a folder that exists as written is kept as it is.
    if (QFileInfo(stored).isDir())
        return stored;
    QString path = stored;
    path.replace(QLatin1Char('\\'), QLatin1Char('/'));
    return path;
}

QString privateProgramFolder()
{
    return Platform::ensurePrivateFolder(Platform::privateTempBase() + QLatin1Char('/') + kVendor);
}

QString toolTempFolder()
{
    const QString base = privateProgramFolder();
    if (base.isEmpty())
        return QString();
    return Platform::ensurePrivateFolder(base + QStringLiteral("/temp"));
}

QString ffmpegPath()
{
    return AppPaths::mediaTool(Platform::isOldWindows() ? QStringLiteral("ffmpeg2") : QStringLiteral("ffmpeg"));
}

bool refreshPrivateCopy(const QString &source, const QString &copy)
{
    const QFileInfo from(source); // follows links, so a link to the system's tool compares the tool
    if (!from.isFile())
        return false;
    const QFileInfo to(copy);
    if (to.exists() && !Platform::isOwnedByCurrentUser(copy))
        return false;
    const QDateTime stamp = from.lastModified();
    if (to.isFile() && to.size() == from.size() && to.lastModified() == stamp)
        return true;
    // Copy beside the target, stamp it with the source's time, then rename over the old copy.
    const QString part = copy + QStringLiteral(".part");
    QFile::remove(part);
    if (!QFile::copy(source, part))
        return false;
    QFile file(part);
    const bool stamped = file.open(QIODevice::ReadWrite) && file.setFileTime(stamp, QFileDevice::FileModificationTime);
    file.close();
    file.setPermissions(from.permissions() | QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    if (!stamped || ::rename(QFile::encodeName(part).constData(), QFile::encodeName(copy).constData()) != 0) {
        QFile::remove(part);
        return false;
    }
    return true;
}

void centerOnMainWindow(QWidget *dialog)
{
    if (!dialog)
        return;
    const QWidget *main = mainWidget();
    int mx = 0, my = 0, w = 0, h = 0;
    if (main) {
        mx = main->x();
        my = main->y();
        w = main->width();
        h = main->height();
    }
    if (w < 1)
        w = scaled(1000);
    if (h < 1)
        h = scaled(630);
    const int x = qMax(mx, 0) + (w - dialog->width()) / 2;
    const int y = qMax(my, 0) + (h - dialog->height()) / 2;
    dialog->move(x, y);
}
