#include "ResultStore.h"

#include "OutputFolder.h"
#include "platform/files/Files.h"

ResultStore::ResultStore(QObject *parent) : QObject(parent)
{
    connect(&m_copy, &BackgroundTask::done, this, [this](const JobResult &result) {
        if (result.ok)
            m_names.written(m_output, m_source);
        const quint64 id = m_id;
        m_id = 0;
        emit stored(id, result, m_output);
    });
}

void ResultStore::begin(const QStringList &sources)
{
    Q_ASSERT_X(!isStoring(), "ResultStore::begin", "a result of the last batch is being stored");
    m_names.clear();
    m_names.addSources(sources);
}

bool ResultStore::store(quint64 id, const QString &result, const QString &folder, const QString &source)
{
    Q_ASSERT_X(!isStoring(), "ResultStore::store", "another result is being stored");
    outputfolder::make(folder);
    m_id = id;
    m_source = source;
    m_output = m_names.pick(folder, source);
    m_copied = std::make_shared<std::atomic_bool>(false);
    return m_copy.run([from = result, to = m_output, folder, copied = m_copied](const std::atomic_bool &cancelled) {
        // Windows cannot replace it, and on Linux it is as plainly kept.
        if (platform::NativeName(to).isReadOnlyFile())
            return JobResult{false, QStringLiteral("the existing MP3 is read-only")};
        QString why;
        if (platform::copyFileReplacing(platform::NativeName(from), platform::NativeName(to), &why, &cancelled)) {
            *copied = true;
            return JobResult{};
        }
        return JobResult{false, QStringLiteral("the result cannot be stored in %1: %2").arg(folder, why)};
    });
}

ResultStore::Kept ResultStore::cancel()
{
    const bool storing = isStoring();
    m_copy.cancel();
    Kept kept;
    if (storing && m_copied && *m_copied) {
        m_names.written(m_output, m_source);
        kept = {m_id, m_output};
    }
    m_id = 0;
    m_copied.reset();
    return kept;
}
