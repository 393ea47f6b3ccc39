#pragma once

#include <QtGlobal>

namespace platform {

// This process's number, as the system gives it.
qint64 currentProcessId();

// Whether a process with this number runs (one of any user's: a number
// in use is never taken for a free one).
bool processExists(qint64 pid);

} // namespace platform
