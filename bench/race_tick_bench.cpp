// The whole work of a race tick (bonuses, the world step, effects, the view,
// its sorting and the shadows of movable objects) on the game's tracks and on
// worlds filled to capacity, with the player's car on the autopilot; and the
// drawn race frame on every track of the game.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <string>
#include <vector>

#include "engine/host.h"
#include "engine/random.h"
#include "game/autopilot.h"
#include "game/race_overlay.h"
#include "game/shell.h"
#include "media/particles.h"
#include "media/texture_base.h"
#include "world/lighting.h"
#include "world/race.h"
#include "world/simulation.h"
#include "world/world_file.h"

namespace {

struct Mix {
    int patches, props, lamps, barrels;
};

void Add(const char* name, int x, int y, int w, int h, uint8_t ai = 0, uint8_t dynamic = 0) {
    if (!WorldAddObject(world, name, x, y, ai, dynamic, 0xFFFFFF)) return;
    tminimal& o = world.objects[world.count - 1];
    o.width = w;
    o.height = h;
    o.radius = w / 4;
}

// A loop of 40 waypoints round an ellipse of the given radii, ground patches
// along it, props and lamps beside it, shoveable barrels on it and four cars
// at the start; `mix` says how many of each.
bool BuildLoop(int rx, int ry, const Mix& mix) {
    WorldClear(world);
    world.waypointcount = 0;
    constexpr int kWaypoints = 40;
    for (int k = 0; k < kWaypoints; ++k) {
        const float a = 360.0f * k / kWaypoints;
        WorldAddWaypoint(world, M_Round(rx * M_Cos(a)), M_Round(ry * M_Sin(a)));
    }
    const auto along = [&](int n, int i, int offset, int& x, int& y) {
        const float a = 360.0f * i / n;
        x = M_Round((rx + offset) * M_Cos(a));
        y = M_Round((ry + offset) * M_Sin(a));
    };
    int x = 0, y = 0;
    for (int i = 0; i < mix.patches; ++i) {
        along(mix.patches, i, 0, x, y);
        Add(i % 7 == 0 ? "lnd_water" : "lnd_road", x, y, 256, 256);
    }
    for (int i = 0; i < mix.props; ++i) {
        along(mix.props, i, (i % 2 ? 1 : -1) * (260 + 40 * (i % 5)), x, y);
        Add("tree", x, y, 96, 128);
    }
    for (int i = 0; i < mix.lamps; ++i) {
        along(mix.lamps, i, (i % 2 ? 1 : -1) * 220, x, y);
        Add("lamp", x, y, 32, 96);
    }
    for (int i = 0; i < mix.barrels; ++i) {
        along(mix.barrels, i, (i % 3 - 1) * 60, x, y);
        Add("barrel", x + 7, y, 32, 40, 0, 1);
    }
    const Waypoint start = world.waypoints[0];
    Add("jeep", start.x - 100, start.y + 60, 64, 64, 0);
    for (int c = 0; c < 3; ++c) Add("car", start.x - 100 - 80 * c, start.y - 60, 64, 64, 1);
    for (int i = 0; i < world.count; ++i) {
        tminimal& o = world.objects[i];
        if (!IsVehicle(o.name)) continue;
        o.maxspeed = 15;
        o.speed = 1;
        o.frame = 1;
        o.waypoint = 1;
    }
    for (tminimal& o : world.objects) {
        for (CornerOffset& s : o.waterstep) s = {1, -1};
    }
    return true;
}

// The headless engine, the sprites and the font, once for every run: the
// tracks take their objects' sizes from the sprites.
void OpenEngine() {
    static const bool open = [] {
        Host_OpenHeadless();
        // Drawn through the race's camera, as the game draws: without it the
        // world lies at its own coordinates, mostly off the screen.
        camera = Cam2D_Create();
        Cam2D_Set(camera);
        const std::string data = KOLVETRA_DATA_DIR;
        LoadTextureFolder(ObjectTextures, data + "/gfx/obj/");
        LoadTextureFolder(SharedTextures, data + "/gfx/share/");
        font = Text_LoadFontFromFile(data + "/fnt/font.tga", data + "/fnt/font.ofi", -1, 266);
        return true;
    }();
    (void)open;
}

// One tick of the race with the autopilot driving, everyone kept racing:
// nobody reaches the finish.
void DriveOneTick(Autopilot& pilot) {
    raceinput = pilot.Steer(world, PlayerCar(world));
    RaceTick();
    playerlaps = 0;
    for (int i = 0; i < world.count; ++i) world.objects[i].laps = 0;
    gamestate = stRace;
}

template <class Setup>
bool StartRacing(benchmark::State& state, Setup setup) {
    OpenEngine();
    Randomize(1);
    if (!setup()) {
        state.SkipWithError("no track: build the game data first");
        return false;
    }
    Particles.count = 0;
    ResetRaceProgress();
    gamestate = stRace;
    racestart = U_GetTime() - 5000;  // the countdown is over
    return true;
}

template <class Setup>
void RaceTicks(benchmark::State& state, Setup setup) {
    if (!StartRacing(state, setup)) return;
    Autopilot pilot;
    long visible = 0;
    for (auto _ : state) {
        DriveOneTick(pilot);
        visible += view.count;
    }
    state.counters["objects"] = world.count;
    state.counters["on_screen"] = static_cast<double>(visible) / static_cast<double>(state.iterations());
    state.counters["effects"] = Particles.count;
}

bool LoadTrack(const char* track) {
    return WorldLoad(world, std::string(KOLVETRA_DATA_DIR) + "/wld/" + track + ".wld").ok;
}

// One of the game's own tracks, with its sprites' sizes.
void BM_RaceTickTrack(benchmark::State& state, const char* track) {
    RaceTicks(state, [track] { return LoadTrack(track); });
}

// The process's resident memory so far at its highest, in MiB.
double PeakResidentMiB() {
    std::FILE* status = std::fopen("/proc/self/status", "r");
    if (!status) return 0;
    char line[256];
    long kib = 0;
    while (std::fgets(line, sizeof line, status)) {
        if (std::sscanf(line, "VmHWM: %ld kB", &kib) == 1) break;
    }
    std::fclose(status);
    return kib / 1024.0;
}

// The processor time this thread has had, which other work on the machine
// does not inflate.
double ThreadMilliseconds() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

// The race screen as a frame shows it (ground, objects, effects, minimap,
// head-up display) after each tick of the autopilot's drive; the ticks are
// not counted.
template <class Setup>
void RaceFrames(benchmark::State& state, Setup setup) {
    if (!StartRacing(state, setup)) return;
    Autopilot pilot;
    // Most frames only lay kept pictures; a few draw new ones as the camera
    // moves on. The median is the frame a race mostly shows.
    std::vector<double> frames;
    frames.reserve(static_cast<size_t>(state.max_iterations));
    for (auto _ : state) {
        state.PauseTiming();
        DriveOneTick(pilot);
        state.ResumeTiming();
        const double start = ThreadMilliseconds();
        Host_BeginTestFrame();
        DrawRaceScreen();
        frames.push_back(ThreadMilliseconds() - start);
    }
    if (!frames.empty()) {
        std::nth_element(frames.begin(), frames.begin() + frames.size() / 2, frames.end());
        state.counters["median_ms"] = frames[frames.size() / 2];
    }
    state.counters["objects"] = world.count;
    state.counters["peak_MiB"] = PeakResidentMiB();
}

void BM_RaceFrameTrack(benchmark::State& state, const char* track) {
    RaceFrames(state, [track] { return LoadTrack(track); });
}

// A loop of `objects` objects in the full world's mix, its length in
// proportion, so the density and the share of movers stay the same.
bool BuildGrowth(int objects) {
    const auto part = [objects](int full) { return full * (objects - 4) / (kWorldCapacity - 4); };
    const int rx = 3000 * objects / kWorldCapacity, ry = 2000 * objects / kWorldCapacity;
    BuildLoop(std::max(rx, 400), std::max(ry, 250), {part(1200), part(2400), part(300), part(193)});
    MeasureObjects(world);
    LightCorners(world);
    CastShadows(world, 0);
    return true;
}

// The tick as the world grows: it should grow in proportion.
void BM_RaceTickGrowth(benchmark::State& state) {
    RaceTicks(state, [&state] { return BuildGrowth(static_cast<int>(state.range(0))); });
}

// The drawn frame as the world grows.
void BM_RaceFrameGrowth(benchmark::State& state) {
    RaceFrames(state, [&state] { return BuildGrowth(static_cast<int>(state.range(0))); });
}

// 4097 objects on a loop of some 16000 px: the densest world a file can hold.
void BM_RaceTickFullWorld(benchmark::State& state) {
    RaceTicks(state, [] { return BuildLoop(3000, 2000, {1200, 2400, 300, 193}); });
}
// 4097 objects crowded round a small loop, most of them on screen at once.
void BM_RaceTickFullScreen(benchmark::State& state) {
    RaceTicks(state, [] { return BuildLoop(400, 250, {1200, 2400, 300, 193}); });
}

}  // namespace

#define KOLVETRA_TICK_BENCH(track) BENCHMARK_CAPTURE(BM_RaceTickTrack, track, #track)->Unit(benchmark::kMicrosecond)
KOLVETRA_TICK_BENCH(beach1);
KOLVETRA_TICK_BENCH(beach1r);
KOLVETRA_TICK_BENCH(beach2);
KOLVETRA_TICK_BENCH(beach2r);
KOLVETRA_TICK_BENCH(forest1);
KOLVETRA_TICK_BENCH(forest1r);
KOLVETRA_TICK_BENCH(forest2);
KOLVETRA_TICK_BENCH(forest2r);
KOLVETRA_TICK_BENCH(icy1);
KOLVETRA_TICK_BENCH(icy1r);
KOLVETRA_TICK_BENCH(icy2);
KOLVETRA_TICK_BENCH(icy2r);
KOLVETRA_TICK_BENCH(city1);
KOLVETRA_TICK_BENCH(city1r);
KOLVETRA_TICK_BENCH(city2);
KOLVETRA_TICK_BENCH(city2r);
#define KOLVETRA_FRAME_BENCH(track) BENCHMARK_CAPTURE(BM_RaceFrameTrack, track, #track)->Unit(benchmark::kMillisecond)
KOLVETRA_FRAME_BENCH(beach1);
KOLVETRA_FRAME_BENCH(beach1r);
KOLVETRA_FRAME_BENCH(beach2);
KOLVETRA_FRAME_BENCH(beach2r);
KOLVETRA_FRAME_BENCH(forest1);
KOLVETRA_FRAME_BENCH(forest1r);
KOLVETRA_FRAME_BENCH(forest2);
KOLVETRA_FRAME_BENCH(forest2r);
KOLVETRA_FRAME_BENCH(icy1);
KOLVETRA_FRAME_BENCH(icy1r);
KOLVETRA_FRAME_BENCH(icy2);
KOLVETRA_FRAME_BENCH(icy2r);
KOLVETRA_FRAME_BENCH(city1);
KOLVETRA_FRAME_BENCH(city1r);
KOLVETRA_FRAME_BENCH(city2);
KOLVETRA_FRAME_BENCH(city2r);
BENCHMARK(BM_RaceTickGrowth)->Arg(500)->Arg(1000)->Arg(2000)->Arg(4097)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_RaceFrameGrowth)->Arg(500)->Arg(1000)->Arg(2000)->Arg(4097)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RaceTickFullWorld)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_RaceTickFullScreen)->Unit(benchmark::kMicrosecond);
