#include "engine/canvas.h"

#include <SDL.h>

#include <algorithm>
#include <optional>
#include <vector>

#include "engine/render_target.h"
#include "engine/state.h"

namespace {

struct Kept {
    uint64_t key;
    SDL_Texture* texture;
    uint64_t lastUse;
};

struct Canvases {
    std::vector<Kept> kept;  // at most kCanvasBudget: searched by a scan
    uint64_t clock = 0;
    std::optional<RenderTarget> open;  // the picture being drawn, if any
};

Canvases& State() {
    static Canvases c;
    return c;
}

Kept* Find(uint64_t key) {
    for (Kept& k : State().kept) {
        if (k.key == key) return &k;
    }
    return nullptr;
}

void DropOldest() {
    auto& kept = State().kept;
    const auto oldest =
        std::min_element(kept.begin(), kept.end(), [](const Kept& a, const Kept& b) { return a.lastUse < b.lastUse; });
    SDL_DestroyTexture(oldest->texture);
    kept.erase(oldest);
}

}  // namespace

bool Canvas_Has(uint64_t key) {
    Kept* k = Find(key);
    if (k) k->lastUse = ++State().clock;
    return k != nullptr;
}

bool Canvas_Begin(uint64_t key, int width, int height) {
    if (!Engine().renderer) return false;
    if (Kept* old = Find(key)) {
        SDL_DestroyTexture(old->texture);
        State().kept.erase(State().kept.begin() + (old - State().kept.data()));
    }
    if (static_cast<int>(State().kept.size()) >= kCanvasBudget) DropOldest();
    std::optional<RenderTarget>& open = State().open;
    open.emplace(SDL_PIXELFORMAT_ARGB8888, width, height);
    if (!open->ok()) {
        open.reset();
        return false;
    }
    State().kept.push_back(Kept{key, open->Keep(), ++State().clock});
    return true;
}

bool Canvas_Resume(uint64_t key) {
    Kept* k = Find(key);
    if (!k) return false;
    std::optional<RenderTarget>& open = State().open;
    open.emplace(k->texture);
    if (!open->ok()) {
        open.reset();
        return false;
    }
    k->lastUse = ++State().clock;
    return true;
}

void Canvas_End() { State().open.reset(); }

void Canvas_Draw(uint64_t key, int x, int y) {
    SDL_Renderer* r = Engine().renderer;
    const Kept* k = Find(key);
    if (!r || !k) return;
    int w = 0, h = 0;
    SDL_QueryTexture(k->texture, nullptr, nullptr, &w, &h);
    SDL_SetTextureBlendMode(k->texture, SDL_BLENDMODE_NONE);
    SDL_SetTextureColorMod(k->texture, 255, 255, 255);
    SDL_SetTextureAlphaMod(k->texture, 255);
    const SDL_Rect dst{x - CameraX(), y - CameraY(), w, h};
    SDL_RenderCopy(r, k->texture, nullptr, &dst);
}

void Canvas_Clear() {
    for (const Kept& k : State().kept) SDL_DestroyTexture(k.texture);
    State().kept.clear();
}

void Canvas_Clip(int x, int y, int width, int height) {
    if (SDL_Renderer* r = Engine().renderer) {
        const SDL_Rect clip{x - CameraX(), y - CameraY(), width, height};
        SDL_RenderSetClipRect(r, &clip);
    }
}

void Canvas_Unclip() {
    if (SDL_Renderer* r = Engine().renderer) SDL_RenderSetClipRect(r, nullptr);
}
