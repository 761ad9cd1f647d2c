// The layers every picture of a world starts from: the backdrop, and
// objects shaded by the light on their corners. The race's screen, its kept
// ground squares and the editor all draw through these.
#pragma once

#include "world/world.h"

struct OE_Texture;

// The dark olive the world is drawn over.
inline constexpr int kBackdropColour = 0x444422;

// The backdrop across the whole screen.
void DrawBackdrop();
// One object shaded by its corners' light, water with its wobble, sprite `t`.
void DrawLitObject(const tminimal& o, const OE_Texture* t);
