// Replays: races played again from their files by the program itself, the
// same to the last tick with or without drawing; replays of changed tracks
// and damaged files refused; the ghost on the recorded path.
#include "game/replay.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "engine/paths.h"
#include "game/ghost.h"
#include "game/settings.h"
#include "support.h"

namespace {

namespace fs = std::filesystem;

struct Outcome {
    std::string out;    // standard output: the result line
    std::string err;    // standard error
    std::string trace;  // the trace's hash, when one was asked for
    int status = -1;
};

// Runs the game headless with `args`; the trace (if any) goes through a pipe
// into its hash, so no trace of hundreds of megabytes is written.
Outcome Game(const ScratchFolder& scratch, const std::string& args, bool trace) {
    const std::string command = std::string(KOLVETRA_BINARY) + " --headless " + args +
                                (trace ? " --trace /dev/fd/3 3>&1" : "") + " 1>'" + (scratch / "out") + "' 2>'" +
                                (scratch / "err") + "'";
    Outcome o;
    std::FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return o;
    Fnv1a hash;
    char buffer[1 << 16];
    size_t got = 0;
    while ((got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) hash.Add(buffer, got);
    const int status = pclose(pipe);
    o.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    o.out = ReadFile(scratch / "out");
    o.err = ReadFile(scratch / "err");
    if (trace) o.trace = hash.Hex();
    return o;
}

std::string Folders(const std::string& data, const std::string& user) {
    return "--data '" + data + "' --user-dir '" + user + "'";
}

struct Case {
    const char* track;
    int difficulty;
};
constexpr Case kCases[] = {{"beach1", 0}, {"city2", 2}, {"forest1r", 1}, {"icy2", 0}};

// Whole races on four tournament tracks at every difficulty, each recorded
// and then played from its replay in another player's folder: the same
// result, and nothing written for the second player.
TEST(ReplayRaces, WholeRacesEndAsRecorded) {
    for (const Case& c : kCases) {
        ScratchFolder scratch;
        const std::string race = Folders(TestDataFolder(), scratch / "rec") + " --no-draw --seed 20261208 --race " +
                                 c.track + " --difficulty " + std::to_string(c.difficulty) +
                                 " --autopilot --until-result";
        const Outcome recorded = Game(scratch, race, false);
        ASSERT_EQ(recorded.out.rfind("result ", 0), 0u) << c.track << ": " << recorded.out << recorded.err;
        const Outcome replayed = Game(scratch,
                                      Folders(TestDataFolder(), scratch / "watch") + " --no-draw --replay '" +
                                          (scratch / "rec/replays/last.rpl") + "' --until-result",
                                      false);
        EXPECT_EQ(replayed.out, recorded.out) << c.track << replayed.err;
        EXPECT_EQ(replayed.status, 0);
        EXPECT_FALSE(fs::exists(scratch / "watch/replays")) << c.track;
        EXPECT_FALSE(fs::exists(scratch / "watch/records.txt")) << c.track;
    }
}

// The start of the same races, traced: every tick of the world the same.
TEST(ReplayRaces, TracesMatchTickForTick) {
    for (const Case& c : kCases) {
        ScratchFolder scratch;
        const std::string race = Folders(TestDataFolder(), scratch / "rec") + " --no-draw --seed 77 --race " + c.track +
                                 " --difficulty " + std::to_string(c.difficulty) + " --autopilot --max-ticks 300";
        const Outcome recorded = Game(scratch, race, true);
        const Outcome replayed = Game(scratch,
                                      Folders(TestDataFolder(), scratch / "watch") + " --no-draw --replay '" +
                                          (scratch / "rec/replays/last.rpl") + "' --max-ticks 300",
                                      true);
        EXPECT_EQ(replayed.trace, recorded.trace) << c.track;
        EXPECT_EQ(replayed.out, recorded.out) << c.track;
    }
}

// Waypoints of an oval of 6400 px, the player's car beside waypoint 0 and a
// computer car behind it: a whole race small enough to draw every frame.
const char* kOval =
    "2\r\njeep\r\n-100\r\n60\r\n0\r\n0\r\n0\r\njeep\r\n-100\r\n-100\r\n1\r\n0\r\n255\r\n"
    "8\r\n0\r\n0\r\n1200\r\n0\r\n1800\r\n400\r\n1800\r\n1000\r\n1200\r\n1400\r\n0\r\n1400\r\n-600\r\n1000\r\n"
    "-600\r\n400\r\n";

class OvalReplay : public ::testing::Test {
  protected:
    void SetUp() override {
        fs::create_directories(scratch / "data/gfx/obj");
        fs::create_directories(scratch / "rec/wld");
        WriteSolidTga(scratch / "data/gfx/obj/jeep_wh1.tga", 64, 64, 0x00FF00);
        WriteFile(scratch / "data/gfx/obj/list.txt", "tree\r\n");
        WriteFile(scratch / "rec/wld/oval.wld", kOval);
    }
    // The oval raced in the player's folder `user`.
    Outcome Race(const std::string& options, bool trace) {
        return Game(scratch,
                    Folders(scratch / "data", scratch / "rec") + " --seed 3 --race oval --autopilot " + options, trace);
    }
    Outcome Replay(const std::string& file, const std::string& options, bool trace) {
        return Game(scratch, Folders(scratch / "data", scratch / "rec") + " --replay '" + file + "' " + options, trace);
    }
    ScratchFolder scratch;
};

// Drawn frames take nothing from the race: a race recorded while drawing
// plays the same without drawing, and the other way round. Drawing is slow,
// so the drawn runs stop a while after the countdown.
TEST_F(OvalReplay, DrawingTakesNothingFromTheRace) {
    const Outcome drawn = Race("--max-ticks 320", true);
    ASSERT_EQ(drawn.out.rfind("timeout track=oval ticks=320 ", 0), 0u) << drawn.out << drawn.err;
    fs::copy_file(scratch / "rec/replays/last.rpl", scratch / "drawn.rpl");
    const Outcome plain = Replay(scratch / "drawn.rpl", "--no-draw --max-ticks 320", true);
    EXPECT_EQ(plain.out, drawn.out);
    EXPECT_EQ(plain.trace, drawn.trace);

    const Outcome undrawn = Race("--no-draw --max-ticks 320", true);
    EXPECT_EQ(undrawn.trace, drawn.trace);
    const Outcome watched = Replay(scratch / "rec/replays/last.rpl", "--max-ticks 320", true);
    EXPECT_EQ(watched.out, undrawn.out);
    EXPECT_EQ(watched.trace, undrawn.trace);
}

// A whole race with its every tick traced, played back.
TEST_F(OvalReplay, WholeRaceTracesTheSame) {
    const Outcome raced = Race("--no-draw --until-result", true);
    ASSERT_EQ(raced.out.rfind("result ", 0), 0u) << raced.err;
    const Outcome replayed = Replay(scratch / "rec/replays/last.rpl", "--no-draw --until-result", true);
    EXPECT_EQ(replayed.out, raced.out);
    EXPECT_EQ(replayed.trace, raced.trace);
}

// Watched on screen, a replay is left with Escape, which ends the program
// instead of pausing the race.
TEST_F(OvalReplay, EscapeLeavesAReplay) {
    ASSERT_EQ(Race("--no-draw --max-ticks 400", false).status, 0);
    WriteFile(scratch / "escape.txt", "60 keydown 27\n");
    const std::string trace = scratch / "watched.jsonl";
    const Outcome left =
        Replay(scratch / "rec/replays/last.rpl",
               "--frames 900 --input '" + (scratch / "escape.txt") + "' --trace '" + trace + "'", false);
    EXPECT_EQ(left.status, 0) << left.err;
    const std::string ticks = ReadFile(trace);
    const long lines = std::count(ticks.begin(), ticks.end(), '\n');
    EXPECT_GT(lines, 20);
    EXPECT_LT(lines, 60) << "the replay ran on after Escape";
}

TEST_F(OvalReplay, ChangedTrackIsRefused) {
    ASSERT_EQ(Race("--no-draw --max-ticks 200", false).status, 0);
    const std::string file = scratch / "rec/replays/last.rpl";
    WriteFile(scratch / "rec/wld/oval.wld", std::string(kOval) + "\r\n");
    const Outcome refused = Replay(file, "--no-draw --until-result", false);
    EXPECT_EQ(refused.status, 2);
    EXPECT_EQ(refused.out, "") << "the race never starts";
    EXPECT_NE(refused.err.find(file + ": the track oval has changed"), std::string::npos) << refused.err;
}

TEST_F(OvalReplay, DamagedFilesAreRefusedByName) {
    ASSERT_EQ(Race("--no-draw --max-ticks 200", false).status, 0);
    const std::string whole = ReadFile(scratch / "rec/replays/last.rpl");
    const struct {
        std::string bytes;
        const char* fault;
    } kDamaged[] = {
        {whole.substr(0, whole.size() - 30), "cut short at tick"},
        {"kolvetra-replay 9\n", "not a replay of this version"},
        {whole.substr(0, whole.find("vehicle")) + "vehicle 7" + whole.substr(whole.find("\ncolour")), "bad vehicle"},
        {whole + "1 2 3 4\n", "more ticks than it says"},
    };
    for (const auto& d : kDamaged) {
        const std::string file = scratch / "bad.rpl";
        WriteFile(file, d.bytes);
        const Outcome refused = Replay(file, "--no-draw --until-result", false);
        EXPECT_EQ(refused.status, 2) << d.fault;
        EXPECT_NE(refused.err.find(file + ": " + d.fault), std::string::npos) << refused.err;
        EXPECT_EQ(ReadFile(file), d.bytes) << "a bad replay is left as it is";
    }
}

// The player's car of a trace line: x and y of the object with "ai":0.
bool PlayerPosition(const std::string& line, int& x, int& y) {
    const size_t ai = line.find("\"ai\":0,");
    const size_t at = line.rfind("{\"name\"", ai);
    if (ai == std::string::npos || at == std::string::npos) return false;
    x = std::atoi(line.c_str() + line.find("\"x\":", at) + 4);
    y = std::atoi(line.c_str() + line.find("\"y\":", at) + 4);
    return true;
}

// The best race's ghost stands, after each tick t, where the player's car
// stood after tick t of that race.
TEST_F(OvalReplay, GhostFollowsTheRecordedPath) {
    const std::string trace = scratch / "trace.jsonl";
    ASSERT_EQ(Race("--no-draw --until-result --trace '" + trace + "'", false).status, 0);
    ASSERT_TRUE(fs::exists(scratch / "rec/replays/oval.rpl")) << "a first race is the track's best";
    SetDataFolder(scratch / "data");
    SetUserFolder(scratch / "rec");
    settings = {};
    PrepareGhost("oval", 0);
    EXPECT_FALSE(GhostShown()) << "tournament races have no ghost";
    PrepareGhost("oval", 1);
    ASSERT_TRUE(GhostShown());
    std::FILE* f = std::fopen(trace.c_str(), "r");
    ASSERT_NE(f, nullptr);
    std::vector<char> line(1 << 16);
    int tick = 0, matched = 0;
    while (std::fgets(line.data(), static_cast<int>(line.size()), f)) {
        ++tick;
        int x = 0, y = 0;
        ReplayTick ghost;
        ASSERT_TRUE(PlayerPosition(line.data(), x, y));
        ASSERT_TRUE(GhostAt(tick, ghost));
        matched += ghost.x == x && ghost.y == y;
    }
    std::fclose(f);
    EXPECT_GT(tick, 1000);
    EXPECT_EQ(matched, tick);

    SetSetting(settings, "ghost", "0");
    PrepareGhost("oval", 1);
    EXPECT_FALSE(GhostShown()) << "turned off in the options";
    settings = {};
}

}  // namespace
