#include "gui/widgets.h"

void Ibutton::Process() {
    int left = 0, top = 0;
    if (!Begin(left, top)) return;
    // The face follows the hover state of the last pass, so it changes one
    // frame after the mouse enters or leaves.
    if (hover) {
        SSprite_Draw(ButtonTexture, left + 4, top + 4, width - 8, height - 8, 255, 0, FX_PLAIN);
    } else {
        SSprite_Draw(ButtonTexture, left, top, width, height, 255, 0, FX_PLAIN);
    }
    DrawShadowedCaption(left + width / 2 - CaptionWidth(caption) / 2, top + height / 2 - 16, caption, 0x222200,
                        ButtonTextColor);
    const bool inside = MouseInside();
    // The sounds follow the mouse across the screen.
    if (!hover && inside) PlayGuiSound(HoverSound, Mouse_X() - kScreenWidth / 2);
    hover = inside;
    if (inside && Mouse_Click(MB_LEFT)) Press(Mouse_X() - kScreenWidth / 2);
}

void Ibutton::Press(int pan) {
    focused = true;
    PlayGuiSound(ClickSound, pan);
    if (onClick) onClick();
}
