#include "gui/widgets.h"

void Iimage::Process() {
    int left = 0, top = 0;
    if (!Begin(left, top)) return;
    if (tinted) {
        FX_SetColorMix(tint);
        SSprite_Draw(texture, left, top, width, height, 255, static_cast<float>(angle), FX_PLAIN | FX_COLORMIX);
    } else {
        SSprite_Draw(texture, left, top, width, height, 255, static_cast<float>(angle), FX_PLAIN);
    }
    if (!caption.empty()) {
        DrawCaption(left + width / 2 - CaptionWidth(caption) / 2, top + height + 8, caption, TextColor);
    }
    // A plain picture keeps hover false and stays silent.
    if (!clickable || !MouseInside()) {
        hover = false;
        return;
    }
    if (!hover) PlayGuiSound(HoverSound, 0);
    hover = true;
    // The hover look is the plain picture drawn over the tinted one.
    Pr2D_LineWidth(2);
    SSprite_Draw(texture, left, top, width, height, 255, static_cast<float>(angle), FX_PLAIN);
    if (Mouse_Click(MB_LEFT)) {
        focused = true;
        PlayGuiSound(ClickSound, 0);
        if (onClick) onClick();
    }
}
