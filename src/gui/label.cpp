#include "gui/widgets.h"

// A label reacts to the mouse before it draws, in colours of its own.
void Ilabel::Process() {
    int left = 0, top = 0;
    if (!Begin(left, top)) return;
    // The focus outline is drawn fully transparent: a focused label looks
    // like any other.
    if (focused) Pr2D_Rect(left - 1, top - 1, width + 2, height + 2, 0x000080, 0, 0);
    const bool inside = MouseInside();
    if (!hover && inside) PlayGuiSound(HoverSound, 0);
    hover = inside;
    if (inside && Mouse_Click(MB_LEFT)) {
        focused = true;
        PlayGuiSound(ClickSound, 0);
        if (onClick) onClick();
    }
    DrawShadowedCaption(left + width / 2 - CaptionWidth(caption) / 2, top + height / 2 - 8, caption, 0x220000,
                        0x0000FF);
}
