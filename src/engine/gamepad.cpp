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

void Button(int slot, int button, bool down) {
    if (slot < 0 || button < 0 || button >= PAD_BUTTONS) return;
    InputState& in = Engine().input;
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
