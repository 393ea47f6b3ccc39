#include "BatchInputFromControls.h"

#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>

BatchInputFromControls::BatchInputFromControls(QListWidget *lstFile, const QComboBox *cmbBR,
                                               const QComboBox *cmbR, const QComboBox *cmbChannel,
                                               const QLineEdit *txtPath)
    : m_lstFile(lstFile), m_cmbBR(cmbBR), m_cmbR(cmbR), m_cmbChannel(cmbChannel), m_txtPath(txtPath)
{
}

int BatchInputFromControls::sourcesLeft() const
{
    return m_lstFile->count();
}

QString BatchInputFromControls::headSource() const
{
    return m_lstFile->item(0)->text();
}

void BatchInputFromControls::removeHeadSource()
{
    delete m_lstFile->takeItem(0);
}

QStringList BatchInputFromControls::queuedSources() const
{
    QStringList sources;
    sources.reserve(m_lstFile->count());
    for (int i = 0; i < m_lstFile->count(); ++i)
        sources << m_lstFile->item(i)->text();
    return sources;
}

QString BatchInputFromControls::bitRate() const
{
    return m_cmbBR->currentText();
}

QString BatchInputFromControls::sampleRate() const
{
    return m_cmbR->currentText();
}

int BatchInputFromControls::channels() const
{
    return m_cmbChannel->currentIndex() + 1;
}

QString BatchInputFromControls::outputFolder() const
{
    return m_txtPath->text();
}
