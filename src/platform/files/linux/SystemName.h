#pragma once

#include "platform/files/Files.h"

namespace platform {

// A path as Linux takes it: its bytes, escapes turned back into the bytes
// they stand for.
inline QByteArray systemName(const NativeName &name)
{
    return encodeFileName(name.text());
}

} // namespace platform
