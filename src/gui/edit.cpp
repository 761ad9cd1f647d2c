#include "engine/characters.h"
#include "engine/font_file.h"
#include "gui/widgets.h"

namespace {

// Removes the last UTF-8 character whole: its continuation bytes and the
// byte that starts it.
void DropLastCharacter(std::string& text) {
    if (text.empty()) return;
    size_t last = text.size() - 1;
    while (last > 0 && (static_cast<unsigned char>(text[last]) & 0xC0) == 0x80) --last;
    text.erase(last);
}

// Typed characters go in one at a time while the text is narrower than the
// box, so a frame's worth of typing obeys the width as single keys do;
// characters that draw nothing are dropped.
void AppendTyped(std::string& text, std::string_view typed, int width) {
    for (size_t pos = 0; pos < typed.size();) {
        const size_t start = pos;
        if (IsUnseenCharacter(DecodeUtf8(typed, pos))) continue;
        if (CaptionWidth(text) >= width) return;
        text.append(typed.substr(start, pos - start));
    }
}

}  // namespace

void Iedit::Process() {
    int left = 0, top = 0;
    if (!Begin(left, top)) return;
    if (focused) {
        // Typing into a full box is lost.
        AppendTyped(caption, Key_EndReadText(), width);
        Key_BeginReadText("");
        if (Key_Press(VK_BACK)) DropLastCharacter(caption);
    }
    Pr2D_Rect(left, top, width, height, 0x000000, 64, 1);
    Pr2D_Rect(left - 1, top - 1, width + 2, height + 2, 0xFFFFFF, 64, 0);
    if (focused) Pr2D_Rect(left - 1, top - 1, width + 2, height + 2, 0x000000, 128, 0);
    const int textX = left + width / 2 - CaptionWidth(caption) / 2;
    DrawCaption(textX, top + 13, caption, TextColor);
    if (focused) {
        // The caret stands right after the text.
        shown_.assign(caption);
        shown_ += '_';
        DrawCaption(textX, top + 13, shown_, TextColor);
    }
    if (!MouseInside()) return;
    Pr2D_Rect(left, top, width, height, HighlightColor, 64, 1);
    if (Mouse_Click(MB_LEFT)) {
        focused = true;
        if (onClick) onClick();
    }
}
