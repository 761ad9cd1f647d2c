// The race traced tick by tick as JSON Lines, for tools that check tracks.
#pragma once

#include <string>

#include "world/world.h"

// Appends one JSON line (with its newline): the tick, the race globals, the
// race input the tick drove with and every object with its fields.
void AppendTraceLine(std::string& out, long tick, const tworld& w);
