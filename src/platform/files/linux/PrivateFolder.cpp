#include "platform/files/Files.h"


#include <cerrno>
#include <cstdlib>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

namespace {

// `path` made when missing, and usable only when it is a real folder of
// this user's with no access for anyone else.
bool isOwnFolder(const QByteArray &path)
{
    ::mkdir(path.constData(), 0700);
    struct stat st {};
    return ::lstat(path.constData(), &st) == 0 && S_ISDIR(st.st_mode) && st.st_uid == ::getuid() && (st.st_mode & 077) == 0;
}

// A folder of the user's own that no one else can write in: the session's
// runtime folder, else the user's cache.
QByteArray ownedPlace()
{
    const QByteArray runtime = qgetenv("XDG_RUNTIME_DIR");
    struct stat st {};
    if (runtime.startsWith('/') && ::lstat(runtime.constData(), &st) == 0 && S_ISDIR(st.st_mode) && st.st_uid == ::getuid()
        && (st.st_mode & 077) == 0)
        return runtime + "/tolvik";
    QByteArray cache = qgetenv("XDG_CACHE_HOME");
    if (!cache.startsWith('/'))
        cache = qgetenv("HOME") + "/.cache";
    if (!cache.startsWith('/'))
        return {};
    ::mkdir(cache.constData(), 0700);
    if (!isOwnFolder(cache + "/tolvik"))
        return {};
    return cache + "/tolvik/work";
}

} // namespace

PrivateFolder preparePrivateFolder(const QString &base)
{
    PrivateFolder folder;
    folder.path = base + QStringLiteral("/tolvik-") + QString::number(::getuid());
    const QByteArray native = encodeFileName(folder.path);
    folder.usable = isOwnFolder(native);
    if (folder.usable)
        return folder;
    // Taken by someone else: a place of the user's own, the same at every
    // start, so the next one finds and removes what a killed run left.
    if (const QByteArray own = ownedPlace(); !own.isEmpty() && isOwnFolder(own))
        return {decodeFileName(own), true, false};
    // Else a fresh folder, made by mkdtemp as 0700 under a random name, so
    // nobody can have made it first.
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
