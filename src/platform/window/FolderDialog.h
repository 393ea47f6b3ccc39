#pragma once

#include <QString>

class QWidget;

namespace platform {

// The system's dialog for choosing a folder, owned by `owner`'s window and
// starting at the desktop. Returns the folder, or an empty string when the
// user cancels or picks something that is not a folder on disk.
QString browseForFolder(QWidget *owner, const QString &title);

} // namespace platform
