#pragma once

#include "batch/BatchFiles.h"

#include <QString>

// Where the program's own files are: the program folder and the files
// installed beside the executable, plus the base of the private temporary
// folder.
struct Installation {
    QString programFolder;
    QString tempBase;
    QString feedbackHost; // host (and port) of the maker's feedback server

    static Installation ofRunningProgram();

    QString file(const QString &relative) const;
    // The program folder's "output" where it is a writable folder, else
    // the user's music folder + "/Tolvik".
    QString defaultOutputFolder() const;
    QString encoder() const;
    QString completionSound() const;
    QString helpFile() const;
    BatchFiles batchFiles() const { return {encoder(), completionSound()}; }
};
