// The ghost: in a single race on a track with a best replay, that race's
// car drawn see-through along the path it took, tick for tick. It is drawn
// from the recorded positions only, so it never touches the live world or
// its random numbers. Turned off with "ghost=0" in settings.cfg (the
// options' "Призрак" row).
#pragma once

#include <string_view>

#include "game/replay.h"

bool GhostEnabled();
// At the start of a race: the track's best replay, when the race is a single
// race of the player's own and the ghost is on; otherwise no ghost. A best
// replay that cannot be read is told once and left as it is.
void PrepareGhost(std::string_view track, uint8_t mode);
bool GhostShown();
// Where the ghost is once `tick` ticks of the race have run: the recorded
// player's car after its tick `tick`, held at its last place after its end.
// False without a ghost or before the first tick.
bool GhostAt(int tick, ReplayTick& out);
// The ghost over the race view.
void DrawGhost();
