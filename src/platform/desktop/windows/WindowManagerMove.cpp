#include "platform/desktop/DesktopWindow.h"

#include <QWindow>

#include <windows.h>

namespace platform {

bool startWindowManagerMove(QWindow *window, QPoint)
{
    // As if the caption had been grabbed: Windows moves the window with
    // the pointer until the button is released.
    const HWND hwnd = reinterpret_cast<HWND>(window->winId());
    ReleaseCapture();
    SendMessageW(hwnd, WM_NCLBUTTONDOWN, HTCAPTION, 0);
    return true;
}

} // namespace platform
