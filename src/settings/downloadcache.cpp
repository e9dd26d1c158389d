#include "settings/downloadcache.h"

#include "platform/platform.h"
#include "queue/database.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QtDebug>

namespace DownloadCache
{
bool isProgramFile(const QString &fileName)
{
    // Temporary media and everything derived from their names: digest.ext,
    // digest.ext.ytdl, digest.lang.vtt, digest_tmp.ext.
    static const QRegularExpression digestNamed(QStringLiteral("^[0-9a-f]{32}(_tmp)?\\..+$"));
    static const QRegularExpression segmentCopy(QStringLiteral("^segment_[0-9]+\\.[^.]*$"));
    // The work folders keep these; none is ever a temporary file of the cache itself.
    static const QStringList kept = {QStringLiteral("json"), QStringLiteral("ini"), QStringLiteral("jpg"),
                                     QStringLiteral("db")};
    if (kept.contains(QFileInfo(fileName).suffix()))
        return false;
    if (fileName == QLatin1String("join.txt"))
        return true;
    if (fileName == QStringLiteral("ffmpeg") + Platform::executableSuffix())
        return true;
    return digestNamed.match(fileName).hasMatch() || segmentCopy.match(fileName).hasMatch();
}

int clean(const QString &folder)
{
    if (folder.isEmpty())
        return 0;
    int removed = 0;
    const QDir dir(folder);
    const QFileInfoList files = dir.entryInfoList(QDir::Files | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    for (const QFileInfo &file : files) {
        if (file.isSymLink() || !isProgramFile(file.fileName()))
            continue;
        if (QFile::remove(file.filePath()))
            ++removed;
        else
            qDebug() << "DownloadCache::clean...cannot delete" << file.filePath();
    }
    return removed;
}

bool carryQueueDatabase(const QString &currentFolder, const QString &newFolder)
{
    if (!QFileInfo::exists(QDir(currentFolder).filePath(QLatin1String(DatabaseFileName))))
        return false;
    DBManagerThread db(currentFolder);
    return db.isUsable() && db.moveTo(newFolder);
}
} // namespace DownloadCache
