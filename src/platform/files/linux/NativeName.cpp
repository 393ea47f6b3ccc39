#include "platform/files/Files.h"

#include "SystemName.h"

#include <QDir>

#include <cerrno>
#include <climits>
#include <cstdlib>
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

bool removeFile(const NativeName &path)
{
    // Linux removes a read-only file as any other: the folder decides.
    return ::unlink(systemName(path).constData()) == 0;
}

} // namespace platform
