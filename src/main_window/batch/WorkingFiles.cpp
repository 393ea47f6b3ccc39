#include "WorkingFiles.h"

#include "common/ConvContract.h"
#include "names/FileNames.h"
#include "platform/files/Files.h"

#include <QDir>

namespace {

// Per lane; the first lane's are the names the encoder has always had.
QString inputName(int lane)
{
    return lane == 0 ? QStringLiteral("tmpfile.wav") : QStringLiteral("tmpfile-%1.wav").arg(lane + 1);
}

QString outputName(int lane)
{
    return lane == 0 ? QStringLiteral("tmpfile1.mp3") : QStringLiteral("tmpfile1-%1.mp3").arg(lane + 1);
}

} // namespace

QString WorkingFiles::input() const
{
    Q_ASSERT_X(m_lane >= 0 && m_lane < lanes, "WorkingFiles", "no working names for this lane");
    return m_folder.path + pathSeparator() + inputName(m_lane);
}

QString WorkingFiles::output() const
{
    return m_folder.path + pathSeparator() + outputName(m_lane);
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
    for (int lane = 0; lane < lanes; ++lane)
        patterns << inputName(lane) << outputName(lane)
                 << QString::fromStdString(convcontract::partialOutputPrefix(outputName(lane).toStdString())) + QLatin1Char('*');
    const QStringList leftovers = folder.entryList(patterns, QDir::Files | QDir::Hidden | QDir::System);
    for (const QString &name : leftovers)
        platform::removeFile(platform::NativeName(folder.filePath(name)));
}
