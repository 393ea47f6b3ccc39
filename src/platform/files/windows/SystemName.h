#pragma once

#include "platform/files/Files.h"
#include "common/windows/LongPath.h"

#include <QDir>

#include <string>

namespace platform {

// A path as Windows takes it: UTF-16, null-terminated, in the long form
// when it is longer than plain paths may be.
inline std::wstring systemName(const NativeName &name)
{
    return longpath::longPathForm(name.text().toStdWString(), QDir::currentPath().toStdWString());
}

} // namespace platform
