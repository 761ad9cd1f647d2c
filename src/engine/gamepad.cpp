// Game controllers through SDL's game controller layer.
#include "engine/gamepad.h"

#include <algorithm>
#include <cmath>

#include "engine/state.h"

static_assert(PAD_RIGHT == SDL_CONTROLLER_BUTTON_DPAD_RIGHT && PAD_BUTTONS == 15);
static_assert(PAD_TRIGGERRIGHT == SDL_CONTROLLER_AXIS_TRIGGERRIGHT && PAD_AXES == 6);

namespace {

PadState& Pads() { return Engine().input.pads; }

int SlotOf(SDL_JoystickID id) {
    PadState& pads = Pads();
    for (int i = 0; i < pads.count; ++i) {
        if (SDL_JoystickInstanceID(SDL_GameControllerGetJoystick(pads.open[i])) == id) return i;
    }
    return -1;
}

void Open(int deviceIndex) {
    PadState& pads = Pads();
    if (pads.count == PadState::kCapacity) return;
    SDL_GameController* pad = SDL_GameControllerOpen(deviceIndex);
    if (!pad) return;
    // A pad can be announced twice (at start-up and by its event): keep one.
    if (SlotOf(SDL_JoystickInstanceID(SDL_GameControllerGetJoystick(pad))) >= 0) {
        SDL_GameControllerClose(pad);
        return;
    }
    pads.open[pads.count] = pad;
    pads.axes[pads.count] = {};
    pads.buttons[pads.count] = {};
    ++pads.count;
}

void Close(int slot) {
    PadState& pads = Pads();
    SDL_GameControllerClose(pads.open[slot]);
    --pads.count;
    pads.open[slot] = pads.open[pads.count];
    pads.axes[slot] = pads.axes[pads.count];
    pads.buttons[slot] = pads.buttons[pads.count];
    pads.open[pads.count] = nullptr;
}

// A in pointer mode is the left mouse button; a press that began while a
// car was driven is not, so letting go of the throttle clicks nothing.
void PointerButton(bool down) {
    PadState& pads = Pads();
    if (down && pads.pointerMode && !pads.pointerButtonDown) {
        pads.pointerButtonDown = true;
        Host_MouseButton(MB_LEFT, true);
    } else if (!down && pads.pointerButtonDown) {
        pads.pointerButtonDown = false;
        Host_MouseButton(MB_LEFT, false);
    }
}

void Button(int slot, int button, bool down) {
    if (slot < 0 || button < 0 || button >= PAD_BUTTONS) return;
    InputState& in = Engine().input;
    if (button == PAD_A) PointerButton(down);
    if (down && !Pad_Down(button)) {
        for (InputEdges& edges : in.pending) edges.padPress[button] = true;
    }
    in.pads.buttons[slot][button] = down;
}

}  // namespace

bool Pad_HandleEvent(const SDL_Event& ev) {
    switch (ev.type) {
        case SDL_CONTROLLERDEVICEADDED: Open(ev.cdevice.which); return true;
        case SDL_CONTROLLERDEVICEREMOVED: {
            const int slot = SlotOf(ev.cdevice.which);
            if (slot >= 0) Close(slot);
            return true;
        }
        case SDL_CONTROLLERBUTTONDOWN:
        case SDL_CONTROLLERBUTTONUP:
            Button(SlotOf(ev.cbutton.which), ev.cbutton.button, ev.type == SDL_CONTROLLERBUTTONDOWN);
            return true;
        case SDL_CONTROLLERAXISMOTION: {
            const int slot = SlotOf(ev.caxis.which);
            if (slot >= 0 && ev.caxis.axis < PAD_AXES) Pads().axes[slot][ev.caxis.axis] = ev.caxis.value;
            return true;
        }
        default: return false;
    }
}

void Pad_CloseAll() {
    while (Pads().count > 0) Close(Pads().count - 1);
}

int Pad_Count() { return Pads().count; }

bool Pad_Down(int button) {
    if (button < 0 || button >= PAD_BUTTONS) return false;
    const PadState& pads = Pads();
    for (int i = 0; i < pads.count; ++i) {
        if (pads.buttons[i][button]) return true;
    }
    return false;
}

bool Pad_Press(int button) {
    const InputState& in = Engine().input;
    return button >= 0 && button < PAD_BUTTONS && in.current[static_cast<int>(in.context)].padPress[button];
}

float Pad_Axis(int axis) {
    if (axis < 0 || axis >= PAD_AXES) return 0;
    const PadState& pads = Pads();
    int furthest = 0;
    for (int i = 0; i < pads.count; ++i) {
        if (std::abs(pads.axes[i][axis]) > std::abs(furthest)) furthest = pads.axes[i][axis];
    }
    return std::clamp(furthest / 32767.0f, -1.0f, 1.0f);
}

void Pad_SetPointerMode(bool on) { Pads().pointerMode = on; }

void Pad_MovePointer(double ms) {
    ms = std::min(ms, 100.0);  // a stalled frame does not throw the cursor across the screen
    PadState& pads = Pads();
    if (!pads.pointerMode || pads.count == 0) return;
    constexpr float kDeadZone = 0.2f;
    const auto push = [](float stick, bool less, bool more) {
        if (less || more) return more ? 1.0f : -1.0f;
        return std::abs(stick) < kDeadZone ? 0.0f : (stick - std::copysign(kDeadZone, stick)) / (1 - kDeadZone);
    };
    const float dx = push(Pad_Axis(PAD_LEFTX), Pad_Down(PAD_LEFT), Pad_Down(PAD_RIGHT));
    const float dy = push(Pad_Axis(PAD_LEFTY), Pad_Down(PAD_UP), Pad_Down(PAD_DOWN));
    if (dx == 0 && dy == 0) {
        pads.pointerHeldMs = 0;
        return;
    }
    // From a careful 0.25 px/ms to 1.2 px/ms (the screen's width in under a
    // second) after a second held; the cursor keeps its fractions between frames.
    const int x = Mouse_X(), y = Mouse_Y();
    if (pads.pointerHeldMs == 0) {
        pads.pointerX = x;
        pads.pointerY = y;
    }
    pads.pointerHeldMs += ms;
    const double speed = 0.25 + 0.95 * std::min(pads.pointerHeldMs / 1000.0, 1.0);
    pads.pointerX = std::clamp(pads.pointerX + dx * speed * ms, 0.0, kScreenWidth - 1.0);
    pads.pointerY = std::clamp(pads.pointerY + dy * speed * ms, 0.0, kScreenHeight - 1.0);
    Host_MouseMove(static_cast<int>(pads.pointerX), static_cast<int>(pads.pointerY));
}

void Pad_Rumble(float strength, int ms) {
    const Uint16 level = static_cast<Uint16>(std::clamp(strength, 0.0f, 1.0f) * 0xFFFF);
    const PadState& pads = Pads();
    for (int i = 0; i < pads.count; ++i) {
        SDL_GameControllerRumble(pads.open[i], level, level, static_cast<Uint32>(std::max(ms, 0)));
    }
}

bool Pad_AddMappings(const std::string& path) {
    if (!SDL_WasInit(SDL_INIT_GAMECONTROLLER)) return false;
    return SDL_GameControllerAddMappingsFromFile(path.c_str()) >= 0;
}
