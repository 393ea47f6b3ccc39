#include "platform/instance/Instance.h"
#include "platform/files/Files.h"

#include <QCryptographicHash>

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace platform {

QString instanceChannel(const QString &folder)
{
    // A socket's address holds 107 bytes: a longer runtime folder's channel
    // goes to the user's private folder in /tmp under a digest of its name.
    const QString channel = folder + QStringLiteral("/.tolvik.socket");
    const PrivateFolder short_ = preparePrivateFolder(QStringLiteral("/tmp"));
    if (encodeFileName(channel).size() <= 100 || !short_.usable)
        return channel;
    const QByteArray digest = QCryptographicHash::hash(encodeFileName(folder), QCryptographicHash::Sha1).toHex().left(16);
    return short_.path + QStringLiteral("/.socket-") + QString::fromLatin1(digest);
}

InstanceLock::~InstanceLock()
{
    if (m_handle >= 0)
        ::close(static_cast<int>(m_handle));
}

InstanceLock::Result InstanceLock::acquire(const QString &folder, const QString &name)
{
    // An advisory lock on an open file: what the file holds, or who wrote
    // it, does not matter.
    const QByteArray path = encodeFileName(folder + QLatin1Char('/') + name);
    const int fd = ::open(path.constData(), O_RDONLY | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd < 0)
        return Result::Unavailable;
    if (::flock(fd, LOCK_EX | LOCK_NB) == 0) {
        m_handle = fd;
        return Result::Acquired;
    }
    const int error = errno;
    ::close(fd);
    return error == EWOULDBLOCK ? Result::HeldElsewhere : Result::Unavailable;
}

} // namespace platform
