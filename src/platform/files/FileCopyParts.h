#pragma once

// What the OS files of the copy share; not for use outside the copy.
#include <QString>

namespace platform::copyparts {

// The start of the partial files' names (partialCopyPattern()).
QString partPrefix();

} // namespace platform::copyparts
