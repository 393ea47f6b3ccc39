#pragma once

#include <QString>

class QWidget;

// Asks the user for the output folder, starting at the desktop folder.
// Returns the chosen folder, or `fallback` when the dialog is cancelled.
QString browseForOutputFolder(QWidget *owner, const QString &fallback);
