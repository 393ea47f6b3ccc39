// Starts a process of its own that inherits its standard error (as a child
// a program starts may), says so on standard error, and ends; the process
// it left behind holds that standard error until process PID (the test)
// has ended. Windows only.
// Usage: leave_behind PID
#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <string>

int wmain(int argc, wchar_t **argv)
{
    if (argc == 3 && std::wcscmp(argv[1], L"--until-ended") == 0) {
        const HANDLE test = OpenProcess(SYNCHRONIZE, FALSE, static_cast<DWORD>(_wtoi(argv[2])));
        if (test)
            WaitForSingleObject(test, INFINITE);
        return 0;
    }
    if (argc != 2) {
        std::fprintf(stderr, "leave_behind: usage: leave_behind PID\n");
        return 2;
    }
    wchar_t self[MAX_PATH];
    if (GetModuleFileNameW(nullptr, self, MAX_PATH) == 0) {
        std::fprintf(stderr, "leave_behind: cannot find itself (error %lu)\n", GetLastError());
        return 1;
    }
    std::wstring command = L"\"" + std::wstring(self) + L"\" --until-ended " + argv[1];
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    startup.hStdOutput = GetStdHandle(STD_OUTPUT_HANDLE);
    startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
    PROCESS_INFORMATION info{};
    if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, TRUE, CREATE_NO_WINDOW, nullptr, nullptr, &startup,
                        &info)) {
        std::fprintf(stderr, "leave_behind: cannot start (error %lu)\n", GetLastError());
        return 1;
    }
    CloseHandle(info.hThread);
    CloseHandle(info.hProcess);
    std::fprintf(stderr, "left process %lu behind\n", info.dwProcessId);
    return 0;
}
