#pragma once

// For the Windows files of conv and the program alike (plain C++ on Win32).
#include <windows.h>

// Virus scanners and indexers hold a new file open for a moment: a copy or
// move that meets one is tried again for up to two seconds. Returns what
// the last attempt returned, its error left in GetLastError().
template <class Attempt>
bool retryWhileHeld(Attempt attempt)
{
    for (int tries = 0;; ++tries) {
        if (attempt())
            return true;
        const DWORD error = GetLastError();
        const bool transient =
            error == ERROR_SHARING_VIOLATION || error == ERROR_ACCESS_DENIED || error == ERROR_LOCK_VIOLATION;
        if (!transient || tries >= 40) {
            SetLastError(error);
            return false;
        }
        Sleep(50);
    }
}
