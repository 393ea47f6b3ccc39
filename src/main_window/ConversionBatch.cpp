#include "ConversionBatch.h"

#include "BatchInput.h"
#include "names/FileNames.h"
#include "platform/CompletionSound.h"
#include "platform/FileCopy.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QUrl>

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
    m_total = 0;
    emit batchStarted();

    // A loop, not recursion: a queue of any length needs the same memory.
    while (m_input.sourcesLeft() >= 1) {
        const QString source = m_input.headSource();
        QString output;
        const bool converted = convertHead(source, output);
        ++m_total;
        if (!converted)
            m_failed.append(source);

        m_input.removeHeadSource();
        deleteTempFiles();
        emit fileFinished(m_input.sourcesLeft(), converted, source, output);
        // Beyond the fixed points of the loop: without this pass the
        // file's outcome ("100%(…", "Failed(…") would never be painted
        // before the next file's "Loading...".
        QCoreApplication::processEvents();
    }
    endOfBatch();
}

bool ConversionBatch::convertHead(const QString &source, QString &output)
{
    emit fileLoading(m_input.sourcesLeft());
    QCoreApplication::processEvents();

    // Leftovers of an earlier file or a killed run must never be taken
    // for this file's audio.
    deleteTempFiles();
    const bool copied = m_temp.usable && platform::copyFileReplacing(source, tempWav());
    QCoreApplication::processEvents();

    emit fileStarted(m_input.sourcesLeft());
    // Without a copy there is nothing to encode: no process is started.
    const bool started = copied && m_encoder.start(m_installation.encoder(), encoderArguments());
    if (started)
        waitForEncoder();
    else
        QCoreApplication::processEvents();

    const QString folder = m_input.outputFolder();
    if (!started || !QFileInfo(tempMp3()).isFile() || QFileInfo(tempMp3()).size() <= 0)
        return false;
    // A missing output folder would lose the result: make it.
    QDir().mkpath(folder.isEmpty() ? QDir::rootPath() : folder);
    // Two sources of one batch that share a name must not overwrite each
    // other; the same source dropped twice replaces its own result.
    output = FreeFilePath(OutputFilePath(folder, source), [&](const QString &candidate) {
        const auto it = m_written.constFind(candidate);
        return it != m_written.cend() && *it != source;
    });
    if (!platform::copyFileReplacing(tempMp3(), output))
        return false;
    m_written.insert(output, source);
    return QFileInfo(output).size() > 0;
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
    emit batchFinished(m_failed, m_total);
    const QString folder = m_input.outputFolder();
    QDesktopServices::openUrl(QUrl::fromLocalFile(folder));

    const QString sound = m_installation.completionSound();
    platform::playSoundToEnd(sound);
    emit completionSoundPlayed(sound);

    emit batchEnded();
}
