#include "platform/desktop/Desktop.h"

namespace platform {

QString executableName(const QString &base)
{
    return base;
}

bool systemHasSkinFonts()
{
    // Tahoma is not a font Linux systems have: the program brings its own.
    return false;
}

} // namespace platform
