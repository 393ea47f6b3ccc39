#include "OutputFile.h"

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// The temporary file's name, for removal by a signal handler.
char pendingTemp[4096];

extern "C" void removePendingAndExit(int)
{
    if (pendingTemp[0])
        ::unlink(pendingTemp);
    ::_exit(1);
}

void guard(const std::string &temp)
{
    if (temp.size() >= sizeof pendingTemp)
        return;
    std::memcpy(pendingTemp, temp.c_str(), temp.size() + 1);
    struct sigaction action {};
    action.sa_handler = removePendingAndExit;
    for (int sig : {SIGTERM, SIGINT, SIGHUP, SIGPIPE, SIGXFSZ, SIGABRT, SIGSEGV, SIGBUS, SIGFPE, SIGILL})
        ::sigaction(sig, &action, nullptr);
}

void unguard()
{
    pendingTemp[0] = '\0';
}

std::string folderOf(const std::string &path)
{
    const auto slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string nameOf(const std::string &path)
{
    const auto slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

} // namespace

OutputFile::~OutputFile()
{
    abandon();
}

bool OutputFile::fail()
{
    m_error = std::strerror(errno);
    abandon();
    return false;
}

bool OutputFile::create(const std::string &path)
{
    m_path = path;
    std::string name = nameOf(path).substr(0, 200);
    m_temp = folderOf(path) + "/." + name + ".conv-XXXXXX";
    const int fd = ::mkstemp(m_temp.data());
    if (fd < 0) {
        m_error = std::strerror(errno);
        m_temp.clear();
        return false;
    }
    guard(m_temp);
    const mode_t mask = ::umask(0);
    ::umask(mask);
    ::fchmod(fd, 0666 & ~mask);
    m_file = ::fdopen(fd, "w+b");
    if (!m_file) {
        ::close(fd);
        return fail();
    }
    static char buffer[1 << 16];
    std::setvbuf(m_file, buffer, _IOFBF, sizeof buffer);
    return true;
}

bool OutputFile::write(const void *data, std::size_t size)
{
    if (size == 0)
        return true;
    return std::fwrite(data, 1, size, m_file) == size || fail();
}

bool OutputFile::writeAt(long offset, const void *data, std::size_t size)
{
    if (std::fflush(m_file) != 0 || std::fseek(m_file, offset, SEEK_SET) != 0)
        return fail();
    return write(data, size);
}

bool OutputFile::restart()
{
    if (std::fflush(m_file) != 0 || ::ftruncate(::fileno(m_file), 0) != 0 || std::fseek(m_file, 0, SEEK_SET) != 0)
        return fail();
    return true;
}

// The program's own copy (platform/FileCopy_linux.cpp) also writes beside
// and renames, but it is Qt code copying whole files; conv stays free of Qt.
bool OutputFile::commit(bool overwrite)
{
    if (std::fflush(m_file) != 0 || std::fclose(m_file) != 0) {
        m_file = nullptr;
        return fail();
    }
    m_file = nullptr;
    if (overwrite) {
        if (::rename(m_temp.c_str(), m_path.c_str()) != 0)
            return fail();
    } else {
        // link() refuses an existing name: no output is ever replaced.
        if (::link(m_temp.c_str(), m_path.c_str()) != 0)
            return fail();
        ::unlink(m_temp.c_str());
    }
    m_temp.clear();
    unguard();
    return true;
}

void OutputFile::abandon()
{
    if (m_file) {
        std::fclose(m_file);
        m_file = nullptr;
    }
    if (!m_temp.empty()) {
        ::unlink(m_temp.c_str());
        m_temp.clear();
    }
    unguard();
}
