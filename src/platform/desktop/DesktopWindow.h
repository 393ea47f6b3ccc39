#pragma once

// The desktop's window services: the folder dialog and the window
// manager's move of a frameless window. Apart from Desktop.h because they
// need QtWidgets, which the batch must not link.

#include <QPoint>
#include <QString>

class QWidget;
class QWindow;

namespace platform {

// The system's dialog for choosing a folder, owned by `owner`'s window and
// starting at the desktop. Returns the folder, or an empty string when the
// user cancels or picks something that is not a folder on disk.
QString browseForFolder(QWidget *owner, const QString &title);

// Hands the move of a frameless window to the window manager, as if its
// caption had been grabbed at `pressGlobal` (where the button went down),
// so the window follows the pointer's whole travel. False when there is
// no window manager to take it.
bool startWindowManagerMove(QWindow *window, QPoint pressGlobal);

} // namespace platform
