// Drawing into a picture of the game's own instead of the screen: to make
// pictures that are kept, or to see what the renderer itself draws before
// a quicker way of the game's own is trusted to lay the same pixels.
#pragma once

#include <SDL.h>

#include <cstdint>
#include <vector>

// While it lives, the renderer draws into a new texture of `format`; then
// the target that was current before comes back. Targets nest.
class RenderTarget {
  public:
    // Starts as `start` (width x height pixels of 4 bytes), or transparent.
    RenderTarget(uint32_t format, int width, int height, const uint32_t* start = nullptr);
    // Draws on into `texture`, a target texture made before, which stays its
    // owner's.
    explicit RenderTarget(SDL_Texture* texture);
    ~RenderTarget();
    RenderTarget(const RenderTarget&) = delete;
    RenderTarget& operator=(const RenderTarget&) = delete;

    // False when the renderer could not make it current; nothing changed.
    bool ok() const { return texture_ != nullptr; }
    SDL_Texture* texture() const { return texture_; }
    // What has been drawn so far, row by row, into `out` (resized to fit).
    bool Read(std::vector<uint32_t>& out) const;
    // The texture outlives the target, holding what was drawn into it.
    SDL_Texture* Keep();

  private:
    SDL_Renderer* renderer_;
    SDL_Texture* previous_;
    SDL_Texture* texture_ = nullptr;
    uint32_t format_;
    int width_, height_;
    bool kept_ = false;
};

// Pixels of no pattern in particular, for two ways of drawing to be
// compared over.
void FillVaried(std::vector<uint32_t>& pixels);
