#pragma once

#include "FileOutcome.h"

#include <QString>

// One line per file that failed (time, path, reason) in a plain text file
// of the user's own, so a failure can still be looked up once the tool
// tip is gone.
class FailureLog {
public:
    explicit FailureLog(QString file = defaultFile());

    // "failures.log" in the user's data folder for the program
    // (~/.local/share/tolvik/ on Linux).
    static QString defaultFile();
    const QString &file() const { return m_file; }

    void append(const QString &source, const QString &reason) const;
    // A file that failed, from the batch's report of it.
    void record(const FileOutcome &file) const;

private:
    QString m_file;
};
