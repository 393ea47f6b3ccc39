#include "OutputFolder.h"

#include "platform/FileCopy.h"

#include <QDateTime>
#include <QDir>

namespace {

const QDateTime programStart = QDateTime::currentDateTime();

} // namespace

namespace outputfolder {

void make(const QString &folder)
{
    QDir().mkpath(folder.isEmpty() ? QDir::rootPath() : folder);
}

void removeStalePartials(const QString &folder)
{
    if (!folder.isEmpty())
        platform::removeStalePartialCopies(folder, programStart);
}

} // namespace outputfolder
