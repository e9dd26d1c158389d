#include "platform/childprocess.h"

#ifdef Q_OS_LINUX
#include <csignal>
#include <sys/prctl.h>
#include <unistd.h>
#endif

ChildProcess::ChildProcess(QObject *parent, Group group) : QProcess(parent), m_group(group) {}

#if QT_VERSION < QT_VERSION_CHECK(6, 0, 0)
QT_WARNING_PUSH
QT_WARNING_DISABLE_DEPRECATED
void ChildProcess::setupChildProcess()
{
#ifdef Q_OS_LINUX
    // Runs in the child between fork and exec: only async-signal-safe calls here.
    if (m_group == Group::Own) {
        ::setpgid(0, 0);
        // A leader gets the chance to end its group; SIGKILL would leave its grandchildren.
        ::prctl(PR_SET_PDEATHSIG, SIGTERM);
    } else {
        ::prctl(PR_SET_PDEATHSIG, SIGKILL);
    }
#endif
}
QT_WARNING_POP
#endif

void ChildProcess::stopGroup(int graceMs)
{
#ifdef Q_OS_LINUX
    if (m_group == Group::Own) {
        const pid_t leader = pid_t(processId());
        if (leader <= 0)
            return;
        ::kill(-leader, SIGTERM);
        waitForFinished(graceMs);
        // The group outlives its leader while any member is left, so this reaches stragglers too.
        ::kill(-leader, SIGKILL);
        waitForFinished(400);
        return;
    }
#else
    Q_UNUSED(graceMs);
#endif
    if (state() != QProcess::NotRunning) {
        kill();
        waitForFinished(400);
    }
}
