#include "ConversionBatch.h"

#include "FolderWalk.h"
#include "LaterStep.h"
#include "OutputFolder.h"
#include "common/ConvContract.h"
#include "platform/desktop/Desktop.h"
#include "names/FileNames.h"
#include "platform/files/Files.h"

#include <QThread>

#include <algorithm>
#include <chrono>

namespace {

// About a minute and a half of CD audio: shorter files gain little from
// the encoder's own parts, and two of them side by side finish close
// together.
constexpr qint64 shortFileBytes = 16 << 20;

bool isShortFile(const QString &path)
{
    const qint64 size = platform::NativeName(path).fileSize();
    return size > 0 && size <= shortFileBytes;
}

} // namespace


ConversionBatch::ConversionBatch(BatchInput &input, BatchFiles files, QObject *parent)
    : QObject(parent), m_input(input), m_files(std::move(files))
{
    for (int lane = 0; lane < 2; ++lane) {
        connect(&m_lanes[lane], &EncodeLane::copied, this, [this, lane] { laneCopied(lane); });
        connect(&m_lanes[lane], &EncodeLane::encoded, this, [this, lane] { laneEncoded(lane); });
    }
    connect(&m_background, &BackgroundTask::done, this, &ConversionBatch::backgroundDone);
    connect(&m_lister, &BackgroundTask::done, this, &ConversionBatch::listingDone);
}

void ConversionBatch::backgroundDone(const JobResult &result)
{
    switch (m_step) {
    case Step::Loading: loaded(result); break;
    case Step::Storing: stored(result); break;
    case Step::Ending: soundPlayed(); break;
    case Step::Idle:
    case Step::Starting:
    case Step::Listing:
    case Step::Encoding: break;
    }
}

ConversionBatch::~ConversionBatch()
{
    // Nothing may run on or write for a batch that is gone.
    m_step = Step::Idle;
    for (EncodeLane &lane : m_lanes)
        lane.release();
    m_background.cancel();
    m_lister.cancel();
    m_working.removeLeftovers();
}

void ConversionBatch::setWorkingFolder(const platform::PrivateFolder &folder)
{
    m_working = WorkingFiles(folder);
    m_lanes[0].setFiles(m_working);
    m_lanes[1].setFiles(WorkingFiles(folder, 1));
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
    m_pending.append(sources);
    admitPending();
}

void ConversionBatch::admitPending()
{
    QList<QueuedSource> files;
    while (!m_lister.isRunning() && !m_pending.isEmpty()) {
        const QString source = m_pending.takeFirst();
        if (platform::NativeName(source).isFolder())
            listFolder(source);
        else
            files.append({source, {}, {}});
    }
    append(files);
    if (m_step == Step::Idle && m_lister.isRunning())
        requestStart(); // the caption tells of the listing
}

void ConversionBatch::append(const QList<QueuedSource> &sources, const QStringList *nameKeys)
{
    if (sources.isEmpty())
        return;
    m_queue.append(sources);
    QStringList paths;
    for (const QueuedSource &source : sources)
        paths << source.path;
    // Sources that join a running batch are its sources: no result of it
    // may replace them.
    if (m_step != Step::Ending) {
        if (nameKeys)
            m_names.addSourceKeys(*nameKeys);
        else
            m_names.addSources(paths);
    }
    emit queueChanged(0, paths);
    if (m_step == Step::Idle)
        requestStart();
    else if (m_step == Step::Listing)
        convertNextFile();
    else if (m_step == Step::Encoding)
        prepareNext();
}

void ConversionBatch::listFolder(const QString &folder)
{
    m_found = 0;
    const quint64 run = ++m_listingRun;
    // Found files come in small batches, a few times a second: the window
    // shows them as they come without a signal for each of 100,000, and
    // stays live. What each costs on the disk is paid here, not there.
    const bool started = m_lister.run([this, folder, run](const std::atomic_bool &cancelled) {
        using Clock = std::chrono::steady_clock;
        QList<QueuedSource> found;
        QStringList keys;
        auto sent = Clock::now();
        const auto send = [&] {
            LaterStep::post(this, [this, run, found = std::move(found), keys = std::move(keys)] {
                if (run == m_listingRun)
                    listed(found, keys);
            });
            found = {};
            keys = {};
            sent = Clock::now();
        };
        walkFolder(folder, cancelled, [&](const QueuedSource &source) {
            found.append(source);
            if (source.failure.isEmpty())
                keys << ResultNames::sourceKeys(source.path);
            if (found.size() >= 1024 || Clock::now() - sent > std::chrono::milliseconds(200))
                send();
        });
        if (!found.isEmpty() && !cancelled)
            send();
        return JobResult{};
    });
    if (!started)
        append({{folder, {}, noThread().reason}});
}

void ConversionBatch::listed(const QList<QueuedSource> &found, const QStringList &nameKeys)
{
    m_found += int(std::count_if(found.cbegin(), found.cend(), [](const QueuedSource &s) { return s.failure.isEmpty(); }));
    append(found, &nameKeys);
    if (m_step == Step::Listing)
        emit listing(m_found);
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
    m_names.clear();
    m_names.addSources(queue());
    outputfolder::removeStalePartials(m_input.outputFolder());
    emit batchStarted();
    convertNextFile();
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
        emit listing(m_found);
        return;
    }
    const QueuedSource next = m_queue.first();
    m_source = next.path;
    m_subFolder = next.subFolder;
    m_output.clear();
    setStep(Step::Loading);
    emit fileLoading(int(m_queue.size()), m_source);
    if (m_step != Step::Loading)
        return; // stopped by an observer of that signal
    if (!next.failure.isEmpty()) {
        // Found wrong by a folder's listing: told in its turn, as a file.
        endStepLater({false, next.failure});
        return;
    }
    if (head().state() == EncodeLane::State::Free && ahead().state() == EncodeLane::State::Free)
        m_head = 0; // a file on its own has the encoder's usual working names
    EncodeLane &lane = head();
    if (lane.state() != EncodeLane::State::Free && lane.source() == m_source) {
        // Copied beside the file before: its copy is done, or ends soon.
        if (lane.state() != EncodeLane::State::Copying)
            endStepLater(lane.copy());
        return;
    }
    if (!lane.load(m_source))
        endStepLater(noThread());
}

JobResult ConversionBatch::noThread()
{
    // No thread to be had (a memory limit): the step ends as failed, and
    // the batch goes on.
    return {false, QStringLiteral("the system gives no thread to work on (out of memory)")};
}

void ConversionBatch::runInBackground(BackgroundTask::Job job)
{
    if (!m_background.run(std::move(job)))
        endStepLater(noThread());
}

void ConversionBatch::endStepLater(const JobResult &result)
{
    // As an event like every step's end; void once the step is over.
    LaterStep::post(this, [this, run = m_run, step = m_step, result] {
        if (run == m_run && step == m_step)
            backgroundDone(result);
    });
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
    EncodeLane &lane = head();
    const bool underWay = lane.state() == EncodeLane::State::Encoding || lane.state() == EncodeLane::State::Encoded;
    const bool beside = underWay ? lane.besideAnother() : pairsWithNext();
    // The settings the window shows in the file's turn, also for a file
    // encoded beside the one before: changed since, it is encoded again.
    const QStringList arguments = encoderArguments(m_input.encodeSettings(), lane.files(), beside);
    if (underWay && lane.arguments() == arguments) {
        if (lane.state() == EncodeLane::State::Encoded) {
            LaterStep::post(this, [this, run = m_run] {
                if (run == m_run && m_step == Step::Encoding)
                    encoded();
            });
        } else {
            prepareNext();
        }
        return;
    }
    if (!lane.encode(m_files.encoder, arguments, beside)) {
        finishFile(false, QStringLiteral("the encoder cannot be started (%1)").arg(m_files.encoder));
        return;
    }
    if (beside)
        prepareNext();
}

bool ConversionBatch::pairsWithNext()
{
    if (QThread::idealThreadCount() < 2 || m_queue.size() < 2 || !m_queue.at(1).failure.isEmpty())
        return false;
    return isShortFile(head().files().input()) && isShortFile(m_queue.at(1).path);
}

void ConversionBatch::prepareNext()
{
    // Only beside a file that encodes on one thread, and only a short one.
    if (m_step != Step::Encoding || !head().besideAnother() || ahead().state() != EncodeLane::State::Free
        || m_queue.size() < 2)
        return;
    const QueuedSource &next = m_queue.at(1);
    if (next.failure.isEmpty() && isShortFile(next.path))
        ahead().load(next.path); // without a thread, it is copied in its turn
}

void ConversionBatch::laneCopied(int lane)
{
    if (lane == m_head) {
        if (m_step == Step::Loading)
            loaded(head().copy());
        return;
    }
    // The next file: it encodes beside the one in hand. Should its encoder
    // not start, it is tried again (and told) in its turn.
    if (ahead().copy().ok)
        ahead().encode(m_files.encoder, encoderArguments(m_input.encodeSettings(), ahead().files(), true), true);
}

void ConversionBatch::laneEncoded(int lane)
{
    // The next file's result waits for its turn.
    if (lane == m_head && m_step == Step::Encoding)
        encoded();
}

void ConversionBatch::encoded()
{
    // Only the encoder this batch started, ended well, made this file's
    // result: anything else in the working folder is not this file's.
    const EncodeLane &lane = head();
    if (lane.exitCode() != 0) {
        finishFile(false, lane.encoderFailure());
        return;
    }
    if (lane.changedWhileEncoded()) {
        finishFile(false, QStringLiteral("the file changed while it was converted"));
        return;
    }
    if (platform::NativeName(lane.files().output()).fileSize() <= 0) {
        finishFile(false, QStringLiteral("the encoder wrote no result"));
        return;
    }
    // The output folder is read now, so a change made during the batch
    // applies from the next file stored.
    QString folder = m_input.outputFolder();
    if (!m_subFolder.isEmpty()) // the structure below a dropped folder
        folder = PathInFolder(folder, m_subFolder);
    outputfolder::make(folder);
    m_output = m_names.pick(folder, m_source);
    setStep(Step::Storing);
    runInBackground([from = lane.files().output(), to = m_output, folder](const std::atomic_bool &cancelled) {
        // Windows cannot replace it, and on Linux it is as plainly kept.
        if (platform::NativeName(to).isReadOnlyFile())
            return JobResult{false, QStringLiteral("the existing MP3 is read-only")};
        QString why;
        if (platform::copyFileReplacing(platform::NativeName(from), platform::NativeName(to), &why, &cancelled))
            return JobResult{};
        return JobResult{false, QStringLiteral("the result cannot be stored in %1: %2").arg(folder, why)};
    });
}

void ConversionBatch::stored(const JobResult &copy)
{
    if (!copy.ok) {
        finishFile(false, copy.reason);
        return;
    }
    m_names.written(m_output, m_source);
    finishFile(true, {});
}

void ConversionBatch::finishFile(bool converted, const QString &reason)
{
    ++m_summary.total;
    m_queue.removeFirst();
    emit queueChanged(1, {});
    head().release();
    if (ahead().state() != EncodeLane::State::Free)
        m_head = 1 - m_head; // the next file is under way there
    const FileOutcome outcome{m_source, converted, converted ? m_output : QString(), reason, int(m_queue.size())};
    if (!converted)
        m_summary.failed.append(outcome);
    emit fileFinished(outcome);
    // The one place where the window must paint before the next step: the
    // outcome's caption ("100%(…", "Failed(…") is on screen before the next
    // file's "Loading...". A stop meanwhile voids the step.
    LaterStep::post(this, [this, run = m_run] {
        if (run == m_run && isRunning())
            convertNextFile();
    });
}

void ConversionBatch::endOfBatch()
{
    setStep(Step::Ending);
    emit batchFinished(m_summary);
    if (m_step != Step::Ending)
        return; // stopped by an observer
    platform::openWithDesktop(platform::NativeName(m_input.outputFolder()));
    // The sound plays to its end on its own thread; the window stays live.
    runInBackground([sound = m_files.completionSound](const std::atomic_bool &) {
        platform::playSoundToEnd(platform::NativeName(sound));
        return JobResult{};
    });
}

void ConversionBatch::soundPlayed()
{
    setStep(Step::Idle);
    emit completionSoundPlayed(m_files.completionSound);
    emit batchEnded();
    // Sources that came while the batch ended make the next one.
    if (m_step == Step::Idle && !m_queue.isEmpty())
        requestStart();
}

void ConversionBatch::stop()
{
    if (!isRunning())
        return;
    ++m_run;
    m_step = Step::Idle; // the encoders' exits below are no step of a batch
    for (EncodeLane &lane : m_lanes)
        lane.release();
    m_background.cancel();
    ++m_listingRun;
    m_lister.cancel();
    m_pending.clear();
    const int dropped = int(m_queue.size());
    m_queue.clear();
    if (dropped > 0)
        emit queueChanged(dropped, {});
    m_working.removeLeftovers();
    emit runningChanged(false);
    emit batchStopped(m_summary);
}

bool ConversionBatch::event(QEvent *event)
{
    return LaterStep::deliver(event) || QObject::event(event);
}
