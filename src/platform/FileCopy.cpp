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

void removeStalePartialCopies(const QString &folder, const QDateTime &before)
{
    const QDir dir(folder);
    for (const QFileInfo &part : dir.entryInfoList({partialCopyPattern()}, QDir::Files | QDir::Hidden | QDir::System)) {
        if (part.lastModified() < before && !part.isSymLink())
            QFile::remove(part.absoluteFilePath());
    }
}

} // namespace platform
