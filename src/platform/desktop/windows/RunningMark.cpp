#include "platform/desktop/Desktop.h"

#include "Version.h"

#include <windows.h>

namespace platform {

void markProgramRunning()
{
    // A named mutex in the user's session, the one the installer and the
    // uninstaller look for. Its handle is never closed: Windows closes it
    // when the process ends, however it ends.
    CreateMutexW(nullptr, FALSE, L"" TOLVIK_RUNNING_MARK);
}

} // namespace platform
