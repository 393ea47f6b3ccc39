#include "platform/desktop/Desktop.h"
#include "platform/files/windows/SystemName.h"

#include <windows.h>
#include <mmsystem.h>

namespace platform {

bool playSoundToEnd(const NativeName &wavFile)
{
    // SND_SYNC returns when the sound has finished.
    if (wavFile.fileSize() >= 0)
        return PlaySoundW(systemName(wavFile).c_str(), nullptr, SND_FILENAME | SND_SYNC | SND_NODEFAULT);
    return PlaySoundW(reinterpret_cast<LPCWSTR>(SND_ALIAS_SYSTEMDEFAULT), nullptr, SND_ALIAS_ID | SND_SYNC);
}

} // namespace platform
