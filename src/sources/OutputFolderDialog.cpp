#include "OutputFolderDialog.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QStandardPaths>

QString browseForOutputFolder(QWidget *owner, const QString &fallback)
{
    // The dialog starts at the desktop, or at home where there is none.
    QString start = QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
    if (start.isEmpty() || !QFileInfo(start).isDir())
        start = QDir::homePath();
    const QString folder = QFileDialog::getExistingDirectory(owner, QStringLiteral("请选择源文件夹路径："), start);
    return folder.isEmpty() ? fallback : folder;
}
