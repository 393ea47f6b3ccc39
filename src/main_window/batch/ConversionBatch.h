#pragma once

#include "BackgroundTask.h"
#include "BatchFiles.h"
#include "BatchInput.h"
#include "FileOutcome.h"
#include "FolderLister.h"
#include "LanePool.h"
#include "QueuedSource.h"
#include "ResultStore.h"
#include "WorkingFiles.h"

#include <QObject>
#include <QStringList>

// Owns the queue of sources and converts it, head first, through the
// external encoder (LanePool), stores each result in the output folder
// (ResultStore), then opens that folder and plays the completion sound. It
// knows no widgets (its library links no GUI): it reads the settings
// through BatchInput and tells what happened through its signals.
//
// A batch is a sequence of steps, each begun by the event that ended the
// one before, so the window stays live all along. The steps are those of
// the file in hand (the queue's head, named by its id in every event):
//   step       event                                  next
//   Idle       sources queued                         Starting
//   Starting   start()                                Loading, Listing or Ending
//   Listing    files found                            Loading
//   Listing    the listing ends with nothing queued   Ending
//   Loading    its result is there, kept              Finishing (skipped)
//   Loading    its copy ends (copied)                 Encoding, or Finishing (failed)
//   Encoding   its encoder ends (encoded)             Storing, or Finishing (failed)
//   Storing    its result is stored (stored)          Finishing
//   Finishing  its outcome is on screen               Loading, Listing or Ending
//   Ending     the sound has played                   Idle, or Starting (sources came)
//   any        stop()                                 Idle
// An event of another file, or of a step already left, changes nothing.
// When the file in hand encodes on one thread and the files behind it are
// short too, they are copied ahead and encoded beside it in the other
// lanes as cores come free; their own steps then find that work done or
// under way.
class ConversionBatch : public QObject {
    Q_OBJECT
public:
    enum class Step { Idle, Starting, Listing, Loading, Encoding, Storing, Finishing, Ending };

    ConversionBatch(BatchInput &input, BatchFiles files, QObject *parent = nullptr);
    ~ConversionBatch() override;

    void setWorkingFolder(const platform::PrivateFolder &folder);
    const WorkingFiles &workingFiles() const { return m_lanes.firstFiles(); }

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
    // Stops the batch now: the encoders are ended, a copy given up, the
    // working files removed and the queue emptied; then batchStopped().
    // Nothing is stored, opened or played.
    void stop();

    // The encoder's command line for the settings the window shows now.
    QStringList encoderArguments() const
    {
        return encoderArguments(m_input.encodeSettings(), m_lanes.firstFiles(), false);
    }

signals:
    // The queue lost `taken` sources at its head and gained `added` at its
    // tail (in that order).
    void queueChanged(int taken, const QStringList &added);
    // Sources wait for start(): the window calls it when its timer fires.
    void startRequested();
    void runningChanged(bool running);
    void batchStarted();
    // `left` counts the sources still queued, the current one included;
    // `more` when a folder still being listed (or what waits behind it)
    // may add to them.
    void fileLoading(int left, const QString &source, bool more);
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
    void listed(const QList<QueuedSource> &found, const QStringList &nameKeys);
    void listingDone();
    // `nameKeys`: the sources' keys for the name rules, when made already.
    void append(QList<QueuedSource> sources, const QStringList *nameKeys = nullptr);
    void convertNextFile();
    // Runs `call` as a later event, if the file in hand is still `id` and
    // the batch still in `step`.
    void later(Step step, std::function<void()> call);
    static QString noThread();

    void laneCopied(quint64 id, const JobResult &copy);
    void loaded(const JobResult &copy);
    void laneEncoded(quint64 id);
    // Copies the short files behind a short one in hand ahead, and encodes
    // them as cores come free.
    void runAhead();
    void encoded();
    void resultStored(quint64 id, const JobResult &copy, const QString &output);
    void finishFile(bool converted, const QString &reason, const QString &output = {}, bool skipped = false);
    // The folder the file in hand's result goes to.
    QString resultFolder() const;
    // Its result is there already (when earlier results are kept).
    bool alreadyConverted() const;
    void endOfBatch();
    void soundPlayed();
    QStringList encoderArguments(const FileSettings &settings, const WorkingFiles &files, bool besideAnother) const;

    BatchInput &m_input;
    BatchFiles m_files;
    LanePool m_lanes;
    ResultStore m_store;
    FolderLister m_lister;
    BackgroundTask m_sound;
    QStringList m_pending; // sources behind a folder being listed
    Step m_step = Step::Idle;
    quint64 m_run = 0;    // counts batches and stops: a late step of an old one is void
    quint64 m_lastId = 0; // the last id given to a queued source
    QList<QueuedSource> m_queue;
    QueuedSource m_inHand; // the queue's head once its turn came
    BatchSummary m_summary;
};
