#pragma once

#include "names/FileNames.h"

#include <QHash>
#include <QSet>
#include <QString>
#include <QStringList>

// The names one batch stores its results under. Two sources of a batch
// that share a name (as the output folder's file system may compare names:
// without case) must not overwrite each other, and no result may replace a
// source of the batch; the same source dropped twice replaces its own
// result.
class ResultNames {
public:
    void clear();
    // Sources of the batch (their paths and the real paths behind links).
    void addSources(const QStringList &sources);
    // The same for keys made by sourceKeys(), e.g. on another thread: each
    // costs a look at the disk, too many for the window's thread at once.
    void addSourceKeys(const QStringList &keys);
    static QStringList sourceKeys(const QString &source);
    // Where the result of `source` goes in `folder`.
    QString pick(const QString &folder, const QString &source) const;
    void written(const QString &output, const QString &source);
    // Whether `path` is a result this batch stored.
    bool isResult(const QString &path) const { return m_written.contains(FileNameKey(path)); }

private:
    bool isSource(const QString &path) const;

    QSet<QString> m_sourceKeys;        // name keys
    QHash<QString, QString> m_written; // name key of an output → its source
};
