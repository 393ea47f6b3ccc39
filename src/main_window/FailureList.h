#pragma once

#include "batch/FileOutcome.h"

#include <QDialog>

// Every failure of the last batch, file and reason, as text the keyboard
// and a screen reader can walk line by line, with where the log keeps them.
class FailureList : public QDialog {
    Q_OBJECT
public:
    // `logWritten`: whether every failure reached the log.
    FailureList(const QList<FileOutcome> &failures, const QString &logFile, bool logWritten, QWidget *parent);
};
