#pragma once

#include <QString>

namespace platform {

// Plays a WAV file and returns when it has finished. Without a sound
// device it returns at once, silently; when the file is missing the
// desktop's "complete" event sound plays instead.
// Returns true when a sound was played.
bool playSoundToEnd(const QString &wavFile);

} // namespace platform
