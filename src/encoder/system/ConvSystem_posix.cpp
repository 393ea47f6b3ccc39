#include "ConvSystem.h"

#include "common/ConvContract.h"
#include "common/SourceReasons.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstring>
#include <thread>

#include <fcntl.h>
#include <sched.h>
#include <sys/stat.h>
#include <unistd.h>

namespace convsys {

namespace {

// The temporary file's name, for removal by a signal handler.
char pendingTemp[4096];

extern "C" void removePendingAndExit(int signal)
{
    if (pendingTemp[0])
        ::unlink(pendingTemp);
    if (signal == SIGTERM || signal == SIGINT || signal == SIGHUP || signal == SIGPIPE || signal == SIGXFSZ)
        ::_exit(1);
    // A crash stays a crash (its status, its core): the handler was reset
    // to the default on entry, and the signal goes again when this returns.
    ::raise(signal);
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

std::string lastError()
{
    return std::strerror(errno);
}

InputFile::~InputFile()
{
    if (m_handle != -1)
        ::close(static_cast<int>(m_handle));
}

bool InputFile::open(const std::string &path, std::string &error)
{
    // Without O_NONBLOCK, opening a FIFO waits for a writer forever.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        error = lastError();
        return false;
    }
    m_handle = fd;
    struct stat st {};
    if (::fstat(fd, &st) != 0) {
        error = lastError();
        return false;
    }
    if (S_ISDIR(st.st_mode)) {
        error = sourcereasons::folder;
        return false;
    }
    if (!S_ISREG(st.st_mode)) {
        error = sourcereasons::notRegular;
        return false;
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    m_length = st.st_size;
    return true;
}

std::int64_t InputFile::readAt(void *buffer, std::int64_t size, std::int64_t offset) const
{
    std::int64_t done = 0;
    while (done < size) {
        const ssize_t n = ::pread(static_cast<int>(m_handle), static_cast<char *>(buffer) + done,
                                  static_cast<size_t>(size - done), offset + done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        done += n;
    }
    return done;
}

bool InputFile::isSameFileAs(const std::string &path) const
{
    struct stat mine {};
    struct stat other {};
    return ::fstat(static_cast<int>(m_handle), &mine) == 0 && ::stat(path.c_str(), &other) == 0
           && mine.st_dev == other.st_dev && mine.st_ino == other.st_ino;
}

int othersReadyToRun()
{
    // (loadavg's "running/all" gives the count /proc/stat does, without
    // the kernel writing out every interrupt's count first.)
    std::FILE *load = std::fopen("/proc/loadavg", "re");
    if (!load)
        return -1;
    int running = -1;
    if (std::fscanf(load, "%*f %*f %*f %d/", &running) != 1)
        running = -1;
    std::fclose(load);
    return running > 0 ? running - 1 : -1; // this thread is one of them
}

int freeCores(int earlier)
{
    int allowed = static_cast<int>(std::thread::hardware_concurrency());
    cpu_set_t set;
    if (sched_getaffinity(0, sizeof set, &set) == 0)
        allowed = CPU_COUNT(&set);
    // The fewest of three looks, the earlier one included, so that a
    // passing burst (the parent that started us, still returning from
    // it) is not taken for a busy core. A look that finds no other
    // settles it: no later look could find fewer. Only a third look
    // waits, a millisecond after the second.
    int others = earlier;
    for (int look = earlier < 0 ? 0 : 1; look < 3 && others != 0; ++look) {
        if (look == 2)
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        const int now = othersReadyToRun();
        if (now < 0)
            break;
        others = others < 0 ? now : std::min(others, now);
    }
    return std::max(1, allowed - std::max(0, others));
}

bool exists(const std::string &path)
{
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0;
}

std::FILE *createBeside(const std::string &path, std::string &temp, std::string &error)
{
    temp = folderOf(path) + "/" + convcontract::partialOutputPrefix(nameOf(path)) + "XXXXXX";
    // A signal between the file's making and its registration for removal
    // would leave it: signals wait until both are done.
    sigset_t all, before;
    ::sigfillset(&all);
    ::sigprocmask(SIG_BLOCK, &all, &before);
    const int fd = ::mkstemp(temp.data());
    if (fd >= 0)
        removeOnInterrupt(temp);
    ::sigprocmask(SIG_SETMASK, &before, nullptr);
    if (fd < 0) {
        error = lastError();
        temp.clear();
        return nullptr;
    }
    // mkstemp makes the file private; give it the permissions any new file gets.
    const mode_t mask = ::umask(0);
    ::umask(mask);
    ::fchmod(fd, 0666 & ~mask);
    std::FILE *file = ::fdopen(fd, "w+b");
    if (!file) {
        error = lastError();
        ::close(fd);
        ::unlink(temp.c_str());
        keepOnInterrupt();
        temp.clear();
    }
    return file;
}

// A signal removes it instead (removeOnInterrupt); a SIGKILL leaves it,
// and the program removes what it finds of its own.
bool keepWhenClosed(std::FILE *)
{
    return true;
}

bool publish(const std::string &temp, const std::string &path, bool overwrite, std::string &error)
{
    // The new name is on the disk once its folder is.
    const auto syncFolder = [&] {
        const int folder = ::open(folderOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (folder >= 0) {
            ::fsync(folder);
            ::close(folder);
        }
        return true;
    };
    if (overwrite) {
        if (::rename(temp.c_str(), path.c_str()) == 0)
            return syncFolder();
    } else if (::link(temp.c_str(), path.c_str()) == 0) { // link() refuses an existing name
        ::unlink(temp.c_str());
        return syncFolder();
    }
    error = lastError();
    return false;
}

bool flushToDisk(std::FILE *file)
{
    return std::fflush(file) == 0 && ::fsync(::fileno(file)) == 0;
}

bool truncateToEmpty(std::FILE *file)
{
    return std::fflush(file) == 0 && ::ftruncate(::fileno(file), 0) == 0 && std::fseek(file, 0, SEEK_SET) == 0;
}

void removeFile(const std::string &path)
{
    ::unlink(path.c_str());
}

void removeOnInterrupt(const std::string &temp)
{
    if (temp.size() >= sizeof pendingTemp)
        return;
    std::memcpy(pendingTemp, temp.c_str(), temp.size() + 1);
    struct sigaction action {};
    action.sa_handler = removePendingAndExit;
    for (int sig : {SIGTERM, SIGINT, SIGHUP, SIGPIPE, SIGXFSZ})
        ::sigaction(sig, &action, nullptr);
    action.sa_flags = SA_RESETHAND;
    for (int sig : {SIGABRT, SIGSEGV, SIGBUS, SIGFPE, SIGILL})
        ::sigaction(sig, &action, nullptr);
}

void keepOnInterrupt()
{
    pendingTemp[0] = '\0';
}

std::vector<std::string> arguments(int argc, char **argv)
{
    return {argv, argv + argc};
}

} // namespace convsys
