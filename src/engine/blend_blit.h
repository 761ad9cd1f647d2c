// Sprites blended or added onto the software renderer's screen by the
// game's own code, four pixels at a time, where the renderer would lay them
// one by one. Each way of laying (plain or tinted, kept size or scaled, per screen
// format) is first drawn both ways a few times and compared; after any
// difference the renderer draws that way again for good.
#pragma once

#include <SDL.h>

#include <cstdint>

// Where a texture's ARGB pixels can be read in place; none when the renderer
// keeps them out of reach.
struct BlitPixels {
    const uint32_t* pixels = nullptr;
    int pitch = 0;  // bytes from one row to the next
};

// A texture holding `w` x `h` ARGB pixels (`pitch` bytes a row); on the
// software renderer its own copy of them is left readable in `readable`.
SDL_Texture* Blit_CreateTexture(SDL_Renderer* renderer, int w, int h, const uint32_t* pixels, int pitch,
                                BlitPixels& readable);
// The same for a picture, in the format SDL would choose for it.
SDL_Texture* Blit_CreateTexture(SDL_Renderer* renderer, SDL_Surface* picture, BlitPixels& readable);

// Copies the whole `texture` onto `dst` as SDL_RenderCopy would, with its
// colour and alpha modulation and blend mode; false, drawing nothing, where
// that is not laid here.
bool Blit_Copy(SDL_Texture* texture, const BlitPixels& source, const SDL_Rect& dst);
// The same for the `part` of it SDL_RenderCopyF would copy onto `to`.
bool Blit_CopyPart(SDL_Texture* texture, const BlitPixels& source, const SDL_Rect& part, const SDL_FRect& to);

// The blit itself: the `w` x `h` ARGB `source` onto `dst` of `screen`
// inside its clip rect, as SDL's blit of such a surface with colour and
// alpha modulation `mod` and `blend` (blending or adding) lays it, scaled
// nearest when the sizes differ. False, with nothing laid, for a blend,
// format, size or place not handled.
bool Blit_Lay(const BlitPixels& source, int w, int h, SDL_Color mod, SDL_BlendMode blend, const SDL_Rect& dst,
              SDL_Surface* screen);

// x / 255 rounded down, for any x below 65536.
constexpr uint32_t DivideBy255(uint32_t x) { return (x * 0x8081u) >> 23; }
