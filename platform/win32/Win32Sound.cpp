#include "platform/win32/Win32Sound.h"

#include "platform/win32/Win32Resource.h"

#include <windows.h>

#include <mmsystem.h>

namespace ferrowind {

void Win32Sound::playCompletionSound(std::function<void()> finished)
{
    // Synchronous: the instance that plays it has hidden its window and only waits for the end.
    const std::string_view wave = programResource("ENDCOMP", ResourceType::Wave);
    if (!wave.empty())
        sndPlaySoundA(wave.data(), SND_MEMORY | SND_SYNC | SND_NODEFAULT);
    finished();
}

} // namespace ferrowind
