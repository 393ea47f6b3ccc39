#include "platform/processes/Processes.h"

#include "platform/files/Files.h"

#include <QSocketNotifier>
#include <QTimer>

#include <cerrno>
#include <chrono>
#include <csignal>
#include <thread>
#include <fcntl.h>
#include <sys/prctl.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char **environ;

namespace platform {

struct ChildProcess::State {
    pid_t pid = -1;
    int pidfd = -1;
    QSocketNotifier *notifier = nullptr;
    QTimer *poll = nullptr; // only where pidfd_open is not available
    int errorPipe = -1;
    QSocketNotifier *errorNotifier = nullptr;
    QByteArray errorTail;
    bool stopped = false; // by stop(): no exit status of its own

    // Takes what the child wrote to standard error so far.
    void readErrors()
    {
        if (errorPipe < 0)
            return;
        char buffer[4096];
        for (;;) {
            const ssize_t n = ::read(errorPipe, buffer, sizeof buffer);
            if (n < 0 && errno == EINTR)
                continue;
            if (n <= 0)
                break;
            keepTail(errorTail, buffer, n);
        }
    }
};

ChildProcess::ChildProcess(QObject *parent) : QObject(parent), d(std::make_unique<State>()) {}

ChildProcess::~ChildProcess()
{
    if (d->pidfd >= 0)
        ::close(d->pidfd);
    if (d->errorPipe >= 0)
        ::close(d->errorPipe);
}

bool ChildProcess::start(const QString &program, const QStringList &arguments)
{
    if (m_running)
        return false;

    std::vector<QByteArray> storage;
    storage.push_back(encodeFileName(program));
    for (const QString &argument : arguments)
        storage.push_back(encodeFileName(argument));
    std::vector<char *> argv;
    for (QByteArray &item : storage)
        argv.push_back(item.data());
    argv.push_back(nullptr);

    int errors[2] = {-1, -1};
    if (::pipe2(errors, O_CLOEXEC | O_NONBLOCK) != 0)
        return false;
    // The exec's failure comes back through this pipe (closed by a good exec).
    int execStatus[2] = {-1, -1};
    if (::pipe2(execStatus, O_CLOEXEC) != 0) {
        ::close(errors[0]);
        ::close(errors[1]);
        return false;
    }
    const pid_t parent = ::getpid();
    const pid_t pid = ::fork();
    if (pid == 0) {
        // Only calls safe after a fork in a program with threads, up to the exec.
        // The encoder ends with this program, even one killed outright: it
        // is told as by a stop, and removes its partial output.
        ::prctl(PR_SET_PDEATHSIG, SIGTERM);
        if (::getppid() != parent)
            ::_exit(127); // the program is gone already
        const int null = ::open("/dev/null", O_RDWR | O_CLOEXEC);
        if (null < 0 || ::dup2(null, 0) < 0 || ::dup2(null, 1) < 0 || ::dup2(errors[1], 2) < 0)
            ::_exit(127);
        // Signals as a new program gets them (the window's may block some).
        sigset_t none;
        ::sigemptyset(&none);
        ::sigprocmask(SIG_SETMASK, &none, nullptr);
        ::execve(argv[0], argv.data(), environ);
        const int error = errno;
        [[maybe_unused]] const ssize_t written = ::write(execStatus[1], &error, sizeof error);
        ::_exit(127);
    }
    ::close(errors[1]);
    ::close(execStatus[1]);
    int childError = 0;
    ssize_t got;
    do {
        got = pid > 0 ? ::read(execStatus[0], &childError, sizeof childError) : -1;
    } while (got < 0 && errno == EINTR);
    ::close(execStatus[0]);
    if (pid < 0 || got > 0) {
        ::close(errors[0]);
        if (pid > 0)
            while (::waitpid(pid, nullptr, 0) < 0 && errno == EINTR) {
            }
        return false;
    }
    if (d->errorPipe >= 0)
        ::close(d->errorPipe);
    delete d->errorNotifier;
    d->errorPipe = errors[0];
    d->errorTail.clear();
    d->stopped = false;
    d->errorNotifier = new QSocketNotifier(d->errorPipe, QSocketNotifier::Read, this);
    connect(d->errorNotifier, &QSocketNotifier::activated, this, [this] { d->readErrors(); });

    d->pid = pid;
    m_running = true;
    m_exitCode = -1;
    d->pidfd = static_cast<int>(::syscall(SYS_pidfd_open, pid, 0));
    if (d->pidfd >= 0) {
        ::fcntl(d->pidfd, F_SETFD, FD_CLOEXEC);
        delete d->notifier;
        d->notifier = new QSocketNotifier(d->pidfd, QSocketNotifier::Read, this);
        connect(d->notifier, &QSocketNotifier::activated, this, &ChildProcess::reap);
    } else {
        if (!d->poll) {
            d->poll = new QTimer(this);
            d->poll->setInterval(10);
            connect(d->poll, &QTimer::timeout, this, &ChildProcess::reap);
        }
        d->poll->start();
    }
    return true;
}

void ChildProcess::reap()
{
    if (!m_running)
        return;
    int status = 0;
    pid_t result;
    do {
        result = ::waitpid(d->pid, &status, WNOHANG);
    } while (result < 0 && errno == EINTR);
    if (result == 0)
        return; // still running (a spurious wake-up)

    const int exitCode = (result > 0 && WIFEXITED(status) && !d->stopped) ? WEXITSTATUS(status) : -1;
    d->readErrors(); // what is left in the pipe
    if (d->errorNotifier) {
        d->errorNotifier->setEnabled(false);
        d->errorNotifier->deleteLater();
        d->errorNotifier = nullptr;
    }
    if (d->errorPipe >= 0) {
        ::close(d->errorPipe);
        d->errorPipe = -1;
    }
    if (d->notifier) {
        d->notifier->setEnabled(false);
        d->notifier->deleteLater();
        d->notifier = nullptr;
    }
    if (d->pidfd >= 0) {
        ::close(d->pidfd);
        d->pidfd = -1;
    }
    if (d->poll)
        d->poll->stop();
    ended(exitCode);
}

void ChildProcess::stop(int graceMs)
{
    if (!m_running)
        return;
    d->stopped = true;
    ::kill(d->pid, SIGTERM);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(graceMs);
    int status = 0;
    pid_t result = 0;
    while ((result = ::waitpid(d->pid, &status, WNOHANG)) == 0
           && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    if (result == 0) {
        ::kill(d->pid, SIGKILL);
        while (::waitpid(d->pid, &status, 0) < 0 && errno == EINTR) {
        }
    }
    reap();
}

QByteArray ChildProcess::errorTail() const
{
    return d->errorTail;
}

} // namespace platform
