#include "platform/files/Files.h"

#include <windows.h>

#include <string>

namespace platform {

PrivateFolder preparePrivateFolder(const QString &base)
{
    // The user's own temporary folder is already private to the user.
    PrivateFolder folder;
    folder.path = base + QStringLiteral("\\Tolvik");
    const std::wstring native = folder.path.toStdWString();
    if (!CreateDirectoryW(native.c_str(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS)
        return folder;
    // A junction or link planted there could lead the files elsewhere.
    const DWORD attributes = GetFileAttributesW(native.c_str());
    folder.usable = attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)
                    && !(attributes & FILE_ATTRIBUTE_REPARSE_POINT);
    return folder;
}

QString temporaryBase()
{
    wchar_t path[MAX_PATH + 1];
    const DWORD n = GetTempPathW(MAX_PATH + 1, path);
    if (n == 0 || n > MAX_PATH)
        return QStringLiteral("C:\\Windows\\Temp");
    QString base = QString::fromWCharArray(path, static_cast<int>(n));
    while (base.endsWith(QLatin1Char('\\')))
        base.chop(1);
    return base;
}

} // namespace platform
