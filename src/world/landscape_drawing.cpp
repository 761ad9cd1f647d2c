#include "world/landscape_drawing.h"

#include "engine/omega.h"

void DrawBackdrop() { Pr2D_Rect(0, 0, kScreenWidth, kScreenHeight, kBackdropColour, 255, 1); }

void DrawLitObject(const tminimal& o, const OE_Texture* t) {
    const int w = t ? t->width : 0, h = t ? t->height : 0;
    const auto& c = o.cornercolor;
    FX_SetVCA(c[0], c[1], c[2], c[3], 255, 255, 255, 255);
    if (o.name == "lnd_water") {
        const auto& wo = o.wateroffset;
        FX_SetVertexes(wo[0].dx, wo[0].dy, wo[1].dx, wo[1].dy, wo[2].dx, wo[2].dy, wo[3].dx, wo[3].dy);
        SSprite_Draw(t, o.x - w / 2, o.y - h, w, h, 255, 0, FX_PLAIN | FX_VERTEXOFFSET | FX_VERTEXCOLOR);
    } else {
        SSprite_Draw(t, o.x - w / 2, o.y - h, w, h, 255, 0, FX_PLAIN | FX_VERTEXCOLOR);
    }
}
