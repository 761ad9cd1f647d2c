#include <cstdint>

#include "gui/widgets.h"

void Icheckbox::Process() {
    int left = 0, top = 0;
    if (!Begin(left, top)) return;
    if (checked) {
        Pr2D_Rect(left, top, width, height, HighlightColor, 64, 1);
    } else {
        Pr2D_Rect(left, top, width, height, 0x000000, 255, 1);
    }
    if (focused) Pr2D_Rect(left - 1, top - 1, width + 1, height + 1, 0x000000, 128, 0);
    // The caption is the text colour shifted right by one bit as a whole, a
    // dimmer shade of the usual white.
    const int dimmed = static_cast<int>(static_cast<uint32_t>(TextColor) >> 1);
    DrawCaption(left + width / 2 - CaptionWidth(caption) / 2, top + 3, caption, dimmed);
    if (!MouseInside()) return;
    Pr2D_Rect(left, top, width, height, HighlightColor, 64, 1);
    if (Mouse_Click(MB_LEFT)) {
        focused = true;
        checked = checked ? 0 : 1;
        if (onClick) onClick();
    }
}
