#include "Installation.h"

#include "Version.h"
#include "common/ConvContract.h"
#include "names/FileNames.h"
#include "platform/PrivateFolder.h"
#include "platform/ProgramFolder.h"
#include "platform/SystemTraits.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

Installation Installation::ofRunningProgram()
{
    return {platform::programFolder(), platform::temporaryBase(), QStringLiteral(TOLVIK_FEEDBACK_HOST)};
}

QString Installation::file(const QString &relative) const
{
    QString path = programFolder;
    for (const QString &part : relative.split(QLatin1Char('/')))
        path += pathSeparator() + part;
    return path;
}

QString Installation::defaultOutputFolder() const
{
    // The program folder's own "output" where it is a folder the user can
    // write (the build tree, an unpacked archive). An installed program
    // lives in a system folder: its results go to the user's music folder.
    const QString own = file(QStringLiteral("output"));
    const QFileInfo info(own);
    if (info.isDir() && info.isWritable())
        return own;
    QString music = QStandardPaths::writableLocation(QStandardPaths::MusicLocation);
    if (music.isEmpty())
        music = QDir::homePath() + QStringLiteral("/Music");
    return music + pathSeparator() + QStringLiteral("Tolvik");
}

QString Installation::encoder() const
{
    return file(QStringLiteral("data/") + platform::executableName(QString::fromUtf8(convcontract::programName.data(),
                                                                               convcontract::programName.size())));
}

QString Installation::completionSound() const
{
    return file(QStringLiteral("sound.wav"));
}

QString Installation::helpFile() const
{
    return file(QStringLiteral("help.html"));
}
