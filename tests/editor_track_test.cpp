// A whole track built in the map editor by the game itself, driven by a
// scripted input file: ground, road, start line, lamps, trees, three cars and
// the waypoint loop, saved, loaded back, and shown with its waypoints.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "gui/string_list.h"
#include "support.h"

namespace {

namespace fs = std::filesystem;

// The editor's panel stands at x 650; its elements' centres on screen.
struct Point {
    int x, y;
};
constexpr Point kSaveBox{700, 60}, kSaveButton{772, 60}, kLoadBox{700, 110}, kLoadButton{772, 110};
constexpr Point kListDown{780, 430}, kAiBox{700, 470}, kWayBox{772, 470};

// Writes the scripted input, a few frames per step so that an update tick
// sees every step.
class InputScript {
  public:
    explicit InputScript(const std::string& objectList) { ReadLines(objectList, items_); }

    void Event(const std::string& command) { text_ += std::to_string(frame_) + " " + command + "\n"; }
    void Wait(int frames) { frame_ += frames; }
    void Key(int vk) {
        Event("keydown " + std::to_string(vk));
        Wait(3);
        Event("keyup " + std::to_string(vk));
        Wait(3);
    }
    void Shift(bool down) {
        Event(std::string(down ? "keydown" : "keyup") + " 16");
        Wait(3);
    }
    // The button stays down for a few frames, as under a hand: a press seen
    // by the GUI pass is what takes the focus from the other edit boxes.
    void Click(Point p) {
        Event("move " + std::to_string(p.x) + " " + std::to_string(p.y));
        Event("down 1");
        Wait(3);
        Event("up 1");
        Wait(3);
    }
    // Places with Shift held; the panel is clicked without it.
    void Place(std::initializer_list<Point> points) {
        Shift(true);
        for (const Point& p : points) Click(p);
        Shift(false);
    }
    // Turns the item list with its lower square, one step a frame, until the
    // item comes first.
    void Select(const std::string& item) {
        int index = -1;
        for (int i = 0; i < items_.count; ++i) {
            if (items_.items[i] == item) index = i;
        }
        ASSERT_GE(index, 0) << item;
        const int turns = ((index - turned_) % items_.count + items_.count) % items_.count;
        Event("move " + std::to_string(kListDown.x) + " " + std::to_string(kListDown.y));
        Wait(1);
        for (int i = 0; i < turns; ++i) {
            Event("down 1");
            Wait(1);
            Event("up 1");
            Wait(1);
        }
        turned_ = index;
        Wait(2);
    }
    // Replaces the text of an edit box holding `old`.
    void Type(Point box, const std::string& old, const std::string& text) {
        Click(box);
        for (size_t i = 0; i < old.size(); ++i) Key(8);
        Event("text " + text);
        Wait(3);
    }

    const std::string& text() const { return text_; }
    int frame() const { return frame_; }

  private:
    TF_list items_;
    std::string text_;
    int frame_ = 1;
    int turned_ = 0;
};

void BuildTrack(InputScript& s) {
    s.Key(123);  // F12
    s.Select("lnd_grass");
    s.Place(
        {{124, 260}, {380, 260}, {636, 260}, {124, 516}, {380, 516}, {636, 516}, {124, 588}, {380, 588}, {636, 588}});
    s.Select("lnd_road");
    // A rectangular loop through (100, 100), (540, 100), (540, 500), (100, 500).
    s.Place({{100, 196},
             {196, 196},
             {292, 196},
             {388, 196},
             {484, 196},
             {540, 196},
             {540, 292},
             {540, 388},
             {540, 484},
             {540, 580},
             {444, 580},
             {348, 580},
             {252, 580},
             {156, 580},
             {100, 580},
             {100, 484},
             {100, 388},
             {100, 292}});
    s.Select("lnd_start");
    s.Place({{320, 196}});
    s.Select("lamp");
    s.Place({{28, 36}, {612, 36}, {612, 572}, {28, 572}, {320, 300}});
    s.Select("tree");
    s.Place({{236, 260}, {420, 380}, {236, 420}});
    s.Select("jeep");
    s.Place({{252, 108}});
    s.Click(kAiBox);
    s.Select("car");
    s.Place({{196, 76}});
    s.Select("tank");
    s.Place({{196, 140}});
    s.Click(kAiBox);
    s.Click(kWayBox);
    s.Place({{320, 100}, {540, 100}, {540, 500}, {100, 500}, {100, 100}});
    s.Type(kSaveBox, "test", "edtrack");
    s.Click(kSaveButton);
}

class EditorTrack : public ::testing::Test {
  protected:
    // Runs the game headless on the built data with this input; true when
    // it ended cleanly.
    bool Run(const InputScript& s, const std::string& extra) {
        WriteFile(scratch / "input.txt", s.text());
        const std::string command = std::string("ASAN_OPTIONS=detect_leaks=0 '") + KOLVETRA_BINARY +
                                    "' --headless --seed 7 --data '" + TestDataFolder() + "' --user-dir '" + user +
                                    "' --input '" + scratch / "input.txt" + "' --frames " +
                                    std::to_string(s.frame() + 10) + " " + extra;
        return std::system(command.c_str()) == 0;
    }

    ScratchFolder scratch;
    std::string user = scratch / "user";
};

TEST_F(EditorTrack, BuiltSavedAndLoadedBackWithItsWaypointsShown) {
    InputScript s(TestDataFolder() + "/gfx/obj/list.txt");
    BuildTrack(s);
    s.Type(kLoadBox, "test", "edtrack");
    s.Click(kLoadButton);
    s.Event("move 400 300");
    s.Wait(5);
    const std::string folder = TestDataFolder() + "/../screens/";
    fs::create_directories(folder);
    ASSERT_TRUE(Run(s, "--screenshot '" + folder + "editor.png'"));

    TF_list saved;
    ASSERT_TRUE(ReadLines(user + "/wld/edtrack.wld", saved));
    // 9 grass, 18 road, the start line, 5 lamps, 3 trees and 3 cars.
    ASSERT_EQ(saved.items[0], "39");
    const int waypoints = 1 + 39 * 6;
    EXPECT_EQ(saved.items[waypoints], "5");
    EXPECT_EQ(saved.items[waypoints + 1], "320");
    // The cars, last placed: the player's jeep, then two computer cars.
    const int jeep = 1 + 36 * 6;
    EXPECT_EQ(saved.items[jeep], "jeep");
    EXPECT_EQ(saved.items[jeep + 3], "0");
    EXPECT_EQ(saved.items[jeep + 6], "car");
    EXPECT_EQ(saved.items[jeep + 9], "1");
    EXPECT_EQ(saved.items[jeep + 12], "tank");
    EXPECT_EQ(saved.items[jeep + 15], "1");
    EXPECT_TRUE(fs::exists(folder + "editor.png"));
}

}  // namespace
