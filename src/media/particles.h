// Short-lived sprite effects: exhaust smoke, bonus bursts, the menu's rising
// lights and the fireworks of a won tournament.
#pragma once

#include <array>
#include <string>
#include <string_view>

inline constexpr int kEffectCapacity = 4097;

struct TEffect2d {
    float fall = 0;  // downward speed gained so far
    int fade = 0;    // alpha lost per update
    int color = 0;
    int alpha = 255;
    float x = 0, y = 0;  // world coordinates for "smoke" and "blow", screen for "light"
    float size = 0;
    std::string kind;  // "light", "smoke", "blow"; "delete" marks a spent effect
    float dx = 0, dy = 0;
};

struct Tpart_sys {
    std::array<TEffect2d, kEffectCapacity> effects;
    int count = 0;
};

extern Tpart_sys Particles;

// Appends one effect; a full system drops it.
void EmitEffect(Tpart_sys& system, std::string_view kind, int fade, float x, float y, float dx, float dy, float size,
                int color);
void UpdateEffect(TEffect2d& effect);
void UpdateEffects(Tpart_sys& system);
void RemoveEffect(Tpart_sys& system, std::string_view kind);
void DrawEffect(const TEffect2d& effect);
void DrawEffects(const Tpart_sys& system);

// True when circles of radii r1 and r2 around the two points overlap
// (touching circles do not); `gap` receives the distance between their edges.
bool CirclesOverlap(int x1, int y1, int x2, int y2, int r1, int r2, float& gap);
