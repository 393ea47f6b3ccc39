#include "ConversionBatch.h"

#include "ProgressDisplay.h"
#include "names/FileNames.h"
#include "platform/CompletionSound.h"
#include "platform/FileCopy.h"
#include "platform/ProgramFolder.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QTimer>
#include <QUrl>

ConversionBatch::ConversionBatch(const BatchControls &controls, ProgressDisplay &progress,
                                 const Installation &installation, QObject *parent)
    : QObject(parent), m_c(controls), m_progress(progress), m_installation(installation)
{
}

QString ConversionBatch::tempWav() const
{
    return m_temp.path + platform::pathSeparator() + QStringLiteral("tmpfile.wav");
}

QString ConversionBatch::tempMp3() const
{
    return m_temp.path + platform::pathSeparator() + QStringLiteral("tmpfile1.mp3");
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
            QStringLiteral("-ab"), m_c.cmbBR->currentText() + QLatin1Char('k'),
            QStringLiteral("-ar"), m_c.cmbR->currentText(),
            QStringLiteral("-ac"), QString::number(m_c.cmbChannel->currentIndex() + 1),
            tempMp3()};
}

QString ConversionBatch::outputFolder() const
{
    return m_c.txtPath->text();
}

void ConversionBatch::ConvertNextFile()
{
    m_written.clear();
    m_failed.clear();
    m_total = 0;
    m_c.lblPb->setToolTip(QString());

    // A loop, not recursion: a list of any length needs the same memory.
    while (m_c.lstFile->count() >= 1) {
        const QString source = m_c.lstFile->item(0)->text();
        QString output;
        const bool converted = convertHead(source, output);
        ++m_total;
        if (!converted)
            m_failed.append(source);

        delete m_c.lstFile->takeItem(0);
        const QString left = QString::number(m_c.lstFile->count()) + QStringLiteral(" files left)");
        m_progress.fullBar();
        m_progress.setCaption((converted ? QStringLiteral("100%(") : QStringLiteral("Failed(")) + left);
        m_c.Timer2->stop();
        deleteTempFiles();
        emit fileDone(source, output, converted);
        // Let the file's outcome show before the next file's "Loading...".
        QCoreApplication::processEvents();
    }
    endOfBatch();
}

bool ConversionBatch::convertHead(const QString &source, QString &output)
{
    m_progress.setCaption(QStringLiteral("Loading...") + QString::number(m_c.lstFile->count())
                          + QStringLiteral(" files left)"));
    QCoreApplication::processEvents();

    // Leftovers of an earlier file or a killed run must never be taken
    // for this file's audio.
    deleteTempFiles();
    const bool copied = m_temp.usable && platform::copyFileReplacing(source, tempWav());
    QCoreApplication::processEvents();

    m_progress.fileStart();
    if (copied)
        m_encoder.start(m_installation.encoder(), encoderArguments());
    m_c.Timer2->start();
    waitForEncoder();

    const QString folder = outputFolder();
    if (!copied || !QFileInfo(tempMp3()).isFile() || QFileInfo(tempMp3()).size() <= 0)
        return false;
    // A missing output folder would lose the result: make it.
    QDir().mkpath(folder.isEmpty() ? QDir::rootPath() : folder);
    output = outputFileFor(source, folder);
    if (!platform::copyFileReplacing(tempMp3(), output))
        return false;
    m_written.insert(output, source);
    return QFileInfo(output).size() > 0;
}

void ConversionBatch::waitForEncoder()
{
    // The passes keep their order (open, process events, test, close,
    // process events), but the first processing of events sleeps until an
    // event arrives; the encoder's exit is one, so the wait costs no CPU.
    bool running = true;
    while (running) {
        m_hProcess = m_encoder.isRunning();
        QCoreApplication::processEvents(m_hProcess ? QEventLoop::WaitForMoreEvents
                                                   : QEventLoop::AllEvents);
        running = m_hProcess;
        m_hProcess = false;
        QCoreApplication::processEvents();
    }
}

QString ConversionBatch::outputFileFor(const QString &source, const QString &folder)
{
    QString prefix = folder;
    if (!prefix.endsWith(platform::pathSeparator()))
        prefix += platform::pathSeparator();
    prefix += GetBaseName(source);

    // Two sources of one batch that share a base name must not overwrite
    // each other: the later one gets " (2)", " (3)", ...
    QString candidate = prefix + QStringLiteral(".mp3");
    for (int n = 2; m_written.contains(candidate) && m_written.value(candidate) != source; ++n)
        candidate = prefix + QStringLiteral(" (%1).mp3").arg(n);
    return candidate;
}

void ConversionBatch::endOfBatch()
{
    if (!m_failed.isEmpty()) {
        m_progress.setCaption(QStringLiteral("%1 of %2 files failed").arg(m_failed.size()).arg(m_total));
        m_c.lblPb->setToolTip(m_failed.join(QLatin1Char('\n')));
    }
    const QString folder = outputFolder();
    QDesktopServices::openUrl(QUrl::fromLocalFile(folder));
    emit outputFolderOpened(folder);

    const QString sound = m_installation.completionSound();
    platform::playSoundToEnd(sound);
    emit completionSoundPlayed(sound);

    emit batchEnded();
}
