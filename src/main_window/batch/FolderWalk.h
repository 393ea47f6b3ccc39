#pragma once

#include "QueuedSource.h"

#include <atomic>
#include <functional>

// The reason given for a dropped folder in which no audio file was found.
inline constexpr char noAudioFilesReason[] = "no audio files in this folder";

// Lists the audio files under `folder` that conv reads (known by their
// first bytes, whatever their names: WAV, AIFF, FLAC, Ogg, CAF, AU, MP3;
// an MP3 beside a source of its name is that source's result, left out) in
// path order, numbers compared as numbers: a folder's entries in that
// order, each sub-folder's files where its name sorts. Hidden files and
// folders are left out, and links to folders are not followed (no loops);
// links to files are. Each file comes to `found` with the sub-folder its
// result keeps: the folder's own name, then the path below it. A file
// named as audio that is not (a text named .wav, an empty one) and a
// folder that cannot be read come as failures in their places; a dropped
// folder with no audio file under it, as one failure. Gives up soon after
// `cancelled` turns true. Meant for a thread of its own: it may take long.
void walkFolder(const QString &folder, const std::atomic_bool &cancelled,
                const std::function<void(const QueuedSource &)> &found);
