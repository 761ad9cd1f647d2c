// Drawing the view: shadows, cars in two layers, corner-lit objects, wobbling
// water, lamp glows and bonus halos, all shifted by the camera.
#pragma once

#include "world/world.h"

// Draws the objects of `v` in their order (the view after SortView), with
// the camera enabled for the duration.
void DrawWorld(const tworld& v);
// The dark olive the world is drawn over, across the whole screen.
void DrawBackdrop();
