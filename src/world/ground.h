// The still ground of a world, kept between frames in square pictures on a
// grid fixed in the world: laying a few of them costs a copy where drawing
// the patches one by one costs a blend of each.
#pragma once

#include "world/world.h"

// With the camera on, lays the backdrop and the landscape at the head of the
// view `v` of world `w` across the whole screen, pixel for pixel as
// DrawBackdrop and then those patches one by one would; returns how many of
// the view's objects that was, or -1 when the ground could not be laid this
// way (what it drew is then to be drawn over).
int DrawGround(const tworld& w, const tworld& v);

// What laying the ground took in the last frame that laid it from squares:
// the squares the screen needed built there and then, and the patches laid
// into squares ahead of it.
struct GroundWork {
    int built = 0, laidAhead = 0;
};
const GroundWork& LastGroundWork();
