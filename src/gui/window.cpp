#include "gui/widgets.h"

Iwindow::Iwindow(std::string_view name, int x, int y, int width, int height, std::string_view caption, bool visible)
    : ielement(name, x, y, width, height, caption, visible) {
    isChild = false;
}

void Iwindow::Process() {
    if (!visible) return;
    ielement::Process();
    const bool inTitle = MouseInRect(x, y, width, 20);
    if (Mouse_DblClick(MB_LEFT) && inTitle && onClick) onClick();
    if (inTitle && Mouse_Click(MB_LEFT)) {
        focused = true;
        dragging = true;
        dragX = Mouse_X() - x;
        dragY = Mouse_Y() - y;
    }
    if (dragging && !fixed) {
        if (Mouse_Press(MB_LEFT)) dragging = false;
        if (dragging && Mouse_Down(MB_LEFT)) {
            x = Mouse_X() - dragX;
            y = Mouse_Y() - dragY;
        }
    }
    SSprite_Draw(WindowTexture, x, y, width, height, 255, 0, FX_PLAIN);
    if (!caption.empty()) {
        Pr2D_Rect(x, y, width, 40, HighlightColor, 128, 1);
        DrawCaption(x + width / 2 - CaptionWidth(caption) / 2, y + 4, caption, TextColor);
    }
}
