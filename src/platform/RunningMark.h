#pragma once

namespace platform {

// Marks this process, for its whole lifetime, as a running Tolvik, so that
// an installer or uninstaller does not replace or remove the program's
// files under it.
void markProgramRunning();

} // namespace platform
