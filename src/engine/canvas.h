// Pictures drawn once and kept between frames: while one is open, every
// drawing operation paints into it as into the screen, and the finished
// picture is then laid on the screen as it stands, without blending. Each is
// found by a number its owner chooses; the least recently used go when more
// than kCanvasBudget are kept.
#pragma once

#include <cstdint>

inline constexpr int kCanvasBudget = 30;

// Whether the picture `key` is kept; it counts as used.
bool Canvas_Has(uint64_t key);
// Starts drawing into a new transparent picture `key` of width x height;
// false (and nothing changes) when the renderer cannot make one.
bool Canvas_Begin(uint64_t key, int width, int height);
// Goes on drawing into the kept picture `key` as it stands; it counts as
// used. False (and nothing changes) when it is not kept.
bool Canvas_Resume(uint64_t key);
// Back to drawing on the screen.
void Canvas_End();
// Copies the picture `key` onto the screen at (x, y), shifted by the camera.
void Canvas_Draw(uint64_t key, int x, int y);
// Forgets every picture.
void Canvas_Clear();
// Limits drawing on the screen to the rectangle, shifted by the camera,
// until Canvas_Unclip.
void Canvas_Clip(int x, int y, int width, int height);
void Canvas_Unclip();
