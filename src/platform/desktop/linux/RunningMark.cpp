#include "platform/desktop/Desktop.h"

namespace platform {

// Nothing to mark: dpkg replaces a running program's files by renaming new
// ones over them, and the running process keeps the old ones it has open.
void markProgramRunning() {}

} // namespace platform
