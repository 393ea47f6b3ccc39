#include "OutputFolderDialog.h"

#include <QFileDialog>

QString browseForOutputFolder(QWidget *owner, const QString &fallback)
{
    const QString folder = QFileDialog::getExistingDirectory(
        owner, QStringLiteral("请选择源文件夹路径："));
    return folder.isEmpty() ? fallback : folder;
}
