#include "platform/files/Files.h"

#include <QDir>

#include <windows.h>

#include <string>

namespace platform {

QString programFolder()
{
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD n = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (n == 0)
            return {};
        if (n < path.size()) {
            path.resize(n);
            break;
        }
        path.resize(path.size() * 2); // a long path: ask again with room for it
    }
    const QString file = QString::fromStdWString(path);
    return file.left(file.lastIndexOf(QLatin1Char('\\')));
}

} // namespace platform
