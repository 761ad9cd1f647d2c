#include "media/particles.h"

#include <algorithm>
#include <cmath>

#include "engine/omega.h"
#include "media/texture_base.h"

using namespace std::string_view_literals;

Tpart_sys Particles;

void EmitEffect(Tpart_sys& system, std::string_view kind, int fade, float x, float y, float dx, float dy, float size,
                int color) {
    if (system.count >= kEffectCapacity) return;
    TEffect2d& e = system.effects[system.count++];
    e.fall = 0;
    e.alpha = 255;
    e.kind.assign(kind);
    e.fade = fade;
    e.x = x;
    e.y = y;
    e.dx = dx;
    e.dy = dy;
    e.size = size;
    e.color = color;
}

void UpdateEffect(TEffect2d& e) {
    e.fall = e.kind == "smoke"sv ? 0 : e.fall + 0.4f;
    e.alpha -= e.fade;
    e.x += e.dx;
    e.y += e.dy + e.fall;
    if (e.alpha < 1) {
        e.fall = 0;
        e.kind = "delete";
        e.alpha = 255;
    }
}

namespace {

// Removes the first effect of that kind from slot `from` on; false when there
// is none.
bool RemoveFrom(Tpart_sys& system, std::string_view kind, int& from) {
    for (int i = from; i < system.count; ++i) {
        if (system.effects[i].kind != kind) continue;
        system.effects[i].kind.clear();
        system.effects[i].fall = 0;
        for (int k = i; k + 1 < system.count; ++k) std::swap(system.effects[k], system.effects[k + 1]);
        --system.count;
        from = i;
        return true;
    }
    from = system.count;
    return false;
}

// Compared as views, the length first: most effects are not spent.
bool Spent(const TEffect2d& e) { return e.kind == "delete"sv; }

}  // namespace

void RemoveEffect(Tpart_sys& system, std::string_view kind) {
    int from = 0;
    RemoveFrom(system, kind, from);
}

// Each visit removes the first spent effect. An effect that moves down into
// the slot just visited after a removal is not advanced again until the next
// pass; the animation has always looked so. The removed effects are only
// marked during the pass and the rest close up once at its end: the visit
// that follows a removal at or before the one just visited skips an effect,
// as the slots moving down would make it.
void UpdateEffects(Tpart_sys& system) {
    static std::array<bool, kEffectCapacity> gone;
    const int n = system.count;
    std::fill_n(gone.begin(), n, false);
    const auto nextLive = [n](int k) {
        while (++k < n && gone[k]) {
        }
        return k;
    };
    int spent = 0;
    for (int i = 0; i < n; ++i) spent += Spent(system.effects[i]);
    int live = n;
    int from = 0;     // no spent effect is left before it
    int visited = 0;  // the effect in the slot of this visit
    for (int i = 0; i < n; ++i) {
        if (i < live) {
            TEffect2d& e = system.effects[visited];
            const bool was = Spent(e);
            UpdateEffect(e);
            if (!was && Spent(e)) {
                ++spent;
                from = std::min(from, visited);
            }
        }
        bool closedUp = false;
        if (spent > 0) {
            while (from < n && (gone[from] || !Spent(system.effects[from]))) ++from;
            if (from < n) {
                gone[from] = true;
                --live;
                --spent;
                closedUp = from <= visited;
            }
        }
        visited = nextLive(visited);
        if (closedUp) visited = nextLive(visited);
    }
    int kept = 0;
    for (int k = 0; k < n; ++k) {
        if (gone[k]) continue;
        if (k != kept) system.effects[kept] = std::move(system.effects[k]);
        ++kept;
    }
    for (int k = kept; k < n; ++k) {
        system.effects[k].kind.clear();
        system.effects[k].fall = 0;
    }
    system.count = kept;
}

void DrawEffect(const TEffect2d& e) {
    const bool light = e.kind == "light", smoke = e.kind == "smoke", blow = e.kind == "blow";
    if (!light && !smoke && !blow) return;
    const int size = M_Round(e.size);
    // Smoke and bursts lie in the world, seen through the game's camera.
    const OE_Camera* camera = Cam2D_Get();
    const int camX = camera ? camera->x : 0, camY = camera ? camera->y : 0;
    int x = 0, y = 0;
    if (light) {
        x = M_Round(e.x - e.size / 2);
        y = M_Round(e.y);
    } else if (smoke) {
        x = M_Round((e.x - camX) - e.size / 2);
        y = M_Round((e.y - camY) - e.size / 2);
    } else {
        x = M_Round(e.x - e.size / 2 - camX);
        y = M_Round((e.y - camY) - e.size / 2);
    }
    FX_SetBlendMode(smoke ? 0 : 1);
    FX_SetColorMix(e.color);
    SSprite_Draw(FindTexture(SharedTextures, smoke ? "smoke" : "light"), x, y, size, size, e.alpha & 0xFF, 0,
                 FX_PLAIN | FX_COLORMIX);
    FX_SetBlendMode(0);
}

void DrawEffects(const Tpart_sys& system) {
    for (int i = 0; i < system.count; ++i) DrawEffect(system.effects[i]);
}

bool CirclesOverlap(int x1, int y1, int x2, int y2, int r1, int r2, float& gap) {
    const float d =
        M_Distance(static_cast<float>(x1), static_cast<float>(y1), static_cast<float>(x2), static_cast<float>(y2));
    const float g = std::fabs(d) - static_cast<float>(r1 + r2);
    gap = std::fabs(g);
    return g < 0;
}
