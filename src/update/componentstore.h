#pragma once
// The writing side of the downloader components (the reading side is
// external/components.h): moving a verified version in, switching the "current" and
// "previous" links, rolling back, and clearing what an interrupted run left behind.
// Every step that changes what a reader sees is a single rename(2), so a crash at any
// moment leaves the old or the new version in use.

#include <QLockFile>
#include <QString>
#include <memory>

namespace ComponentStore
{
// Hidden folders beside the versions that no reader ever follows.
extern const QString StagingPrefix; // ".staging-"

// Replaces the link with one naming the version, through a temporary link and rename.
bool pointLink(const QString &name, const QString &link, const QString &version, QString *error);
// Moves a verified, smoke-tested folder in as VERSION and makes it current; the version
// that was current becomes the previous one.
bool install(const QString &name, const QString &version, const QString &stagedFolder, QString *error);
// Makes the previous version current again and the current one previous, and remembers
// the version left so that updates do not bring it straight back.
bool rollBack(const QString &name, QString *error);
// Removes staging folders of interrupted runs and versions that are neither current nor previous.
void tidy(const QString &name);

// One updater or roll-back at a time, across processes (the program and a script).
class Lock
{
public:
    Lock();
    bool isHeld() const
    {
        return m_held;
    }

private:
    std::unique_ptr<QLockFile> m_file;
    bool m_held = false;
};
} // namespace ComponentStore
