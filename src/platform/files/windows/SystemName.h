#pragma once

#include "platform/files/Files.h"

#include <string>

namespace platform {

// A path as Windows takes it: UTF-16, null-terminated.
inline std::wstring systemName(const NativeName &name)
{
    return name.text().toStdWString();
}

} // namespace platform
