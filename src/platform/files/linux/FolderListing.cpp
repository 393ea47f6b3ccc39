#include "platform/files/Files.h"

#include "SystemName.h"

#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

bool listFolder(const NativeName &folder, QList<FolderEntry> *entries, QString *reason, const FolderEntry *expected)
{
    entries->clear();
    const auto failWith = [reason](const QString &why) {
        if (reason)
            *reason = QStringLiteral("cannot be read: ") + why;
        return false;
    };
    const int opened = ::open(systemName(folder).constData(),
                              O_RDONLY | O_DIRECTORY | O_CLOEXEC | (expected ? O_NOFOLLOW : 0));
    if (opened < 0)
        return failWith(QString::fromLocal8Bit(::strerror(errno)));
    struct stat self {};
    if (expected && expected->identity != 0
        && (::fstat(opened, &self) != 0 || quint64(self.st_dev) != expected->device
            || quint64(self.st_ino) != expected->identity)) {
        ::close(opened);
        return failWith(QStringLiteral("it was replaced while it was listed"));
    }
    DIR *dir = ::fdopendir(opened);
    if (!dir) {
        const int error = errno;
        ::close(opened);
        return failWith(QString::fromLocal8Bit(::strerror(error)));
    }
    const int fd = ::dirfd(dir);
    errno = 0;
    while (const dirent *entry = ::readdir(dir)) {
        const char *name = entry->d_name;
        if (std::strcmp(name, ".") == 0 || std::strcmp(name, "..") == 0)
            continue;
        FolderEntry found;
        found.name = decodeFileName(QByteArray(name));
        found.hidden = name[0] == '.';
        unsigned char type = entry->d_type;
        struct stat st {};
        if (type == DT_UNKNOWN) { // some file systems do not say
            if (::fstatat(fd, name, &st, AT_SYMLINK_NOFOLLOW) == 0)
                type = S_ISDIR(st.st_mode) ? DT_DIR : S_ISREG(st.st_mode) ? DT_REG : S_ISLNK(st.st_mode) ? DT_LNK : DT_UNKNOWN;
        }
        found.folder = type == DT_DIR;
        if (found.folder && ::fstatat(fd, name, &st, AT_SYMLINK_NOFOLLOW) == 0 && S_ISDIR(st.st_mode)) {
            found.device = quint64(st.st_dev);
            found.identity = quint64(st.st_ino);
        }
        found.file = type == DT_REG || (type == DT_LNK && ::fstatat(fd, name, &st, 0) == 0 && S_ISREG(st.st_mode));
        entries->append(found);
        errno = 0;
    }
    const int error = errno;
    ::closedir(dir);
    if (error != 0) {
        if (reason)
            *reason = QStringLiteral("cannot be read: ") + QString::fromLocal8Bit(::strerror(error));
        return false;
    }
    return true;
}

QByteArray readFileStart(const NativeName &file, int count, QString *reason)
{
    const auto failed = [reason](int error) {
        if (reason)
            *reason = QStringLiteral("cannot be read: ") + QString::fromLocal8Bit(::strerror(error));
        return QByteArray();
    };
    // Non-blocking: a FIFO without a writer must not hold the listing.
    const int fd = ::open(systemName(file).constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        return failed(errno);
    QByteArray head;
    struct stat st {};
    if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode)) {
        head.resize(count);
        ssize_t n;
        do
            n = ::read(fd, head.data(), size_t(count));
        while (n < 0 && errno == EINTR);
        if (n < 0) {
            const int error = errno;
            ::close(fd);
            return failed(error);
        }
        head.resize(n);
    }
    ::close(fd);
    return head;
}

} // namespace platform
