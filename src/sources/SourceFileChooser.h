#pragma once

#include <QStringList>

#include <functional>

class QWidget;

// Adding files without dragging: a chooser of WAV files (several at once)
// that opens in the user's music folder and hands the chosen ones to
// `chosen`. It does not wait: the window goes on meanwhile.
void chooseSourceFiles(QWidget *owner, std::function<void(const QStringList &files)> chosen);

// The same for a whole folder: its WAV files are converted, the folders
// below it kept.
void chooseSourceFolder(QWidget *owner, std::function<void(const QStringList &folder)> chosen);
