#include "game/ghost.h"

#include <cstdio>

#include "engine/files.h"
#include "game/race_recording.h"
#include "game/settings.h"
#include "gui/notice.h"
#include "world/draw_world.h"
#include "world/world.h"

namespace {

Replay ghost;
bool shown = false;

// Pale blue and see-through whatever colour the car had, so the ghost never
// passes for one of the cars racing.
constexpr int kGhostAlpha = 120;
constexpr int kGhostTint = 0xFFD8A0;

}  // namespace

bool GhostEnabled() { return SettingValue(settings, "ghost", "1") != "0"; }

void PrepareGhost(std::string_view track, uint8_t mode) {
    shown = false;
    if (mode != 1 || ReplayPlaying() || !GhostEnabled()) return;
    const std::string path = ReplayPath(track);
    std::string bytes, fault;
    if (!ReadWholeFile(path, bytes)) return;  // no best race yet
    if (!ParseReplay(bytes, ghost, fault)) {
        std::fprintf(stderr, "kolvetra: %s: %s\n", path.c_str(), fault.c_str());
        ShowNotice(kReplayUnreadable, path + ": " + fault);
        return;
    }
    // A track edited since its best race has no ghost: the path would lead astray.
    shown = ghost.track == track && ghost.trackHash == TrackFileHash(track) && !ghost.ticks.empty();
}

bool GhostShown() { return shown; }

bool GhostAt(int tick, ReplayTick& out) {
    if (!shown || tick <= 0) return false;
    const size_t i = std::min(static_cast<size_t>(tick), ghost.ticks.size()) - 1;
    out = ghost.ticks[i];
    return true;
}

void DrawGhost() {
    ReplayTick t;
    if (!GhostAt(RaceTicksNow(), t)) return;
    DrawGhostCar(vehiclenames[ghost.setup.vehicle], t.x, t.y, t.frame / 1000.0f, kGhostTint, kGhostAlpha);
}
