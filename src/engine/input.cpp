// Keyboard, mouse and typed text, with Windows virtual-key codes.
#include <algorithm>
#include <cstdio>
#include <fstream>
#include <sstream>

#include "engine/files.h"
#include "engine/state.h"

void InputEdges::merge(const InputEdges& other) {
    keyPress |= other.keyPress;
    padPress |= other.padPress;
    for (int b = 0; b < 3; ++b) {
        mouseClick[b] = mouseClick[b] || other.mouseClick[b];
        mouseRelease[b] = mouseRelease[b] || other.mouseRelease[b];
        mouseDouble[b] = mouseDouble[b] || other.mouseDouble[b];
    }
}

namespace {

InputState& In() { return Engine().input; }

const InputEdges& Edges() { return In().current[static_cast<int>(In().context)]; }

int VirtualKeyOf(SDL_Scancode sc) {
    if (sc >= SDL_SCANCODE_A && sc <= SDL_SCANCODE_Z) return 'A' + (sc - SDL_SCANCODE_A);
    if (sc >= SDL_SCANCODE_1 && sc <= SDL_SCANCODE_9) return '1' + (sc - SDL_SCANCODE_1);
    if (sc >= SDL_SCANCODE_F1 && sc <= SDL_SCANCODE_F12) return 112 + (sc - SDL_SCANCODE_F1);
    if (sc >= SDL_SCANCODE_KP_1 && sc <= SDL_SCANCODE_KP_9) return 97 + (sc - SDL_SCANCODE_KP_1);
    switch (sc) {
        case SDL_SCANCODE_0: return '0';
        case SDL_SCANCODE_KP_0: return 96;
        case SDL_SCANCODE_BACKSPACE: return 8;
        case SDL_SCANCODE_TAB: return 9;
        case SDL_SCANCODE_RETURN:
        case SDL_SCANCODE_KP_ENTER: return 13;
        case SDL_SCANCODE_LSHIFT:
        case SDL_SCANCODE_RSHIFT: return 16;
        case SDL_SCANCODE_LCTRL:
        case SDL_SCANCODE_RCTRL: return 17;
        case SDL_SCANCODE_LALT:
        case SDL_SCANCODE_RALT: return 18;
        case SDL_SCANCODE_PAUSE: return 19;
        case SDL_SCANCODE_ESCAPE: return 27;
        case SDL_SCANCODE_SPACE: return 32;
        case SDL_SCANCODE_PAGEUP: return 33;
        case SDL_SCANCODE_PAGEDOWN: return 34;
        case SDL_SCANCODE_END: return 35;
        case SDL_SCANCODE_HOME: return 36;
        case SDL_SCANCODE_LEFT: return 37;
        case SDL_SCANCODE_UP: return 38;
        case SDL_SCANCODE_RIGHT: return 39;
        case SDL_SCANCODE_DOWN: return 40;
        case SDL_SCANCODE_INSERT: return 45;
        case SDL_SCANCODE_DELETE: return 46;
        default: return 0;
    }
}

void ToggleFullscreen() {
    EngineState& e = Engine();
    Screen_ApplyFullscreen(!e.fullscreen);
}

}  // namespace

// ---------------------------------------------------------------- events, real and injected

void Host_KeyEvent(int vk, bool down) {
    if (vk <= 0 || vk > 255) return;
    InputState& in = In();
    if (down && !in.keyDown[vk]) {
        in.pending[0].keyPress[vk] = true;
        in.pending[1].keyPress[vk] = true;
    }
    in.keyDown[vk] = down;
}

void Host_MouseMove(int x, int y) {
    In().mouseX = x;
    In().mouseY = y;
}

namespace {
void MouseButtonEvent(int button, bool down, bool dbl) {
    if (button < 0 || button > 2) return;
    InputState& in = In();
    for (InputEdges& edges : in.pending) {
        if (down) edges.mouseClick[button] = true;
        if (!down) edges.mouseRelease[button] = true;
        if (down && dbl) edges.mouseDouble[button] = true;
    }
    in.mouseDown[button] = down;
}
}  // namespace

void Host_MouseButton(int button, bool down) { MouseButtonEvent(button, down, false); }

void Host_TypeText(std::string_view utf8) {
    InputState& in = In();
    if (in.readingText) in.text.append(utf8);
}

void Input_PumpEvents() {
    SDL_Event ev;
    while (SDL_PollEvent(&ev)) {
        switch (ev.type) {
            case SDL_QUIT: OE_Quit(); break;
            case SDL_KEYDOWN:
                if (ev.key.keysym.scancode == SDL_SCANCODE_RETURN && (ev.key.keysym.mod & KMOD_ALT)) {
                    if (!ev.key.repeat) ToggleFullscreen();
                    break;
                }
                if (!ev.key.repeat) Host_KeyEvent(VirtualKeyOf(ev.key.keysym.scancode), true);
                break;
            case SDL_KEYUP: Host_KeyEvent(VirtualKeyOf(ev.key.keysym.scancode), false); break;
            case SDL_MOUSEMOTION: Host_MouseMove(ev.motion.x, ev.motion.y); break;
            case SDL_MOUSEBUTTONDOWN:
            case SDL_MOUSEBUTTONUP: {
                const int button = ev.button.button == SDL_BUTTON_LEFT     ? MB_LEFT
                                   : ev.button.button == SDL_BUTTON_RIGHT  ? MB_RIGHT
                                   : ev.button.button == SDL_BUTTON_MIDDLE ? MB_MIDDLE
                                                                           : -1;
                Host_MouseMove(ev.button.x, ev.button.y);
                MouseButtonEvent(button, ev.type == SDL_MOUSEBUTTONDOWN, ev.button.clicks >= 2);
                break;
            }
            case SDL_TEXTINPUT: Host_TypeText(ev.text.text); break;
            default: Pad_HandleEvent(ev); break;
        }
    }
}

void Input_BeginContext(InputContext context) {
    InputState& in = In();
    const int c = static_cast<int>(context);
    in.current[c] = in.pending[c];
    in.pending[c].clear();
    in.context = context;
}

void Input_EndContext(InputContext context) {
    InputState& in = In();
    in.current[static_cast<int>(context)].clear();
    in.context = InputContext::Frame;
}

void Input_ResetAll() {
    InputState& in = In();
    const PadState pads = in.pads;  // the pads stay plugged in
    in = InputState{};
    in.pads = pads;
    Engine().script.clear();
    Engine().scriptNext = 0;
    Engine().frameIndex = 0;
}

// ---------------------------------------------------------------- the engine's queries

int Mouse_X() { return In().mouseX; }
int Mouse_Y() { return In().mouseY; }

bool Mouse_Down(int button) { return button >= 0 && button < 3 && In().mouseDown[button]; }
bool Mouse_Click(int button) { return button >= 0 && button < 3 && Edges().mouseClick[button]; }
bool Mouse_Press(int button) { return button >= 0 && button < 3 && Edges().mouseRelease[button]; }
bool Mouse_DblClick(int button) { return button >= 0 && button < 3 && Edges().mouseDouble[button]; }

bool Key_Down(int vk) { return vk > 0 && vk < 256 && In().keyDown[vk]; }
bool Key_Press(int vk) { return vk > 0 && vk < 256 && Edges().keyPress[vk]; }

void Key_BeginReadText(std::string_view text) {
    InputState& in = In();
    in.text.assign(text);
    if (!in.readingText && Engine().window) SDL_StartTextInput();
    in.readingText = true;
}

std::string Key_EndReadText() {
    InputState& in = In();
    in.readingText = false;
    return std::move(in.text);
}

// ---------------------------------------------------------------- scripted input

bool Host_LoadInputScript(const std::string& path, std::string& error) {
    std::ifstream file(PathOf(path));
    if (!file) {
        error = "cannot open the input script " + path;
        return false;
    }
    std::vector<ScriptedEvent> events;
    std::string line;
    int lineNo = 0;
    while (std::getline(file, line)) {
        ++lineNo;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        const size_t start = line.find_first_not_of(" \t");
        if (start == std::string::npos || line[start] == '#') continue;
        std::istringstream fields(line);
        long frame = -1;
        std::string command;
        fields >> frame >> command;
        const auto fail = [&](const char* what) {
            error = path + ":" + std::to_string(lineNo) + ": " + what;
            return false;
        };
        if (fields.fail() || frame < 0) return fail("expected '<frame> <command> ...'");
        ScriptedEvent ev;
        ev.frame = frame;
        int a = 0, b = 0;
        if (command == "keydown" || command == "keyup") {
            if (!(fields >> a)) return fail("expected a virtual-key code");
            const bool down = command == "keydown";
            ev.apply = [a, down] { Host_KeyEvent(a, down); };
        } else if (command == "move") {
            if (!(fields >> a >> b)) return fail("expected x and y");
            ev.apply = [a, b] { Host_MouseMove(a, b); };
        } else if (command == "down" || command == "up") {
            if (!(fields >> a) || a < 0 || a > 2) return fail("expected a mouse button 0, 1 or 2");
            const bool down = command == "down";
            ev.apply = [a, down] { Host_MouseButton(a, down); };
        } else if (command == "click") {
            if (!(fields >> a >> b)) return fail("expected x and y");
            ev.apply = [a, b] {
                Host_MouseMove(a, b);
                Host_MouseButton(MB_LEFT, true);
                Host_MouseButton(MB_LEFT, false);
            };
        } else if (command == "text") {
            std::string rest;
            std::getline(fields, rest);
            if (!rest.empty() && rest.front() == ' ') rest.erase(0, 1);
            ev.apply = [rest] { Host_TypeText(rest); };
        } else {
            return fail("unknown command");
        }
        events.push_back(std::move(ev));
    }
    std::stable_sort(events.begin(), events.end(),
                     [](const ScriptedEvent& x, const ScriptedEvent& y) { return x.frame < y.frame; });
    Engine().script = std::move(events);
    Engine().scriptNext = 0;
    return true;
}

void Input_RunScript(long frame) {
    EngineState& e = Engine();
    while (e.scriptNext < e.script.size() && e.script[e.scriptNext].frame <= frame) {
        e.script[e.scriptNext].apply();
        ++e.scriptNext;
    }
}
