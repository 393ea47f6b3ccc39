#include "ResultNames.h"

#include "names/FileNames.h"
#include "platform/files/Files.h"

void ResultNames::clear()
{
    m_sourceKeys.clear();
    m_written.clear();
}

QStringList ResultNames::sourceKeys(const QString &source)
{
    const platform::NativeName name(source);
    QStringList keys{FileNameKey(name.absolute().text())};
    const platform::NativeName real = name.real();
    if (!real.isEmpty())
        keys << FileNameKey(real.text());
    return keys;
}

void ResultNames::addSources(const QStringList &sources)
{
    for (const QString &source : sources)
        addSourceKeys(sourceKeys(source));
}

void ResultNames::addSourceKeys(const QStringList &keys)
{
    for (const QString &key : keys)
        m_sourceKeys.insert(key);
}

bool ResultNames::isSource(const QString &path) const
{
    if (m_sourceKeys.contains(FileNameKey(path)))
        return true;
    const platform::NativeName real = platform::NativeName(path).real();
    return !real.isEmpty() && m_sourceKeys.contains(FileNameKey(real.text()));
}

QString ResultNames::pick(const QString &folder, const QString &source) const
{
    return FreeFilePath(OutputFilePath(folder, source), [&](const QString &candidate) {
        const auto it = m_written.constFind(FileNameKey(candidate));
        // A folder of that name is taken too: no file can replace it.
        return (it != m_written.cend() && *it != source) || isSource(candidate) || platform::NativeName(candidate).isFolder();
    });
}

void ResultNames::written(const QString &output, const QString &source)
{
    m_written.insert(FileNameKey(output), source);
}
