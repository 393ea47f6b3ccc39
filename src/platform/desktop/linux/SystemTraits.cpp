#include "platform/desktop/Desktop.h"

namespace platform {

QString executableName(const QString &base)
{
    return base;
}

bool displayNamed()
{
    for (const char *name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
        if (!qEnvironmentVariableIsEmpty(name))
            return true;
    }
    return false;
}

bool systemHasSkinFonts()
{
    // Tahoma is not a font Linux systems have: the program brings its own.
    return false;
}

} // namespace platform
