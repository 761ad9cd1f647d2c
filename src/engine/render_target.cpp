#include "engine/render_target.h"

#include "engine/state.h"

RenderTarget::RenderTarget(uint32_t format, int width, int height, const uint32_t* start)
    : renderer_(Engine().renderer),
      previous_(renderer_ ? SDL_GetRenderTarget(renderer_) : nullptr),
      format_(format),
      width_(width),
      height_(height) {
    if (!renderer_) return;
    SDL_Texture* t = SDL_CreateTexture(renderer_, format, SDL_TEXTUREACCESS_TARGET, width, height);
    if (!t) return;
    if ((start && SDL_UpdateTexture(t, nullptr, start, width * 4) != 0) || SDL_SetRenderTarget(renderer_, t) != 0) {
        SDL_DestroyTexture(t);
        return;
    }
    texture_ = t;
    if (!start) {
        SDL_SetRenderDrawBlendMode(renderer_, SDL_BLENDMODE_NONE);
        SDL_SetRenderDrawColor(renderer_, 0, 0, 0, 0);
        SDL_RenderClear(renderer_);
    }
}

RenderTarget::RenderTarget(SDL_Texture* texture)
    : renderer_(Engine().renderer),
      previous_(renderer_ ? SDL_GetRenderTarget(renderer_) : nullptr),
      format_(0),
      width_(0),
      height_(0),
      kept_(true) {
    if (!renderer_ || SDL_QueryTexture(texture, &format_, nullptr, &width_, &height_) != 0 ||
        SDL_SetRenderTarget(renderer_, texture) != 0)
        return;
    texture_ = texture;
}

RenderTarget::~RenderTarget() {
    if (!texture_) return;
    SDL_SetRenderTarget(renderer_, previous_);
    if (!kept_) SDL_DestroyTexture(texture_);
}

bool RenderTarget::Read(std::vector<uint32_t>& out) const {
    out.resize(static_cast<size_t>(width_) * height_);
    return texture_ && SDL_RenderReadPixels(renderer_, nullptr, format_, out.data(), width_ * 4) == 0;
}

SDL_Texture* RenderTarget::Keep() {
    kept_ = true;
    return texture_;
}

void FillVaried(std::vector<uint32_t>& pixels) {
    for (size_t i = 0; i < pixels.size(); ++i) {
        const uint32_t v = static_cast<uint32_t>(i) * 0x9E3779B1u;
        pixels[i] = v ^ (v >> 15);
    }
}
