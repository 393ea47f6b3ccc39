#include "BatchSpeech.h"

#include "BatchTexts.h"
#include "skin/SpokenStatus.h"

#include <QFileInfo>

namespace {

constexpr int startsApartMs = 1500;

QString nameOf(const QString &source)
{
    const QString name = QFileInfo(source).fileName();
    return name.isEmpty() ? source : name;
}

} // namespace

BatchSpeech::BatchSpeech(SpokenStatus *spoken, QObject *parent) : QObject(parent), m_spoken(spoken)
{
    m_pendingTimer.setParent(this); // observers see whether a start still waits to be said
    m_pendingTimer.setSingleShot(true);
    connect(&m_pendingTimer, &QTimer::timeout, this, &BatchSpeech::sayPending);
}

void BatchSpeech::batchStarted()
{
    m_failures.clear();
    dropPending();
    m_lastStartSaid.invalidate(); // a batch's first file is always told
}

void BatchSpeech::sayPending()
{
    if (m_pending.isEmpty())
        return;
    m_spoken->say(m_pending);
    m_lastStartSaid.start();
    dropPending();
}

void BatchSpeech::dropPending()
{
    m_pending.clear();
    m_pendingSource.clear();
    m_pendingTimer.stop();
}

void BatchSpeech::listing(int found)
{
    if (!m_listingSaid)
        m_spoken->say(BatchTexts::listing(found));
    m_listingSaid = true;
}

void BatchSpeech::fileLoading(int left, const QString &source, bool more)
{
    m_listingSaid = false;
    // While a folder is still listed, what is left is not known yet.
    m_pending = more ? BatchTexts::convertingAtLeast(nameOf(source), left) : BatchTexts::converting(nameOf(source), left);
    m_pendingSource = source;
    const qint64 since = m_lastStartSaid.isValid() ? m_lastStartSaid.elapsed() : startsApartMs;
    if (since >= startsApartMs)
        sayPending();
    else if (!m_pendingTimer.isActive())
        m_pendingTimer.start(int(startsApartMs - since));
}

void BatchSpeech::fileFinished(const FileOutcome &file)
{
    if (file.converted || file.skipped)
        return;
    m_failures << file;
    if (file.source == m_pendingSource)
        dropPending(); // its start is past news
    m_spoken->say(BatchTexts::failure(nameOf(file.source), file.reason));
}

void BatchSpeech::batchFinished(const BatchSummary &summary)
{
    dropPending();
    m_spoken->say(BatchTexts::done(summary));
}

void BatchSpeech::batchStopped(const BatchSummary &summary)
{
    dropPending();
    m_spoken->say(BatchTexts::stopped(int(summary.total - summary.failed.size() - summary.skipped)));
}
