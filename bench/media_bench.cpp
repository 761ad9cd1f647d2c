// Start-up loading of the game's data folders: every sound of sfx/ (uploaded
// to an audio device, here the loopback one) and both texture folders, as
// GameInit does. The data folder is the build's own, or KOLVETRA_BENCH_DATA.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <memory>
#include <string>

#include "engine/host.h"
#include "media/sound_base.h"
#include "media/texture_base.h"

namespace {

std::string DataFolder() {
    const char* folder = std::getenv("KOLVETRA_BENCH_DATA");
    return std::string(folder ? folder : KOLVETRA_DATA_DIR) + "/";
}

void BM_LoadDataFolders(benchmark::State& state) {
    const std::string data = DataFolder();
    int sounds = 0, textures = 0;
    for (auto _ : state) {
        state.PauseTiming();
        Host_OpenHeadless();
        Host_OpenLoopbackAudio(44100);
        auto soundBase = std::make_unique<TS_List>();
        auto shared = std::make_unique<TBase>();
        auto objects = std::make_unique<TBase>();
        state.ResumeTiming();

        LoadSoundFolder(*soundBase, data + "sfx/", "*.wav");
        LoadTextureFolder(*shared, data + "gfx/share/");
        LoadTextureFolder(*objects, data + "gfx/obj/");

        state.PauseTiming();
        sounds = soundBase->count;
        textures = shared->count + objects->count;
        Host_Shutdown();
        state.ResumeTiming();
    }
    state.counters["sounds"] = sounds;
    state.counters["textures"] = textures;
}
BENCHMARK(BM_LoadDataFolders)->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace
