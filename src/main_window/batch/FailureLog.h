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

    // False when the line could not be written (the log held open by
    // another program on Windows, a full disk): it is kept, and written
    // before the next one or by flush().
    bool append(const QString &source, const QString &reason);
    // A file that failed, from the batch's report of it.
    bool record(const FileOutcome &file);
    // Tries the lines kept again; true when none is left.
    bool flush();
    bool hasUnwritten() const { return !m_unwritten.isEmpty(); }

private:
    QString m_file;
    QByteArray m_unwritten; // whole lines, in their order
};
