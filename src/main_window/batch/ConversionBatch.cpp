#include "ConversionBatch.h"

#include "LaterStep.h"
#include "OutputFolder.h"
#include "names/FileNames.h"
#include "platform/desktop/Desktop.h"
#include "platform/files/Files.h"


ConversionBatch::ConversionBatch(BatchInput &input, BatchFiles files, QObject *parent)
    : QObject(parent), m_input(input), m_files(std::move(files))
{
    m_lanes.setParent(this);
    connect(&m_lanes, &LanePool::copied, this, &ConversionBatch::laneCopied);
    connect(&m_lanes, &LanePool::encoded, this, &ConversionBatch::laneEncoded);
    connect(&m_store, &ResultStore::stored, this, &ConversionBatch::resultStored);
    connect(&m_lister, &FolderLister::found, this, &ConversionBatch::listed);
    connect(&m_lister, &FolderLister::finished, this, &ConversionBatch::listingDone);
    connect(&m_sound, &BackgroundTask::done, this, [this] {
        if (m_step == Step::Ending)
            soundPlayed();
    });
}

ConversionBatch::~ConversionBatch()
{
    // Nothing may run on or write for a batch that is gone.
    m_step = Step::Idle;
    m_lanes.releaseAll();
    m_store.cancel();
    m_sound.cancel();
    m_lister.cancel();
    workingFiles().removeLeftovers();
}

void ConversionBatch::setWorkingFolder(const platform::PrivateFolder &folder)
{
    m_lanes.setWorkingFolder(folder);
}

void ConversionBatch::setStep(Step step)
{
    const bool wasRunning = isRunning();
    m_step = step;
    if (wasRunning != isRunning())
        emit runningChanged(isRunning());
}

QStringList ConversionBatch::queue() const
{
    QStringList paths;
    paths.reserve(m_queue.size());
    for (const QueuedSource &source : m_queue)
        paths << source.path;
    return paths;
}

void ConversionBatch::enqueue(const QStringList &sources)
{
    if (sources.isEmpty())
        return;
    // Sources waiting behind a folder's listing are the batch's sources
    // already: no result may take their names meanwhile.
    if (isRunning() && m_step != Step::Ending)
        m_store.addSources(sources);
    m_pending.append(sources);
    admitPending();
}

void ConversionBatch::admitPending()
{
    QList<QueuedSource> files;
    while (!m_lister.isRunning() && !m_pending.isEmpty()) {
        const QString source = m_pending.takeFirst();
        if (!platform::NativeName(source).isFolder())
            files.append({source, {}, {}});
        else if (!m_lister.list(source))
            files.append({source, {}, noThread()});
    }
    append(files);
    if (m_step == Step::Idle && m_lister.isRunning())
        requestStart(); // the caption tells of the listing
}

void ConversionBatch::append(QList<QueuedSource> sources, const QStringList *nameKeys)
{
    if (sources.isEmpty())
        return;
    QStringList paths;
    for (QueuedSource &source : sources) {
        source.id = ++m_lastId;
        paths << source.path;
    }
    m_queue.append(sources);
    // Sources that join a running batch are its sources: no result of it
    // may replace them.
    if (isRunning() && m_step != Step::Ending) {
        if (nameKeys)
            m_store.addSourceKeys(*nameKeys);
        else
            m_store.addSources(paths);
    }
    emit queueChanged(0, paths);
    if (m_step == Step::Idle)
        requestStart();
    else if (m_step == Step::Listing)
        convertNextFile();
    else
        runAhead();
}

void ConversionBatch::listed(const QList<QueuedSource> &found, const QStringList &nameKeys)
{
    append(found, &nameKeys);
    if (m_step == Step::Listing)
        emit listing(m_lister.foundCount());
}

void ConversionBatch::listingDone()
{
    admitPending();
    // A batch that waited for files that never came ends now.
    if (m_step == Step::Listing && !m_lister.isRunning() && m_queue.isEmpty())
        convertNextFile();
}

void ConversionBatch::requestStart()
{
    setStep(Step::Starting);
    emit startRequested();
}

QStringList ConversionBatch::encoderArguments(const FileSettings &settings, const WorkingFiles &files,
                                              bool besideAnother) const
{
    QStringList arguments{QStringLiteral("-i"), files.input(), QStringLiteral("-y"),
                          QStringLiteral("-ab"), settings.bitRate + QLatin1Char('k'),
                          QStringLiteral("-ar"), settings.sampleRate,
                          QStringLiteral("-ac"), QString::number(settings.channels)};
    // Two encoders side by side take a core each.
    if (besideAnother)
        arguments << QStringLiteral("-threads") << QStringLiteral("1");
    return arguments << files.output();
}

void ConversionBatch::start()
{
    if (m_step != Step::Starting)
        return;
    ++m_run;
    m_summary = {};
    m_store.begin(queue() + m_pending);
    outputfolder::removeStalePartials(m_input.outputFolder());
    emit batchStarted();
    convertNextFile();
}

void ConversionBatch::later(Step step, std::function<void()> call)
{
    // As an event like every step's end; void once the file or the step is
    // over.
    LaterStep::post(this, [this, run = m_run, id = m_inHand.id, step, call = std::move(call)] {
        if (run == m_run && id == m_inHand.id && step == m_step)
            call();
    });
}

QString ConversionBatch::noThread()
{
    // No thread to be had (a memory limit): the step ends as failed, and
    // the batch goes on.
    return QStringLiteral("the system gives no thread to work on (out of memory)");
}

void ConversionBatch::convertNextFile()
{
    // Files go one after the other, never as a recursion: a queue of any
    // length needs the same memory.
    if (m_queue.isEmpty()) {
        if (!m_lister.isRunning()) {
            endOfBatch();
            return;
        }
        setStep(Step::Listing);
        emit listing(m_lister.foundCount());
        return;
    }
    m_inHand = m_queue.first();
    setStep(Step::Loading);
    emit fileLoading(int(m_queue.size()), m_inHand.path, m_lister.isRunning() || !m_pending.isEmpty());
    if (m_step != Step::Loading)
        return; // stopped by an observer of that signal
    if (!m_inHand.failure.isEmpty()) {
        // Found wrong by a folder's listing: told in its turn, as a file.
        later(Step::Loading, [this, failure = m_inHand.failure] { loaded({false, failure}); });
        return;
    }
    // A result of this very batch, listed in an output folder inside a
    // dropped one, is converted already.
    if (m_store.isOwnResult(m_inHand.path) || (m_input.skipConverted() && alreadyConverted())) {
        later(Step::Loading, [this] {
            emit fileStarted(int(m_queue.size()));
            if (m_step == Step::Loading)
                finishFile(false, {}, {}, true);
        });
        return;
    }
    if (const EncodeLane *lane = m_lanes.laneOf(m_inHand.id)) {
        // Copied beside the file before: its copy is done, or ends soon.
        if (lane->state() != EncodeLane::State::Copying)
            later(Step::Loading, [this, copy = lane->copy()] { loaded(copy); });
        return;
    }
    // (The lanes ahead leave one free; should they not, the file furthest
    // back gives its lane up and is copied again in its turn.)
    for (qsizetype i = m_queue.size() - 1; i > 0 && !m_lanes.hasFreeLane(); --i)
        m_lanes.release(m_queue.at(i).id);
    if (!m_lanes.load(m_inHand))
        later(Step::Loading, [this] { loaded({false, noThread()}); });
}

void ConversionBatch::laneCopied(quint64 id, const JobResult &copy)
{
    if (id == m_inHand.id) {
        if (m_step == Step::Loading)
            loaded(copy);
        return;
    }
    // A file ahead: it encodes as soon as a core is free.
    runAhead();
}

void ConversionBatch::loaded(const JobResult &copy)
{
    emit fileStarted(int(m_queue.size()));
    if (m_step != Step::Loading)
        return; // stopped by an observer
    // Without a copy there is nothing to encode: no process is started.
    if (!copy.ok) {
        finishFile(false, copy.reason);
        return;
    }
    setStep(Step::Encoding);
    EncodeLane *lane = m_lanes.laneOf(m_inHand.id);
    Q_ASSERT_X(lane, "ConversionBatch::loaded", "the file in hand is in no lane");
    const bool underWay = lane->state() == EncodeLane::State::Encoding || lane->state() == EncodeLane::State::Encoded;
    const bool beside = underWay ? lane->besideAnother()
                                 : m_queue.size() >= 2 && LanePool::pairable(m_inHand, m_queue.at(1))
                                       && (m_lanes.laneOf(m_queue.at(1).id) || m_lanes.hasFreeLane());
    // The settings the window shows in the file's turn, also for a file
    // encoded beside the one before: changed since, it is encoded again.
    const QStringList arguments = encoderArguments(m_input.encodeSettings(), lane->files(), beside);
    if (underWay && lane->arguments() == arguments) {
        if (lane->state() == EncodeLane::State::Encoded)
            later(Step::Encoding, [this] { encoded(); });
        else
            runAhead();
        return;
    }
    if (!lane->encode(m_files.encoder, arguments, beside)) {
        finishFile(false, QStringLiteral("the encoder cannot be started (%1)").arg(m_files.encoder));
        return;
    }
    if (beside)
        runAhead();
}

void ConversionBatch::runAhead()
{
    // Only while the file in hand is short and under way (a long one
    // takes every core), and only the short files right behind it.
    if ((m_step != Step::Encoding && m_step != Step::Storing) || m_queue.size() < 2)
        return;
    const EncodeLane *head = m_lanes.laneOf(m_inHand.id);
    if (!head || !head->besideAnother())
        return;
    for (int i = 1; i < m_queue.size() && i < m_lanes.lanes(); ++i) { // the head holds a lane too
        const QueuedSource &file = m_queue.at(i);
        if (!LanePool::pairable(m_inHand, file))
            return;
        EncodeLane *lane = m_lanes.laneOf(file.id);
        if (!lane) {
            if (!m_lanes.hasFreeLane() || !m_lanes.load(file))
                return; // without a thread, it is copied in its turn
            continue;  // its copy's end brings it back here
        }
        // Should its encoder not start, it is tried again (and told) in
        // its turn.
        if (lane->state() == EncodeLane::State::Copied && lane->copy().ok
            && m_lanes.encoding() < LanePool::encoderSlots())
            lane->encode(m_files.encoder, encoderArguments(m_input.encodeSettings(), lane->files(), true), true);
    }
}

void ConversionBatch::laneEncoded(quint64 id)
{
    // A result ahead waits for its turn; its core takes the next file.
    if (id == m_inHand.id && m_step == Step::Encoding)
        encoded();
    runAhead();
}

void ConversionBatch::encoded()
{
    // Only the encoder this batch started for this very file, ended well on
    // an unchanged source, made this file's result.
    const EncodeLane *lane = m_lanes.laneOf(m_inHand.id);
    Q_ASSERT_X(lane && lane->state() == EncodeLane::State::Encoded, "ConversionBatch::encoded",
               "the file in hand has no encoded result");
    if (lane->exitCode() != 0 || lane->changedWhileEncoded()) {
        finishFile(false, lane->encoderFailure());
        return;
    }
    if (platform::NativeName(lane->files().output()).fileSize() <= 0) {
        finishFile(false, QStringLiteral("the encoder wrote no result"));
        return;
    }
    setStep(Step::Storing);
    if (!m_store.store(m_inHand.id, lane->files().output(), resultFolder(), m_inHand.path))
        finishFile(false, noThread());
}

QString ConversionBatch::resultFolder() const
{
    // Read in the file's turn, so a change made during the batch applies
    // from the next file.
    const QString folder = m_input.outputFolder();
    return m_inHand.subFolder.isEmpty() ? folder : PathInFolder(folder, m_inHand.subFolder); // the structure below a dropped folder
}

bool ConversionBatch::alreadyConverted() const
{
    // Only the very file this batch would store the result as (never one
    // of another name, nor a source of the batch), newer than the source.
    // (Asked of the system by exact names: "x.wav." is not "x.wav".)
    const platform::FileState result = platform::fileState(platform::NativeName(m_store.nameFor(resultFolder(), m_inHand.path)));
    const platform::FileState source = platform::fileState(platform::NativeName(m_inHand.path));
    return result.size > 0 && source.size >= 0 && result.modified > source.modified;
}

void ConversionBatch::resultStored(quint64 id, const JobResult &copy, const QString &output)
{
    if (id == m_inHand.id && m_step == Step::Storing)
        finishFile(copy.ok, copy.reason, output);
}

void ConversionBatch::finishFile(bool converted, const QString &reason, const QString &output, bool skipped)
{
    Q_ASSERT_X(!m_queue.isEmpty() && m_queue.first().id == m_inHand.id, "ConversionBatch::finishFile",
               "the file in hand is not the queue's head");
    setStep(Step::Finishing);
    ++m_summary.total;
    m_queue.removeFirst();
    emit queueChanged(1, {});
    m_lanes.release(m_inHand.id);
    const FileOutcome outcome{m_inHand.path, converted, converted ? output : QString(), reason, int(m_queue.size()), skipped};
    if (skipped)
        ++m_summary.skipped;
    else if (!converted)
        m_summary.failed.append(outcome);
    emit fileFinished(outcome);
    // The one place where the window must paint before the next step: the
    // outcome's caption ("100%(…", "Failed(…") is on screen before the next
    // file's "Loading...". A stop meanwhile voids the step.
    later(Step::Finishing, [this] { convertNextFile(); });
}

void ConversionBatch::endOfBatch()
{
    setStep(Step::Ending);
    emit batchFinished(m_summary);
    if (m_step != Step::Ending)
        return; // stopped by an observer
    platform::openWithDesktop(platform::NativeName(m_input.outputFolder()));
    // The sound plays to its end on its own thread; the window stays live.
    const bool started = m_sound.run([sound = m_files.completionSound](const std::atomic_bool &) {
        platform::playSoundToEnd(platform::NativeName(sound));
        return JobResult{};
    });
    if (!started)
        later(Step::Ending, [this] { soundPlayed(); });
}

void ConversionBatch::soundPlayed()
{
    setStep(Step::Idle);
    emit completionSoundPlayed(m_files.completionSound);
    emit batchEnded();
    // Sources that came while the batch ended make the next one.
    if (m_step == Step::Idle && (!m_queue.isEmpty() || m_lister.isRunning()))
        requestStart();
}

void ConversionBatch::stop()
{
    if (!isRunning())
        return;
    ++m_run;
    const bool storing = m_step == Step::Storing;
    m_step = Step::Idle; // the encoders' exits below are no step of a batch
    m_lanes.releaseAll();
    // A result stored whole by the time of the stop is kept, and told.
    if (const ResultStore::Kept kept = m_store.cancel(); storing && kept.id == m_inHand.id && kept.id != 0) {
        ++m_summary.total;
        m_queue.removeFirst();
        emit queueChanged(1, {});
        emit fileFinished({m_inHand.path, true, kept.output, {}, int(m_queue.size())});
    }
    m_sound.cancel();
    m_lister.cancel();
    m_pending.clear();
    const int dropped = int(m_queue.size());
    m_queue.clear();
    if (dropped > 0)
        emit queueChanged(dropped, {});
    workingFiles().removeLeftovers();
    emit runningChanged(false);
    emit batchStopped(m_summary);
}

bool ConversionBatch::event(QEvent *event)
{
    return LaterStep::deliver(event) || QObject::event(event);
}
