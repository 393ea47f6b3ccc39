#include "SystemTraits.h"

namespace platform {

QString executableName(const QString &base)
{
    return base + QStringLiteral(".exe");
}

bool systemHasSkinFonts()
{
    // Windows ships Tahoma, the skin's font.
    return true;
}

} // namespace platform
