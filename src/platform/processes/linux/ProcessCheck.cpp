#include "platform/processes/Processes.h"

#include <cerrno>
#include <csignal>
#include <unistd.h>

namespace platform {

qint64 currentProcessId()
{
    return ::getpid();
}

bool processExists(qint64 pid)
{
    // Signal 0 checks without sending; EPERM is another user's process.
    return pid > 0 && (::kill(static_cast<pid_t>(pid), 0) == 0 || errno == EPERM);
}

} // namespace platform
