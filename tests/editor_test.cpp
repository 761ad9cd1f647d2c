// The map editor driven as a player drives it: the whole game started
// headless on a small data folder, F12, then Shift with the mouse buttons,
// the panel's boxes and buttons, and F5, all through injected input.
#include "editor/editor.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "engine/host.h"
#include "engine/paths.h"
#include "game/shell.h"
#include "game_driver.h"
#include "gui/element.h"
#include "gui/notice.h"
#include "gui/widgets.h"
#include "media/sound_base.h"
#include "media/texture_base.h"
#include "support.h"
#include "world/world.h"
#include "world/world_file.h"

namespace {

namespace fs = std::filesystem;

constexpr uint32_t kTreeColour = 0x00AA00;

class EditorTest : public ::testing::Test, public GameDriver {
  protected:
    void SetUp() override {
        const fs::path data = scratch.path() / "data";
        fs::create_directories(data / "gfx/obj");
        fs::create_directories(data / "gfx/share");
        fs::create_directories(data / "wld");
        fs::copy(TestDataFolder() + "/fnt", data / "fnt");
        fs::create_directories(data / "sfx");
        // The panel's own sounds, and "bad" for a refused file name.
        for (const char* sound : {"bad.wav", "click.wav", "select.wav"}) {
            fs::copy(TestDataFolder() + "/sfx/" + sound, data / "sfx" / sound);
        }
        // The base's first texture is a small dot: a lookup that misses its
        // sprite falls back to it and shows up in sizes.
        WriteSolidTga((data / "gfx/obj/a_dot1.tga").string(), 6, 6, 0xFFFFFF);
        WriteSolidTga((data / "gfx/obj/tree1.tga").string(), 96, 96, kTreeColour);
        WriteSolidTga((data / "gfx/obj/rock1.tga").string(), 48, 48, 0x777777);
        WriteSolidTga((data / "gfx/obj/lamp1.tga").string(), 24, 64, 0xCCCCCC);
        WriteSolidTga((data / "gfx/obj/jeep_wh1.tga").string(), 64, 64, 0x222222);
        WriteSolidTga((data / "gfx/obj/jeep_tp1.tga").string(), 64, 64, 0xFFFFFF);
        WriteFile((data / "gfx/obj/list.txt").string(), "tree\r\nrock\r\njeep\r\nlamp\r\n");
        // A player with a profile: with none, F12 would leave the profile
        // window open over the editor.
        fs::create_directories(scratch.path() / "user/prf");
        WriteFile((scratch.path() / "user/prf/Player").string(), std::string("\0\r\n", 3));
        Start(data.string(), (scratch.path() / "user").string());
        ASSERT_EQ(gamestate, stMenu);
        Host_MouseMove(400, 300);
        Key(VK_F12);
        ASSERT_EQ(gamestate, stEditor);
        ASSERT_EQ(camera->x, 0);
    }
    void TearDown() override { Stop(); }

    void ShiftButton(int button, int x, int y) {
        Host_KeyEvent(VK_SHIFT, true);
        Button(button, x, y);
        Host_KeyEvent(VK_SHIFT, false);
    }
    // Turns the item list one step a frame, with its lower scroll square,
    // until `item` is the selected one.
    void Select(std::string_view item) {
        const ielement& list = ElementNamed("lst_items");
        const ielement::Point o = list.Origin();
        Host_MouseMove(o.x + list.x + list.width - 10, o.y + list.y + list.height - 10);
        for (int turns = 0; turns < 4 && SelectedItem() != item; ++turns) {
            Host_MouseButton(MB_LEFT, true);
            Host_RunFrame();
            Host_MouseButton(MB_LEFT, false);
            Host_RunFrame();
        }
        ASSERT_EQ(SelectedItem(), item);
    }
    std::string SelectedItem() {
        const Ilist* list = WidgetNamed<Ilist>("lst_items");
        return list->items.items[list->selected];
    }

    static void ExpectObject(int i, std::string_view name, int x, int y) {
        ASSERT_LT(i, world.count);
        EXPECT_EQ(world.objects[i].name, name) << i;
        EXPECT_EQ(world.objects[i].x, x) << i;
        EXPECT_EQ(world.objects[i].y, y) << i;
    }

    // What the editor wrote: every file but the game data and the profile.
    std::vector<std::string> UserFiles() {
        std::vector<std::string> files;
        for (const auto& entry : fs::recursive_directory_iterator(scratch.path())) {
            const std::string path = entry.path().string();
            if (entry.is_regular_file() && path.find("/data/") == std::string::npos &&
                path.find("/prf/") == std::string::npos) {
                files.push_back(path);
            }
        }
        return files;
    }

    static long BadSounds() {
        const OE_Sound* bad = FindSound(Sounds, "bad");
        long n = 0;
        for (const HostSoundPlay& p : Host_SoundLog()) n += p.sound == bad ? 1 : 0;
        return n;
    }

    ScratchFolder scratch;
};

TEST_F(EditorTest, ClicksWithoutShiftChangeNothing) {
    Button(MB_LEFT, 200, 200);
    Button(MB_RIGHT, 200, 200);
    Host_MouseMove(300, 300);
    Host_MouseButton(MB_MIDDLE, true);
    Ticks(3);
    Host_MouseButton(MB_MIDDLE, false);
    EXPECT_EQ(world.count, 0);
    ClickOn("chk_wp");
    Button(MB_LEFT, 200, 200);
    EXPECT_EQ(world.waypointcount, 0);
    // The same click with Shift does lay one.
    ShiftButton(MB_LEFT, 200, 200);
    EXPECT_EQ(world.waypointcount, 1);
}

TEST_F(EditorTest, PlacingSnapsToTheEightPixelGridOncePerCell) {
    ShiftButton(MB_LEFT, 101, 203);
    ASSERT_EQ(world.count, 1);
    ExpectObject(0, "tree", 100, 204);
    EXPECT_EQ(world.objects[0].color, 0x111111);
    EXPECT_EQ(world.objects[0].width, 96) << "placed objects are measured";
    // Another item in the same cell adds nothing.
    Select("rock");
    ShiftButton(MB_LEFT, 96, 207);
    EXPECT_EQ(world.count, 1);
    // The next cell takes the rock, with the ticked flags.
    ClickOn("chk_ai");
    ClickOn("chk_dyn");
    ShiftButton(MB_LEFT, 104, 207);
    ASSERT_EQ(world.count, 2);
    ExpectObject(1, "rock", 108, 204);
    EXPECT_EQ(world.objects[1].ai, 1);
    EXPECT_EQ(world.objects[1].dynamic, 1);
}

TEST_F(EditorTest, PaintingFillsEachThirtyTwoPixelCellOnce) {
    Host_KeyEvent(VK_SHIFT, true);
    Host_MouseMove(40, 100);
    Host_MouseButton(MB_MIDDLE, true);
    Ticks(3);
    Host_MouseMove(60, 120);  // still the same cell
    Ticks(3);
    Host_MouseMove(70, 100);
    Ticks(3);
    Host_MouseMove(100, 140);
    Ticks(3);
    Host_MouseButton(MB_MIDDLE, false);
    Host_KeyEvent(VK_SHIFT, false);
    Ticks(2);
    ASSERT_EQ(world.count, 3);
    ExpectObject(0, "tree", 36, 100);
    ExpectObject(1, "tree", 68, 100);
    ExpectObject(2, "tree", 100, 132);
    // Painting ignores the waypoint box.
    ClickOn("chk_wp");
    Host_KeyEvent(VK_SHIFT, true);
    Host_MouseMove(300, 300);
    Host_MouseButton(MB_MIDDLE, true);
    Ticks(2);
    Host_MouseButton(MB_MIDDLE, false);
    Host_KeyEvent(VK_SHIFT, false);
    EXPECT_EQ(world.count, 4);
    EXPECT_EQ(world.waypointcount, 0);
}

TEST_F(EditorTest, DeletingRemovesTheLowerIndexWithinItsOwnSpritesReach) {
    ShiftButton(MB_LEFT, 200, 300);  // tree at (204, 300), pick radius 96 * 2 / 6 = 32
    Select("rock");
    ShiftButton(MB_LEFT, 216, 300);  // rock at (220, 300), pick radius 16
    ASSERT_EQ(world.count, 2);
    // Outside both circles: nothing goes.
    ShiftButton(MB_RIGHT, 204, 340);
    EXPECT_EQ(world.count, 2);
    // Inside both: the tree, placed first, goes.
    ShiftButton(MB_RIGHT, 212, 300);
    ASSERT_EQ(world.count, 1);
    EXPECT_EQ(world.objects[0].name, "rock");
    // The tree's own width, not some other sprite's, sets its reach.
    Select("tree");
    ShiftButton(MB_LEFT, 400, 300);
    ASSERT_EQ(world.count, 2);
    ShiftButton(MB_RIGHT, 404, 300 - 30);
    EXPECT_EQ(world.count, 1);
    EXPECT_EQ(world.objects[0].name, "rock");
}

TEST_F(EditorTest, WaypointsFollowTheMouseAndUndoStopsAtZero) {
    ClickOn("btn_dwp");
    EXPECT_EQ(world.waypointcount, 0);
    ClickOn("chk_wp");
    ShiftButton(MB_LEFT, 101, 203);
    ShiftButton(MB_LEFT, 301, 403);
    ASSERT_EQ(world.waypointcount, 2);
    EXPECT_EQ(world.waypoints[0].x, 101);
    EXPECT_EQ(world.waypoints[0].y, 203);
    EXPECT_EQ(world.count, 0);
    ClickOn("btn_dwp");
    EXPECT_EQ(world.waypointcount, 1);
    ClickOn("btn_dwp");
    ClickOn("btn_dwp");
    EXPECT_EQ(world.waypointcount, 0);
}

TEST_F(EditorTest, ColourBoxTakesDecimalAndDollarHexAndKeepsTheLastGoodValue) {
    Type("edt_col", "$FF0000");
    ShiftButton(MB_LEFT, 100, 100);
    Type("edt_col", "$FF00zz");
    ShiftButton(MB_LEFT, 200, 100);
    Type("edt_col", "255");
    ShiftButton(MB_LEFT, 300, 100);
    ASSERT_EQ(world.count, 3);
    EXPECT_EQ(world.objects[0].color, 0xFF0000);
    EXPECT_EQ(world.objects[1].color, 0xFF0000);
    EXPECT_EQ(world.objects[2].color, 255);

    int colour = 7;
    EXPECT_TRUE(ParseColour("$00aaFF", colour));
    EXPECT_EQ(colour, 0x00AAFF);
    EXPECT_TRUE(ParseColour("-5", colour));
    EXPECT_EQ(colour, -5);
    EXPECT_TRUE(ParseColour("$FFFFFFFF", colour));
    EXPECT_EQ(colour, -1);
    colour = 7;
    for (const char* bad : {"", "$", "$-1", "12a", " 12", "$100000000", "2147483648", "0x10"}) {
        EXPECT_FALSE(ParseColour(bad, colour)) << bad;
    }
    EXPECT_EQ(colour, 7);
}

TEST_F(EditorTest, ScrollingAtTheEdgesKeepsTheGrid) {
    Host_MouseMove(5, 300);
    Ticks(3);
    EXPECT_EQ(camera->x, -48);
    Host_MouseMove(795, 595);
    Ticks(2);
    EXPECT_EQ(camera->x, -16);
    EXPECT_EQ(camera->y, 32);
    Host_MouseMove(400, 300);
    ShiftButton(MB_LEFT, 101, 203);
    ASSERT_EQ(world.count, 1);
    ExpectObject(0, "tree", 100 - 16, 204 + 32);
}

TEST_F(EditorTest, MirroringTwiceRestoresEveryPosition) {
    Select("jeep");
    ShiftButton(MB_LEFT, 100, 100);
    Select("lamp");
    ShiftButton(MB_LEFT, 300, 150);
    ClickOn("chk_wp");
    ShiftButton(MB_LEFT, 50, 60);
    ShiftButton(MB_LEFT, 450, 70);
    ASSERT_EQ(world.count, 2);
    world.objects[0].frame = 9.0f;
    const auto kept = std::make_unique<tworld>(world);
    const tworld& before = *kept;

    Key(VK_F5);
    EXPECT_EQ(world.objects[0].x, -before.objects[0].x);
    EXPECT_EQ(world.waypoints[1].x, -450);
    EXPECT_EQ(world.objects[0].frame, 5.0f);
    EXPECT_EQ(camera->x, -800) << "the camera looks at the mirrored stretch";
    Key(VK_F5);
    for (int i = 0; i < world.count; ++i) {
        EXPECT_EQ(world.objects[i].x, before.objects[i].x) << i;
        EXPECT_EQ(world.objects[i].y, before.objects[i].y) << i;
    }
    for (int i = 0; i < world.waypointcount; ++i) {
        EXPECT_EQ(world.waypoints[i].x, before.waypoints[i].x) << i;
        EXPECT_EQ(world.waypoints[i].y, before.waypoints[i].y) << i;
    }
    EXPECT_EQ(world.objects[0].frame, 5.0f);
    EXPECT_EQ(world.objects[1].frame, 1.0f);
    EXPECT_EQ(world.objects[1].cornercolor, before.objects[1].cornercolor) << "lit as before";
    EXPECT_EQ(camera->x, 0);
}

TEST_F(EditorTest, SaveWritesThePlayersCopyAndLoadPrefersIt) {
    ShiftButton(MB_LEFT, 100, 100);
    ClickOn("chk_wp");
    ShiftButton(MB_LEFT, 120, 130);
    Type("edt_save", "mine");
    ClickOn("btn_save");
    const std::string saved = UserPath("wld/mine.wld");
    ASSERT_TRUE(fs::exists(saved));
    EXPECT_EQ(ReadFile(saved), "1\r\ntree\r\n100\r\n100\r\n0\r\n0\r\n1118481\r\n1\r\n120\r\n130\r\n");
    EXPECT_FALSE(fs::exists(saved + ".tmp"));

    // The game's own copy of the same name is passed over for the player's.
    WriteFile(DataPath("wld/mine.wld"), "0\r\n0\r\n");
    WriteFile(DataPath("wld/theirs.wld"), "1\r\nrock\r\n8\r\n9\r\n0\r\n1\r\n5\r\n0\r\n");
    Type("edt_load", "theirs");
    ClickOn("btn_load");
    ASSERT_EQ(world.count, 1);
    EXPECT_EQ(world.objects[0].name, "rock");
    EXPECT_EQ(world.objects[0].dynamic, 1);
    EXPECT_EQ(world.waypointcount, 0);
    Type("edt_load", "mine");
    ClickOn("btn_load");
    ASSERT_EQ(world.count, 1);
    EXPECT_EQ(world.objects[0].name, "tree");
    EXPECT_EQ(world.waypointcount, 1);
    EXPECT_EQ(world.objects[0].width, 96);
}

TEST_F(EditorTest, BadNamesAndBadFilesLoseNothing) {
    ShiftButton(MB_LEFT, 100, 100);
    for (const char* name : {"", "..", "../x", "a/b", "a\\b"}) {
        const long refused = BadSounds();
        Type("edt_save", name);
        ClickOn("btn_save");
        EXPECT_TRUE(UserFiles().empty()) << name;
        EXPECT_EQ(BadSounds(), refused + 1) << name;
    }
    EXPECT_TRUE(IsSafeWorldName("Track 2"));
    EXPECT_FALSE(IsSafeWorldName("tab\tname"));

    // Neither a broken file nor a missing one costs the track being edited.
    WriteFile(DataPath("wld/broken.wld"), "2\r\ntree\r\n1\r\n");
    for (const char* name : {"broken", "missing", "../x"}) {
        const long refused = BadSounds();
        Type("edt_load", name);
        ClickOn("btn_load");
        EXPECT_EQ(BadSounds(), refused + 1) << name;
        EXPECT_EQ(world.count, 1) << name;
        ExpectObject(0, "tree", 100, 100);
    }
    EXPECT_TRUE(ticktimer->enabled);
}

TEST_F(EditorTest, SavesThatFailOrCannotBeRacedAreToldOnScreen) {
    const auto notice = [] { return ElementNamed("wnd_note").visible ? ElementNamed("lb_note").caption : ""; };
    ShiftButton(MB_LEFT, 100, 100);
    ClickOn("chk_wp");
    ShiftButton(MB_LEFT, 120, 130);
    Type("edt_save", "short");
    ClickOn("btn_save");
    EXPECT_TRUE(fs::exists(UserPath("wld/short.wld"))) << "saved all the same";
    EXPECT_NE(notice().find("меньше двух точек"), std::string::npos) << notice();
    ShiftButton(MB_LEFT, 300, 130);
    Ticks(kNoticeTicks);
    ClickOn("btn_save");
    EXPECT_EQ(notice(), "") << "two waypoints make a loop";

    fs::create_directories(UserPath("wld/taken.wld/inside"));
    const long refused = BadSounds();
    Type("edt_save", "taken");
    ClickOn("btn_save");
    EXPECT_EQ(notice(), "Трасса не сохранена");
    EXPECT_EQ(BadSounds(), refused + 1);
    Type("edt_save", "a/b");
    ClickOn("btn_save");
    EXPECT_EQ(notice(), "Такое имя трассы не подходит");
}

TEST_F(EditorTest, DrawsWaypointsOnlyWhenWayIsTickedAndThePreviewWhileShiftIsHeld) {
    // The preview: the selected tree under the mouse while Shift is down.
    Host_MouseMove(301, 301);
    Settle();
    EXPECT_NE(Host_ReadPixel(300, 280), kTreeColour);
    Host_KeyEvent(VK_SHIFT, true);
    Settle();
    EXPECT_EQ(Host_ReadPixel(300, 280), kTreeColour);
    EXPECT_EQ(world.count, 0);
    Host_KeyEvent(VK_SHIFT, false);
    // A car shows as its wheels and its white body in the box's colour.
    Select("jeep");
    Host_MouseMove(301, 301);
    Host_KeyEvent(VK_SHIFT, true);
    Settle();
    EXPECT_EQ(Host_ReadPixel(300, 280), 0x111111u);
    Host_KeyEvent(VK_SHIFT, false);
    Settle();

    // A waypoint's circle of 120 px, shown only while "Way" is ticked.
    ClickOn("chk_wp");
    ShiftButton(MB_LEFT, 300, 300);
    Host_MouseMove(100, 100);
    Settle();
    EXPECT_EQ(Host_ReadPixel(420, 300), 0x00FF00u);
    ClickOn("chk_wp");
    Host_MouseMove(100, 100);
    Settle();
    EXPECT_NE(Host_ReadPixel(420, 300), 0x00FF00u);
}

TEST_F(EditorTest, FElevenLeavesAndFTwelveComesBack) {
    EXPECT_TRUE(ElementNamed("wnd_main").visible);
    EXPECT_FALSE(ElementNamed("wnd_pr").visible);
    Key(VK_F11);
    EXPECT_EQ(gamestate, stMenu);
    // The editor no longer answers the mouse.
    ShiftButton(MB_LEFT, 100, 100);
    EXPECT_EQ(world.count, 0);
    Key(VK_F12);
    EXPECT_EQ(gamestate, stEditor);
    ShiftButton(MB_LEFT, 100, 100);
    EXPECT_EQ(world.count, 1);
}

}  // namespace
