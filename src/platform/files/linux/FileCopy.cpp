#include "platform/files/Files.h"

#include "platform/files/FileCopyParts.h"
#include "SystemName.h"
#include "common/SourceReasons.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <random>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/sendfile.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {
namespace {

class Fd {
public:
    explicit Fd(int fd) : m_fd(fd) {}
    ~Fd() { if (m_fd >= 0) ::close(m_fd); }
    Fd(const Fd &) = delete;
    Fd &operator=(const Fd &) = delete;
    int get() const { return m_fd; }
    int release() { int fd = m_fd; m_fd = -1; return fd; }
private:
    int m_fd;
};

// In slices, so that a cancel is seen within a fraction of a second.
constexpr off_t sliceBytes = off_t{16} << 20;

// Up to `size` bytes the plain way; how many, or -1.
ssize_t copySlice(int in, int out, size_t size)
{
    char buffer[1 << 16];
    const ssize_t n = ::read(in, buffer, std::min(size, sizeof buffer));
    for (ssize_t written = 0; n > 0 && written < n;) {
        const ssize_t w = ::write(out, buffer + written, static_cast<size_t>(n - written));
        if (w < 0 && errno != EINTR)
            return -1;
        written += std::max<ssize_t>(w, 0);
    }
    return n;
}

// Copies the `size` bytes the source had when it was opened, never more:
// a file that grows while it is read (a log, an endless /proc file) must
// not fill the disk.
bool copyData(int in, int out, off_t size, const std::atomic_bool *cancelled)
{
    off_t done = 0;
    while (done < size) {
        if (cancelled && *cancelled) {
            errno = ECANCELED;
            return false;
        }
        const size_t slice = static_cast<size_t>(std::min(size - done, sliceBytes));
        ssize_t n = ::sendfile(out, in, nullptr, slice);
        if (n < 0 && (errno == EINVAL || errno == ENOSYS)) // a file system without it
            n = copySlice(in, out, slice);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return false;
        if (n == 0)
            break; // it shrank: what is there is copied
        done += n;
    }
    return true;
}

// A short name beside the target: the target's own name may already be
// as long as a name can be.
QByteArray partName(const QByteArray &target)
{
    thread_local std::mt19937_64 random{std::random_device{}()};
    const qsizetype slash = target.lastIndexOf('/');
    return target.left(slash + 1) + copyparts::partPrefix().toLatin1() + QByteArray::number(static_cast<qulonglong>(random()), 36);
}

} // namespace

// conv writes its output beside the target and renames it too
// (encoder/OutputFile.cpp), but as a stream, guarded against signals and
// without Qt; this copies a whole file for the program. The two share
// the idea, not the code.
bool copyFileReplacing(const NativeName &from, const NativeName &to, QString *reason, const std::atomic_bool *cancelled,
                       CopyUse use)
{
    auto fail = [reason](const char *what, int error) {
        if (reason)
            *reason = QString::fromUtf8(what) + QString::fromLocal8Bit(::strerror(error));
        return false;
    };
    const QByteArray source = systemName(from);
    const QByteArray target = systemName(to);

    // Without O_NONBLOCK, opening a FIFO waits for a writer forever.
    Fd in(::open(source.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    if (in.get() < 0)
        return fail("cannot be read: ", errno);
    struct stat st {};
    if (::fstat(in.get(), &st) != 0)
        return fail("cannot be read: ", errno);
    if (!S_ISREG(st.st_mode)) {
        if (reason)
            *reason = S_ISDIR(st.st_mode) ? QString::fromUtf8(sourcereasons::folder) : QString::fromUtf8(sourcereasons::notRegular);
        return false;
    }
    ::fcntl(in.get(), F_SETFL, ::fcntl(in.get(), F_GETFL) & ~O_NONBLOCK);

    QByteArray part;
    int outFd = -1;
    for (int attempt = 0; attempt < 8 && outFd < 0; ++attempt) {
        part = partName(target);
        outFd = ::open(part.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (outFd < 0 && errno != EEXIST)
            return fail("cannot write: ", errno);
    }
    Fd out(outFd);
    if (out.get() < 0)
        return fail("cannot write: ", EEXIST);

    // On the disk before it takes the final name: after a power cut the
    // name holds the whole file or the old one, never a partial one.
    const bool kept = use == CopyUse::Kept;
    const bool copied = ((!kept && ::ioctl(out.get(), FICLONE, in.get()) == 0)
                         || copyData(in.get(), out.get(), st.st_size, cancelled))
                        && (!kept || ::fsync(out.get()) == 0);
    const int copyError = errno;
    const bool closed = ::close(out.release()) == 0;
    const int closeError = errno;
    if (!copied || !closed || ::rename(part.constData(), target.constData()) != 0) {
        const int error = !copied ? copyError : !closed ? closeError : errno;
        ::unlink(part.constData());
        return fail("cannot copy: ", error);
    }
    if (!kept)
        return true;
    const int folder = ::open(target.left(target.lastIndexOf('/') + 1).append('.').constData(),
                              O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder >= 0) {
        ::fsync(folder);
        ::close(folder);
    }
    return true;
}

namespace {

FileState stateOf(const struct stat &st)
{
    if (!S_ISREG(st.st_mode))
        return {};
    const auto nanoseconds = [](const timespec &t) { return qint64(t.tv_sec) * 1000000000 + t.tv_nsec; };
    return {quint64(st.st_dev), quint64(st.st_ino), qint64(st.st_size), nanoseconds(st.st_mtim), nanoseconds(st.st_ctim)};
}

} // namespace

FileState fileState(const NativeName &file)
{
    struct stat st {};
    return ::stat(systemName(file).constData(), &st) == 0 ? stateOf(st) : FileState{};
}

bool linkForReading(const NativeName &from, const NativeName &to, FileState *state)
{
    const QByteArray source = systemName(from);
    const QByteArray target = systemName(to);
    // Only a regular file this user can read: anything else is left to the
    // copy, which says why it cannot be had.
    Fd in(::open(source.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    struct stat opened {};
    if (in.get() < 0 || ::fstat(in.get(), &opened) != 0 || !S_ISREG(opened.st_mode))
        return false;
    ::unlink(target.constData());
    // (Followed: a link to the source names the file itself.)
    if (::linkat(AT_FDCWD, source.constData(), AT_FDCWD, target.constData(), AT_SYMLINK_FOLLOW) != 0)
        return false;
    struct stat linked {};
    if (::stat(target.constData(), &linked) != 0 || linked.st_dev != opened.st_dev || linked.st_ino != opened.st_ino) {
        ::unlink(target.constData()); // the name was replaced between the two
        return false;
    }
    *state = stateOf(linked);
    return true;
}

} // namespace platform
