// The game played with a pad: the cursor follows the stick, A clicks, B
// takes the way back, Start pauses, and a pad pulled out mid-race leaves the
// keyboard in charge.
#include <SDL.h>

#include <optional>

#include "engine/omega.h"
#include "flow_support.h"
#include "game/pad_controls.h"
#include "game/race_runner.h"
#include "game/settings.h"
#include "pad_support.h"
#include "world/race.h"
#include "world/world.h"

namespace {

class PadFlowTest : public FlowTest {
  protected:
    void LaunchWithProfile() {
        WriteUserFile("prf/Player", std::string("\0\r\n0\r\n", 5));
        Launch();
        ASSERT_EQ(gamestate, stMenu);
        pad.emplace();  // once the game has started the pads' layer
        ASSERT_TRUE(pad->plugged());
        Settle();
    }
    void TearDown() override {
        pad.reset();
        FlowTest::TearDown();
    }
    // Holds a pad button down for one tick and one frame, then lets go.
    void Tap(int button) {
        pad->Press(button, true);
        Settle();
        pad->Press(button, false);
        Settle();
    }
    void PointAt(std::string_view name) {
        const ielement& e = ElementNamed(name);
        const ielement::Point o = e.Origin();
        Host_MouseMove(o.x + e.x + e.width / 2, o.y + e.y + e.height / 2);
    }

    std::optional<VirtualPad> pad;
};

}  // namespace

TEST_F(PadFlowTest, StickMovesTheCursorFasterWhileHeldAndButtonsClickAndGoBack) {
    LaunchWithProfile();
    Host_MouseMove(100, 300);
    pad->Tilt(SDL_CONTROLLER_AXIS_LEFTX, 1.0f);
    Ticks(10);
    const int firstStretch = Mouse_X() - 100;
    const int y = Mouse_Y();
    Ticks(10);
    const int secondStretch = Mouse_X() - 100 - firstStretch;
    pad->Tilt(SDL_CONTROLLER_AXIS_LEFTX, 0);
    EXPECT_GT(firstStretch, 0);
    EXPECT_GT(secondStretch, firstStretch) << "the cursor speeds up while the stick is held";
    EXPECT_EQ(Mouse_Y(), y) << "a stick pushed straight moves the cursor straight";
    Settle();
    const int rest = Mouse_X();
    Settle();
    EXPECT_EQ(Mouse_X(), rest) << "the cursor stops with the stick";

    // A on the options button opens the options, as a click does.
    PointAt("btn_op");
    Tap(SDL_CONTROLLER_BUTTON_A);
    ASSERT_EQ(gamestate, stOptions);
    EXPECT_TRUE(ElementNamed("chk_rbe").visible) << "the rumble choice shows while a pad is plugged in";
    EXPECT_TRUE(ElementNamed("chk_rbe").checked);
    Screenshot("options_with_pad");

    // Rumble off, kept in the settings file, not in main.cfg.
    ClickOn("chk_rbd");
    ClickOn("btn_acc");
    EXPECT_EQ(gamestate, stMenu);
    EXPECT_EQ(SettingValue(ParseSettings(UserFile("settings.cfg")), "rumble", ""), "0");
    EXPECT_EQ(UserFile("main.cfg").find("rumble"), std::string::npos);

    // B leaves a window that has a way back, through its own button.
    ClickOn("btn_op");
    ASSERT_EQ(gamestate, stOptions);
    EXPECT_TRUE(ElementNamed("chk_rbd").checked);
    Tap(SDL_CONTROLLER_BUTTON_B);
    EXPECT_EQ(gamestate, stMenu);
    EXPECT_TRUE(Shown("wnd_menu"));
}

TEST_F(PadFlowTest, StartPausesBLeavesThePauseAndAPulledPadLeavesTheKeyboard) {
    LaunchWithProfile();
    ClickOn("btn_sr");
    ClickOn("btn_start_tr2");
    ASSERT_EQ(gamestate, stRace);
    Tap(SDL_CONTROLLER_BUTTON_START);
    ASSERT_EQ(gamestate, stPaused);
    EXPECT_TRUE(Shown("wnd_pause"));
    Tap(SDL_CONTROLLER_BUTTON_B);
    EXPECT_EQ(gamestate, stRace) << "the pause's Назад resumes the race";

    pad->Unplug();
    Settle();
    EXPECT_EQ(Pad_Count(), 0);
    EXPECT_FALSE(Host_QuitRequested());
    Key(VK_ESCAPE);
    EXPECT_EQ(gamestate, stPaused);
}

TEST_F(PadFlowTest, TheStickSteersTheCarThroughTheWorldStepAsTheArrowKeysDo) {
    LaunchWithProfile();
    ClickOn("btn_sr");
    ClickOn("btn_start_tr2");
    ASSERT_EQ(gamestate, stRace);
    Ticks(140);  // the countdown
    const int car = PlayerCar(world);
    ASSERT_GE(car, 0);
    pad->Tilt(SDL_CONTROLLER_AXIS_TRIGGERRIGHT, 1.0f);
    Ticks(20);
    EXPECT_GT(world.objects[car].speed, 1.0f) << "the right trigger accelerates";

    // Half a stick is a whole key: the car turns right (its frame goes
    // down), tick by tick, as long as the stick is held.
    pad->Tilt(SDL_CONTROLLER_AXIS_LEFTX, 0.5f);
    Settle();
    for (int i = 0; i < 5; ++i) {
        const float frame = world.objects[car].frame;
        const float speed = world.objects[car].speed;
        Ticks(1);
        EXPECT_TRUE(raceinput.right && raceinput.up && !raceinput.left);
        float turned = frame - world.objects[car].frame;
        if (turned < -8) turned += 16;  // past frame 1 round to 16
        EXPECT_GT(turned, 0.0f) << "tick " << i << " at speed " << speed;
    }
    // Within the dead zone the stick steers nothing.
    pad->Tilt(SDL_CONTROLLER_AXIS_LEFTX, 0.2f);
    Settle();
    EXPECT_FALSE(raceinput.right);
}

TEST_F(PadFlowTest, RumbleFollowsTheSetting) {
    LaunchWithProfile();
    PadJolt(0.5f);
    EXPECT_EQ(pad->rumbles, 1);
    SetSetting(settings, "rumble", "0");
    PadJolt(0.5f);
    EXPECT_EQ(pad->rumbles, 1);
}

TEST_F(PadFlowTest, WithoutAPadTheOptionsLookAsEver) {
    WriteUserFile("prf/Player", std::string("\0\r\n0\r\n", 5));
    Launch();
    ClickOn("btn_op");
    ASSERT_EQ(gamestate, stOptions);
    EXPECT_FALSE(ElementNamed("txt_rb").visible);
    EXPECT_FALSE(ElementNamed("chk_rbe").visible);
}
