#include "platform/desktop/DesktopWindow.h"

#include <QWidget>

#include <windows.h>
#include <shlobj.h>

namespace platform {

QString browseForFolder(QWidget *owner, const QString &title)
{
    const std::wstring caption = title.toStdWString();
    BROWSEINFOW request{};
    request.hwndOwner = owner ? reinterpret_cast<HWND>(owner->window()->winId()) : nullptr;
    request.pidlRoot = nullptr; // the desktop
    request.lpszTitle = caption.c_str();
    request.ulFlags = 0;
    PIDLIST_ABSOLUTE chosen = SHBrowseForFolderW(&request);
    if (!chosen)
        return {};
    wchar_t path[MAX_PATH] = {};
    const bool onDisk = SHGetPathFromIDListW(chosen, path);
    CoTaskMemFree(chosen);
    return onDisk ? QString::fromWCharArray(path) : QString();
}

} // namespace platform
