// Holds a file open as a player or a virus scanner may: no sharing at all,
// so that it can be neither opened, renamed nor deleted by anyone else.
// Says "held" on its standard output once it holds the file, and holds it
// until it is killed. Windows only.
// Usage: hold_file FILE
#include <windows.h>

#include <cstdio>
#include <string>

int wmain(int argc, wchar_t **argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "hold_file: usage: hold_file FILE\n");
        return 2;
    }
    const HANDLE file = CreateFileW(argv[1], GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        std::fprintf(stderr, "hold_file: cannot open the file (error %lu)\n", GetLastError());
        return 1;
    }
    std::printf("held\n");
    std::fflush(stdout);
    Sleep(INFINITE);
    return 0;
}
