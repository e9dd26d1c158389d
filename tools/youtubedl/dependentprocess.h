#pragma once
// Runs yt-dlp as a child that cannot outlive the adapter: an orphaned yt-dlp, or the
// ffmpeg it started for a stream, would go on writing the file that a resumed download
// writes again. The adapter leads a process group of its own and its children stay in it,
// so the program stops the whole download by signalling that group. A termination signal
// the adapter receives (the program's stop, or SIGTERM when the program dies) is passed on
// to the group; once yt-dlp has ended, whatever of the group is left gets a moment and then
// SIGKILL. The child also gets SIGKILL should the adapter die abruptly.

#include <QByteArray>
#include <QList>

#include <functional>
#include <sys/types.h>

class DependentProcess
{
public:
    using Sink = std::function<void(const char *data, size_t size)>;

    DependentProcess();
    ~DependentProcess();
    DependentProcess(const DependentProcess &) = delete;
    DependentProcess &operator=(const DependentProcess &) = delete;

    // argv[0] is the program path; no shell is involved. False with error() set on failure.
    bool start(const QList<QByteArray> &argv);
    // Hands output to the sinks until the child has exited and its pipes are drained.
    // Returns the exit code, or 128 + the signal number when the child was killed.
    int wait(const Sink &onStdout, const Sink &onStderr);

    QByteArray error() const
    {
        return m_error;
    }
    // The termination signal the adapter itself received, or 0.
    static int receivedSignal();
    // Called first thing: the adapter leads a process group of its own (unless it already
    // does) and learns of its parent's death by SIGTERM.
    static void leadOwnGroup();
    // After a termination signal: gives the rest of the group graceMs to end, then kills it
    // (the adapter with it, when anything was left).
    static void endGroup(int graceMs);

private:
    pid_t m_pid = -1;
    int m_out = -1;
    int m_err = -1;
    QByteArray m_error;
};
