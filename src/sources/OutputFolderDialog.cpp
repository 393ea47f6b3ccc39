#include "OutputFolderDialog.h"

#include "platform/desktop/DesktopWindow.h"

#include <QCoreApplication>

QString browseForOutputFolder(QWidget *owner, const QString &fallback)
{
    // It chooses where the results go (not the sources).
    const QString folder = platform::browseForFolder(
        owner, QCoreApplication::translate("OutputFolderDialog", "Choose the folder for the MP3 files"));
    return folder.isEmpty() ? fallback : folder;
}
