#include "world/draw_world.h"

#include "engine/omega.h"
#include "media/texture_base.h"
#include "world/ground.h"
#include "world/landscape_drawing.h"
#include "world/lighting.h"
#include "world/race.h"
#include "world/sprites.h"

namespace {

// A black copy of the sprite, rotated away from the nearest lamp, its top
// raised by 128 - shadow: the farther the lamp, the longer and fainter.
void DrawShadow(const tminimal& o, const OE_Texture* t) {
    const int w = t ? t->width : 0, h = t ? t->height : 0;
    FX_SetColorMix(0);
    FX_SetVertexes(0, o.shadow - 128, 0, o.shadow - 128, 0, 0, 0, 0);
    SSprite_Draw(t, M_Round(o.x - w / 2 - o.shadowdx), M_Round(o.y - h / 2 - o.shadowdy - 20), w, h, o.shadow,
                 static_cast<float>(o.shadowangle), FX_PLAIN | FX_COLORMIX | FX_VERTEXOFFSET);
}

// Wheels up and body down by `shake`, so a driving car bounces; the body is
// tinted with the car's colour over its own faint shadow.
void DrawVehicle(const tminimal& o) {
    const int n = M_Round(o.frame);
    const OE_Texture* wheels = ObjectSprite(o.name, "_wh", n);
    const int ww = wheels ? wheels->width : 0, wh = wheels ? wheels->height : 0;
    SSprite_Draw(wheels, o.x - ww / 2, o.y - wh - o.shake, ww, wh, 255, 0, FX_PLAIN);
    const OE_Texture* body = ObjectSprite(o.name, "_tp", n);
    const int bw = body ? body->width : 0, bh = body ? body->height : 0;
    FX_SetColorMix(0);
    SSprite_Draw(body, M_Round(o.x - bw / 2 - o.shadowdx / 2), M_Round(o.y - bh + 16 - o.shadowdy / 2), bw, bh,
                 o.shadow, 0, FX_PLAIN | FX_COLORMIX);
    FX_SetColorMix(o.color);
    SSprite_Draw(body, o.x - bw / 2, o.y - bh + o.shake, bw, bh, 255, 0, FX_PLAIN | FX_COLORMIX);
}

void DrawGlow(int x, int y, int size, int flags) {
    FX_SetBlendMode(1);
    SSprite_Draw(FindTexture(SharedTextures, "light"), x, y, size, size, 200, 0, flags);
    FX_SetBlendMode(0);
}

// Cars draw their own body shadow; bonuses glow instead.
bool DrawsShadow(const tminimal& o) { return CastsShadow(o.name) && !HasPrefix(o.name, "bn"); }

// The objects of the view from `first` on.
void DrawObjects(const tworld& v, int first) {
    if (camera) camera->enabled = true;
    for (int i = first; i < v.count; ++i) {
        const tminimal& o = v.objects[i];
        if (o.name.empty()) continue;
        if (IsVehicle(o.name)) {
            DrawVehicle(o);
            continue;
        }
        const OE_Texture* t = ObjectSprite(o.name, "", M_Round(o.frame));
        if (DrawsShadow(o)) DrawShadow(o, t);
        DrawLitObject(o, t);
        if (o.name == "lamp") {
            DrawGlow(o.x - 128, o.y - 230, 256, FX_PLAIN);
        } else if (HasPrefix(o.name, "bn")) {
            FX_SetColorMix(0x00AAFF);
            DrawGlow(o.x - 64, o.y - 80, 128, FX_PLAIN | FX_COLORMIX);
        }
    }
    if (camera) camera->enabled = false;
}

}  // namespace

void DrawGhostCar(std::string_view vehicle, int x, int y, float frame, int colour, int alpha) {
    const int n = M_Round(frame);
    const OE_Texture* wheels = ObjectSprite(vehicle, "_wh", n);
    const OE_Texture* body = ObjectSprite(vehicle, "_tp", n);
    if (!wheels || !body) return;
    if (camera) camera->enabled = true;
    SSprite_Draw(wheels, x - wheels->width / 2, y - wheels->height, wheels->width, wheels->height, alpha, 0, FX_PLAIN);
    FX_SetColorMix(colour);
    SSprite_Draw(body, x - body->width / 2, y - body->height, body->width, body->height, alpha, 0,
                 FX_PLAIN | FX_COLORMIX);
    if (camera) camera->enabled = false;
}

void DrawWorld(const tworld& v) { DrawObjects(v, 0); }

void DrawScene(const tworld& w, const tworld& v) {
    if (camera) camera->enabled = true;
    const int ground = DrawGround(w, v);
    if (camera) camera->enabled = false;
    if (ground < 0) {
        DrawBackdrop();
        DrawWorld(v);
        return;
    }
    DrawObjects(v, ground);
}
