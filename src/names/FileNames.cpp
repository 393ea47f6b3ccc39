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

namespace {

// The bytes a name takes on disk: UTF-8, where a byte that was not UTF-8
// travels as U+DC80..U+DCFF and is one byte again.
qsizetype nameBytes(QStringView name)
{
    qsizetype bytes = 0;
    for (qsizetype i = 0; i < name.size(); ++i) {
        const char16_t u = name[i].unicode();
        if (QChar::isHighSurrogate(u) && i + 1 < name.size() && QChar::isLowSurrogate(name[i + 1].unicode())) {
            bytes += 4;
            ++i;
        } else {
            bytes += u < 0x80 ? 1 : u < 0x800 ? 2 : (u >= 0xdc80 && u <= 0xdcff) ? 1 : 3;
        }
    }
    return bytes;
}

// `stem` cut, at a character's end, so that stem + tail fits in a name.
QString fitted(QString stem, const QString &tail)
{
    const qsizetype room = maxNameBytes - nameBytes(tail);
    while (!stem.isEmpty() && nameBytes(stem) > room)
        stem.chop(stem.size() >= 2 && stem.back().isLowSurrogate() ? 2 : 1);
    return stem + tail;
}

} // namespace

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

QString PathInFolder(const QString &folder, const QString &name)
{
    if (folder.endsWith(pathSeparator()) || folder.endsWith(QLatin1Char('/')))
        return folder + name;
    return folder + pathSeparator() + name;
}

QString OutputFilePath(const QString &folder, const QString &source)
{
    return PathInFolder(folder, fitted(GetBaseName(source), QStringLiteral(".mp3")));
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
    const QString folder = path.left(nameStart);
    const QString stem = path.mid(nameStart, split - nameStart);
    const QString extension = path.mid(split);
    QString candidate;
    for (int n = 2;; ++n) {
        // A name already as long as names go is shortened to take " (n)".
        candidate = folder + fitted(stem, QStringLiteral(" (%1)").arg(n) + extension);
        if (!taken(candidate))
            return candidate;
    }
}
