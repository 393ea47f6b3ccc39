#pragma once

#include "platform/files/Files.h"
#include "common/windows/LongPath.h"

#include <QDir>

#include <windows.h>

#include <string>

namespace platform {

// A path as Windows takes it: UTF-16, null-terminated, in the long form
// when it is longer than plain paths may be.
inline std::wstring systemName(const NativeName &name)
{
    return longpath::longPathForm(name.text().toStdWString(), QDir::currentPath().toStdWString());
}

// The system's words for the last error, without the final full stop.
inline QString systemReason()
{
    wchar_t *text = nullptr;
    FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                   nullptr, GetLastError(), 0, reinterpret_cast<wchar_t *>(&text), 0, nullptr);
    QString reason = text ? QString::fromWCharArray(text).trimmed() : QStringLiteral("unknown error");
    LocalFree(text);
    if (reason.endsWith(QLatin1Char('.')))
        reason.chop(1);
    return reason;
}

} // namespace platform
