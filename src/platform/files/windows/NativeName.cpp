#include "platform/files/Files.h"

#include "SystemName.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <windows.h>

#include <algorithm>

namespace platform {

// Windows names are UTF-16, as QString is. Asked of the system in the
// form that reaches the very entry ("x.wav." too: Qt's file classes would
// trim it to "x.wav").

namespace {

bool attributesOf(const NativeName &name, WIN32_FILE_ATTRIBUTE_DATA *data)
{
    return GetFileAttributesExW(systemName(name).c_str(), GetFileExInfoStandard, data) != 0;
}

} // namespace

bool NativeName::isFolder() const
{
    WIN32_FILE_ATTRIBUTE_DATA data;
    return attributesOf(*this, &data) && (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY);
}

qint64 NativeName::fileSize() const
{
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!attributesOf(*this, &data) || (data.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_DEVICE)))
        return -1;
    return (qint64(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

NativeName NativeName::absolute() const
{
    return NativeName(QDir::toNativeSeparators(QFileInfo(m_text).absoluteFilePath()));
}

NativeName NativeName::real() const
{
    const QString real = QFileInfo(m_text).canonicalFilePath();
    return real.isEmpty() ? NativeName() : NativeName(QDir::toNativeSeparators(real));
}

bool NativeName::makeFolder() const
{
    // Each missing folder from the top, by its exact name ("dotdir." of a
    // dropped tree keeps its name among the results).
    if (isFolder())
        return true;
    QString path = m_text;
    while (path.size() > 1 && (path.endsWith(QLatin1Char('\\')) || path.endsWith(QLatin1Char('/'))))
        path.chop(1);
    const qsizetype cut = std::max(path.lastIndexOf(QLatin1Char('\\')), path.lastIndexOf(QLatin1Char('/')));
    // (A drive's root is there: "\\\\?\\C:" itself is no folder to ask for.)
    if (cut > 0 && !path.left(cut).endsWith(QLatin1Char(':')) && !NativeName(path.left(cut)).makeFolder())
        return false;
    return CreateDirectoryW(systemName(NativeName(path)).c_str(), nullptr) || isFolder();
}

bool NativeName::isReadOnlyFile() const
{
    const DWORD attributes = GetFileAttributesW(systemName(*this).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY)
           && (attributes & FILE_ATTRIBUTE_READONLY);
}

bool appendToRegularFile(const NativeName &file, const QByteArray &bytes, bool fresh)
{
    const HANDLE handle = CreateFileW(systemName(file).c_str(), fresh ? GENERIC_WRITE : FILE_APPEND_DATA,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                      fresh ? CREATE_ALWAYS : OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    const bool ok = GetFileType(handle) == FILE_TYPE_DISK
                    && WriteFile(handle, bytes.constData(), static_cast<DWORD>(bytes.size()), &written, nullptr)
                    && written == static_cast<DWORD>(bytes.size());
    CloseHandle(handle);
    return ok;
}

bool removeFile(const NativeName &path)
{
    const std::wstring name = systemName(path);
    if (DeleteFileW(name.c_str()))
        return true;
    // A read-only file cannot be deleted until its attribute is cleared.
    const DWORD attributes = GetFileAttributesW(name.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT))
        || !(attributes & FILE_ATTRIBUTE_READONLY))
        return false;
    return SetFileAttributesW(name.c_str(), attributes & ~FILE_ATTRIBUTE_READONLY) && DeleteFileW(name.c_str());
}

bool createNewFile(const NativeName &path)
{
    const HANDLE handle = CreateFileW(systemName(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                      FILE_ATTRIBUTE_HIDDEN, nullptr);
    return handle != INVALID_HANDLE_VALUE && CloseHandle(handle);
}

} // namespace platform
