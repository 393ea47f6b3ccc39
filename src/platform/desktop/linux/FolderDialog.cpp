#include "platform/desktop/DesktopWindow.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QStandardPaths>

namespace platform {

QString browseForFolder(QWidget *owner, const QString &title)
{
    // The desktop, or home where there is none.
    QString start = QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
    if (start.isEmpty() || !QFileInfo(start).isDir())
        start = QDir::homePath();
    return QFileDialog::getExistingDirectory(owner, title, start);
}

} // namespace platform
