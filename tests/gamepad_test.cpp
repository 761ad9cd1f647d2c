// Pads in the engine binding: plugged in and out while running, buttons
// latched like keys, sticks read from the pad pushed furthest.
#include "engine/gamepad.h"

#include <gtest/gtest.h>

#include "engine/host.h"
#include "engine/omega.h"
#include "pad_support.h"

namespace {

class GamepadTest : public ::testing::Test {
  protected:
    void SetUp() override { Host_OpenHeadless(); }
    void TearDown() override { Host_Shutdown(); }
};

int tickPresses = 0;
void CountStartPresses() {
    if (Pad_Press(PAD_START)) ++tickPresses;
}

}  // namespace

TEST_F(GamepadTest, PadsComeAndGoWhileTheGameRuns) {
    Host_RunFrame();
    EXPECT_EQ(Pad_Count(), 0);
    {
        VirtualPad first;
        ASSERT_TRUE(first.plugged());
        VirtualPad second;
        Host_RunFrame();
        EXPECT_EQ(Pad_Count(), 2);

        // Any pad drives: a button held on either is held, and the stick
        // pushed further wins.
        second.Press(SDL_CONTROLLER_BUTTON_A, true);
        first.Tilt(SDL_CONTROLLER_AXIS_LEFTX, -0.25f);
        second.Tilt(SDL_CONTROLLER_AXIS_LEFTX, 0.75f);
        Host_RunFrame();
        EXPECT_TRUE(Pad_Down(PAD_A));
        EXPECT_NEAR(Pad_Axis(PAD_LEFTX), 0.75f, 0.01f);

        second.Unplug();
        Host_RunFrame();
        EXPECT_EQ(Pad_Count(), 1);
        EXPECT_FALSE(Pad_Down(PAD_A));
        EXPECT_NEAR(Pad_Axis(PAD_LEFTX), -0.25f, 0.01f);
    }
    Host_RunFrame();
    EXPECT_EQ(Pad_Count(), 0);
    EXPECT_FALSE(Host_QuitRequested());
    // The keyboard is untouched by it all.
    Host_KeyEvent(VK_UP, true);
    EXPECT_TRUE(Key_Down(VK_UP));
}

TEST_F(GamepadTest, ButtonPressIsSeenByOneTickOnly) {
    tickPresses = 0;
    Timer_Create(CountStartPresses, 30, 1);
    VirtualPad pad;
    Host_RunFrame();
    pad.Press(SDL_CONTROLLER_BUTTON_START, true);
    for (int i = 0; i < 10; ++i) Host_RunFrame();
    EXPECT_EQ(tickPresses, 1);
    EXPECT_TRUE(Pad_Down(PAD_START));

    // Released and pressed again: a second press.
    pad.Press(SDL_CONTROLLER_BUTTON_START, false);
    Host_RunFrame();
    pad.Press(SDL_CONTROLLER_BUTTON_START, true);
    for (int i = 0; i < 10; ++i) Host_RunFrame();
    EXPECT_EQ(tickPresses, 2);
}

TEST_F(GamepadTest, RumbleReachesEveryPadThatCanShake) {
    VirtualPad pad;
    Host_RunFrame();
    Pad_Rumble(0.25f, 100);
    EXPECT_EQ(pad.rumbles, 1);
    EXPECT_EQ(pad.lastRumble, 0x3FFF);
}

TEST_F(GamepadTest, MappingFileThatCannotBeReadIsRefused) {
    EXPECT_FALSE(Pad_AddMappings("/nonexistent/gamecontrollerdb.txt"));
}
