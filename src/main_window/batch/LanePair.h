#pragma once

#include "EncodeLane.h"

#include <QObject>

// The two lanes files are encoded in, and the rule that pairs them: while
// the file in hand encodes on one thread, the next one, when both are
// short, is copied and encoded beside it in the other lane. A file on its
// own takes the first lane (the encoder's usual working names).
//
//   lanes               event              next
//   both free           load(A)            the first holds A
//   one holds A         load(B)            the other holds B
//   A and B held        release(A)         only B's held
//   any                 releaseAll()       both free
// A load with no free lane, or of a file already held, is a fault.
class LanePair : public QObject {
    Q_OBJECT
public:
    explicit LanePair(QObject *parent = nullptr);

    void setWorkingFolder(const platform::PrivateFolder &folder);
    // The first lane's working files (those of a file on its own).
    const WorkingFiles &firstFiles() const { return m_lanes[0].files(); }

    // Whether `next` may be encoded beside `inHand`: two cores or more,
    // both short files, neither a failure already.
    static bool pairable(const QueuedSource &inHand, const QueuedSource &next);

    // The lane holding the file of this id; null when none does.
    EncodeLane *laneOf(quint64 id);
    bool hasFreeLane() const { return m_lanes[0].isFree() || m_lanes[1].isFree(); }
    // Begins `file`'s copy in a free lane; null when no thread is to be had.
    EncodeLane *load(const QueuedSource &file);
    void release(quint64 id);
    void releaseAll();

signals:
    void copied(quint64 id, const JobResult &result);
    void encoded(quint64 id);

private:
    EncodeLane m_lanes[2];
};
