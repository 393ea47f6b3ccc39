// The copy's names and reasons, the same on every system.
#include "platform/files/Files.h"
#include "platform/files/FileCopyParts.h"

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

void removeStalePartialCopies(const NativeName &folder, const QDateTime &before)
{
    // (A folder whose name is not UTF-8 is not listed: its leftovers wait.)
    const QDir dir(folder.text());
    for (const QFileInfo &part : dir.entryInfoList({partialCopyPattern()}, QDir::Files | QDir::Hidden | QDir::System)) {
        if (part.lastModified() < before && !part.isSymLink())
            removeFile(NativeName(part.absoluteFilePath()));
    }
}

} // namespace platform
