// The widgets of the GUI toolkit. Each is built with the common constructor
// (name, x, y, width, height, caption, visible) and does all of its input
// handling and drawing in Process, once per frame.
#pragma once

#include <string>

#include "engine/string_list.h"
#include "gui/element.h"

// A screen or dialog. Its title strip (the top 20 pixels) starts a drag, and
// a double click on it calls the handler.
class Iwindow : public ielement {
  public:
    Iwindow(std::string_view name, int x, int y, int width, int height, std::string_view caption, bool visible);
    void Process() override;

    bool dragging = false;
    int32_t dragX = 0, dragY = 0;  // the mouse's offset from the corner when the drag began
};

// A picture with an optional caption under it; clickable images answer the
// mouse like buttons.
class Iimage : public ielement {
  public:
    using ielement::ielement;
    void Process() override;

    bool clickable = false;
    bool tinted = false;
    int tint = 0;
    OE_Texture* texture = nullptr;
    int32_t angle = 0;  // degrees
};

class Ibutton : public ielement {
  public:
    using ielement::ielement;
    void Process() override;
    // As a click does: the click sound (panned as the mouse's place would
    // pan it) and the handler.
    void Press(int pan = 0);
};

// A clickable notice in fixed colours.
class Ilabel : public ielement {
  public:
    using ielement::ielement;
    void Process() override;
};

// A line of text; it takes no input.
class Itext : public ielement {
  public:
    using ielement::ielement;
    void Process() override;
};

// An independent on/off box; a click toggles `checked` before the handler.
class Icheckbox : public ielement {
  public:
    using ielement::ielement;
    void Process() override;
};

// One line of typed text, kept in `caption`: typing appends at the end while
// the box is focused and the text is narrower than the box, character by
// character, leaving out those that draw nothing; Backspace removes the last
// character.
class Iedit : public ielement {
  public:
    using ielement::ielement;
    void Process() override;

  private:
    std::string shown_;  // the caption with its caret, reused every frame
};

// A list of strings in 40-pixel rows. The rows never move: the list turns
// like a ring instead, and the item at index `selected` is the choice.
class Ilist : public ielement {
  public:
    using ielement::ielement;
    void Process() override;

    TF_list items;
    int32_t selected = 0;
    bool noScrollButtons = false;
    bool noSelectionBar = false;
};

// Which item a row of a list shows: row 0 the last item, row r > 0 the item
// r - 1, as far as the list's height allows; -1 for an empty row.
int ListRowItem(const Ilist& list, int row);

// Drawing shared by the widgets: the GUI font at scale 1, spacing 0, full alpha.
int CaptionWidth(std::string_view text);
void DrawCaption(int x, int y, std::string_view text, int colour);
// The text over its shadow, which lies 2 pixels right and down.
void DrawShadowedCaption(int x, int y, std::string_view text, int shadowColour, int colour);
// Plays a toolkit sound once at full volume and its own rate.
void PlayGuiSound(OE_Sound* sound, int pan);
