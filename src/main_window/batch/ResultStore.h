#pragma once

#include "BackgroundTask.h"
#include "ResultNames.h"

#include <QObject>
#include <QStringList>

#include <atomic>
#include <memory>

// Stores encoded results in the output folder under the names the batch's
// rules give (ResultNames: never over a source of the batch, queued or
// still waiting, nor over another result of it), the copy on a thread of
// its own. Each store names its file by its queue id.
//
//   state     event                          next      signal
//   Idle      store(id, …)                   Storing
//   Storing   the copy's end                 Idle      stored(id, result, output)
//   Storing   cancel()                       Idle      (its end returned by cancel())
class ResultStore : public QObject {
    Q_OBJECT
public:
    explicit ResultStore(QObject *parent = nullptr);

    // A new batch: no result written yet, no source known but `sources`.
    void begin(const QStringList &sources);
    // More sources of the batch (keys as ResultNames::sourceKeys makes them).
    void addSources(const QStringList &sources) { m_names.addSources(sources); }
    void addSourceKeys(const QStringList &keys) { m_names.addSourceKeys(keys); }

    bool isStoring() const { return m_copy.isRunning(); }
    // Where the result of `source` would go in `folder` now.
    QString nameFor(const QString &folder, const QString &source) const { return m_names.pick(folder, source); }
    bool isOwnResult(const QString &path) const { return m_names.isResult(path); }
    // Copies `result` (the encoder's output) into `folder` as the result of
    // `source`; then stored(). False when no thread is to be had.
    bool store(quint64 id, const QString &result, const QString &folder, const QString &source);
    // Gives the copy up; a copy that was done by then is kept (a whole
    // result), and returned with its id, for the caller to tell.
    struct Kept {
        quint64 id = 0; // 0: nothing was kept
        QString output;
    };
    Kept cancel();

signals:
    // `output`: where the result is, or would have been.
    void stored(quint64 id, const JobResult &result, const QString &output);

private:
    ResultNames m_names;
    BackgroundTask m_copy;
    quint64 m_id = 0;
    std::shared_ptr<std::atomic_bool> m_copied; // set by the copy's thread when the result is in place
    QString m_source;
    QString m_output;
};
