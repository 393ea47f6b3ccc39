#include "platform/processes/Processes.h"

#include <QSocketNotifier>

#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace platform {

namespace {

// A handler may only write to a pipe; the event loop reads it.
int wakeUp[2] = {-1, -1};

extern "C" void onExitSignal(int)
{
    const char byte = 1;
    [[maybe_unused]] const ssize_t n = ::write(wakeUp[1], &byte, 1);
}

} // namespace

ExitRequests::ExitRequests(QObject *parent) : QObject(parent)
{
    if (::pipe2(wakeUp, O_CLOEXEC | O_NONBLOCK) != 0)
        return;
    auto *notifier = new QSocketNotifier(wakeUp[0], QSocketNotifier::Read, this);
    connect(notifier, &QSocketNotifier::activated, this, [this] {
        char bytes[16];
        while (::read(wakeUp[0], bytes, sizeof bytes) > 0) {
        }
        emit requested();
    });
    struct sigaction action {};
    action.sa_handler = onExitSignal;
    action.sa_flags = SA_RESTART;
    for (const int signal : {SIGTERM, SIGINT, SIGHUP})
        ::sigaction(signal, &action, nullptr);
}

ExitRequests::~ExitRequests()
{
    for (const int signal : {SIGTERM, SIGINT, SIGHUP})
        ::signal(signal, SIG_DFL);
}

} // namespace platform
