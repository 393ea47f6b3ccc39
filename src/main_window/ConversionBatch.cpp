#include "ConversionBatch.h"

#include "BatchInput.h"
#include "names/FileNames.h"
#include "platform/CompletionSound.h"
#include "platform/DesktopOpener.h"
#include "platform/FileCopy.h"

#include <QCoreApplication>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>

ConversionBatch::ConversionBatch(BatchInput &input, const Installation &installation, QObject *parent)
    : QObject(parent), m_input(input), m_installation(installation)
{
}

QString ConversionBatch::tempWav() const
{
    return m_temp.path + pathSeparator() + QStringLiteral("tmpfile.wav");
}

QString ConversionBatch::tempMp3() const
{
    return m_temp.path + pathSeparator() + QStringLiteral("tmpfile1.mp3");
}

void ConversionBatch::deleteTempFiles() const
{
    if (!m_temp.usable)
        return;
    QFile::remove(tempWav());
    QFile::remove(tempMp3());
}

void ConversionBatch::removeLeftovers() const
{
    if (!m_temp.usable)
        return;
    deleteTempFiles();
    // conv writes beside its output as ".NAME.conv-XXXXXX", our copy as
    // the copy's own partial names.
    const QDir folder(m_temp.path);
    const QStringList partials = folder.entryList(
        {QLatin1Char('.') + QFileInfo(tempMp3()).fileName() + QStringLiteral(".conv-*"), platform::partialCopyPattern()},
        QDir::Files | QDir::Hidden | QDir::System);
    for (const QString &name : partials)
        QFile::remove(folder.filePath(name));
}

void ConversionBatch::stopEncoder()
{
    // A closed program must leave nothing running and nothing half-written.
    m_encoder.stop(2000);
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

void ConversionBatch::ConvertNextFile()
{
    m_written.clear();
    m_failed.clear();
    m_reasons.clear();
    m_total = 0;
    m_sourceKeys.clear();
    addBatchSources(m_input.queuedSources());
    emit batchStarted();

    // A loop, not recursion: a queue of any length needs the same memory.
    while (m_input.sourcesLeft() >= 1) {
        const QString source = m_input.headSource();
        QString output;
        QString reason;
        const bool converted = convertHead(source, output, reason);
        ++m_total;
        if (!converted) {
            m_failed.append(source);
            m_reasons.append(reason);
        }

        m_input.removeHeadSource();
        deleteTempFiles();
        emit fileFinished(m_input.sourcesLeft(), converted, source, output, reason);
        // Beyond the fixed points of the loop: without this pass the
        // file's outcome ("100%(…", "Failed(…") would never be painted
        // before the next file's "Loading...".
        QCoreApplication::processEvents();
    }
    endOfBatch();
}

bool ConversionBatch::convertHead(const QString &source, QString &output, QString &reason)
{
    emit fileLoading(m_input.sourcesLeft());
    QCoreApplication::processEvents();

    // Leftovers of an earlier file or a killed run must never be taken
    // for this file's audio.
    deleteTempFiles();
    const bool copied = m_temp.usable && platform::copyFileReplacing(source, tempWav(), &reason);
    if (!m_temp.usable)
        reason = QStringLiteral("the private temporary folder cannot be used");
    QCoreApplication::processEvents();

    emit fileStarted(m_input.sourcesLeft());
    // Without a copy there is nothing to encode: no process is started.
    const bool started = copied && m_encoder.start(m_installation.encoder(), encoderArguments());
    if (started)
        waitForEncoder();
    else
        QCoreApplication::processEvents();
    if (copied && !started)
        reason = QStringLiteral("the encoder cannot be started (%1)").arg(m_installation.encoder());

    const QString folder = m_input.outputFolder();
    if (!started)
        return false;
    // Only the encoder this batch started, ended well, made this file's
    // result: anything else in the temporary folder is not this file's.
    if (m_encoder.exitCode() != 0) {
        reason = encoderFailure();
        return false;
    }
    if (!QFileInfo(tempMp3()).isFile() || QFileInfo(tempMp3()).size() <= 0) {
        reason = QStringLiteral("the encoder wrote no result");
        return false;
    }
    // A missing output folder would lose the result: make it.
    QDir().mkpath(folder.isEmpty() ? QDir::rootPath() : folder);
    // Two sources of one batch that share a name (as the output folder's
    // file system may compare names: without case) must not overwrite each
    // other, and no result may replace a source of the batch; the same
    // source dropped twice replaces its own result.
    output = FreeFilePath(OutputFilePath(folder, source), [&](const QString &candidate) {
        const auto it = m_written.constFind(FileNameKey(candidate));
        return (it != m_written.cend() && *it != source) || isBatchSource(candidate);
    });
    QString storeReason;
    if (!platform::copyFileReplacing(tempMp3(), output, &storeReason)) {
        reason = QStringLiteral("the result cannot be stored in %1: %2").arg(folder, storeReason);
        return false;
    }
    m_written.insert(FileNameKey(output), source);
    return true;
}

QString ConversionBatch::encoderFailure() const
{
    // conv says "conv: FILE: why"; FILE is one of our working files, which
    // means nothing to the user.
    QString line = m_encoder.lastErrorLine();
    for (const QString &file : {tempWav(), tempMp3()}) {
        const QString prefix = QStringLiteral("conv: ") + file + QStringLiteral(": ");
        if (line.startsWith(prefix))
            return line.mid(prefix.size());
    }
    if (line.startsWith(QLatin1String("conv: ")))
        return line.mid(6);
    if (!line.isEmpty())
        return line;
    return m_encoder.exitCode() < 0 ? QStringLiteral("the encoder was stopped before it finished")
                                    : QStringLiteral("the encoder failed (exit status %1)").arg(m_encoder.exitCode());
}

void ConversionBatch::waitForEncoder()
{
    // Events are processed all along the wait; the encoder's exit is one
    // of them, so the wait wakes at once and costs nothing meanwhile.
    QEventLoop wait;
    connect(&m_encoder, &platform::ChildProcess::finished, &wait, &QEventLoop::quit);
    if (m_encoder.isRunning())
        wait.exec();
    QCoreApplication::processEvents();
}

void ConversionBatch::endOfBatch()
{
    emit batchFinished(m_failed, m_reasons, m_total);
    const QString folder = m_input.outputFolder();
    platform::openWithDesktop(folder);

    const QString sound = m_installation.completionSound();
    platform::playSoundToEnd(sound);
    emit completionSoundPlayed(sound);

    emit batchEnded();
}
