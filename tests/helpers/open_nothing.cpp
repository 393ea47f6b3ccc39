// Stands in for Explorer in the tests under Wine, whose prefix opens
// folders with it (scripts/windows/wine-run.sh): opens nothing. A window
// program, as Explorer is, so that no console comes with it.
#include <windows.h>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int)
{
    return 0;
}
