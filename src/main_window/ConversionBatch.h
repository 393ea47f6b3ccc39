#pragma once

#include "Installation.h"
#include "platform/ChildProcess.h"
#include "platform/PrivateFolder.h"

#include <QHash>
#include <QObject>
#include <QStringList>

class ProgressDisplay;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QTimer;

// The widgets the batch reads and drives.
struct BatchControls {
    QListWidget *lstFile;
    QComboBox *cmbBR;
    QComboBox *cmbR;
    QComboBox *cmbChannel;
    QLineEdit *txtPath;
    QLabel *lblPb;
    QTimer *Timer2;
};

// Converts the source list, head first, through the external encoder and
// stores each result in the output folder; then opens that folder and
// plays the completion sound.
class ConversionBatch : public QObject {
    Q_OBJECT
public:
    ConversionBatch(const BatchControls &controls, ProgressDisplay &progress,
                    const Installation &installation, QObject *parent = nullptr);

    void setTempFolder(const platform::PrivateFolder &folder) { m_temp = folder; }
    QString tempWav() const;
    QString tempMp3() const;
    void deleteTempFiles() const;

    // Runs the whole batch; returns when the list is empty.
    void ConvertNextFile();

    // True while the batch waits for a running encoder.
    bool waitingForEncoder() const { return m_hProcess; }

    QStringList encoderArguments() const;

signals:
    void fileDone(const QString &source, const QString &output, bool converted);
    void outputFolderOpened(const QString &folder);
    void completionSoundPlayed(const QString &file);
    void batchEnded();

private:
    bool convertHead(const QString &source, QString &output);
    void waitForEncoder();
    QString outputFileFor(const QString &source, const QString &folder);
    QString outputFolder() const;
    void endOfBatch();

    BatchControls m_c;
    ProgressDisplay &m_progress;
    Installation m_installation;
    platform::PrivateFolder m_temp;
    platform::ChildProcess m_encoder;
    bool m_hProcess = false;

    // Per batch: output paths written, with the source each came from,
    // and the sources that failed.
    QHash<QString, QString> m_written;
    QStringList m_failed;
    int m_total = 0;
};
