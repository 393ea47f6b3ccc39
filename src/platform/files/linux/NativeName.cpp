#include "platform/files/Files.h"

#include "SystemName.h"

#include <QDir>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

bool NativeName::isFolder() const
{
    struct stat st {};
    return ::stat(systemName(*this).constData(), &st) == 0 && S_ISDIR(st.st_mode);
}

qint64 NativeName::fileSize() const
{
    struct stat st {};
    return ::stat(systemName(*this).constData(), &st) == 0 && S_ISREG(st.st_mode) ? qint64(st.st_size) : -1;
}

NativeName NativeName::absolute() const
{
    // QDir's text operations keep the escapes as they are.
    return NativeName(QDir::cleanPath(m_text.startsWith(QLatin1Char('/')) ? m_text
                                                                          : QDir::currentPath() + QLatin1Char('/') + m_text));
}

NativeName NativeName::real() const
{
    char resolved[PATH_MAX];
    if (!::realpath(systemName(*this).constData(), resolved))
        return {};
    return NativeName(decodeFileName(QByteArray(resolved)));
}

bool NativeName::makeFolder() const
{
    // Each missing folder from the top down.
    const QByteArray path = systemName(absolute());
    for (qsizetype at = 1; at <= path.size(); ++at) {
        if ((at == path.size() || path[at] == '/') && ::mkdir(path.left(at).constData(), 0777) != 0 && errno != EEXIST)
            return false;
    }
    return isFolder();
}

bool NativeName::isReadOnlyFile() const
{
    const QByteArray name = systemName(*this);
    struct stat st {};
    if (::stat(name.constData(), &st) != 0 || !S_ISREG(st.st_mode))
        return false;
    // root may write anything: what the file's mode says is the user's wish.
    if (::geteuid() == 0)
        return (st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0;
    return ::access(name.constData(), W_OK) != 0 && errno == EACCES;
}

bool appendToRegularFile(const NativeName &file, const QByteArray &bytes, bool fresh)
{
    // Non-blocking: a FIFO without a reader fails at once, one with a
    // reader is found not regular below; neither holds the caller.
    const int fd = ::open(systemName(file).constData(),
                          O_WRONLY | O_CREAT | O_NONBLOCK | O_NOCTTY | O_CLOEXEC | (fresh ? O_TRUNC : O_APPEND), 0644);
    if (fd < 0)
        return false;
    struct stat st {};
    bool ok = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode);
    for (qsizetype done = 0; ok && done < bytes.size();) {
        const ssize_t n = ::write(fd, bytes.constData() + done, static_cast<size_t>(bytes.size() - done));
        if (n < 0 && errno == EINTR)
            continue;
        ok = n > 0;
        done += n > 0 ? n : 0;
    }
    ::close(fd);
    return ok;
}

bool removeFile(const NativeName &path)
{
    // Linux removes a read-only file as any other: the folder decides.
    return ::unlink(systemName(path).constData()) == 0;
}

bool createNewFile(const NativeName &path)
{
    const int fd = ::open(systemName(path).constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
    return fd >= 0 && ::close(fd) == 0;
}

} // namespace platform
