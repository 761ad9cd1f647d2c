// Sound effects as the sound base loads them (WAV files start "RIFF"), and
// the menu music (XM) for anything else.
#include <cstring>

#include "engine/omega.h"
#include "engine/state.h"
#include "fuzz_support.h"
#include "media/music.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size >= 4 && std::memcmp(data, "RIFF", 4) == 0) {
        Snd_LoadFromFile(ScratchFile(data, size, "sound.wav"), 1);
        Sound_Shutdown();  // forgets the loaded sound again
    } else {
        uFMOD_PlaySong(ScratchFile(data, size, "music.xm"), 0, XM_FILE);
        uFMOD_StopSong();
    }
    return 0;
}
