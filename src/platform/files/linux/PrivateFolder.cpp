#include "platform/files/Files.h"


#include <cerrno>
#include <cstdlib>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

PrivateFolder preparePrivateFolder(const QString &base)
{
    PrivateFolder folder;
    folder.path = base + QStringLiteral("/tolvik-") + QString::number(::getuid());
    const QByteArray native = encodeFileName(folder.path);

    ::mkdir(native.constData(), 0700);

    struct stat st {};
    folder.usable = ::lstat(native.constData(), &st) == 0 && S_ISDIR(st.st_mode) && st.st_uid == ::getuid()
                    && (st.st_mode & 077) == 0;
    if (folder.usable)
        return folder;
    // Taken by someone else: a fresh folder, made by mkdtemp as 0700 under
    // a random name, so nobody can have made it first.
    QByteArray fresh = native + "-XXXXXX";
    if (::mkdtemp(fresh.data()))
        return {decodeFileName(fresh), true, true};
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
