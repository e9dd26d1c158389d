#include "platform/singleinstance.h"

#include <QDir>
#include <QFile>
#include <QLockFile>
#include <QStandardPaths>
#include <QSysInfo>

#include <cerrno>
#include <csignal>

namespace
{
// True only when the lock names a process of this machine that no longer exists.
bool holderHasDied(const QLockFile &lock)
{
    qint64 pid = 0;
    QString host, app;
    if (!lock.getLockInfo(&pid, &host, &app) || pid <= 0)
        return false;
    if (!host.isEmpty() && host != QSysInfo::machineHostName())
        return false;
    return ::kill(pid_t(pid), 0) != 0 && errno == ESRCH;
}
} // namespace

SingleInstanceGuard::SingleInstanceGuard(const QString &name) : m_path(lockFilePathFor(name)) {}

SingleInstanceGuard::~SingleInstanceGuard() = default;

QString SingleInstanceGuard::lockFilePathFor(const QString &name)
{
    QString dir = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (dir.isEmpty())
        dir = QDir::tempPath();
    return dir + QLatin1Char('/') + name + QStringLiteral(".instance.lock");
}

bool SingleInstanceGuard::tryAcquire()
{
    if (m_lock && m_lock->isLocked())
        return true;
    m_lock = std::make_unique<QLockFile>(m_path);
    // Never stale by age: only a lock whose process has died is taken over.
    m_lock->setStaleLockTime(0);
    if (m_lock->tryLock(0))
        return true;
    // QLockFile also wants the file's kernel lock, and a child forked by the dead copy and
    // stuck before its exec keeps that for ever. The process named in the file decides.
    if (!holderHasDied(*m_lock))
        return false;
    QLockFile takeover(m_path + QStringLiteral(".takeover"));
    if (!takeover.tryLock(1000))
        return false;
    if (holderHasDied(*m_lock)) // again, now that no other start can take over meanwhile
        QFile::remove(m_path);
    return m_lock->tryLock(0);
}
