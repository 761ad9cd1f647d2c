// World files as a race loads them, then a few ticks of racing on what was read.
#include "engine/host.h"
#include "fuzz_support.h"
#include "engine/paths.h"
#include "game/shell.h"
#include "media/particles.h"
#include "media/texture_base.h"
#include "world/race.h"
#include "world/simulation.h"
#include "world/world_file.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    Host_OpenHeadless();
    SetDataFolder(FuzzDataFolder());
    LoadTextureFolder(ObjectTextures, DataPath("gfx/obj/"));
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string path = ScratchFile(data, size, "track.wld");
    Particles.count = 0;
    ResetRaceProgress();
    gamestate = stRace;
    racemode = 0;
    WorldLoad(world, path);
    for (int tick = 0; tick < 8; ++tick) WorldStep(world);
    return 0;
}
