#include "ResultNames.h"

#include "names/FileNames.h"

#include <QFileInfo>

void ResultNames::clear()
{
    m_sourceKeys.clear();
    m_written.clear();
}

void ResultNames::addSources(const QStringList &sources)
{
    for (const QString &source : sources) {
        const QFileInfo info(source);
        m_sourceKeys.insert(FileNameKey(info.absoluteFilePath()));
        const QString real = info.canonicalFilePath();
        if (!real.isEmpty())
            m_sourceKeys.insert(FileNameKey(real));
    }
}

bool ResultNames::isSource(const QString &path) const
{
    if (m_sourceKeys.contains(FileNameKey(path)))
        return true;
    const QString real = QFileInfo(path).canonicalFilePath();
    return !real.isEmpty() && m_sourceKeys.contains(FileNameKey(real));
}

QString ResultNames::pick(const QString &folder, const QString &source) const
{
    return FreeFilePath(OutputFilePath(folder, source), [&](const QString &candidate) {
        const auto it = m_written.constFind(FileNameKey(candidate));
        // A folder of that name is taken too: no file can replace it.
        return (it != m_written.cend() && *it != source) || isSource(candidate) || QFileInfo(candidate).isDir();
    });
}

void ResultNames::written(const QString &output, const QString &source)
{
    m_written.insert(FileNameKey(output), source);
}
