#include "ConversionBatch.h"

#include "FolderWalk.h"
#include "LaterStep.h"
#include "OutputFolder.h"
#include "common/ConvContract.h"
#include "platform/desktop/Desktop.h"
#include "names/FileNames.h"
#include "platform/files/Files.h"

#include <algorithm>
#include <chrono>


ConversionBatch::ConversionBatch(BatchInput &input, BatchFiles files, QObject *parent)
    : QObject(parent), m_input(input), m_files(std::move(files))
{
    connect(&m_encoder, &platform::ChildProcess::finished, this, &ConversionBatch::encoded);
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
    m_encoder.stop(2000);
    m_background.cancel();
    m_lister.cancel();
    m_working.removeLeftovers();
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
        append({{folder, {}, QStringLiteral("the system gives no thread to work on (out of memory)")}});
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

QStringList ConversionBatch::encoderArguments(const FileSettings &settings) const
{
    return {QStringLiteral("-i"), m_working.input(), QStringLiteral("-y"),
            QStringLiteral("-ab"), settings.bitRate + QLatin1Char('k'),
            QStringLiteral("-ar"), settings.sampleRate,
            QStringLiteral("-ac"), QString::number(settings.channels),
            m_working.output()};
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

    // Leftovers of an earlier file or a killed run must never be taken
    // for this file's audio.
    m_working.remove();
    runInBackground([source = m_source, usable = m_working.usable(),
                     target = m_working.input()](const std::atomic_bool &cancelled) {
        if (!usable)
            return JobResult{false, QStringLiteral("the private temporary folder cannot be used")};
        JobResult result;
        result.ok = platform::copyFileReplacing(platform::NativeName(source), platform::NativeName(target), &result.reason,
                                                &cancelled, platform::CopyUse::Working);
        return result;
    });
}

void ConversionBatch::runInBackground(BackgroundTask::Job job)
{
    if (m_background.run(std::move(job)))
        return;
    // No thread to be had (a memory limit): the step ends as failed, and
    // the batch goes on.
    endStepLater({false, QStringLiteral("the system gives no thread to work on (out of memory)")});
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
    if (!m_encoder.start(m_files.encoder, encoderArguments(m_input.encodeSettings())))
        finishFile(false, QStringLiteral("the encoder cannot be started (%1)").arg(m_files.encoder));
}

void ConversionBatch::encoded()
{
    if (m_step != Step::Encoding)
        return; // an encoder the batch stopped
    // Only the encoder this batch started, ended well, made this file's
    // result: anything else in the working folder is not this file's.
    if (m_encoder.exitCode() != 0) {
        finishFile(false, encoderFailure());
        return;
    }
    if (platform::NativeName(m_working.output()).fileSize() <= 0) {
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
    runInBackground([from = m_working.output(), to = m_output, folder](const std::atomic_bool &cancelled) {
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
    m_working.remove();
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

QString ConversionBatch::encoderFailure() const
{
    // conv names one of our working files, which means nothing to the user.
    const std::string line = m_encoder.lastErrorLine().toStdString();
    for (const QString &file : {m_working.input(), m_working.output()}) {
        if (const auto reason = convcontract::reasonAbout(line, file.toStdString()))
            return QString::fromStdString(*reason);
    }
    if (!line.empty())
        return QString::fromStdString(convcontract::reasonIn(line));
    return m_encoder.exitCode() < 0 ? QStringLiteral("the encoder was stopped before it finished")
                                    : QStringLiteral("the encoder failed (exit status %1)").arg(m_encoder.exitCode());
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
    m_step = Step::Idle; // the encoder's exit below is no step of a batch
    m_encoder.stop(2000);
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
