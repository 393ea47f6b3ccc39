#include "platform/desktop/Desktop.h"

#include <windows.h>

namespace platform {

QString executableName(const QString &base)
{
    return base + QStringLiteral(".exe");
}

bool displayNamed()
{
    return true; // the desktop is always there
}

bool systemHasSkinFonts()
{
    // Windows ships Tahoma, but trimmed images (and Wine) may lack it: then
    // the program loads its own substitute.
    LOGFONTW wanted{};
    wanted.lfCharSet = DEFAULT_CHARSET;
    wcscpy_s(wanted.lfFaceName, L"Tahoma");
    const HDC screen = GetDC(nullptr);
    bool found = false;
    EnumFontFamiliesExW(
        screen, &wanted,
        [](const LOGFONTW *, const TEXTMETRICW *, DWORD, LPARAM found) -> int {
            *reinterpret_cast<bool *>(found) = true;
            return 0; // one is enough
        },
        reinterpret_cast<LPARAM>(&found), 0);
    ReleaseDC(nullptr, screen);
    return found;
}

} // namespace platform
