#include "platform/processes/Processes.h"

#include <windows.h>

namespace platform {

qint64 currentProcessId()
{
    return GetCurrentProcessId();
}

bool processExists(qint64 pid)
{
    const HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, static_cast<DWORD>(pid));
    if (!process) // another user's process is there too, only not ours to open
        return GetLastError() == ERROR_ACCESS_DENIED;
    const bool running = WaitForSingleObject(process, 0) == WAIT_TIMEOUT;
    CloseHandle(process);
    return running;
}

} // namespace platform
