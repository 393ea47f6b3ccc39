#pragma once

#include <QString>

namespace platform {

// The folder holding the running executable, as the OS reports it
// (never the working directory), without a trailing separator.
QString programFolder();

// The name of the encoder executable inside the program's data folder.
QString encoderFileName();

} // namespace platform
