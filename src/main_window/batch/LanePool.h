#pragma once

#include "EncodeLane.h"

#include <QList>
#include <QObject>

// The lanes files are encoded in, and the rule that runs short files side
// by side: behind a short file in hand, the short files that follow are
// copied ahead and encoded on one thread each as soon as a core is free;
// a result waits in its lane for its file's turn. A file on its own takes
// the first lane (the encoder's usual working names). There is a lane
// more than there are encoders at once, and one more for a result that
// waits while the file before it still encodes.
//
//   a lane              event              next
//   free                load(A)            holds A (copying)
//   holds A             release(A)         free
//   any                 releaseAll()       free
// A load with no free lane, or of a file already held, is a fault.
class LanePool : public QObject {
    Q_OBJECT
public:
    explicit LanePool(QObject *parent = nullptr);

    void setWorkingFolder(const platform::PrivateFolder &folder);
    // The first lane's working files (those of a file on its own).
    const WorkingFiles &firstFiles() const { return m_lanes.first()->files(); }

    // Whether `next` may be encoded beside `inHand`: two cores or more,
    // both short files, neither a failure already.
    static bool pairable(const QueuedSource &inHand, const QueuedSource &next);
    // How many encoders may run side by side (one a core, within the
    // working names there are).
    static int encoderSlots();
    int lanes() const { return int(m_lanes.size()); }

    // The lane holding the file of this id; null when none does.
    EncodeLane *laneOf(quint64 id) const;
    bool hasFreeLane() const;
    // Encoders running now.
    int encoding() const;
    // Begins `file`'s copy in a free lane; null when no thread is to be had.
    EncodeLane *load(const QueuedSource &file);
    void release(quint64 id);
    void releaseAll();

signals:
    void copied(quint64 id, const JobResult &result);
    void encoded(quint64 id);

private:
    QList<EncodeLane *> m_lanes; // children: found by observers among the batch's
};
