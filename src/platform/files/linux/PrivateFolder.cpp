#include "platform/files/Files.h"


#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

PrivateFolder preparePrivateFolder(const QString &base)
{
    PrivateFolder folder;
    folder.path = base + QStringLiteral("/tolvik-") + QString::number(::getuid());
    const QByteArray native = encodeFileName(folder.path);

    if (::mkdir(native.constData(), 0700) != 0 && errno != EEXIST)
        return folder;

    struct stat st {};
    if (::lstat(native.constData(), &st) != 0)
        return folder;
    folder.usable = S_ISDIR(st.st_mode) && st.st_uid == ::getuid()
                    && (st.st_mode & 077) == 0;
    return folder;
}

QString temporaryBase()
{
    const QByteArray dir = qgetenv("TMPDIR");
    struct stat st {};
    if (dir.startsWith('/') && ::stat(dir.constData(), &st) == 0 && S_ISDIR(st.st_mode))
        return decodeFileName(dir);
    return QStringLiteral("/tmp");
}

} // namespace platform
