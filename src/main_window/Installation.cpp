#include "Installation.h"

#include "Version.h"
#include "names/FileNames.h"
#include "platform/PrivateFolder.h"
#include "platform/ProgramFolder.h"

#include <QDir>
#include <QFontDatabase>

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
    return file(QStringLiteral("output"));
}

QString Installation::encoder() const
{
    return file(QStringLiteral("data/") + platform::encoderFileName());
}

QString Installation::completionSound() const
{
    return file(QStringLiteral("sound.wav"));
}

QString Installation::helpFile() const
{
    return file(QStringLiteral("help.html"));
}

void Installation::loadFonts() const
{
    const QDir fonts(file(QStringLiteral("fonts")));
    for (const QString &name : fonts.entryList({QStringLiteral("*.ttf")}, QDir::Files))
        QFontDatabase::addApplicationFont(fonts.filePath(name));
}
