#pragma once

#include "BackgroundTask.h"
#include "BatchFiles.h"
#include "EncodeLane.h"
#include "BatchInput.h"
#include "FileOutcome.h"
#include "QueuedSource.h"
#include "ResultNames.h"
#include "WorkingFiles.h"

#include <QObject>
#include <QStringList>

// Owns the queue of sources and converts it, head first, through the
// external encoder; stores each result in the output folder; then opens
// that folder and plays the completion sound. It knows no widgets (its
// library links no GUI): it reads the settings through BatchInput and
// tells what happened through its signals.
//
// A batch is a sequence of steps, each begun by the event that ended the
// one before, so the window stays live all along:
//   idle → starting (files queued, start() awaited) → loading (the copy,
//   on a thread of its own) → encoding (ended by the encoder's exit) →
//   storing (the copy of the result, on its thread) → the next file, or
//   the end of the batch (the sound, on its thread) → idle, or starting
//   again when files came while it ended. A dropped folder is listed on a
//   thread of its own while files convert; its files join the queue as
//   they are found, and a batch with none left waits for them (listing).
// The steps are those of the file in hand, one file after the other; when
// it and the next file are short, the next one is copied and encoded
// beside it (each encoder on one thread), and its steps then find their
// work done or under way.
class ConversionBatch : public QObject {
    Q_OBJECT
public:
    enum class Step { Idle, Starting, Listing, Loading, Encoding, Storing, Ending };

    ConversionBatch(BatchInput &input, BatchFiles files, QObject *parent = nullptr);
    ~ConversionBatch() override;

    void setWorkingFolder(const platform::PrivateFolder &folder);
    const WorkingFiles &workingFiles() const { return m_working; }

    Step step() const { return m_step; }
    // From the first file queued to the end of the batch (or a stop).
    bool isRunning() const { return m_step != Step::Idle; }
    // The sources not yet finished, head first (the current one included);
    // those of a folder still being listed join as they are found.
    QStringList queue() const;

    // The one way in for sources (a drop, the chooser, the command line, a
    // second start). Idle, it asks for a start (startRequested); during a
    // batch the sources join it; while it ends they wait for the next one.
    // A folder stands for the WAV files under it, listed in the background;
    // sources after it join after them.
    void enqueue(const QStringList &sources);
    // Begins the batch that enqueue() asked for; nothing at any other time.
    void start();
    // Stops the batch now: the encoder is ended, a copy given up, the
    // working files removed and the queue emptied; then batchStopped().
    // Nothing is stored, opened or played.
    void stop();

    // The encoder's command line for the settings the window shows now.
    QStringList encoderArguments() const { return encoderArguments(m_input.encodeSettings(), m_working, false); }

signals:
    // The queue lost `taken` sources at its head and gained `added` at its
    // tail (in that order).
    void queueChanged(int taken, const QStringList &added);
    // Sources wait for start(): the window calls it when its timer fires.
    void startRequested();
    void runningChanged(bool running);
    void batchStarted();
    // `left` counts the sources still queued, the current one included.
    void fileLoading(int left, const QString &source);
    void fileStarted(int left);
    // Nothing left to convert while a folder is listed: `found` files so far.
    void listing(int found);
    void fileFinished(const FileOutcome &file);
    void batchFinished(const BatchSummary &summary);
    void completionSoundPlayed(const QString &file);
    void batchEnded();
    // Stopped by stop(): the files finished before it.
    void batchStopped(const BatchSummary &summary);

protected:
    bool event(QEvent *event) override;

private:
    void setStep(Step step);
    void requestStart();
    // Moves pending sources to the queue up to the next folder, which it
    // begins to list.
    void admitPending();
    void listFolder(const QString &folder);
    void listed(const QList<QueuedSource> &found, const QStringList &nameKeys);
    void listingDone();
    // `nameKeys`: the sources' keys for ResultNames, when made already.
    void append(const QList<QueuedSource> &sources, const QStringList *nameKeys = nullptr);
    void convertNextFile();
    // Runs a step's work on the background thread; its end comes as done().
    void runInBackground(BackgroundTask::Job job);
    static JobResult noThread();
    void backgroundDone(const JobResult &result);
    // Ends the current step with `result` as its background work would.
    void endStepLater(const JobResult &result);
    void loaded(const JobResult &copy);
    // The lane of the file in hand, and the one of the next file.
    EncodeLane &head() { return m_lanes[m_head]; }
    EncodeLane &ahead() { return m_lanes[1 - m_head]; }
    void laneCopied(int lane);
    void laneEncoded(int lane);
    // Whether the file in hand may have the next one encoded beside it.
    bool pairsWithNext();
    // Copies (and then encodes) the next file beside the one in hand.
    void prepareNext();
    void encoded();
    void stored(const JobResult &copy);
    void finishFile(bool converted, const QString &reason);
    void soundPlayed();
    QStringList encoderArguments(const FileSettings &settings, const WorkingFiles &files, bool besideAnother) const;
    void endOfBatch();

    BatchInput &m_input;
    BatchFiles m_files;
    WorkingFiles m_working; // the first lane's
    EncodeLane m_lanes[2];
    int m_head = 0;
    BackgroundTask m_background; // a result's copy, the sound
    BackgroundTask m_lister;
    quint64 m_listingRun = 0; // a late find of a stopped listing is void
    int m_found = 0;          // by the current listing
    QStringList m_pending;    // sources behind a folder being listed
    Step m_step = Step::Idle;
    quint64 m_run = 0; // counts batches and stops: a late step of an old one is void
    QList<QueuedSource> m_queue;

    // The file in hand.
    QString m_source;
    QString m_subFolder;
    QString m_output;

    ResultNames m_names;
    BatchSummary m_summary;
};
