#include "platform/files/Files.h"
#include "platform/files/FileCopyParts.h"
#include "SystemName.h"
#include "common/SourceReasons.h"
#include "common/windows/RetryWhileHeld.h"

#include <windows.h>

#include <algorithm>
#include <random>
#include <string>

namespace platform {
namespace {

bool failWith(QString *reason, const QString &why)
{
    if (reason)
        *reason = why;
    return false;
}

} // namespace

bool copyFileReplacing(const NativeName &from, const NativeName &toName, QString *reason, const std::atomic_bool *cancelled,
                       CopyUse use)
{
    const std::wstring source = systemName(from);
    const QString &to = toName.text();
    const DWORD attributes = GetFileAttributesW(source.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return failWith(reason, QStringLiteral("cannot be read: ") + systemReason());
    if (attributes & FILE_ATTRIBUTE_DIRECTORY)
        return failWith(reason, QString::fromUtf8(sourcereasons::folder));
    // Devices and pipes have names too (\\.\pipe\…): only disk files copy.
    const HANDLE probe = CreateFileW(source.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                     OPEN_EXISTING, 0, nullptr);
    if (probe == INVALID_HANDLE_VALUE)
        return failWith(reason, QStringLiteral("cannot be read: ") + systemReason());
    const bool disk = GetFileType(probe) == FILE_TYPE_DISK;
    CloseHandle(probe);
    if (!disk)
        return failWith(reason, QString::fromUtf8(sourcereasons::notRegular));

    thread_local std::mt19937_64 random{std::random_device{}()};
    // Beside the target, whichever separator its folder was named with.
    const qsizetype folderEnd = std::max(to.lastIndexOf(QLatin1Char('\\')), to.lastIndexOf(QLatin1Char('/'))) + 1;
    const QString part = to.left(folderEnd) + copyparts::partPrefix()
                         + QString::number(static_cast<qulonglong>(random()), 36);
    const std::wstring partName = systemName(NativeName(part));
    // The progress routine is where a copy on its own thread hears a cancel.
    const LPPROGRESS_ROUTINE progress = [](LARGE_INTEGER, LARGE_INTEGER, LARGE_INTEGER, LARGE_INTEGER, DWORD, DWORD,
                                           HANDLE, HANDLE, LPVOID data) -> DWORD {
        const auto *flag = static_cast<const std::atomic_bool *>(data);
        return flag && *flag ? PROGRESS_CANCEL : PROGRESS_CONTINUE;
    };
    if (!retryWhileHeld([&] {
            return CopyFileExW(source.c_str(), partName.c_str(), progress, const_cast<std::atomic_bool *>(cancelled),
                               nullptr, 0);
        })) {
        const QString why = systemReason();
        DeleteFileW(partName.c_str());
        return failWith(reason, QStringLiteral("cannot copy: ") + why);
    }
    // CopyFileEx copies the attributes: a read-only source's copy would be
    // read-only too, and could then be neither replaced nor removed.
    const DWORD copied = GetFileAttributesW(partName.c_str());
    if (copied != INVALID_FILE_ATTRIBUTES && (copied & FILE_ATTRIBUTE_READONLY))
        SetFileAttributesW(partName.c_str(), copied & ~FILE_ATTRIBUTE_READONLY);
    // On the disk before it takes the final name (the move itself is
    // written through).
    const bool kept = use == CopyUse::Kept;
    const HANDLE written = kept ? CreateFileW(partName.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr)
                                : INVALID_HANDLE_VALUE;
    const bool flushed = !kept || (written != INVALID_HANDLE_VALUE && FlushFileBuffers(written));
    if (written != INVALID_HANDLE_VALUE)
        CloseHandle(written);
    if (!flushed) {
        const QString why = systemReason();
        DeleteFileW(partName.c_str());
        return failWith(reason, QStringLiteral("cannot copy: ") + why);
    }
    const std::wstring target = systemName(toName);
    if (!retryWhileHeld([&] {
            return MoveFileExW(partName.c_str(), target.c_str(),
                               MOVEFILE_REPLACE_EXISTING | (kept ? MOVEFILE_WRITE_THROUGH : 0));
        })) {
        const QString why = systemReason();
        DeleteFileW(partName.c_str());
        return failWith(reason, QStringLiteral("cannot copy: ") + why);
    }
    return true;
}

FileState fileState(const NativeName &file)
{
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExW(systemName(file).c_str(), GetFileExInfoStandard, &data)
        || (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
        return {};
    const auto time = [](const FILETIME &t) { return qint64((quint64(t.dwHighDateTime) << 32) | t.dwLowDateTime); };
    return {0, 0, qint64((quint64(data.nFileSizeHigh) << 32) | data.nFileSizeLow), time(data.ftLastWriteTime)};
}

bool linkForReading(const NativeName &, const NativeName &, FileState *)
{
    // A hard link shares its file's sharing modes with every other name:
    // while the encoder read it, an editor could not save the source.
    return false;
}

} // namespace platform
