#include "app/startup.h"

#include "app/folders.h"
#include "platform/platform.h"

#include <QCoreApplication>
#include <QFile>
#include <QLibraryInfo>
#include <QtDebug>

void restrictPluginPaths(const QString &appDir)
{
    const QString installed = QLibraryInfo::location(QLibraryInfo::PluginsPath);
    const QStringList current = QCoreApplication::libraryPaths();
    for (const QString &path : current) {
        if (path.isEmpty() || path == installed)
            continue;
        qDebug() << "restrictPluginPaths: removed" << path;
        QCoreApplication::removeLibraryPath(path);
    }
    for (const char *sub :
         {"", "/plugins", "/plugins/imageformats", "/plugins/platforms", "/plugins/sqldrivers", "/plugins/bearer"})
        QCoreApplication::addLibraryPath(appDir + QLatin1String(sub));
}

void deleteStaleDownloaderCopy()
{
    const QString folder = toolTempFolder();
    if (folder.isEmpty())
        return;
    QFile::remove(folder + QStringLiteral("/youtubedl") + Platform::executableSuffix());
}
