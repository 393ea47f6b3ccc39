#include "platform/files/Files.h"

#include "SystemName.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <windows.h>

namespace platform {

// Windows names are UTF-16, as QString is: Qt's file classes reach the
// very file.

bool NativeName::isFolder() const
{
    return QFileInfo(m_text).isDir();
}

qint64 NativeName::fileSize() const
{
    const QFileInfo info(m_text);
    return info.isFile() ? info.size() : -1;
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
    return QDir().mkpath(m_text);
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
