// World files: the exact bytes written, loading with the race set-up, and
// every way a file can be broken.
#include "world/world_file.h"

#include <filesystem>

#include "engine/random.h"
#include "world_support.h"

namespace {

// Two computer cars, the player's jeep, water, flags beyond one byte on
// purpose written back as bytes, negative positions and colours.
const char* const kTrack =
    "5\r\n"
    "lnd_water\r\n-40\r\n300\r\n0\r\n0\r\n1118481\r\n"
    "jeep\r\n100\r\n200\r\n0\r\n0\r\n65280\r\n"
    "jeep\r\n900\r\n200\r\n1\r\n0\r\n255\r\n"
    "car\r\n-10\r\n-20\r\n1\r\n1\r\n-1\r\n"
    "my tree\r\n0\r\n0\r\n0\r\n1\r\n16777215\r\n"
    "3\r\n"
    "0\r\n0\r\n500\r\n0\r\n250\r\n-400\r\n";

class WorldFile : public WorldTest {
  protected:
    void SetUp() override {
        WorldTest::SetUp();
        setup = RaceSetup{};
    }
    // Loads as a race does: the update tick restarts from the load.
    WorldFileResult Load(const std::string& path) {
        const WorldFileResult r = WorldLoad(*w, path, setup);
        RestartRaceTick();
        return r;
    }
    std::string Write(const std::string& name, const std::string& bytes) {
        const std::string path = scratch / name;
        WriteFile(path, bytes);
        return path;
    }
    std::string SaveAndRead(const std::string& name) {
        const std::string path = scratch / name;
        const WorldFileResult r = WorldSave(*w, path);
        EXPECT_TRUE(r.ok) << r.message;
        return ReadFile(path);
    }
    RaceSetup setup;
};

}  // namespace

TEST_F(WorldFile, LoadAndSaveGiveTheSameBytesInEveryVehicle) {
    setup.vehicle = 2;
    ASSERT_TRUE(Load(Write("a.wld", kTrack)).ok);
    EXPECT_EQ(w->objects[1].name, "tank");  // the jeep with ai 0 races as the chosen car
    EXPECT_EQ(w->objects[2].name, "jeep");  // a computer jeep stays a jeep
    // The choice made for the race is not written back.
    const std::string saved = SaveAndRead("b.wld");
    EXPECT_EQ(saved, kTrack);
    setup.vehicle = 1;
    ASSERT_TRUE(Load(scratch / "b.wld").ok);
    EXPECT_EQ(SaveAndRead("c.wld"), saved);

    // LF-only files read the same; the writer always ends lines with CR LF.
    std::string lf = kTrack;
    for (size_t p; (p = lf.find("\r\n")) != std::string::npos;) lf.erase(p, 1);
    setup.vehicle = 0;
    ASSERT_TRUE(Load(Write("lf.wld", lf)).ok);
    EXPECT_EQ(SaveAndRead("d.wld"), kTrack);
    EXPECT_FALSE(std::filesystem::exists(scratch / "d.wld.tmp"));
}

TEST_F(WorldFile, LoadKeepsTheLowByteOfFlagsAndSetsUpTheRace) {
    Randomize(11);
    Host_AdvanceClock(1234.5);
    setup.difficulty = 0;
    setup.vehicle = 3;
    w->waypoints[1] = {-999, -999};  // overwritten by the file's
    const std::string flags = "1\r\nrock\r\n0\r\n0\r\n257\r\n-1\r\n7\r\n0\r\n";
    ASSERT_TRUE(Load(Write("flags.wld", flags)).ok);
    EXPECT_EQ(w->objects[0].ai, 1);
    EXPECT_EQ(w->objects[0].dynamic, 255);
    EXPECT_EQ(w->waypointcount, 0);
    EXPECT_EQ(w->waypoints[1].x, -999);  // slots beyond the count keep their old values

    ASSERT_TRUE(Load(Write("a.wld", kTrack)).ok);
    EXPECT_TRUE(ticktimer->enabled);
    EXPECT_EQ(ticktimer->lastRun, 1234.5);
    EXPECT_EQ(racestart, 1234.5);
    ASSERT_EQ(w->count, 5);
    ASSERT_EQ(w->waypointcount, 3);
    EXPECT_EQ(w->waypoints[2].y, -400);
    // Easy: computer cars 2 slower than the player's; facing waypoint 1 at x 500.
    EXPECT_EQ(w->objects[1].name, "turbo");
    EXPECT_EQ(w->objects[1].maxspeed, 18);
    EXPECT_EQ(w->objects[1].frame, 13.0f);
    EXPECT_EQ(w->objects[2].maxspeed, 13);
    EXPECT_EQ(w->objects[2].frame, 5.0f);
    EXPECT_EQ(w->objects[3].maxspeed, 14);
    EXPECT_EQ(w->objects[3].frame, 13.0f);
    EXPECT_EQ(w->objects[0].maxspeed, 0);
    EXPECT_EQ(w->objects[4].frame, 1.0f);
    EXPECT_EQ(w->objects[3].color, -1);
    for (int i = 0; i < w->count; ++i) {
        for (const CornerOffset& step : w->objects[i].waterstep) {
            EXPECT_EQ(std::abs(step.dx), 1);
            EXPECT_EQ(std::abs(step.dy), 1);
        }
    }
}

TEST_F(WorldFile, BrokenFilesLeaveAnEmptyWorldAndSayWhereTheyBreak) {
    struct Case {
        const char* name;
        std::string bytes;
        const char* where;  // expected in the message after the file name
    };
    const std::string one = "1\r\ntree\r\n10\r\n20\r\n0\r\n0\r\n0\r\n";
    const Case cases[] = {
        {"text for a number", "1\r\ntree\r\nten\r\n20\r\n0\r\n0\r\n0\r\n0\r\n", ", line 3: x of object 1"},
        {"number with junk", "1\r\ntree\r\n10\r\n20px\r\n0\r\n0\r\n0\r\n0\r\n", ", line 4: y of object 1"},
        {"count beyond the lines", "3\r\ntree\r\n10\r\n20\r\n0\r\n0\r\n0\r\ncar\r\n5\r\n", ", line 10: the file ends"},
        {"count beyond capacity", "4098\r\n", ", line 1: the object count"},
        {"negative count", "-1\r\n", ", line 1: the object count"},
        {"empty file", "", ", line 1: the file ends"},
        {"missing waypoint count", one, ", line 8: the file ends"},
        {"negative waypoint count", one + "-2\r\n", ", line 8: the waypoint count"},
        {"waypoints beyond the lines", one + "2\r\n1\r\n2\r\n3\r\n", ", line 12: the file ends"},
        {"waypoint count beyond capacity", one + "5000\r\n", ", line 8: the waypoint count"},
        {"number beyond int", "1\r\ntree\r\n10\r\n20\r\n0\r\n0\r\n99999999999\r\n0\r\n", ", line 7: the colour"},
        {"position beyond the limit", "1\r\ntree\r\n100000001\r\n20\r\n0\r\n0\r\n0\r\n0\r\n", ", line 3: x"},
        {"empty number", "1\r\ntree\r\n10\r\n\r\n0\r\n0\r\n0\r\n0\r\n", ", line 4: y"},
    };
    int n = 0;
    for (const Case& c : cases) {
        const std::string path = Write("bad" + std::to_string(n++) + ".wld", c.bytes);
        ASSERT_TRUE(Load(Write("good.wld", kTrack)).ok);
        Host_AdvanceClock(100);
        ticktimer->enabled = false;
        const WorldFileResult r = Load(path);
        EXPECT_FALSE(r.ok) << c.name;
        EXPECT_NE(r.message.find(path + c.where), std::string::npos) << c.name << ": " << r.message;
        EXPECT_EQ(w->count, 0) << c.name;
        EXPECT_EQ(w->waypointcount, 0) << c.name;
        EXPECT_TRUE(ticktimer->enabled) << c.name;
        EXPECT_EQ(ticktimer->lastRun, U_GetTime()) << c.name;
        EXPECT_EQ(racestart, U_GetTime()) << c.name;
    }
    const std::string missing = scratch / "missing.wld";
    const WorldFileResult r = Load(missing);
    EXPECT_FALSE(r.ok);
    EXPECT_NE(r.message.find(missing), std::string::npos);
    EXPECT_EQ(w->count, 0);
    EXPECT_FALSE(Load(scratch.path().string()).ok);  // a folder is no world file

    // Spaces around numbers and a last line without its line end are fine.
    EXPECT_TRUE(Load(Write("loose.wld", "1\ntree\n 10 \n+20\n0\n0\n0\n0")).ok);
    EXPECT_EQ(w->objects[0].x, 10);
    EXPECT_EQ(w->objects[0].y, 20);
}

TEST_F(WorldFile, SaveIsAllOrNothing) {
    ASSERT_TRUE(Load(Write("a.wld", kTrack)).ok);
    // Missing folders are made.
    EXPECT_TRUE(WorldSave(*w, scratch / "wld/new/a.wld").ok);
    EXPECT_EQ(ReadFile(scratch / "wld/new/a.wld"), kTrack);

    // A name that would break the file is refused and the old file stays.
    const std::string kept = Write("kept.wld", "old");
    w->objects[4].name = "two\nlines";
    WorldFileResult r = WorldSave(*w, kept);
    EXPECT_FALSE(r.ok);
    EXPECT_NE(r.message.find(kept), std::string::npos);
    EXPECT_EQ(ReadFile(kept), "old");

    // A target that cannot be replaced reports the failure and leaves no temporary file.
    w->objects[4].name = "tree";
    std::filesystem::create_directories(scratch / "taken.wld/inside");
    r = WorldSave(*w, scratch / "taken.wld");
    EXPECT_FALSE(r.ok);
    EXPECT_FALSE(r.message.empty());
    EXPECT_FALSE(std::filesystem::exists(scratch / "taken.wld.tmp"));
}

TEST_F(WorldFile, MirrorTwiceRestoresEveryPosition) {
    ASSERT_TRUE(Load(Write("a.wld", kTrack)).ok);
    WorldMirror(*w);
    EXPECT_EQ(w->objects[0].x, 40);
    EXPECT_EQ(w->objects[0].y, 300);
    EXPECT_EQ(w->waypoints[1].x, -500);
    EXPECT_EQ(w->objects[1].frame, 5.0f);
    EXPECT_EQ(w->objects[4].frame, 1.0f);
    WorldMirror(*w);
    EXPECT_EQ(w->objects[1].frame, 5.0f);
    // Back where they were: saving gives the file loaded.
    EXPECT_EQ(SaveAndRead("back.wld"), kTrack);
}
