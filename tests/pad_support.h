// A game controller plugged in through SDL's virtual joystick, for tests that
// drive the game with a pad and no hardware.
#pragma once

#include <SDL.h>

#include "engine/gamepad.h"
#include "engine/host.h"

class VirtualPad {
  public:
    VirtualPad() {
        SDL_VirtualJoystickDesc desc{};
        desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
        desc.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;
        desc.naxes = SDL_CONTROLLER_AXIS_MAX;
        desc.nbuttons = SDL_CONTROLLER_BUTTON_MAX;
        desc.name = "Test pad";
        desc.userdata = this;
        desc.Rumble = [](void* self, Uint16 low, Uint16) {
            static_cast<VirtualPad*>(self)->rumbles++;
            static_cast<VirtualPad*>(self)->lastRumble = low;
            return 0;
        };
        index_ = SDL_JoystickAttachVirtualEx(&desc);
        joystick_ = index_ >= 0 ? SDL_JoystickOpen(index_) : nullptr;
    }
    ~VirtualPad() { Unplug(); }
    VirtualPad(const VirtualPad&) = delete;
    VirtualPad& operator=(const VirtualPad&) = delete;

    bool plugged() const { return joystick_ != nullptr; }
    void Press(int button, bool down) { SDL_JoystickSetVirtualButton(joystick_, button, down ? 1 : 0); }
    // -1..1 on a stick, 0..1 on a trigger.
    void Tilt(int axis, float amount) {
        SDL_JoystickSetVirtualAxis(joystick_, axis, static_cast<Sint16>(amount * 32767));
    }
    void Unplug() {
        if (!joystick_) return;
        SDL_JoystickClose(joystick_);
        SDL_JoystickDetachVirtual(index_);
        joystick_ = nullptr;
    }

    int rumbles = 0;
    Uint16 lastRumble = 0;

  private:
    int index_ = -1;
    SDL_Joystick* joystick_ = nullptr;
};
