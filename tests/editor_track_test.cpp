// A whole track built in the map editor by the game itself, driven by a
// scripted input file: ground, road, start line, lamps, trees, three cars and
// the waypoint loop, saved, loaded back, and shown with its waypoints.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "engine/string_list.h"
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
    // The list as the editor shows it: without the bonuses, which it does not offer.
    explicit InputScript(const std::string& objectList) {
        TF_list all;
        ReadLines(objectList, all);
        for (int i = 0; i < all.count; ++i) {
            if (all.items[i].rfind("bn", 0) != 0) AddItem(items_, all.items[i]);
        }
    }

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
    void Place(const std::vector<Point>& points) {
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

// The road patches (192 px) stand every 96 px along the loop; a patch's
// position is its bottom centre, 96 px below the centre line.
std::vector<Point> RoadAround(int left, int top, int right, int bottom) {
    std::vector<Point> road;
    const auto side = [&road](Point from, Point to) {
        const int steps = std::max(std::abs(to.x - from.x), std::abs(to.y - from.y)) / 96;
        for (int i = 0; i < steps; ++i) {
            road.push_back({from.x + (to.x - from.x) * i / steps, from.y + (to.y - from.y) * i / steps + 96});
        }
    };
    side({left, top}, {right, top});
    side({right, top}, {right, bottom});
    side({right, bottom}, {left, bottom});
    side({left, bottom}, {left, top});
    return road;
}

// A rectangular loop through (100, 100), (540, 100), (540, 480), (100, 480)
// on grass, lit by five lamps, three cars behind the start line. Nothing
// lies within 10 px of the screen's bottom edge, where the camera scrolls.
const std::vector<Point> kRoad = RoadAround(100, 100, 540, 480);
constexpr int kBeforeTheCars = 9 + 1 + 5 + 3;  // grass, start line, lamps and trees, besides the road

void BuildTrack(InputScript& s) {
    s.Key(123);  // F12
    s.Select("lnd_grass");
    s.Place(
        {{124, 260}, {380, 260}, {636, 260}, {124, 516}, {380, 516}, {636, 516}, {124, 588}, {380, 588}, {636, 588}});
    s.Select("lnd_road");
    s.Place(kRoad);
    s.Select("lnd_start");
    s.Place({{344, 196}});
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
    s.Place({{344, 100}, {540, 100}, {540, 480}, {100, 480}, {100, 100}});
    s.Type(kSaveBox, "test", "edtrack");
    s.Click(kSaveButton);
}

// Runs the game headless on the built data; true when it ended cleanly.
bool RunGame(const std::string& user, const std::string& options) {
    const std::string command = std::string("ASAN_OPTIONS=detect_leaks=0 '") + KOLVETRA_BINARY +
                                "' --headless --seed 7 --data '" + TestDataFolder() + "' --user-dir '" + user + "' " +
                                options;
    return std::system(command.c_str()) == 0;
}

// The track is built once, by the game, for every test here: saved, then
// loaded back in the editor and shown with its waypoints in
// screens/editor.png of the build folder.
class EditorTrack : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        scratch = new ScratchFolder;
        InputScript s(TestDataFolder() + "/gfx/obj/list.txt");
        BuildTrack(s);
        s.Type(kLoadBox, "test", "edtrack");
        s.Click(kLoadButton);
        s.Event("move 400 300");
        s.Wait(5);
        const std::string folder = TestDataFolder() + "/../screens/";
        fs::create_directories(folder);
        WriteFile(*scratch / "input.txt", s.text());
        // A player with a profile: with none, F12 leaves the profile window
        // open over the editor, and the placing clicks would land on it.
        fs::create_directories(User() + "/prf");
        WriteFile(User() + "/prf/Player", std::string("\0\r\n", 3));
        built = RunGame(User(), "--input '" + *scratch / "input.txt" + "' --frames " + std::to_string(s.frame() + 10) +
                                    " --screenshot '" + folder + "editor.png'");
    }
    static void TearDownTestSuite() {
        delete scratch;
        scratch = nullptr;
    }
    static std::string User() { return *scratch / "user"; }

    static inline ScratchFolder* scratch = nullptr;
    static inline bool built = false;
};

TEST_F(EditorTrack, IsSavedAsPlaced) {
    ASSERT_TRUE(built);
    TF_list saved;
    ASSERT_TRUE(ReadLines(User() + "/wld/edtrack.wld", saved));
    const int count = kBeforeTheCars + static_cast<int>(kRoad.size()) + 3;
    ASSERT_EQ(saved.items[0], std::to_string(count));
    const int waypoints = 1 + count * 6;
    EXPECT_EQ(saved.items[waypoints], "5");
    EXPECT_EQ(saved.items[waypoints + 1], "344");
    // The cars, last placed: the player's jeep, then two computer cars.
    const int jeep = 1 + (count - 3) * 6;
    EXPECT_EQ(saved.items[jeep], "jeep");
    EXPECT_EQ(saved.items[jeep + 3], "0");
    EXPECT_EQ(saved.items[jeep + 6], "car");
    EXPECT_EQ(saved.items[jeep + 9], "1");
    EXPECT_EQ(saved.items[jeep + 12], "tank");
    EXPECT_EQ(saved.items[jeep + 15], "1");
}

TEST_F(EditorTrack, IsRacedToAResult) {
    ASSERT_TRUE(built);
    const std::string help = *scratch / "help.txt";
    ASSERT_TRUE(RunGame(User(), "--help > '" + help + "'"));
    if (ReadFile(help).find("--race") == std::string::npos) GTEST_SKIP() << "this build has no race runner";
    const std::string result = *scratch / "result.txt";
    ASSERT_TRUE(RunGame(User(), "--race edtrack --autopilot --until-result --no-draw > '" + result + "'"));
    EXPECT_NE(ReadFile(result), "");
}

}  // namespace
