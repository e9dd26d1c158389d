#pragma once
// Runs yt-dlp as a child that cannot outlive the adapter: the program pauses a download
// by killing the adapter, and an orphaned yt-dlp would go on writing the file. The child
// gets SIGKILL when the adapter dies, and termination signals the adapter receives are
// passed on to the child's whole process group (yt-dlp's own ffmpeg runs included).

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
    // The termination signal the adapter itself received while waiting, or 0.
    static int receivedSignal();

private:
    pid_t m_pid = -1;
    int m_out = -1;
    int m_err = -1;
    QByteArray m_error;
};
