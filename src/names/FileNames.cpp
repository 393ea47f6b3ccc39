#include "FileNames.h"

#include "platform/ProgramFolder.h"

QString GetFileName(const QString &path)
{
    const qsizetype separator = path.lastIndexOf(platform::pathSeparator());
    return separator < 0 ? path : path.mid(separator + 1);
}

QString GetBaseName(const QString &path)
{
    const QString name = GetFileName(path);
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    return dot > 0 ? name.left(dot) : name;
}
