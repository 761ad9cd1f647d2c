// The cost of the world's per-tick work (BuildView, SortView, CastShadows),
// of the lighting done at load, and of drawing the world and the minimap on
// the headless software renderer, for a typical track and a full world.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "engine/host.h"
#include "engine/omega.h"
#include "engine/random.h"
#include "game/shell.h"
#include "media/texture_base.h"
#include "support.h"
#include "world/draw_world.h"
#include "world/lighting.h"
#include "world/minimap.h"
#include "world/race.h"
#include "world/view.h"

namespace {

constexpr int kTrackWidth = 4800, kTrackHeight = 3600;

// Sprites of the sizes the game's art uses, loaded once.
void LoadSprites() {
    static ScratchFolder folder;
    static bool loaded = false;
    if (loaded) return;
    loaded = true;
    Host_OpenHeadless();
    camera = Cam2D_Create();
    Cam2D_Set(camera);
    const auto sprite = [](TBase& base, const std::string& name, int w, int h, uint8_t alpha) {
        const std::string path = folder / (name + ".tga");
        WriteSolidTga(path, w, h, 0x668844, alpha);
        LoadTexture(base, path);
    };
    sprite(ObjectTextures, "lnd_grass1", 256, 256, 255);
    sprite(ObjectTextures, "lnd_road1", 256, 256, 200);
    sprite(ObjectTextures, "lnd_water1", 128, 128, 255);
    sprite(ObjectTextures, "lnd_start1", 64, 256, 255);
    sprite(ObjectTextures, "tree1", 96, 128, 200);
    sprite(ObjectTextures, "rock1", 48, 40, 200);
    sprite(ObjectTextures, "limit1", 32, 32, 200);
    sprite(ObjectTextures, "lamp1", 32, 96, 200);
    sprite(ObjectTextures, "bn_spd1", 32, 32, 200);
    for (const char* car : {"jeep", "car"}) {
        for (int n = 1; n <= 16; ++n) {
            sprite(ObjectTextures, std::string(car) + "_wh" + std::to_string(n), 64, 64, 200);
            sprite(ObjectTextures, std::string(car) + "_tp" + std::to_string(n), 64, 64, 200);
        }
    }
    sprite(SharedTextures, "light", 256, 256, 128);
}

void Scatter(tworld& w, const char* name, int count, uint8_t dynamic, int width, int height) {
    for (int i = 0; i < count; ++i) {
        WorldAddObject(w, name, Random(width), Random(height), 0, dynamic, 0xFFFFFF);
    }
}

// A track of the game's size: ground tiles on a 200 px grid, a road loop,
// props, lamps a few hundred pixels apart, six cars and a few bonuses;
// `scale` multiplies the props to fill the world to its capacity.
std::unique_ptr<tworld> MakeTrack(int scale, int width = kTrackWidth, int height = kTrackHeight) {
    Randomize(1);
    auto w = std::make_unique<tworld>();
    for (int y = 0; y < height; y += 200) {
        for (int x = 0; x < width; x += 200) WorldAddObject(*w, "lnd_grass", x, y, 0, 0, 0xFFFFFF);
    }
    for (int x = 400; x < width - 400; x += 128) {
        WorldAddObject(*w, "lnd_road", x, 600, 0, 0, 0xFFFFFF);
        WorldAddObject(*w, "lnd_road", x, height - 600, 0, 0, 0xFFFFFF);
    }
    Scatter(*w, "lnd_water", 6, 0, width, height);
    WorldAddObject(*w, "lnd_start", 800, 700, 0, 0, 0xFFFFFF);
    Scatter(*w, "lamp", 60 * scale, 0, width, height);
    Scatter(*w, "tree", 150 * scale, 0, width, height);
    Scatter(*w, "rock", 60 * scale, 1, width, height);
    Scatter(*w, "limit", 60 * scale, 0, width, height);
    Scatter(*w, "bn_spd", 6, 1, width, height);
    for (int i = 0; i < 6; ++i) WorldAddObject(*w, i ? "car" : "jeep", 700 + 60 * i, 600, i ? 1 : 0, 0, 0x2255CC);
    while (scale > 1 && w->count < kWorldCapacity) {
        WorldAddObject(*w, "tree", Random(width), Random(height), 0, 0, 0xFFFFFF);
    }
    for (int i = 0; i < 20; ++i) WorldAddWaypoint(*w, 400 + Random(width - 800), 600 + Random(height - 1200));
    MeasureObjects(*w);
    LightCorners(*w);
    CastShadows(*w, 0);
    return w;
}

struct Scene {
    const char* label;
    std::unique_ptr<tworld> world;
};

Scene& SceneOf(int which) {
    static Scene scenes[] = {
        {"typical track", nullptr}, {"full world, 4097 objects", nullptr}, {"full world, all on screen", nullptr}};
    Scene& s = scenes[which];
    if (!s.world) {
        LoadSprites();
        s.world = which == 0 ? MakeTrack(1) : which == 1 ? MakeTrack(6) : MakeTrack(6, 800, 600);
    }
    return s;
}

// The camera tours the middle of the track. A stride of (8, 5) a frame is a
// car at top speed at 60 frames a second; larger strides jump about, so
// almost every frame shows ground not seen before.
void MoveCamera(int which, int step, int strideX, int strideY) {
    if (which == 2) {
        camera->x = camera->y = 0;
        return;
    }
    camera->x = 400 + (step * strideX) % (kTrackWidth - 1600);
    camera->y = 300 + (step * strideY) % (kTrackHeight - 1200);
}

void BM_TickView(benchmark::State& state) {
    const int which = static_cast<int>(state.range(0));
    Scene& s = SceneOf(which);
    auto v = std::make_unique<tworld>();
    int step = 0;
    long visible = 0;
    for (auto _ : state) {
        MoveCamera(which, step++, 173, 97);
        BuildView(*v, *s.world);
        SortView(*v);
        CastShadows(*v, 1);
        visible += v->count;
        benchmark::DoNotOptimize(v->objects[0].shadow);
    }
    state.SetLabel(s.label);
    state.counters["objects"] = s.world->count;
    state.counters["on screen"] = static_cast<double>(visible) / step;
}
BENCHMARK(BM_TickView)->DenseRange(0, 2)->Unit(benchmark::kMicrosecond);

void BM_LoadLighting(benchmark::State& state) {
    Scene& s = SceneOf(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        MeasureObjects(*s.world);
        LightCorners(*s.world);
        CastShadows(*s.world, 0);
    }
    state.SetLabel(s.label);
}
BENCHMARK(BM_LoadLighting)->DenseRange(0, 1)->Unit(benchmark::kMillisecond);

// Arguments: the scene, and whether the camera jumps about.
void BM_DrawWorld(benchmark::State& state) {
    const int which = static_cast<int>(state.range(0));
    const bool jumping = state.range(1) != 0;
    Scene& s = SceneOf(which);
    auto v = std::make_unique<tworld>();
    int step = 0;
    for (auto _ : state) {
        state.PauseTiming();
        MoveCamera(which, step++, jumping ? 173 : 8, jumping ? 97 : 5);
        BuildView(*v, *s.world);
        SortView(*v);
        CastShadows(*v, 1);
        Host_BeginTestFrame();
        state.ResumeTiming();
        Pr2D_Rect(0, 0, 800, 600, 0x444422, 255, 1);
        DrawWorld(*v);
    }
    state.SetLabel(std::string(s.label) + (jumping ? ", camera jumping" : ", camera following a car"));
}
BENCHMARK(BM_DrawWorld)->ArgsProduct({{0, 1}, {0, 1}})->Unit(benchmark::kMillisecond);

void BM_DrawMinimap(benchmark::State& state) {
    Scene& s = SceneOf(0);
    for (auto _ : state) DrawMinimap(*s.world);
    state.SetLabel(s.label);
}
BENCHMARK(BM_DrawMinimap)->Unit(benchmark::kMillisecond);

}  // namespace
