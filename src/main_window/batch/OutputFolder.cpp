#include "OutputFolder.h"

#include "platform/files/Files.h"

#include <QDateTime>
#include <QDir>

namespace {

const QDateTime programStart = QDateTime::currentDateTime();

} // namespace

namespace outputfolder {

void make(const QString &folder)
{
    platform::NativeName(folder.isEmpty() ? QDir::rootPath() : folder).makeFolder();
}

void removeStalePartials(const QString &folder)
{
    if (!folder.isEmpty())
        platform::removeStalePartialCopies(platform::NativeName(folder), programStart);
}

} // namespace outputfolder
