// World files (wld/<name>.wld): the object count, six lines per object
// (name, x, y, ai, dynamic, colour), the waypoint count, two lines per
// waypoint. Written with CR LF; read with LF or CR LF.
#pragma once

#include <string>

#include "world/race.h"
#include "world/world.h"

// Positions in a world file lie within this many pixels of the origin, so
// the arithmetic of drawing and driving can never overflow.
inline constexpr int kWorldPositionLimit = 100000000;

struct WorldFileResult {
    bool ok = true;
    std::string message;  // on failure: what went wrong, naming the file and the line
};

// Loads a world and sets up a race on it as `setup` says: objects are
// measured, lit and shadowed; `racestart` is set (the caller restarts the
// update tick from it); cars get their top speeds and face waypoint 1; the
// player's car ("jeep" with ai 0) becomes the chosen vehicle. A missing or
// malformed file leaves `w` empty (no objects, no waypoints) and the message
// is also written to stderr.
WorldFileResult WorldLoad(tworld& w, const std::string& path, const RaceSetup& setup = RaceSetup{});
// Writes the world to a temporary file and renames it into place, so a
// failed save leaves the old file as it was. Creates the folder if needed.
// Bonuses are left out, and the player's car is written as a jeep.
WorldFileResult WorldSave(const tworld& w, const std::string& path);
// The reverse track: every object and waypoint x negated, cars facing left
// (frame 5). Done twice, every position is back where it was.
void WorldMirror(tworld& w);
