// Static lighting from the lamps of a world: object sizes from their
// sprites, grey levels on the four corners of every object, and the black
// shadow each object casts away from its nearest lamp.
#pragma once

#include "world/world.h"

// width and height from the object's first sprite ("<name>_wh1" for a car,
// "<name>1" otherwise); radius is width div 4.
void MeasureObjects(tworld& w);
// Each corner takes a grey level from its distance to the nearest lamp,
// measured to the point 128 px up and left of the corner: white within
// 100 px, one step (0x111111) darker per further 50 px, 0x111111 from 750 px
// on. A world without lamps is white everywhere.
void LightCorners(tworld& w);
// How many times LightCorners has run: it changes whenever a world is read or
// edited, so what was drawn from the old lighting is known to be stale.
int LightingCount();
// Shadows of the objects whose dynamic flag equals `flag`, against the lamps
// of the same world; landscape, lamps and the small props cast none.
void CastShadows(tworld& w, int flag);
// Whether an object of this name casts a shadow.
bool CastsShadow(std::string_view name);
