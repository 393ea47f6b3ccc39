#include "platform/files/Files.h"

#include "SystemName.h"

#include <windows.h>

namespace platform {

bool listFolder(const NativeName &folder, QList<FolderEntry> *entries, QString *reason, const FolderEntry *)
{
    entries->clear();
    std::wstring pattern = systemName(folder);
    if (!pattern.empty() && pattern.back() != L'\\' && pattern.back() != L'/')
        pattern += L'\\';
    pattern += L'*';
    WIN32_FIND_DATAW data;
    const HANDLE find = FindFirstFileExW(pattern.c_str(), FindExInfoBasic, &data, FindExSearchNameMatch, nullptr,
                                         FIND_FIRST_EX_LARGE_FETCH);
    if (find == INVALID_HANDLE_VALUE) {
        if (GetLastError() == ERROR_FILE_NOT_FOUND)
            return true; // a drive's root with nothing on it
        if (reason)
            *reason = QStringLiteral("cannot be read: ") + systemReason();
        return false;
    }
    do {
        const QString name = QString::fromWCharArray(data.cFileName);
        if (name == QLatin1String(".") || name == QLatin1String(".."))
            continue;
        const DWORD a = data.dwFileAttributes;
        FolderEntry found;
        found.name = name;
        found.hidden = (a & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)) != 0 || name.startsWith(QLatin1Char('.'));
        // A junction or a symbolic link to a folder is never entered.
        found.folder = (a & FILE_ATTRIBUTE_DIRECTORY) && !(a & FILE_ATTRIBUTE_REPARSE_POINT);
        found.file = !(a & FILE_ATTRIBUTE_DIRECTORY) && !(a & FILE_ATTRIBUTE_DEVICE);
        entries->append(found);
    } while (FindNextFileW(find, &data));
    const DWORD error = GetLastError();
    FindClose(find);
    if (error != ERROR_NO_MORE_FILES) {
        SetLastError(error);
        if (reason)
            *reason = QStringLiteral("cannot be read: ") + systemReason();
        return false;
    }
    return true;
}

QByteArray readFileStart(const NativeName &file, int count, QString *reason)
{
    const auto failed = [reason] {
        if (reason)
            *reason = QStringLiteral("cannot be read: ") + systemReason();
        return QByteArray();
    };
    // (A file held open without sharing, by a virus scanner or a recorder,
    // is one that cannot be read now: said, not passed over.)
    const HANDLE handle = CreateFileW(systemName(file).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, 0, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return failed();
    QByteArray head;
    DWORD got = 0;
    // Only a disk file: a pipe's read would wait for its writer.
    if (GetFileType(handle) == FILE_TYPE_DISK) {
        head.resize(count);
        if (!ReadFile(handle, head.data(), DWORD(count), &got, nullptr)) {
            head = failed();
            CloseHandle(handle);
            return head;
        }
        head.resize(qsizetype(got));
    }
    CloseHandle(handle);
    return head;
}

} // namespace platform
