#pragma once

#include <QString>

// Plain facts that differ from one system to the other.
namespace platform {

// The file name of an executable called `base` ("conv", "conv.exe").
QString executableName(const QString &base);

// Whether the system has the skin's fonts (Tahoma) itself; where it has
// not, the program loads those of its own folder.
bool systemHasSkinFonts();

} // namespace platform
