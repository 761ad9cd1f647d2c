// A picture of a whole track from far above, for designers: every object's
// sprite at a small scale, ground first, then the rest by depth, with the
// waypoint loop drawn over it.
#pragma once

#include <string>

#include "world/world.h"

// Writes `path` (PNG). `data` is the game data folder with gfx/obj/.
bool WriteMapPicture(const tworld& w, const std::string& data, const std::string& path, double scale);
