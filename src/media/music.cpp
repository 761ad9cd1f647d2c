#include "media/music.h"

#include <xmp.h>

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <string>

#include "engine/files.h"
#include "engine/stream.h"

namespace {

constexpr int kRate = 44100;

// The libxmp context is used by the game's thread only while no stream is
// open, and by the stream's renderer only while one is.
struct Player {
    xmp_context context = nullptr;
    bool loaded = false;
    int stream = 0;
    std::atomic<int> loops{0};
    std::string unloadable;  // the last file that failed to load
};

Player& P() {
    static Player player;
    return player;
}

uint32_t PeakLevels(const int16_t* samples, int frames) {
    int left = 0, right = 0;
    for (int i = 0; i < frames; ++i) {
        left = std::max(left, std::abs(static_cast<int>(samples[2 * i])));
        right = std::max(right, std::abs(static_cast<int>(samples[2 * i + 1])));
    }
    return (static_cast<uint32_t>(left) << 16) | static_cast<uint32_t>(right);
}

uint32_t RenderBlock(int16_t* samples, int frames) {
    Player& p = P();
    xmp_play_buffer(p.context, samples, frames * 4, 0);  // 0: round and round, never ends
    xmp_frame_info info;
    xmp_get_frame_info(p.context, &info);
    p.loops = info.loop_count;
    return PeakLevels(samples, frames);
}

}  // namespace

bool uFMOD_PlaySong(std::string_view file, int, int flags) {
    uFMOD_StopSong();
    if (!(flags & XM_FILE)) return false;
    Player& p = P();
    if (!p.context) p.context = xmp_create_context();
    // A module that could not be loaded is not read again on every call.
    if (!p.context || file == p.unloadable) return false;
    // Read by the game, so the path's letters reach the file system intact.
    const std::string path(file);
    std::string bytes;
    if (!ReadWholeFile(path, bytes) ||
        xmp_load_module_from_memory(p.context, bytes.data(), static_cast<long>(bytes.size())) != 0) {
        p.unloadable = path;
        return false;
    }
    if (xmp_start_player(p.context, kRate, 0) != 0) {
        xmp_release_module(p.context);
        return false;
    }
    p.loaded = true;
    p.loops = 0;
    p.stream = Stream_Open(kRate, RenderBlock);
    return true;
}

void uFMOD_StopSong() {
    Player& p = P();
    if (!p.loaded) return;
    Stream_Close(p.stream);
    p.stream = 0;
    xmp_end_player(p.context);
    xmp_release_module(p.context);
    p.loaded = false;
    p.loops = 0;
}

uint32_t uFMOD_GetStats() { return P().loaded ? Stream_Heard(P().stream) : 0; }

int Music_Loops() { return P().loops; }
