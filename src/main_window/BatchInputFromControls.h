#pragma once

#include "batch/BatchInput.h"

class QComboBox;
class QLineEdit;

// The batch's input as the main window holds it: the three option lists
// and the output folder field.
class BatchInputFromControls : public BatchInput {
public:
    BatchInputFromControls(const QComboBox *cmbBR, const QComboBox *cmbR, const QComboBox *cmbChannel,
                           const QLineEdit *txtPath);

    FileSettings encodeSettings() const override;
    QString outputFolder() const override;

private:
    const QComboBox *m_cmbBR;
    const QComboBox *m_cmbR;
    const QComboBox *m_cmbChannel;
    const QLineEdit *m_txtPath;
};
