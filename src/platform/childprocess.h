#pragma once
// A child process that dies with the program. Should the program crash or be
// killed, a downloader left running would go on writing a file that the next run
// downloads again; the kernel ends the child instead.
//
// A child that starts children of its own (the downloader adapter: yt-dlp, and yt-dlp's
// ffmpeg) runs as the leader of a process group of its own. It is stopped as a group:
// asked to end, given a moment, then killed with everything still in the group. Should
// the program die, the leader is told with SIGTERM and ends its group itself.

#include <QProcess>

class ChildProcess : public QProcess
{
    Q_OBJECT
public:
    enum class Group { Shared, Own };
    explicit ChildProcess(QObject *parent = nullptr, Group group = Group::Shared);

    // Ends the child: SIGTERM to its group, at most graceMs for it to end, then SIGKILL to
    // whatever of the group is left. A child in the program's group is simply killed.
    void stopGroup(int graceMs);

protected:
#if QT_VERSION < QT_VERSION_CHECK(6, 0, 0)
    void setupChildProcess() override;
#endif

private:
    Group m_group;
};
