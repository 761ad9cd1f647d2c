// Turns a track design into a world: ground, road, start line, lamps, edge
// markers, scenery, shoveable props, the start grid and the waypoint loop.
#pragma once

#include <string>

#include "design.h"
#include "world/world.h"

struct SpriteSizes {
    // Reads sizes from the pictures in <data>/gfx/obj/.
    explicit SpriteSizes(std::string dataFolder) : data(std::move(dataFolder)) {}
    // Width and height of <name>1 (vehicles: <name>_wh1); 0 x 0 when missing.
    std::pair<int, int> of(const std::string& name) const;
    std::string data;
};

// Fills `w` (cleared first). False with a message when the design cannot be
// built (unknown landscape, a sprite missing, too many objects).
bool BuildTrack(const TrackDesign& track, const LandscapeDesign& landscape, const SpriteSizes& sizes, tworld& w,
                std::string& error);
