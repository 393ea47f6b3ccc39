#include "ConvSystem.h"

#include "common/ConvContract.h"
#include "common/SourceReasons.h"
#include "common/windows/LongPath.h"
#include "common/windows/RetryWhileHeld.h"

#include <windows.h>

#include <fcntl.h>
#include <io.h>
#include <shellapi.h>

#include <algorithm>
#include <atomic>
#include <bit>
#include <random>
#include <thread>

namespace convsys {

namespace {

std::wstring wide(const std::string &utf8)
{
    const int n = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    std::wstring out(static_cast<std::size_t>(n), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), out.data(), n);
    return out;
}

// A path for Windows' file calls: UTF-16, in the long form when it is
// longer than plain paths may be.
std::wstring systemPath(const std::string &utf8)
{
    std::wstring current(32768, L'\0');
    const DWORD length = GetCurrentDirectoryW(32768, current.data());
    current.resize(length < 32768 ? length : 0);
    return longpath::longPathForm(wide(utf8), current);
}

std::string narrow(const wchar_t *text)
{
    const int n = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<std::size_t>(n > 0 ? n - 1 : 0), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text, -1, out.data(), n, nullptr, nullptr);
    return out;
}

// The temporary file's name, for removal by the console handler.
wchar_t pendingTemp[32768];
std::atomic<bool> pending{false};

BOOL WINAPI removePendingAndExit(DWORD)
{
    if (pending)
        DeleteFileW(pendingTemp);
    ExitProcess(1);
}

} // namespace

std::string lastError()
{
    wchar_t *text = nullptr;
    FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                   nullptr, GetLastError(), 0, reinterpret_cast<wchar_t *>(&text), 0, nullptr);
    std::string message = text ? narrow(text) : "unknown error";
    LocalFree(text);
    while (!message.empty() && (message.back() == '\n' || message.back() == '\r' || message.back() == '.'))
        message.pop_back();
    return message;
}

InputFile::~InputFile()
{
    if (m_handle != -1)
        CloseHandle(reinterpret_cast<HANDLE>(m_handle));
}

bool InputFile::open(const std::string &path, std::string &error)
{
    const std::wstring name = systemPath(path);
    const DWORD attributes = GetFileAttributesW(name.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        error = sourcereasons::folder;
        return false;
    }
    const HANDLE handle = CreateFileW(name.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        error = lastError();
        return false;
    }
    m_handle = reinterpret_cast<std::intptr_t>(handle);
    LARGE_INTEGER size{};
    if (GetFileType(handle) != FILE_TYPE_DISK || !GetFileSizeEx(handle, &size)) {
        error = sourcereasons::notRegular;
        return false;
    }
    m_length = size.QuadPart;
    return true;
}

std::int64_t InputFile::readAt(void *buffer, std::int64_t size, std::int64_t offset) const
{
    std::int64_t done = 0;
    while (done < size) {
        OVERLAPPED at{};
        const std::int64_t where = offset + done;
        at.Offset = static_cast<DWORD>(where);
        at.OffsetHigh = static_cast<DWORD>(where >> 32);
        const DWORD want = static_cast<DWORD>(std::min<std::int64_t>(size - done, 1 << 30));
        DWORD got = 0;
        if (!ReadFile(reinterpret_cast<HANDLE>(m_handle), static_cast<char *>(buffer) + done, want, &got, &at)
            || got == 0)
            break;
        done += got;
    }
    return done;
}

namespace {

bool identify(HANDLE handle, BY_HANDLE_FILE_INFORMATION &info)
{
    return handle != INVALID_HANDLE_VALUE && GetFileInformationByHandle(handle, &info);
}

} // namespace

bool InputFile::isSameFileAs(const std::string &path) const
{
    BY_HANDLE_FILE_INFORMATION mine{};
    BY_HANDLE_FILE_INFORMATION other{};
    // No access asked: only the file's identity is read.
    const HANDLE handle = CreateFileW(systemPath(path).c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    const bool same = identify(reinterpret_cast<HANDLE>(m_handle), mine) && identify(handle, other)
                      && mine.dwVolumeSerialNumber == other.dwVolumeSerialNumber
                      && mine.nFileIndexHigh == other.nFileIndexHigh && mine.nFileIndexLow == other.nFileIndexLow;
    if (handle != INVALID_HANDLE_VALUE)
        CloseHandle(handle);
    return same;
}

int othersReadyToRun()
{
    // Windows has no cheap count of ready threads (its idle times need a
    // long look to mean anything).
    return -1;
}

int freeCores(int)
{
    // The processors this process may use; how busy they are is not asked
    // (see above).
    DWORD_PTR process = 0, system = 0;
    if (GetProcessAffinityMask(GetCurrentProcess(), &process, &system) && process != 0)
        return std::max(1, static_cast<int>(std::popcount(static_cast<std::uint64_t>(process))));
    return std::max(1, static_cast<int>(std::thread::hardware_concurrency()));
}

bool exists(const std::string &path)
{
    return GetFileAttributesW(systemPath(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::FILE *createBeside(const std::string &path, std::string &temp, std::string &error)
{
    const auto slash = path.find_last_of("/\\");
    const std::string folder = slash == std::string::npos ? "." : path.substr(0, slash);
    const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    std::random_device random;
    for (int attempt = 0; attempt < 100; ++attempt) {
        static const char letters[] = "abcdefghijklmnopqrstuvwxyz0123456789";
        std::string suffix;
        for (int i = 0; i < 6; ++i)
            suffix += letters[random() % 36];
        temp = folder + "\\" + convcontract::partialOutputPrefix(name) + suffix;
        // Shared for deletion, so that the console handler can remove it
        // while it is open.
        const HANDLE handle = CreateFileW(systemPath(temp).c_str(), GENERIC_READ | GENERIC_WRITE | DELETE,
                                          FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr, CREATE_NEW,
                                          FILE_ATTRIBUTE_HIDDEN, nullptr);
        if (handle == INVALID_HANDLE_VALUE) {
            if (GetLastError() == ERROR_FILE_EXISTS)
                continue;
            break;
        }
        // Delete-pending from the start: when conv is killed (taskkill /f,
        // TerminateProcess), Windows removes it as it closes the handle.
        FILE_DISPOSITION_INFO removeWhenClosed{TRUE};
        SetFileInformationByHandle(handle, FileDispositionInfo, &removeWhenClosed, sizeof removeWhenClosed);
        const int fd = _open_osfhandle(reinterpret_cast<std::intptr_t>(handle), _O_RDWR | _O_BINARY);
        std::FILE *file = fd < 0 ? nullptr : _fdopen(fd, "w+b");
        if (file)
            return file;
        if (fd < 0)
            CloseHandle(handle);
        else
            _close(fd);
        DeleteFileW(systemPath(temp).c_str());
        error = "cannot open the temporary file";
        temp.clear();
        return nullptr;
    }
    error = lastError();
    temp.clear();
    return nullptr;
}

bool keepWhenClosed(std::FILE *file)
{
    FILE_DISPOSITION_INFO keep{FALSE};
    return SetFileInformationByHandle(reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(file))), FileDispositionInfo,
                                      &keep, sizeof keep);
}

bool publish(const std::string &temp, const std::string &path, bool overwrite, std::string &error)
{
    // Without MOVEFILE_REPLACE_EXISTING an existing name makes it fail.
    const DWORD flags = MOVEFILE_WRITE_THROUGH | (overwrite ? MOVEFILE_REPLACE_EXISTING : 0);
    if (retryWhileHeld([&] { return MoveFileExW(systemPath(temp).c_str(), systemPath(path).c_str(), flags) != 0; })) {
        SetFileAttributesW(systemPath(path).c_str(), FILE_ATTRIBUTE_NORMAL);
        return true;
    }
    error = lastError();
    return false;
}

bool flushToDisk(std::FILE *file)
{
    return std::fflush(file) == 0
           && FlushFileBuffers(reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(file))));
}

bool truncateToEmpty(std::FILE *file)
{
    return std::fflush(file) == 0 && _chsize_s(_fileno(file), 0) == 0 && std::fseek(file, 0, SEEK_SET) == 0;
}

void removeFile(const std::string &path)
{
    DeleteFileW(systemPath(path).c_str());
}

void removeOnInterrupt(const std::string &temp)
{
    const std::wstring name = systemPath(temp);
    if (name.size() >= sizeof pendingTemp / sizeof pendingTemp[0])
        return;
    std::copy(name.c_str(), name.c_str() + name.size() + 1, pendingTemp);
    pending = true;
    SetConsoleCtrlHandler(removePendingAndExit, TRUE);
}

void keepOnInterrupt()
{
    pending = false;
}

std::vector<std::string> arguments(int, char **)
{
    // The C runtime's argv is in the ANSI code page: take the wide one.
    int count = 0;
    wchar_t **words = CommandLineToArgvW(GetCommandLineW(), &count);
    std::vector<std::string> out;
    for (int i = 0; i < count; ++i)
        out.push_back(narrow(words[i]));
    LocalFree(words);
    return out;
}

} // namespace convsys
