// The race minimap in the bottom-right corner, and the editor's waypoints.
#pragma once

#include "world/world.h"

// Where the minimap stands: the waypoints' bounds at a scale of 1 : 15 plus
// a 32 px margin, with its top-left corner 16 px in from the screen's
// bottom-right corner.
struct MinimapLayout {
    int minX = 0, minY = 0;  // the smallest waypoint x and y
    int width = 0, height = 0;
    int left = 0, top = 0;  // of the translucent panel, screen pixels
};
// False for a world without waypoints, which has no minimap.
bool MinimapLayoutOf(const tworld& w, MinimapLayout& out);
// The track line as a thick soft loop through the waypoints, the cars and
// the start line, in screen coordinates.
void DrawMinimap(const tworld& w);
// Each waypoint as the circle within which a computer car counts it
// reached, with its number; in world coordinates.
void DrawWaypoints(const tworld& w);
