// Black turned silhouettes (the shadows of the world's objects). The
// software renderer turns a sprite by building a fresh turned surface on
// every draw; a shadow only needs that surface's alpha, which stays the same
// while the sprite, its size, angle and centre do. So the turned alpha is
// made once, through the renderer itself, and copied from then on.
#include <algorithm>
#include <cmath>
#include <cstring>
#include <unordered_map>
#include <vector>

#include "engine/render_target.h"
#include "engine/state.h"

namespace {

struct Key {
    SDL_Texture* source;
    int width, height;
    float angle, centreX, centreY;
    bool operator==(const Key&) const = default;
};

struct KeyHash {
    size_t operator()(const Key& k) const {
        size_t h = std::hash<const void*>{}(k.source);
        for (float f : {k.angle, k.centreX, k.centreY}) {
            uint32_t bits = 0;
            std::memcpy(&bits, &f, sizeof bits);
            h = h * 1000003u ^ bits;
        }
        return h * 1000003u ^ static_cast<size_t>(k.width * 65536 + k.height);
    }
};

// The turned alpha, black, cropped to where it is not transparent: `x`, `y`
// from the top-left of the unturned rectangle.
struct Turned {
    SDL_Texture* texture = nullptr;  // nullptr: nothing to draw
    BlitPixels readable;
    int x = 0, y = 0, width = 0, height = 0;
};

bool Integral(float f) { return f == std::floor(f); }

void Tint(SDL_Texture* t, Uint8 alpha) {
    SDL_SetTextureBlendMode(t, SDL_BLENDMODE_BLEND);
    SDL_SetTextureColorMod(t, 0, 0, 0);
    SDL_SetTextureAlphaMod(t, alpha);
}

class Silhouettes {
  public:
    bool Draw(SDL_Texture* source, const SDL_FRect& dst, float angle, SDL_FPoint centre, Uint8 alpha,
              uint32_t screenFormat) {
        if (broken_) return false;
        const Key key{source, static_cast<int>(dst.w), static_cast<int>(dst.h), angle, centre.x, centre.y};
        auto it = entries_.find(key);
        if (it == entries_.end()) {
            Turned turned;
            const bool made = Make(key, turned);
            if (!made || (checked_ < kChecks && !LaysAsTurned(key, turned, alpha, screenFormat))) {
                if (turned.texture) SDL_DestroyTexture(turned.texture);
                // This renderer turns differently: every shadow is turned as it comes.
                if (made) Reset(true);
                return false;
            }
            ++checked_;
            // Past the budget all go, to be turned again as they come back.
            const size_t bytes = static_cast<size_t>(turned.width) * turned.height * 4;
            if (bytes_ + bytes > kBudget) Clear();
            bytes_ += bytes;
            it = entries_.emplace(key, turned).first;
        }
        Copy(it->second, static_cast<int>(dst.x), static_cast<int>(dst.y), alpha);
        return true;
    }

    void Clear() {
        for (auto& [key, turned] : entries_) {
            if (turned.texture) SDL_DestroyTexture(turned.texture);
        }
        entries_.clear();
        bytes_ = 0;
    }

    // `broken` after a mismatch; a new screen may turn differently and is
    // checked again.
    void Reset(bool broken) {
        Clear();
        broken_ = broken;
        checked_ = 0;
    }

  private:
    static constexpr size_t kBudget = 8u << 20;
    static constexpr int kChecks = 8;  // new silhouettes compared with the renderer's own turning

    // The margin round the unturned rectangle that holds it turned about
    // its centre.
    static int Margin(const Key& k) {
        float reach = 0;
        for (float cx : {0.0f, static_cast<float>(k.width)}) {
            for (float cy : {0.0f, static_cast<float>(k.height)}) {
                reach = std::max(reach, std::hypot(cx - k.centreX, cy - k.centreY));
            }
        }
        return static_cast<int>(std::ceil(reach)) + 2;
    }

    static void Turn(SDL_Texture* source, const Key& k, int margin) {
        const SDL_FRect at{static_cast<float>(margin), static_cast<float>(margin), static_cast<float>(k.width),
                           static_cast<float>(k.height)};
        const SDL_FPoint centre{k.centreX, k.centreY};
        SDL_RenderCopyExF(Engine().renderer, source, nullptr, &at, k.angle, &centre, SDL_FLIP_NONE);
    }

    // Turns the black sprite over transparent black: the blend leaves each
    // pixel exactly the turned surface's alpha, and black.
    bool Make(const Key& k, Turned& out) {
        const int margin = Margin(k), w = k.width + 2 * margin, h = k.height + 2 * margin;
        {
            const RenderTarget target(SDL_PIXELFORMAT_ARGB8888, w, h);
            if (!target.ok()) return false;
            Tint(k.source, 255);
            Turn(k.source, k, margin);
            if (!target.Read(pixels_)) return false;
        }
        int left = w, top = h, right = -1, bottom = -1;
        for (int y = 0; y < h; ++y) {
            for (int x = 0; x < w; ++x) {
                if (pixels_[static_cast<size_t>(y) * w + x] == 0) continue;
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
        }
        out = Turned{};
        if (right < 0) return true;
        out.x = left - margin;
        out.y = top - margin;
        out.width = right - left + 1;
        out.height = bottom - top + 1;
        const uint32_t* first = pixels_.data() + static_cast<size_t>(top) * w + left;
        out.texture = Blit_CreateTexture(Engine().renderer, out.width, out.height, first, w * 4, out.readable);
        return out.texture != nullptr;
    }

    static void Copy(const Turned& t, int x, int y, Uint8 alpha) {
        if (!t.texture) return;
        Tint(t.texture, alpha);
        const SDL_Rect at{x + t.x, y + t.y, t.width, t.height};
        if (!Blit_Copy(t.texture, t.readable, at)) SDL_RenderCopy(Engine().renderer, t.texture, nullptr, &at);
    }

    // Whether the kept silhouette lays what turning the sprite lays, over
    // a patch of varied pixels in the screen's format.
    bool LaysAsTurned(const Key& k, const Turned& t, Uint8 alpha, uint32_t screenFormat) {
        const int margin = Margin(k), w = k.width + 2 * margin, h = k.height + 2 * margin;
        std::vector<uint32_t> pattern(static_cast<size_t>(w) * h), turned, kept;
        FillVaried(pattern);
        const auto over = [&](const auto& draw, std::vector<uint32_t>& out) {
            const RenderTarget target(screenFormat, w, h, pattern.data());
            if (!target.ok()) return false;
            draw();
            return target.Read(out);
        };
        const auto turn = [&] {
            Tint(k.source, alpha);
            Turn(k.source, k, margin);
        };
        return over(turn, turned) && over([&] { Copy(t, margin, margin, alpha); }, kept) && kept == turned;
    }

    std::unordered_map<Key, Turned, KeyHash> entries_;
    std::vector<uint32_t> pixels_;  // kept between silhouettes
    size_t bytes_ = 0;
    int checked_ = 0;
    bool broken_ = false;
};

Silhouettes& Kept() {
    static Silhouettes kept;
    return kept;
}

}  // namespace

bool Silhouette_Draw(SDL_Texture* source, const SDL_FRect& dst, float angle, SDL_FPoint centre, Uint8 alpha) {
    const SDL_Surface* screen = SoftwareScreen();
    if (!screen || !Integral(dst.x) || !Integral(dst.y) || !Integral(dst.w) || !Integral(dst.h)) return false;
    return Kept().Draw(source, dst, angle, centre, alpha, screen->format->format);
}

void Silhouette_ReleaseCache() { Kept().Reset(false); }
