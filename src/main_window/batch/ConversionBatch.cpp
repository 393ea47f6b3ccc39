#include "ConversionBatch.h"

#include "BatchInput.h"
#include "LaterStep.h"
#include "common/ConvContract.h"
#include "names/FileNames.h"
#include "platform/CompletionSound.h"
#include "platform/DesktopOpener.h"
#include "platform/FileCopy.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>

ConversionBatch::ConversionBatch(BatchInput &input, const Installation &installation, QObject *parent)
    : QObject(parent), m_input(input), m_installation(installation)
{
    connect(&m_encoder, &platform::ChildProcess::finished, this, &ConversionBatch::encoded);
    connect(&m_background, &BackgroundTask::done, this, [this] {
        switch (m_step) {
        case Step::Loading: loaded(); break;
        case Step::Storing: stored(); break;
        case Step::Ending: soundPlayed(); break;
        case Step::Idle:
        case Step::Encoding: break;
        }
    });
}

ConversionBatch::~ConversionBatch()
{
    // Nothing may run on or write for a batch that is gone.
    m_step = Step::Idle;
    m_encoder.stop(2000);
    m_background.cancel();
    removeLeftovers();
}

namespace {

// When this program started: partial copies older than that are leftovers.
const QDateTime programStart = QDateTime::currentDateTime();

const QString tempWavName = QStringLiteral("tmpfile.wav");
const QString tempMp3Name = QStringLiteral("tmpfile1.mp3");

} // namespace

QString ConversionBatch::tempWav() const
{
    return m_temp.path + pathSeparator() + tempWavName;
}

QString ConversionBatch::tempMp3() const
{
    return m_temp.path + pathSeparator() + tempMp3Name;
}

void ConversionBatch::deleteTempFiles() const
{
    if (!m_temp.usable)
        return;
    platform::removeFile(tempWav());
    platform::removeFile(tempMp3());
}

void ConversionBatch::removeLeftovers() const
{
    if (m_temp.usable)
        removeLeftoversIn(m_temp.path);
}

void ConversionBatch::removeLeftoversIn(const QString &path)
{
    const QDir folder(path);
    const QString convPartials =
        QString::fromStdString(convcontract::partialOutputPrefix(tempMp3Name.toStdString())) + QLatin1Char('*');
    const QStringList leftovers = folder.entryList({tempWavName, tempMp3Name, convPartials, platform::partialCopyPattern()},
                                                   QDir::Files | QDir::Hidden | QDir::System);
    for (const QString &name : leftovers)
        platform::removeFile(folder.filePath(name));
}

void ConversionBatch::removeStalePartials(const QString &outputFolder)
{
    if (!outputFolder.isEmpty())
        platform::removeStalePartialCopies(outputFolder, programStart);
}

void ConversionBatch::addBatchSources(const QStringList &sources)
{
    for (const QString &source : sources) {
        const QFileInfo info(source);
        m_sourceKeys.insert(FileNameKey(info.absoluteFilePath()));
        const QString real = info.canonicalFilePath();
        if (!real.isEmpty())
            m_sourceKeys.insert(FileNameKey(real));
    }
}

bool ConversionBatch::isBatchSource(const QString &path) const
{
    if (m_sourceKeys.contains(FileNameKey(path)))
        return true;
    const QString real = QFileInfo(path).canonicalFilePath();
    return !real.isEmpty() && m_sourceKeys.contains(FileNameKey(real));
}

QStringList ConversionBatch::encoderArguments() const
{
    return {QStringLiteral("-i"), tempWav(), QStringLiteral("-y"),
            QStringLiteral("-ab"), m_input.bitRate() + QLatin1Char('k'),
            QStringLiteral("-ar"), m_input.sampleRate(),
            QStringLiteral("-ac"), QString::number(m_input.channels()),
            tempMp3()};
}

void ConversionBatch::start()
{
    if (isRunning())
        return;
    ++m_run;
    m_written.clear();
    m_summary = {};
    m_sourceKeys.clear();
    addBatchSources(m_input.queuedSources());
    removeStalePartials(m_input.outputFolder());
    emit batchStarted();
    ConvertNextFile();
}

void ConversionBatch::ConvertNextFile()
{
    // Files go one after the other, never as a recursion: a queue of any
    // length needs the same memory.
    if (m_input.sourcesLeft() < 1) {
        endOfBatch();
        return;
    }
    m_source = m_input.headSource();
    m_output.clear();
    m_step = Step::Loading;
    emit fileLoading(m_input.sourcesLeft(), m_source);
    if (m_step != Step::Loading)
        return; // stopped by an observer of that signal

    // Leftovers of an earlier file or a killed run must never be taken
    // for this file's audio.
    deleteTempFiles();
    m_background.run([this, source = m_source, usable = m_temp.usable, target = tempWav()](const std::atomic_bool &cancelled) {
        m_stepReason.clear();
        m_stepOk = usable && platform::copyFileReplacing(source, target, &m_stepReason, &cancelled);
        if (!usable)
            m_stepReason = QStringLiteral("the private temporary folder cannot be used");
    });
}

void ConversionBatch::loaded()
{
    emit fileStarted(m_input.sourcesLeft());
    if (m_step != Step::Loading)
        return; // stopped by an observer
    // Without a copy there is nothing to encode: no process is started.
    if (!m_stepOk) {
        finishFile(false, m_stepReason);
        return;
    }
    m_step = Step::Encoding;
    if (!m_encoder.start(m_installation.encoder(), encoderArguments()))
        finishFile(false, QStringLiteral("the encoder cannot be started (%1)").arg(m_installation.encoder()));
}

void ConversionBatch::encoded()
{
    if (m_step != Step::Encoding)
        return; // an encoder the batch stopped
    // Only the encoder this batch started, ended well, made this file's
    // result: anything else in the temporary folder is not this file's.
    if (m_encoder.exitCode() != 0) {
        finishFile(false, encoderFailure());
        return;
    }
    const QFileInfo result(tempMp3());
    if (!result.isFile() || result.size() <= 0) {
        finishFile(false, QStringLiteral("the encoder wrote no result"));
        return;
    }
    // The output folder is read now, so a change made during the batch
    // applies from the next file stored. A missing one would lose the
    // result: make it.
    const QString folder = m_input.outputFolder();
    QDir().mkpath(folder.isEmpty() ? QDir::rootPath() : folder);
    // Two sources of one batch that share a name (as the output folder's
    // file system may compare names: without case) must not overwrite each
    // other, and no result may replace a source of the batch; the same
    // source dropped twice replaces its own result.
    m_output = FreeFilePath(OutputFilePath(folder, m_source), [&](const QString &candidate) {
        const auto it = m_written.constFind(FileNameKey(candidate));
        // A folder of that name is taken too: no file can replace it.
        return (it != m_written.cend() && *it != m_source) || isBatchSource(candidate) || QFileInfo(candidate).isDir();
    });
    m_step = Step::Storing;
    m_background.run([this, from = tempMp3(), to = m_output, folder](const std::atomic_bool &cancelled) {
        QString why;
        m_stepOk = platform::copyFileReplacing(from, to, &why, &cancelled);
        m_stepReason = QStringLiteral("the result cannot be stored in %1: %2").arg(folder, why);
    });
}

void ConversionBatch::stored()
{
    if (!m_stepOk) {
        finishFile(false, m_stepReason);
        return;
    }
    m_written.insert(FileNameKey(m_output), m_source);
    finishFile(true, {});
}

void ConversionBatch::finishFile(bool converted, const QString &reason)
{
    ++m_summary.total;
    m_input.removeHeadSource();
    deleteTempFiles();
    const FileOutcome outcome{m_source, converted, converted ? m_output : QString(), reason, m_input.sourcesLeft()};
    if (!converted)
        m_summary.failed.append(outcome);
    emit fileFinished(outcome);
    // The one place where the window must paint before the next step: the
    // outcome's caption ("100%(…", "Failed(…") is on screen before the next
    // file's "Loading...". A stop meanwhile voids the step.
    LaterStep::post(this, [this, run = m_run] {
        if (run == m_run && isRunning())
            ConvertNextFile();
    });
}

QString ConversionBatch::encoderFailure() const
{
    // conv names one of our working files, which means nothing to the user.
    const std::string line = m_encoder.lastErrorLine().toStdString();
    for (const QString &file : {tempWav(), tempMp3()}) {
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
    m_step = Step::Ending;
    emit batchFinished(m_summary);
    if (m_step != Step::Ending)
        return; // stopped by an observer
    platform::openWithDesktop(m_input.outputFolder());
    // The sound plays to its end on its own thread; the window stays live.
    m_background.run([sound = m_installation.completionSound()](const std::atomic_bool &) {
        platform::playSoundToEnd(sound);
    });
}

void ConversionBatch::soundPlayed()
{
    m_step = Step::Idle;
    emit completionSoundPlayed(m_installation.completionSound());
    emit batchEnded();
}

void ConversionBatch::stop()
{
    if (!isRunning())
        return;
    ++m_run;
    m_step = Step::Idle; // the encoder's exit below is no step of a batch
    m_encoder.stop(2000);
    m_background.cancel();
    while (m_input.sourcesLeft() > 0)
        m_input.removeHeadSource();
    removeLeftovers();
    emit batchStopped(m_summary);
}

bool ConversionBatch::event(QEvent *event)
{
    return LaterStep::deliver(event) || QObject::event(event);
}
