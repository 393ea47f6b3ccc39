#pragma once

#include <QPoint>

class QWindow;

namespace platform {

// Hands the move of a frameless window to the window manager, as if its
// caption had been grabbed at `pressGlobal` (where the button went down),
// so the window follows the pointer's whole travel. False when there is
// no window manager to take it.
bool startWindowManagerMove(QWindow *window, QPoint pressGlobal);

} // namespace platform
