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
    CreateDirectoryW(native.c_str(), nullptr);
    // A junction or link planted there could lead the files elsewhere.
    const DWORD attributes = GetFileAttributesW(native.c_str());
    folder.usable = attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)
                    && !(attributes & FILE_ATTRIBUTE_REPARSE_POINT);
    if (folder.usable)
        return folder;
    // The name is taken by something else: a new folder of a name of this
    // run's own, made afresh (never an existing one).
    for (int attempt = 0; attempt < 8; ++attempt) {
        const QString fresh = folder.path + QLatin1Char('-') + QString::number(GetCurrentProcessId()) + QLatin1Char('-')
                              + QString::number(GetTickCount64() + static_cast<ULONGLONG>(attempt), 36);
        if (CreateDirectoryW(fresh.toStdWString().c_str(), nullptr))
            return {fresh, true, true};
    }
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
