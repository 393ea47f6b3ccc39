#pragma once

#include "QueuedSource.h"

#include <QList>
#include <QObject>
#include <QStringList>

#include <memory>

// Lists a dropped folder's files on a thread of its own and hands them
// over in small batches, a few times a second: the window shows them as
// they come without a signal for each of 100,000, and stays live. What
// each file costs on the disk (its keys for the name rules) is paid there.
//
//   state     event          next      signal
//   Idle      list(folder)   Listing
//   Listing   files found    Listing   found(files, keys)
//   Listing   the walk ends  Idle      finished()
//   Listing   cancel()       Idle      (nothing more of that walk)
// cancel() never waits for the walk: a folder on a hung mount cannot hold
// the window; the walk ends on its own at its next look, unheard.
class FolderLister : public QObject {
    Q_OBJECT
public:
    explicit FolderLister(QObject *parent = nullptr);
    ~FolderLister() override;

    // False (and nothing listed) when the system gives no thread.
    bool list(const QString &folder);
    bool isRunning() const { return m_walk != nullptr; }
    // Files found by the current (or last) listing, failures left out.
    int foundCount() const { return m_found; }
    void cancel();

signals:
    // `keys`: the found files' keys for ResultNames, failures left out.
    void found(const QList<QueuedSource> &files, const QStringList &keys);
    void finished();

protected:
    bool event(QEvent *event) override;

private:
    struct Walk; // shared with the walk's thread
    std::shared_ptr<Walk> m_walk;
    int m_found = 0;
};
