#pragma once
// Refuses a second running copy of the program. A lock file in the user's runtime
// (or temporary) folder stands in for a named mutex; the lock of a crashed process
// is taken over, also while a half-started child of that process still holds it open.

#include <QString>
#include <memory>

class QLockFile;

class SingleInstanceGuard
{
public:
    explicit SingleInstanceGuard(const QString &name);
    ~SingleInstanceGuard();
    SingleInstanceGuard(const SingleInstanceGuard &) = delete;
    SingleInstanceGuard &operator=(const SingleInstanceGuard &) = delete;

    // True when this process now holds the name for the rest of its life.
    bool tryAcquire();
    QString lockFilePath() const
    {
        return m_path;
    }

    static QString lockFilePathFor(const QString &name);

private:
    QString m_path;
    std::unique_ptr<QLockFile> m_lock;
};
