#include "CompletionSound.h"

#include <QFileInfo>

#include <windows.h>
#include <mmsystem.h>

namespace platform {

bool playSoundToEnd(const QString &wavFile)
{
    // SND_SYNC returns when the sound has finished.
    if (QFileInfo(wavFile).isFile())
        return PlaySoundW(wavFile.toStdWString().c_str(), nullptr, SND_FILENAME | SND_SYNC | SND_NODEFAULT);
    return PlaySoundW(reinterpret_cast<LPCWSTR>(SND_ALIAS_SYSTEMDEFAULT), nullptr, SND_ALIAS_ID | SND_SYNC);
}

} // namespace platform
