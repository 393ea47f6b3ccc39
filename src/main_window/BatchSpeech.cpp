#include "BatchSpeech.h"

#include "skin/SpokenStatus.h"

#include <QFileInfo>

namespace {

QString nameOf(const QString &source)
{
    const QString name = QFileInfo(source).fileName();
    return name.isEmpty() ? source : name;
}

} // namespace

BatchSpeech::BatchSpeech(SpokenStatus *spoken, QObject *parent) : QObject(parent), m_spoken(spoken) {}

void BatchSpeech::batchStarted()
{
    m_failures.clear();
}

void BatchSpeech::listing(int found)
{
    if (!m_listingSaid)
        m_spoken->say(QStringLiteral("Listing folders: %1 audio files found").arg(found));
    m_listingSaid = true;
}

void BatchSpeech::fileLoading(int left, const QString &source)
{
    m_listingSaid = false;
    m_spoken->say(QStringLiteral("Converting %1 (%2 files left)").arg(nameOf(source)).arg(left));
}

void BatchSpeech::fileFinished(const FileOutcome &file)
{
    if (file.converted || file.skipped)
        return;
    m_failures << file;
    m_spoken->say(QStringLiteral("%1 failed: %2").arg(nameOf(file.source), file.reason));
}

void BatchSpeech::batchFinished(const BatchSummary &summary)
{
    if (summary.failed.isEmpty() && summary.skipped > 0)
        m_spoken->say(QStringLiteral("Done: %1 converted, %2 already converted").arg(summary.total - summary.skipped).arg(summary.skipped));
    else if (summary.failed.isEmpty())
        m_spoken->say(QStringLiteral("Done: %1 of %1 files converted").arg(summary.total));
    else
        m_spoken->say(QStringLiteral("Done: %1 of %2 files failed. Control L lists them.")
                          .arg(summary.failed.size())
                          .arg(summary.total));
}

void BatchSpeech::batchStopped(const BatchSummary &summary)
{
    m_spoken->say(QStringLiteral("Stopped: %1 converted").arg(summary.total - summary.failed.size() - summary.skipped));
}
