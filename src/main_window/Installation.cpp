#include "Installation.h"

#include "skin/UserLanguage.h"

#include "Version.h"
#include "common/ConvContract.h"
#include "names/FileNames.h"
#include "platform/files/Files.h"
#include "platform/desktop/Desktop.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryFile>

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

namespace {

// Decided by trying: permission bits say nothing of Windows' access lists
// (a zip unpacked under Program Files looks writable to Qt and is not).
bool canCreateFilesIn(const QString &folder)
{
    if (!QFileInfo(folder).isDir())
        return false;
    QTemporaryFile probe(folder + QStringLiteral("/.tolvik-probe-XXXXXX"));
    return probe.open(); // and removed again when it goes
}

} // namespace

QString Installation::defaultOutputFolder() const
{
    // The program folder's own "output" where it has one the user can
    // write (the build tree, an unpacked archive). An installed program
    // has none: its results go to the user's music folder.
    const QString own = file(QStringLiteral("output"));
    if (canCreateFilesIn(own))
        return own;
    QString music = QStandardPaths::writableLocation(QStandardPaths::MusicLocation);
    if (music.isEmpty())
        music = QDir::homePath() + QStringLiteral("/Music");
    return QDir::toNativeSeparators(music) + pathSeparator() + QStringLiteral("Tolvik");
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
    // The help in the language the window speaks, where it is translated.
    const QString translated = file(QStringLiteral("help_%1.html").arg(UserLanguage::current()));
    return QFileInfo::exists(translated) ? translated : file(QStringLiteral("help.html"));
}
