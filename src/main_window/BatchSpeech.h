#pragma once

#include "batch/FileOutcome.h"

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

class SpokenStatus;

// The batch as a screen reader user hears it: which file starts and how
// many are left, each failure with its reason, the end and a stop. What
// the caption and the bar show in passing (each percent) is not said, and
// short files going by faster than a reader speaks are not each told: a
// file's start is said at most every 1.5 s (the latest then), and one not
// yet said when its file failed or the batch ended is dropped, so what
// is heard is never behind the batch.
// Also keeps the batch's failures, for the list that shows them all.
class BatchSpeech : public QObject {
    Q_OBJECT
public:
    explicit BatchSpeech(SpokenStatus *spoken, QObject *parent = nullptr);

    void batchStarted();
    void fileLoading(int left, const QString &source, bool more);
    // Said once a wait for a folder's listing begins, not for each count.
    void listing(int found);
    void fileFinished(const FileOutcome &file);
    void batchFinished(const BatchSummary &summary);
    void batchStopped(const BatchSummary &summary);

    // The failures of the running or the last batch.
    const QList<FileOutcome> &failures() const { return m_failures; }

private:
    void sayPending();
    void dropPending();

    SpokenStatus *m_spoken;
    QElapsedTimer m_lastStartSaid;
    QTimer m_pendingTimer;
    QString m_pending;       // a file's start waiting its turn
    QString m_pendingSource;
    QList<FileOutcome> m_failures;
    bool m_listingSaid = false;
};
