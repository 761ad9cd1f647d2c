#include "gui/element.h"

ElementList Elements;
int32_t mousex = 0, mousey = 0;
int32_t CurrentWindow = 0;
OE_Font* GuiFont = nullptr;
OE_Texture* WindowTexture = nullptr;
OE_Texture* ButtonTexture = nullptr;
OE_Sound* ClickSound = nullptr;
OE_Sound* HoverSound = nullptr;
int TextColor = 0xFFFFFF;
int HighlightColor = 0xFFFFFF;
int ButtonTextColor = 0xFFFFFF;

ielement::ielement(std::string_view name, int x, int y, int width, int height, std::string_view caption, bool visible)
    : name(name), parent(CurrentWindow), visible(visible), x(x), y(y), width(width), height(height), caption(caption) {}

namespace {
bool InList(int index) { return index >= 0 && index < Elements.count(); }
}  // namespace

ielement::Point ielement::Origin() const {
    if (!isChild || !InList(parent)) return {};
    const ielement& window = Elements[parent];
    return {window.x, window.y};
}

bool ielement::MouseInside() const {
    const Point o = Origin();
    return MouseInRect(x + o.x, y + o.y, width, height);
}

void ielement::Process() {
    if (!MouseInside() && Mouse_Down(MB_LEFT)) {
        focused = false;
        Key_BeginReadText("");
    }
}

bool ielement::Begin(int& left, int& top) {
    if (!visible) return false;
    ielement::Process();
    const Point o = Origin();
    left = x + o.x;
    top = y + o.y;
    return true;
}

int ElementList::append(std::unique_ptr<ielement> element) {
    const int index = count();
    names_.assign(element->name, index);
    items_.push_back(std::move(element));
    return index;
}

void ElementList::clear() {
    items_.clear();
    names_.clear();
}

int FindElement(std::string_view name) {
    const int index = Elements.lastNamed(name);
    return index >= 0 ? index : 0;
}

ielement& ElementNamed(std::string_view name) { return Elements[FindElement(name)]; }

bool MouseInRect(int x, int y, int width, int height) {
    const int mx = Mouse_X(), my = Mouse_Y();
    return x < mx && mx < x + width && y < my && my < y + height;
}

void ProcessElements() {
    const int n = Elements.count();
    for (int i = 0; i < n; ++i) {
        ielement& e = Elements[i];
        if (!e.isChild || (InList(e.parent) && Elements[e.parent].visible)) e.Process();
    }
}

void SetCurrentWindow() { CurrentWindow = Elements.count() - 1; }

void ClearElements() {
    Elements.clear();
    CurrentWindow = 0;
}

void SetGuiFont(OE_Font* guiFont) { GuiFont = guiFont; }
void SetWindowTexture(OE_Texture* texture) { WindowTexture = texture; }
void SetButtonTexture(OE_Texture* texture) { ButtonTexture = texture; }
void SetTextColor(int colour) { TextColor = colour; }
void SetHighlightColor(int colour) { HighlightColor = colour; }
void SetButtonTextColor(int colour) { ButtonTextColor = colour; }
