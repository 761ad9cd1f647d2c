#include "gui/widgets.h"

// Centred on its box; a text of width and height 0 is centred on its x and
// stands 16 pixels above its y.
void Itext::Process() {
    int left = 0, top = 0;
    if (!Begin(left, top)) return;
    DrawShadowedCaption(left + width / 2 - CaptionWidth(caption) / 2, top + height / 2 - 16, caption, 0x222200,
                        TextColor);
}
