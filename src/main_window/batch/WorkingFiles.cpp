#include "WorkingFiles.h"

#include "common/ConvContract.h"
#include "names/FileNames.h"
#include "platform/files/Files.h"

#include <QDir>

namespace {

const QString inputName = QStringLiteral("tmpfile.wav");
const QString outputName = QStringLiteral("tmpfile1.mp3");

} // namespace

QString WorkingFiles::input() const
{
    return m_folder.path + pathSeparator() + inputName;
}

QString WorkingFiles::output() const
{
    return m_folder.path + pathSeparator() + outputName;
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
    const QString convPartials =
        QString::fromStdString(convcontract::partialOutputPrefix(outputName.toStdString())) + QLatin1Char('*');
    const QStringList leftovers = folder.entryList({inputName, outputName, convPartials, platform::partialCopyPattern()},
                                                   QDir::Files | QDir::Hidden | QDir::System);
    for (const QString &name : leftovers)
        platform::removeFile(platform::NativeName(folder.filePath(name)));
}
