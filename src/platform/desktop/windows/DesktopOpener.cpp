#include "platform/desktop/Desktop.h"
#include "platform/files/windows/SystemName.h"

#include <QCoreApplication>
#include <QPointer>

#include <thread>

#include <windows.h>
#include <objbase.h>
#include <shellapi.h>

namespace platform {

void openWithDesktop(const NativeName &path, std::function<void()> onFailure)
{
    // The shell may take long (a handler to start, a DDE conversation, a
    // busy machine): never on the window's thread, whose event loop must
    // keep turning (a second start waits for its sign of life).
    QPointer<QCoreApplication> application(QCoreApplication::instance());
    std::thread([file = systemName(path), onFailure = std::move(onFailure), application]() mutable {
        const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
        // ShellExecuteW returns a value above 32 when a handler took the path.
        const auto result = reinterpret_cast<INT_PTR>(
            ShellExecuteW(nullptr, L"open", file.c_str(), nullptr, nullptr, SW_SHOWNORMAL));
        if (SUCCEEDED(com))
            CoUninitialize();
        if (result <= 32 && onFailure && application)
            QMetaObject::invokeMethod(application, std::move(onFailure), Qt::QueuedConnection);
    }).detach();
}

} // namespace platform
