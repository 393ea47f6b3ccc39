#pragma once

#include <QString>

#include <functional>

namespace platform {

// Opens a file or folder with the desktop's own handler (the file browser
// for a folder, the web browser for a page). Returns at once; when no
// handler can open it, `onFailure` runs later on the event loop.
void openWithDesktop(const QString &path, std::function<void()> onFailure = {});

} // namespace platform
