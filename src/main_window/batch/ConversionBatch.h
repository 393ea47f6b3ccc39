#pragma once

#include "BackgroundTask.h"
#include "FileOutcome.h"
#include "Installation.h"
#include "platform/ChildProcess.h"
#include "platform/PrivateFolder.h"

#include <QHash>
#include <QObject>
#include <QSet>
#include <QStringList>

class BatchInput;

// Converts the queue of sources, head first, through the external encoder
// and stores each result in the output folder; then opens that folder and
// plays the completion sound. It knows no widgets (its library links no
// GUI): it reads its input through BatchInput and tells what happened
// through its signals.
//
// A batch is a sequence of steps, each begun by the event that ended the
// one before, so the window stays live all along:
//   idle → loading (the copy, on a thread of its own) → encoding (ended by
//   the encoder's exit) → storing (the copy of the result, on its thread)
//   → the next file, or the end of the batch (the sound, on its thread).
class ConversionBatch : public QObject {
    Q_OBJECT
public:
    enum class Step { Idle, Loading, Encoding, Storing, Ending };

    ConversionBatch(BatchInput &input, const Installation &installation, QObject *parent = nullptr);
    ~ConversionBatch() override;

    void setTempFolder(const platform::PrivateFolder &folder) { m_temp = folder; }
    QString tempWav() const;
    QString tempMp3() const;
    void deleteTempFiles() const;
    // Removes everything a run may leave in its working folder: the two
    // working files, partial copies and the encoder's partial output.
    void removeLeftovers() const;
    static void removeLeftoversIn(const QString &folder);
    // Removes the partial copies a killed run left in an output folder.
    static void removeStalePartials(const QString &outputFolder);

    Step step() const { return m_step; }
    bool isRunning() const { return m_step != Step::Idle; }
    // True while sources added now are still converted by this batch.
    bool takesMoreSources() const { return m_step != Step::Idle && m_step != Step::Ending; }

    // Begins a batch with the sources queued now; nothing while one runs.
    void start();
    // Starts the head of the queue, or the end of the batch when the
    // queue is empty.
    void ConvertNextFile();
    // Stops the batch now: the encoder is ended, a copy given up, the
    // working files removed and the sources not yet converted dropped from
    // the queue; then batchStopped(). Nothing is stored, opened or played.
    void stop();
    // Sources queued while the batch runs are its sources too.
    void addBatchSources(const QStringList &sources);

    QStringList encoderArguments() const;

signals:
    void batchStarted();
    // `left` counts the sources still queued, the current one included.
    void fileLoading(int left, const QString &source);
    void fileStarted(int left);
    void fileFinished(const FileOutcome &file);
    void batchFinished(const BatchSummary &summary);
    void completionSoundPlayed(const QString &file);
    void batchEnded();
    // Stopped by stop(): the files finished before it.
    void batchStopped(const BatchSummary &summary);

protected:
    bool event(QEvent *event) override;

private:
    void loaded();
    void encoded();
    void stored();
    void finishFile(bool converted, const QString &reason);
    void soundPlayed();
    QString encoderFailure() const;
    bool isBatchSource(const QString &path) const;
    void endOfBatch();

    BatchInput &m_input;
    Installation m_installation;
    platform::PrivateFolder m_temp;
    platform::ChildProcess m_encoder;
    BackgroundTask m_background;
    Step m_step = Step::Idle;
    quint64 m_run = 0; // counts batches and stops: a late step of an old one is void

    // The file in hand, and what its background step found.
    QString m_source;
    QString m_output;
    bool m_stepOk = false;
    QString m_stepReason;

    // Per batch: the sources (as name keys, also of their real paths),
    // output paths written (as name keys) with the source each came from,
    // and the outcome of the batch so far.
    QSet<QString> m_sourceKeys;
    QHash<QString, QString> m_written;
    BatchSummary m_summary;
};
