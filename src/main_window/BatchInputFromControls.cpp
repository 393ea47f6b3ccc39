#include "BatchInputFromControls.h"

#include <QAction>
#include <QComboBox>
#include <QLineEdit>

BatchInputFromControls::BatchInputFromControls(const QComboBox *cmbBR, const QComboBox *cmbR,
                                               const QComboBox *cmbChannel, const QLineEdit *txtPath)
    : m_cmbBR(cmbBR), m_cmbR(cmbR), m_cmbChannel(cmbChannel), m_txtPath(txtPath)
{
}

FileSettings BatchInputFromControls::encodeSettings() const
{
    return {m_cmbBR->currentText(), m_cmbR->currentText(), m_cmbChannel->currentIndex() + 1};
}

QString BatchInputFromControls::outputFolder() const
{
    return m_txtPath->text();
}

bool BatchInputFromControls::skipConverted() const
{
    return m_skip && m_skip->isChecked();
}
