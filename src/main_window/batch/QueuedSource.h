#pragma once

#include <QString>

// One entry of the batch's queue: a file to convert and the folder below
// the output folder its result goes to (the structure below a dropped
// folder), or what a folder's listing found wrong, to be told in its turn.
struct QueuedSource {
    QString path;
    QString subFolder; // "" for the output folder itself
    QString failure;   // set: nothing to convert, and why
};
