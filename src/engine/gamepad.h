// Game controllers. Any number of pads may be plugged in and out while the
// game runs; they are read together as one: a button is held when it is held
// on any pad, and a stick reads the pad pushed furthest. Buttons and axes
// follow the common controller layout of SDL's mapping database.
#pragma once

#include <string>

enum PadButton : int {
    PAD_A,
    PAD_B,
    PAD_X,
    PAD_Y,
    PAD_BACK,
    PAD_GUIDE,
    PAD_START,
    PAD_LEFTSTICK,
    PAD_RIGHTSTICK,
    PAD_LEFTSHOULDER,
    PAD_RIGHTSHOULDER,
    PAD_UP,
    PAD_DOWN,
    PAD_LEFT,
    PAD_RIGHT,
    PAD_BUTTONS
};

enum PadAxis : int { PAD_LEFTX, PAD_LEFTY, PAD_RIGHTX, PAD_RIGHTY, PAD_TRIGGERLEFT, PAD_TRIGGERRIGHT, PAD_AXES };

// Pads open now.
int Pad_Count();
bool Pad_Down(int button);   // held on any pad
bool Pad_Press(int button);  // pressed since the last tick / frame, as Key_Press
// Sticks from -1 (left, up) to 1 (right, down); triggers from 0 to 1.
float Pad_Axis(int axis);
// While on, the left stick and the D-pad move the mouse cursor, faster the
// longer they are held, and A works as the left mouse button. Off while the
// pads drive a car.
void Pad_SetPointerMode(bool on);
// Shakes every pad that can, strength 0..1, for ms milliseconds.
void Pad_Rumble(float strength, int ms);
// Adds controller mappings from a file in SDL's gamecontrollerdb.txt format
// (for pads the built-in database lacks); false when the file cannot be read.
bool Pad_AddMappings(const std::string& path);
