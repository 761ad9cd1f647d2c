// src/gui owns the toolkit: the element list, the widgets and the catalogue
// of the game's windows. It may use world/, media/ and engine/.
//
// The GUI toolkit's element model: one flat, ordered list of named elements
// (windows and what they hold), processed and drawn once per frame in list
// order, and found by name.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "engine/omega.h"
#include "media/name_index.h"

// A click handler: a plain procedure working on globals and on elements
// found by name.
using ClickHandler = void (*)();

// The base of every GUI element. Its Process is the step every widget runs
// first: a press of the button outside the element takes its focus away and
// throws away typed text that no edit box has taken yet.
class ielement {
  public:
    ielement(std::string_view name, int x, int y, int width, int height, std::string_view caption, bool visible);
    virtual ~ielement() = default;
    ielement(const ielement&) = delete;
    ielement& operator=(const ielement&) = delete;

    // Handles the mouse and keyboard and draws the element, once per frame.
    virtual void Process();

    bool isChild = true;  // false for windows
    std::string name;     // fixed once the element is in Elements: the name index relies on it
    int32_t parent = 0;   // index of the element's window in Elements
    bool visible = false;
    int32_t x = 0, y = 0;  // a child's offset from its window; a window's screen position
    int32_t width = 0, height = 0;
    std::string caption;
    bool hover = false;  // the mouse was inside during the last pass
    // A byte, not a flag: the options file puts whatever byte it holds here,
    // and any value but 0 reads as checked.
    uint8_t checked = 0;
    ClickHandler onClick = nullptr;
    bool focused = false;
    bool fixed = false;  // a window that cannot be dragged

    struct Point {
        int x = 0, y = 0;
    };
    // The top-left corner of the element's window, or 0, 0 for a window.
    Point Origin() const;
    // Whether the mouse is strictly inside the element's rectangle on screen.
    bool MouseInside() const;

  protected:
    // How every widget's Process starts: false for a hidden element;
    // otherwise runs the base step and gives the element's corner on screen.
    bool Begin(int& left, int& top);
};

// The one list of every element, in creation order. It owns them and is only
// ever appended to, so an element's index stays valid for the whole run.
class ElementList {
  public:
    int count() const { return static_cast<int>(items_.size()); }
    ielement& operator[](int index) const { return *items_[index]; }
    // Appends the element and returns its index.
    int append(std::unique_ptr<ielement> element);
    // The index of the last element of that name, or -1.
    int lastNamed(std::string_view name) const { return names_.find(name); }
    // Destroys every element.
    void clear();

  private:
    std::vector<std::unique_ptr<ielement>> items_;
    NameIndex names_;
};

extern ElementList Elements;
// The mouse as the game's last update tick read it: the cursor and the map
// editor follow it.
extern int32_t mousex, mousey;
extern int32_t CurrentWindow;  // the window that elements created from now on belong to
extern OE_Font* GuiFont;
extern OE_Texture* WindowTexture;
extern OE_Texture* ButtonTexture;
extern OE_Sound* ClickSound;
extern OE_Sound* HoverSound;
extern int TextColor;
extern int HighlightColor;
extern int ButtonTextColor;

// The index of the last element with exactly this name; 0, the first
// element, when none has it. Callers act on what they get.
int FindElement(std::string_view name);
// The element FindElement names. The list must not be empty.
ielement& ElementNamed(std::string_view name);
// The element FindElement names when it is of class T, otherwise nullptr.
template <class T>
T* WidgetNamed(std::string_view name) {
    return Elements.count() > 0 ? dynamic_cast<T*>(&Elements[FindElement(name)]) : nullptr;
}

// Whether the mouse lies strictly inside: a mouse on the border is outside.
bool MouseInRect(int x, int y, int width, int height);
// The GUI pass: every element in list order, children only while their
// window is visible. Elements appended during the pass wait for the next.
void ProcessElements();
// Elements created from now on belong to the element appended last.
void SetCurrentWindow();
// Empties Elements and starts the next elements at window 0 again.
void ClearElements();

void SetGuiFont(OE_Font* guiFont);
void SetWindowTexture(OE_Texture* texture);
void SetButtonTexture(OE_Texture* texture);
void SetTextColor(int colour);
void SetHighlightColor(int colour);
void SetButtonTextColor(int colour);
