#pragma once

#include "batch/BatchInput.h"

class QComboBox;
class QLineEdit;
class QListWidget;

// The batch's input as the main window holds it: the hidden source list,
// the three option lists and the output folder field.
class BatchInputFromControls : public BatchInput {
public:
    BatchInputFromControls(QListWidget *lstFile, const QComboBox *cmbBR, const QComboBox *cmbR,
                           const QComboBox *cmbChannel, const QLineEdit *txtPath);

    int sourcesLeft() const override;
    QString headSource() const override;
    void removeHeadSource() override;
    QStringList queuedSources() const override;
    QString bitRate() const override;
    QString sampleRate() const override;
    int channels() const override;
    QString outputFolder() const override;

private:
    QListWidget *m_lstFile;
    const QComboBox *m_cmbBR;
    const QComboBox *m_cmbR;
    const QComboBox *m_cmbChannel;
    const QLineEdit *m_txtPath;
};
