#pragma once

#include "QueuedSource.h"

#include <atomic>
#include <functional>

// The reason given for a dropped folder in which no WAV file was found.
inline constexpr char noWavFilesReason[] = "no WAV files in this folder";

// Lists the WAV files under `folder` (known by their first bytes, whatever
// their names) in path order, numbers compared as numbers: a folder's
// entries in that order, each sub-folder's files where its name sorts.
// Hidden files and folders are left out, and links to folders are not
// followed (no loops); links to files are. Each file comes to `found` with
// the sub-folder its result keeps: the folder's own name, then the path
// below it. A folder that cannot be read comes as a failure; a dropped
// folder with no WAV file under it, as one failure. Gives up soon after
// `cancelled` turns true. Meant for a thread of its own: it may take long.
void walkFolder(const QString &folder, const std::atomic_bool &cancelled,
                const std::function<void(const QueuedSource &)> &found);
