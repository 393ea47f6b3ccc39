#include "SkinFonts.h"

#include "platform/desktop/Desktop.h"

#include <QDir>
#include <QFontDatabase>

void loadSkinFonts(const QString &folder)
{
    if (platform::systemHasSkinFonts())
        return;
    const QDir fonts(folder);
    for (const QString &name : fonts.entryList({QStringLiteral("*.ttf")}, QDir::Files))
        QFontDatabase::addApplicationFont(fonts.filePath(name));
}
