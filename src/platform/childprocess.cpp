#include "platform/childprocess.h"

#ifdef Q_OS_LINUX
#include <csignal>
#include <sys/prctl.h>
#include <unistd.h>
#endif

#if QT_VERSION < QT_VERSION_CHECK(6, 0, 0)
QT_WARNING_PUSH
QT_WARNING_DISABLE_DEPRECATED
void ChildProcess::setupChildProcess()
{
#ifdef Q_OS_LINUX
    // Runs in the child between fork and exec: only async-signal-safe calls here.
    ::prctl(PR_SET_PDEATHSIG, SIGKILL);
#endif
}
QT_WARNING_POP
#endif
