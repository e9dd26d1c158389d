#include "dependentprocess.h"

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <poll.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace
{

volatile sig_atomic_t g_child = 0;
volatile sig_atomic_t g_received = 0;
volatile sig_atomic_t g_forwarded = 0;
volatile sig_atomic_t g_ownGroup = 0;

const int ForwardedSignals[] = {SIGTERM, SIGINT, SIGHUP, SIGQUIT};

void forwardSignal(int sig)
{
    g_received = sig;
    // Once: signalling the group reaches the adapter too, and that second delivery stops here.
    if (g_forwarded)
        return;
    g_forwarded = 1;
    if (g_ownGroup)
        kill(0, sig);
    else if (g_child > 0)
        kill(pid_t(g_child), sig);
}

// Whether a process of the adapter's group other than the adapter is still running.
bool groupHasOthers()
{
    const pid_t self = getpid(), group = getpgrp();
    DIR *proc = opendir("/proc");
    if (!proc)
        return false;
    bool found = false;
    while (const dirent *entry = readdir(proc)) {
        char *end = nullptr;
        const long pid = std::strtol(entry->d_name, &end, 10);
        if (pid <= 0 || *end || pid == self)
            continue;
        char path[64];
        std::snprintf(path, sizeof path, "/proc/%ld/stat", pid);
        const int fd = ::open(path, O_RDONLY | O_CLOEXEC);
        if (fd < 0)
            continue;
        char buffer[512];
        const ssize_t n = ::read(fd, buffer, sizeof buffer - 1);
        ::close(fd);
        if (n <= 0)
            continue;
        buffer[n] = 0;
        // "pid (name) state ppid pgrp ...": the name may hold anything, so read after its last ')'.
        const char *close = std::strrchr(buffer, ')');
        char state = 0;
        long ppid = 0, pgrp = 0;
        if (close && std::sscanf(close + 1, " %c %ld %ld", &state, &ppid, &pgrp) == 3 && pgrp == group && state != 'Z'
            && state != 'X') {
            found = true;
            break;
        }
    }
    closedir(proc);
    return found;
}

void installHandlers()
{
    static bool installed = false;
    if (installed)
        return;
    installed = true;
    struct sigaction sa;
    std::memset(&sa, 0, sizeof sa);
    sa.sa_handler = forwardSignal;
    sigemptyset(&sa.sa_mask);
    for (int sig : ForwardedSignals)
        sigaction(sig, &sa, nullptr);
    // A reader that went away must not kill the adapter before it has tidied up.
    signal(SIGPIPE, SIG_IGN);
}

sigset_t forwardedSet()
{
    sigset_t set;
    sigemptyset(&set);
    for (int sig : ForwardedSignals)
        sigaddset(&set, sig);
    return set;
}

void closeFd(int &fd)
{
    if (fd >= 0)
        ::close(fd);
    fd = -1;
}

enum class ReadResult { Data, Nothing, Closed };

ReadResult readSome(int &fd, const DependentProcess::Sink &sink)
{
    char buffer[65536];
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n > 0) {
            sink(buffer, size_t(n));
            return ReadResult::Data;
        }
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK))
            return ReadResult::Nothing;
        closeFd(fd);
        return ReadResult::Closed;
    }
}

int exitCodeOf(int status)
{
    if (WIFEXITED(status))
        return WEXITSTATUS(status);
    if (WIFSIGNALED(status))
        return 128 + WTERMSIG(status);
    return 1;
}

} // namespace

DependentProcess::DependentProcess()
{
    installHandlers();
}

DependentProcess::~DependentProcess()
{
    closeFd(m_out);
    closeFd(m_err);
}

int DependentProcess::receivedSignal()
{
    return g_received;
}

void DependentProcess::leadOwnGroup()
{
    installHandlers();
    // The program's own stand-in for the adapter's death notice is SIGTERM as well; a parent
    // that set nothing (a shell, a test) gets the same.
    prctl(PR_SET_PDEATHSIG, SIGTERM);
    if (getpgrp() != getpid())
        setpgid(0, 0);
    g_ownGroup = getpgrp() == getpid();
}

void DependentProcess::endGroup(int graceMs)
{
    if (!g_ownGroup)
        return;
    for (int waited = 0; waited < graceMs; waited += 20) {
        if (!groupHasOthers())
            return;
        usleep(20 * 1000);
    }
    if (groupHasOthers())
        kill(0, SIGKILL);
}

bool DependentProcess::start(const QList<QByteArray> &argv)
{
    if (argv.isEmpty()) {
        m_error = "no program";
        return false;
    }
    int out[2], err[2], status[2];
    if (pipe2(out, O_CLOEXEC) != 0) {
        m_error = std::strerror(errno);
        return false;
    }
    if (pipe2(err, O_CLOEXEC) != 0) {
        m_error = std::strerror(errno);
        ::close(out[0]), ::close(out[1]);
        return false;
    }
    if (pipe2(status, O_CLOEXEC) != 0) {
        m_error = std::strerror(errno);
        ::close(out[0]), ::close(out[1]), ::close(err[0]), ::close(err[1]);
        return false;
    }

    std::vector<QByteArray> storage(argv.begin(), argv.end());
    std::vector<char *> args;
    for (QByteArray &a : storage)
        args.push_back(a.data());
    args.push_back(nullptr);

    // Signals wait until the child's pid is known, so none is lost between fork and bookkeeping.
    const sigset_t forwarded = forwardedSet();
    sigset_t previous;
    sigprocmask(SIG_BLOCK, &forwarded, &previous);
    const pid_t parent = getpid();
    const pid_t pid = fork();
    if (pid == 0) {
        for (int sig : ForwardedSignals)
            signal(sig, SIG_DFL);
        signal(SIGPIPE, SIG_DFL);
        sigprocmask(SIG_SETMASK, &previous, nullptr);
        // yt-dlp stays in the adapter's group, so a stop of the group reaches its ffmpeg runs too.
        prctl(PR_SET_PDEATHSIG, SIGKILL);
        // The adapter may have died before the line above took effect.
        if (getppid() != parent)
            _exit(127);
        const int null = ::open("/dev/null", O_RDONLY);
        if (null >= 0)
            dup2(null, STDIN_FILENO);
        dup2(out[1], STDOUT_FILENO);
        dup2(err[1], STDERR_FILENO);
        execv(args[0], args.data());
        // The status pipe closes on a successful exec; anything read from it is exec's errno.
        const int code = errno;
        (void)!::write(status[1], &code, sizeof code);
        _exit(127);
    }
    const int forkError = errno;
    if (pid > 0) {
        m_pid = pid;
        g_child = pid;
    }
    const bool alreadySignalled = g_received != 0;
    sigprocmask(SIG_SETMASK, &previous, nullptr);
    ::close(out[1]);
    ::close(err[1]);
    ::close(status[1]);
    if (pid < 0) {
        m_error = std::strerror(forkError);
        ::close(out[0]), ::close(err[0]), ::close(status[0]);
        return false;
    }
    if (alreadySignalled)
        kill(pid, g_received);

    int code = 0;
    ssize_t n;
    do
        n = ::read(status[0], &code, sizeof code);
    while (n < 0 && errno == EINTR);
    ::close(status[0]);
    if (n == sizeof code) {
        m_error = std::strerror(code);
        int ignored;
        waitpid(pid, &ignored, 0);
        g_child = 0;
        m_pid = -1;
        ::close(out[0]), ::close(err[0]);
        return false;
    }
    m_out = out[0];
    m_err = err[0];
    return true;
}

int DependentProcess::wait(const Sink &onStdout, const Sink &onStderr)
{
    if (m_pid <= 0)
        return 127;
    int status = 0;
    for (;;) {
        siginfo_t info;
        std::memset(&info, 0, sizeof info);
        // Peek without reaping: the pid stays ours until the forwarder forgets it.
        if (waitid(P_PID, id_t(m_pid), &info, WEXITED | WNOHANG | WNOWAIT) == 0 && info.si_pid == m_pid)
            break;
        pollfd fds[2];
        nfds_t count = 0;
        if (m_out >= 0)
            fds[count++] = {m_out, POLLIN, 0};
        if (m_err >= 0)
            fds[count++] = {m_err, POLLIN, 0};
        if (poll(fds, count, 100) <= 0)
            continue;
        for (nfds_t i = 0; i < count; ++i) {
            if (!(fds[i].revents & (POLLIN | POLLHUP | POLLERR)))
                continue;
            if (fds[i].fd == m_out)
                readSome(m_out, onStdout);
            else
                readSome(m_err, onStderr);
        }
    }
    g_child = 0;
    while (waitpid(m_pid, &status, 0) < 0 && errno == EINTR) {
    }
    m_pid = -1;
    // What is still buffered gets read; a grandchild that holds the pipes open is not waited for.
    for (int *fd : {&m_out, &m_err}) {
        if (*fd < 0)
            continue;
        fcntl(*fd, F_SETFL, fcntl(*fd, F_GETFL) | O_NONBLOCK);
        const Sink &sink = fd == &m_out ? onStdout : onStderr;
        while (readSome(*fd, sink) == ReadResult::Data) {
        }
        closeFd(*fd);
    }
    return exitCodeOf(status);
}
