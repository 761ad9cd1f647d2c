// The player's controls: arrow keys, and any pad plugged in. A pad drives as
// the keys do: its stick and triggers are read as held or not, so a car on a
// pad turns and speeds exactly as on the keyboard.
#include "engine/gamepad.h"
#include "engine/omega.h"
#include "world/race.h"

namespace {

constexpr float kSteerDeadZone = 0.35f;  // a resting stick drifts a little
constexpr float kTriggerPull = 0.3f;

}  // namespace

RaceInput SampleRaceInput() {
    const float stick = Pad_Axis(PAD_LEFTX);
    RaceInput in;
    in.up = Key_Down(VK_UP) || Pad_Down(PAD_A) || Pad_Axis(PAD_TRIGGERRIGHT) > kTriggerPull;
    in.down = Key_Down(VK_DOWN) || Pad_Down(PAD_B) || Pad_Axis(PAD_TRIGGERLEFT) > kTriggerPull;
    in.left = Key_Down(VK_LEFT) || Pad_Down(PAD_LEFT) || stick < -kSteerDeadZone;
    in.right = Key_Down(VK_RIGHT) || Pad_Down(PAD_RIGHT) || stick > kSteerDeadZone;
    return in;
}
