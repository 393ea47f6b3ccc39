#pragma once

#include <QList>
#include <QMetaType>
#include <QString>

// What became of one source of a batch.
struct FileOutcome {
    QString source;
    bool converted = false;
    QString output; // where the result was stored; empty when it failed
    QString reason; // why it failed, in a few words; empty when converted
    int left = 0;   // sources still queued after this one
    bool skipped = false; // its result was there already (not converted, not failed)
};

// A finished batch: every source it took, and the ones that failed.
struct BatchSummary {
    QList<FileOutcome> failed;
    int total = 0;
    int skipped = 0; // already converted
};

Q_DECLARE_METATYPE(FileOutcome)
Q_DECLARE_METATYPE(BatchSummary)
