#include "gui/widgets.h"

// Centred on its box; a text of width and height 0 is centred on its x and
// stands 16 pixels above its y.
void Itext::Process() {
    if (!visible) return;
    ielement::Process();
    const Point o = Origin();
    DrawShadowedCaption(x + o.x + width / 2 - CaptionWidth(caption) / 2, y + o.y + height / 2 - 16, caption, 0x222200,
                        TextColor);
}
