#pragma once

#include <QString>
#include <QtGlobal>

// One entry of the batch's queue: a file to convert and the folder below
// the output folder its result goes to (the structure below a dropped
// folder), or what a folder's listing found wrong, to be told in its turn.
// `id` is given when it joins the queue and names it in every event of its
// way to a result, so that no event is ever taken for another file's.
struct QueuedSource {
    QString path;
    QString subFolder; // "" for the output folder itself
    QString failure;   // set: nothing to convert, and why
    quint64 id = 0;    // 0: not queued yet
};
