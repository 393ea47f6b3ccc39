#include "platform/desktop/Desktop.h"
#include "platform/files/windows/SystemName.h"

#include <QTimer>

#include <windows.h>
#include <shellapi.h>

namespace platform {

void openWithDesktop(const NativeName &path, std::function<void()> onFailure)
{
    // ShellExecuteW returns a value above 32 when a handler took the path.
    const auto result = reinterpret_cast<INT_PTR>(
        ShellExecuteW(nullptr, L"open", systemName(path).c_str(), nullptr, nullptr, SW_SHOWNORMAL));
    if (result <= 32 && onFailure)
        QTimer::singleShot(0, std::move(onFailure));
}

} // namespace platform
