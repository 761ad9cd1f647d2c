// The view: the objects of the world that are on screen, in drawing order.
// Rebuilt every tick, through the world's grid: only the cells round the
// screen are looked at, and a record that cannot have changed since the
// last tick is not copied again.
#pragma once

#include "world/world.h"

// Copies every object of `w` that is on screen into `v`, in index order.
void BuildView(tworld& v, const tworld& w);
// Landscape patches ("lnd...") first, in the order they had among
// themselves; then everything else by y, smallest first (equal y in no
// particular order), so lower objects are drawn over higher ones.
void SortView(tworld& v);
// The objects of `w` on screen in drawing order, with the shadows of the
// movable ones: built, sorted and shaded into `v`, as BuildView, SortView
// and the shadows would leave it.
void RebuildView(tworld& v, const tworld& w);
