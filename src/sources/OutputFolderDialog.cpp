#include "OutputFolderDialog.h"

#include "platform/desktop/DesktopWindow.h"

QString browseForOutputFolder(QWidget *owner, const QString &fallback)
{
    const QString folder = platform::browseForFolder(owner, QStringLiteral("请选择源文件夹路径："));
    return folder.isEmpty() ? fallback : folder;
}
