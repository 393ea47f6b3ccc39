// The copy's names and reasons, the same on every system.
#include "FileCopy.h"
#include "FileCopyParts.h"

#include <QDir>
#include <QFileInfo>

namespace platform {

namespace copyparts {

QString partPrefix()
{
    return QStringLiteral(".tolvik-part-");
}

} // namespace copyparts

QString partialCopyPattern()
{
    return copyparts::partPrefix() + QLatin1Char('*');
}

bool removeFile(const QString &path)
{
    if (QFile::remove(path))
        return true;
    const QFileInfo file(path);
    if (!file.exists() || file.isSymLink())
        return false;
    return QFile::setPermissions(path, file.permissions() | QFileDevice::WriteOwner | QFileDevice::WriteUser)
           && QFile::remove(path);
}

void removeStalePartialCopies(const QString &folder, const QDateTime &before)
{
    const QDir dir(folder);
    for (const QFileInfo &part : dir.entryInfoList({partialCopyPattern()}, QDir::Files | QDir::Hidden | QDir::System)) {
        if (part.lastModified() < before && !part.isSymLink())
            removeFile(part.absoluteFilePath());
    }
}

} // namespace platform
