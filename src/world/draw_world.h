// Drawing the view: shadows, cars in two layers, corner-lit objects, wobbling
// water, lamp glows and bonus halos, all shifted by the camera.
#pragma once

#include <string_view>

#include "world/world.h"

// Draws the objects of `v` in their order (the view after SortView), with
// the camera enabled for the duration.
void DrawWorld(const tworld& v);
// A car of `vehicle` in `colour` at (x, y) facing `frame`, see-through by
// `alpha`, without shadow or bounce: the ghost of an earlier race.
void DrawGhostCar(std::string_view vehicle, int x, int y, float frame, int colour, int alpha);
// DrawBackdrop then DrawWorld(v), for a view `v` of world `w`: the still
// ground comes from pictures kept between frames.
void DrawScene(const tworld& w, const tworld& v);
