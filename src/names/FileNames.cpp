#include "FileNames.h"

#include <QDir>

#include <algorithm>

QChar pathSeparator()
{
    return QDir::separator();
}

static qsizetype lastSeparator(const QString &path)
{
    return std::max(path.lastIndexOf(pathSeparator()), path.lastIndexOf(QLatin1Char('/')));
}

QString GetFileName(const QString &path)
{
    const qsizetype separator = lastSeparator(path);
    return separator < 0 ? path : path.mid(separator + 1);
}

QString GetBaseName(const QString &path)
{
    const QString name = GetFileName(path);
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    return dot > 0 ? name.left(dot) : name;
}

QString OutputFilePath(const QString &folder, const QString &source)
{
    QString path = folder;
    if (!path.endsWith(pathSeparator()) && !path.endsWith(QLatin1Char('/')))
        path += pathSeparator();
    return path + GetBaseName(source) + QStringLiteral(".mp3");
}

QString FileNameKey(const QString &path)
{
    return path.normalized(QString::NormalizationForm_C).toCaseFolded();
}

QString FreeFilePath(const QString &path, const std::function<bool(const QString &)> &taken)
{
    if (!taken(path))
        return path;
    const qsizetype nameStart = lastSeparator(path) + 1;
    const qsizetype dot = path.lastIndexOf(QLatin1Char('.'));
    const qsizetype split = dot > nameStart ? dot : path.size();
    const QString stem = path.left(split);
    const QString extension = path.mid(split);
    QString candidate;
    for (int n = 2;; ++n) {
        candidate = stem + QStringLiteral(" (%1)").arg(n) + extension;
        if (!taken(candidate))
            return candidate;
    }
}
