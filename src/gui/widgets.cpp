#include "gui/widgets.h"

int CaptionWidth(std::string_view text) { return Text_GetWidth(GuiFont, text, 1.0f, 0); }

void DrawCaption(int x, int y, std::string_view text, int colour) {
    Text_Draw(GuiFont, x, y, text, 1.0f, 0, 255, colour);
}

void DrawShadowedCaption(int x, int y, std::string_view text, int shadowColour, int colour) {
    DrawCaption(x + 2, y + 2, text, shadowColour);
    DrawCaption(x, y, text, colour);
}

void PlayGuiSound(OE_Sound* sound, int pan) { Snd_Play(sound, pan, 0, 0, false); }
