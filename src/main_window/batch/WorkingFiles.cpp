#include "WorkingFiles.h"

#include "common/ConvContract.h"
#include "names/FileNames.h"
#include "platform/files/Files.h"

#include <QDir>

namespace {

// Per lane; the first lane's are the names the encoder has always had.
const QString inputNames[] = {QStringLiteral("tmpfile.wav"), QStringLiteral("tmpfile-2.wav")};
const QString outputNames[] = {QStringLiteral("tmpfile1.mp3"), QStringLiteral("tmpfile1-2.mp3")};

} // namespace

QString WorkingFiles::input() const
{
    return m_folder.path + pathSeparator() + inputNames[m_lane];
}

QString WorkingFiles::output() const
{
    return m_folder.path + pathSeparator() + outputNames[m_lane];
}

void WorkingFiles::remove() const
{
    if (!m_folder.usable)
        return;
    platform::removeFile(platform::NativeName(input()));
    platform::removeFile(platform::NativeName(output()));
}

void WorkingFiles::removeLeftovers() const
{
    if (m_folder.usable)
        removeLeftoversIn(m_folder.path);
}

void WorkingFiles::removeLeftoversIn(const QString &path)
{
    const QDir folder(path);
    QStringList patterns{platform::partialCopyPattern()};
    for (const QString &output : outputNames)
        patterns << output
                 << QString::fromStdString(convcontract::partialOutputPrefix(output.toStdString())) + QLatin1Char('*');
    for (const QString &input : inputNames)
        patterns << input;
    const QStringList leftovers = folder.entryList(patterns, QDir::Files | QDir::Hidden | QDir::System);
    for (const QString &name : leftovers)
        platform::removeFile(platform::NativeName(folder.filePath(name)));
}
