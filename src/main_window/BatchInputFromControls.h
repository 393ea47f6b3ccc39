#pragma once

#include "batch/BatchInput.h"

class QAction;
class QComboBox;
class QLineEdit;

// The batch's input as the main window holds it: the three option lists,
// the output folder field and the choice about earlier results.
class BatchInputFromControls : public BatchInput {
public:
    BatchInputFromControls(const QComboBox *cmbBR, const QComboBox *cmbR, const QComboBox *cmbChannel,
                           const QLineEdit *txtPath);

    FileSettings encodeSettings() const override;
    QString outputFolder() const override;
    bool skipConverted() const override;
    // The checkable "Skip files already converted".
    void setSkipChoice(const QAction *skip) { m_skip = skip; }

private:
    const QAction *m_skip = nullptr;
    const QComboBox *m_cmbBR;
    const QComboBox *m_cmbR;
    const QComboBox *m_cmbChannel;
    const QLineEdit *m_txtPath;
};
