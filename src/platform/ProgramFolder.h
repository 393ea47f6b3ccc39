#pragma once

#include <QString>

namespace platform {

// The folder holding the running executable, as the OS reports it
// (never the working directory), without a trailing separator.
QString programFolder();

} // namespace platform
