#include "InstanceLock.h"

#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace platform {

InstanceLock::~InstanceLock()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

InstanceLock::Result InstanceLock::acquire(const QString &folder, const QString &name)
{
    // An advisory lock on an open file: what the file holds, or who wrote
    // it, does not matter.
    const QByteArray path = QFile::encodeName(folder + QLatin1Char('/') + name);
    m_fd = ::open(path.constData(), O_RDONLY | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (m_fd < 0)
        return Result::Unavailable;
    if (::flock(m_fd, LOCK_EX | LOCK_NB) == 0)
        return Result::Acquired;
    const int error = errno;
    ::close(m_fd);
    m_fd = -1;
    return error == EWOULDBLOCK ? Result::HeldElsewhere : Result::Unavailable;
}

} // namespace platform
