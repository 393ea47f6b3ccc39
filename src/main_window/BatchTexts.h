#pragma once

#include "batch/FileOutcome.h"

#include <QCoreApplication>
#include <QString>

// The words the window shows and says of a batch, in one place: the
// caption and the screen reader tell the same, and each translation is
// made once. Counts go through Qt's plural forms (%n), English included.
class BatchTexts {
    Q_DECLARE_TR_FUNCTIONS(BatchTexts)
public:
    static QString filesLeft(int left);               // "3 files left)": the caption's count
    static QString loading(int left);                 // "Loading...3 files left)"
    static QString percent(int percent, int left);    // "12%(3 files left)"
    static QString finished(bool failed, int left);   // "100%(2 files left)" or "Failed(2 files left)"
    static QString pleaseWait();
    static QString converting(const QString &name, int left);
    static QString convertingAtLeast(const QString &name, int left); // while more may be listed
    static QString listing(int found);
    static QString stopHint();
    static QString stopped(int converted);
    static QString done(const BatchSummary &summary); // as said
    static QString failedOf(int failed, int total);   // as the caption shows it
    static QString failure(const QString &name, const QString &reason);
    static QString moreFailures(int more);
    static QString logUnwritten(const QString &file);
};
