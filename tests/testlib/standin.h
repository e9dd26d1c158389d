#pragma once
// A stand-in for yt-dlp, for tests of what a stopped or orphaned download leaves running,
// and a look at the running processes.

#include <QByteArray>
#include <QString>

namespace StandIn
{
// Writes an executable stand-in yt-dlp into folder and returns its path. Its info job writes
// a one-format info JSON beside its -o template; its download job starts a writer of its own
// (as yt-dlp starts ffmpeg) that ignores SIGTERM, prints a progress line and waits. The
// folder's path is in the command line of everything it starts.
QString writeYtdlp(const QString &folder);
// Whether any process other than this one has the text in its command line.
bool processMentions(const QByteArray &needle);
} // namespace StandIn
