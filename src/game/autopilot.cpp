#include "game/autopilot.h"

#include <optional>

#include "engine/host.h"
#include "engine/omega.h"
#include "game/race_recording.h"
#include "game/race_rules.h"
#include "game/shell.h"
#include "world/collision_grid.h"
#include "world/race.h"
#include "world/simulation.h"

int PlayerCar(const tworld& w) {
    // Every car takes a turn in the step: only those are looked at.
    const CollisionGrid& grid = GridOf(w);
    for (int k = 0; k < grid.turnercount; ++k) {
        const int i = grid.turners[k];
        if (grid.kinds[i] == ObjectKind::Vehicle && w.objects[i].ai == 0) return i;
    }
    return -1;
}

RaceInput Autopilot::Steer(const tworld& w, int car) {
    RaceInput keys;
    if (car < 0 || w.waypointcount <= 0) return keys;
    const tminimal& c = w.objects[car];
    if (target >= w.waypointcount) target = 0;
    // When the lap tracking counts the aim (within 160 px) the aim moves on
    // too, so cars parked on the finish line cannot hold the car back.
    const bool counted = c.waypoint != lastCounted && lastCounted >= 0 && c.waypoint == target;
    lastCounted = c.waypoint;
    if (DistanceTo(c, w.waypoints[target]) < kComputerWaypointReach || counted) target = (target + 1) % w.waypointcount;
    const int heading = HeadingTo(c, w.waypoints[target]);
    // Frames go round in 16: turn the shorter way, and hold still within half
    // a step's turn of the aim so the car does not weave.
    float turn = HeadingToFrame(heading) - c.frame;
    while (turn >= 8) turn -= 16;
    while (turn < -8) turn += 16;
    const float dead = 0.01f * c.speed;
    keys.up = true;
    keys.left = turn > dead;
    keys.right = turn < -dead;
    return keys;
}

namespace {

std::optional<RaceInput> pilotInput;

}  // namespace

void DriveWith(const RaceInput& keys) { pilotInput = keys; }
void LetGo() { pilotInput.reset(); }
RaceInput ControlsNow() {
    if (ReplayPlaying()) return ReplayControlsNow();
    return pilotInput ? *pilotInput : SampleRaceInput();
}

void RaceAutopilot::Tick() {
    if (gamestate != stRace) {
        if (holding_) LetGo();
        holding_ = false;
        return;
    }
    if (racestart != race_) {
        pilot_ = Autopilot{};
        race_ = racestart;
    }
    DriveWith(pilot_.Steer(world, PlayerCar(world)));
    holding_ = true;
}

void StartMenuAutopilot() {
    static RaceAutopilot pilot;
    Host_SetTickHook([] { pilot.Tick(); });
}
