#include "update/componentstore.h"

#include "external/components.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace ComponentStore
{
const QString StagingPrefix = QStringLiteral(".staging-");

namespace
{
const QString kRetiredPrefix = QStringLiteral(".retired-");

QString systemError()
{
    return QString::fromLocal8Bit(std::strerror(errno));
}

// Makes a rename or new link inside the folder survive a power cut.
void syncFolder(const QString &path)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_DIRECTORY);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

bool renameOver(const QString &from, const QString &to, QString *error)
{
    if (::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) == 0)
        return true;
    *error = systemError();
    return false;
}
} // namespace

bool pointLink(const QString &name, const QString &link, const QString &version, QString *error)
{
    const QString folder = Components::folder(name);
    const QString temporary =
        folder + QStringLiteral("/.") + link + QLatin1Char('-') + QString::number(QCoreApplication::applicationPid());
    const QByteArray tmp = QFile::encodeName(temporary);
    ::unlink(tmp.constData());
    if (::symlink(QFile::encodeName(version).constData(), tmp.constData()) != 0) {
        *error = systemError();
        return false;
    }
    if (!renameOver(temporary, folder + QLatin1Char('/') + link, error)) {
        ::unlink(tmp.constData());
        return false;
    }
    syncFolder(folder);
    return true;
}

bool install(const QString &name, const QString &version, const QString &stagedFolder, QString *error)
{
    const QString folder = Components::folder(name);
    const QString target = folder + QLatin1Char('/') + version;
    const QString current = Components::currentVersion(name);
    if (QFileInfo::exists(target)) {
        if (version == current) {
            *error = QStringLiteral("version %1 is already in use").arg(version);
            return false;
        }
        // A left-over or the previous version of the same name: the verified one replaces it.
        const QString retired = folder + QLatin1Char('/') + kRetiredPrefix + version;
        QDir(retired).removeRecursively();
        if (!renameOver(target, retired, error))
            return false;
    }
    if (!renameOver(stagedFolder, target, error))
        return false;
    syncFolder(folder);
    // Two renames: a crash between them leaves the old version current and previous.
    if (!current.isEmpty() && !pointLink(name, Components::PreviousLink, current, error))
        return false;
    if (!pointLink(name, Components::CurrentLink, version, error))
        return false;
    // A release newer than the one rolled back from ends the hold.
    QFile::remove(folder + QLatin1Char('/') + Components::RolledBackLink);
    tidy(name);
    return true;
}

bool rollBack(const QString &name, QString *error)
{
    const QString previous = Components::previousVersion(name);
    const QString current = Components::currentVersion(name);
    if (previous.isEmpty() || !QFileInfo(Components::executable(name, previous)).isExecutable()) {
        *error = QStringLiteral("no previous version");
        return false;
    }
    if (!pointLink(name, Components::CurrentLink, previous, error))
        return false;
    if (!current.isEmpty() && current != previous && !pointLink(name, Components::PreviousLink, current, error))
        return false;
    // Rolling back to the version once left takes it back on purpose.
    if (Components::linkedVersion(name, Components::RolledBackLink) == previous)
        QFile::remove(Components::folder(name) + QLatin1Char('/') + Components::RolledBackLink);
    if (!current.isEmpty() && current != previous)
        pointLink(name, Components::RolledBackLink, current, error);
    return true;
}

void tidy(const QString &name)
{
    const QString folder = Components::folder(name);
    const QString current = Components::currentVersion(name);
    const QString previous = Components::previousVersion(name);
    const QFileInfoList entries =
        QDir(folder).entryInfoList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    for (const QFileInfo &entry : entries) {
        const QString entryName = entry.fileName();
        if (entryName == Components::CurrentLink || entryName == Components::PreviousLink
            || entryName == Components::RolledBackLink || entryName == current || entryName == previous)
            continue;
        if (entry.isSymLink()) {
            // A temporary link of a switch that never finished.
            if (entryName.startsWith(QLatin1Char('.')))
                QFile::remove(entry.absoluteFilePath());
            continue;
        }
        const bool leftOver = entryName.startsWith(StagingPrefix) || entryName.startsWith(kRetiredPrefix);
        if (!leftOver && !Components::isValidVersion(entryName))
            continue;
        if (entry.isDir())
            QDir(entry.absoluteFilePath()).removeRecursively();
        else
            QFile::remove(entry.absoluteFilePath());
    }
}

Lock::Lock()
{
    QDir().mkpath(Components::root());
    m_file = std::make_unique<QLockFile>(Components::root() + QStringLiteral("/.lock"));
    // A long download is no sign of a dead holder; a dead process is found by its id.
    m_file->setStaleLockTime(0);
    m_held = m_file->tryLock(0);
}
} // namespace ComponentStore
