#pragma once

#include "Installation.h"
#include "platform/ChildProcess.h"
#include "platform/PrivateFolder.h"

#include <QHash>
#include <QSet>
#include <QObject>
#include <QStringList>

class BatchInput;

// Converts the queue of sources, head first, through the external encoder
// and stores each result in the output folder; then opens that folder and
// plays the completion sound. It knows no widgets: it reads its input
// through BatchInput and tells what happened through its signals.
class ConversionBatch : public QObject {
    Q_OBJECT
public:
    ConversionBatch(BatchInput &input, const Installation &installation, QObject *parent = nullptr);

    void setTempFolder(const platform::PrivateFolder &folder) { m_temp = folder; }
    QString tempWav() const;
    QString tempMp3() const;
    void deleteTempFiles() const;
    // Removes everything a run may leave in the private folder: the two
    // working files, partial copies and the encoder's partial output.
    void removeLeftovers() const;
    // Ends the encoder the batch waits for, if any (at exit).
    void stopEncoder();

    // Runs the whole batch; returns when the queue is empty.
    void ConvertNextFile();
    // Sources queued while the batch runs are its sources too.
    void addBatchSources(const QStringList &sources);

    QStringList encoderArguments() const;

signals:
    void batchStarted();
    // `left` counts the sources still queued, the current one included.
    void fileLoading(int left);
    void fileStarted(int left);
    // Here `left` no longer counts the finished file; `reason` says in a
    // few words why a file failed.
    void fileFinished(int left, bool converted, const QString &source, const QString &output,
                      const QString &reason);
    // The failed sources with their reasons, in the same order.
    void batchFinished(const QStringList &failedSources, const QStringList &reasons, int total);
    void completionSoundPlayed(const QString &file);
    void batchEnded();

private:
    bool convertHead(const QString &source, QString &output, QString &reason);
    QString encoderFailure() const;
    void waitForEncoder();
    bool isBatchSource(const QString &path) const;
    void endOfBatch();

    BatchInput &m_input;
    Installation m_installation;
    platform::PrivateFolder m_temp;
    platform::ChildProcess m_encoder;

    // Per batch: the sources (as name keys, also of their real paths),
    // output paths written (as name keys) with the source each came from,
    // and the sources that failed.
    QSet<QString> m_sourceKeys;
    QHash<QString, QString> m_written;
    QStringList m_failed;
    QStringList m_reasons;
    int m_total = 0;
};
