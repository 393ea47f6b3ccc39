#pragma once

#include <QString>

namespace platform {

// The folder holding the running executable, as the OS reports it
// (never the working directory), without a trailing separator.
QString programFolder();

// The name of the encoder executable inside the program's data folder.
QString encoderFileName();

// Whether the system has the skin's fonts (Tahoma) itself; where it has
// not, the program loads those of its own folder.
bool systemHasSkinFonts();

} // namespace platform
