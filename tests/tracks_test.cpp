// The sixteen tracks of the tournament: each can be raced to a result in
// time at every difficulty, the autopilot wins each on easy, no computer car
// gets stuck on the way round, and every reverse track is its base mirrored.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "engine/host.h"
#include "game/shell.h"
#include "game/tournament.h"
#include "media/texture_base.h"
#include "support.h"
#include "world/race.h"
#include "world/simulation.h"
#include "world/world.h"
#include "world/world_file.h"

namespace {

constexpr int kFourMinutes = 8000;  // ticks of 30 ms

std::vector<std::string> Lines(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

struct RaceResult {
    int status = -1;
    long ticks = 0;
    int playerWon = 0;
    int playerLaps = 0;
    std::string line;
};

RaceResult Race(const std::string& track, int vehicle, int difficulty) {
    ScratchFolder user;
    const std::string command = std::string(KOLVETRA_BINARY) + " --headless --data '" + TestDataFolder() +
                                "' --user-dir '" + user.path().string() + "' --race " + track +
                                " --autopilot --until-result --no-draw --max-ticks " + std::to_string(kFourMinutes) +
                                " --vehicle " + std::to_string(vehicle) + " --difficulty " + std::to_string(difficulty);
    RaceResult r;
    std::FILE* out = popen(command.c_str(), "r");
    if (!out) return r;
    char buffer[512];
    while (std::fgets(buffer, sizeof buffer, out)) r.line += buffer;
    r.status = pclose(out);
    std::istringstream words(r.line);
    for (std::string word; words >> word;) {
        const size_t eq = word.find('=');
        if (eq == std::string::npos) continue;
        const std::string key = word.substr(0, eq), value = word.substr(eq + 1);
        if (key == "ticks") r.ticks = std::stol(value);
        if (key == "player_won") r.playerWon = std::stoi(value);
        if (key == "playerlaps") r.playerLaps = std::stoi(value);
    }
    return r;
}

class TrackTest : public ::testing::TestWithParam<const char*> {};

// Raced in the best vehicle the tournament has opened when it gets there.
TEST_P(TrackTest, IsRacedToAResultInTimeAndWonOnEasy) {
    const auto track = std::find(tracknames.begin(), tracknames.end(), std::string_view(GetParam()));
    const int vehicle = std::min(3, static_cast<int>(track - tracknames.begin()) / 4);
    for (int difficulty : {0, 1, 2}) {
        const RaceResult r = Race(GetParam(), vehicle, difficulty);
        EXPECT_EQ(r.status, 0) << r.line;
        EXPECT_EQ(r.line.rfind("result ", 0), 0u) << r.line;
        EXPECT_LE(r.ticks, kFourMinutes) << r.line;
        EXPECT_EQ(r.playerLaps, 4) << r.line;
        if (difficulty == 0) {
            EXPECT_EQ(r.playerWon, 1) << "the tournament could not be won: " << r.line;
        }
    }
}

// With every car driven by the computer (the player's too) and the cars as
// fast as they get, all of them come round four times: none is caught on an
// obstacle or a prop. (The last few metres to the line are left out: cars
// that finished first coast to rest on it and may bar the way there.)
TEST_P(TrackTest, EveryComputerCarFinishesFourLaps) {
    Host_OpenHeadless();
    LoadTextureFolder(ObjectTextures, TestDataFolder() + "/gfx/obj/");
    ticktimer = Timer_Create(nullptr, 30, 1);
    ResetRaceProgress();
    ASSERT_TRUE(WorldLoad(world, TestDataFolder() + "/wld/" + GetParam() + ".wld", RaceSetup{0, 0, 2}).ok);
    std::vector<int> cars;
    for (int i = 0; i < world.count; ++i) {
        if (!IsVehicle(world.objects[i].name)) continue;
        world.objects[i].ai = 1;
        cars.push_back(i);
    }
    ASSERT_GE(cars.size(), 4u);
    const auto finished = [&] {
        for (int i = 0; i < world.count; ++i) {
            const tminimal& o = world.objects[i];
            if (IsVehicle(o.name) && o.laps < 4) return false;
        }
        return true;
    };
    int tick = 0;
    for (; tick < kFourMinutes && !finished(); ++tick) {
        SpawnBonuses(world);
        WorldStep(world);
    }
    for (int i = 0; i < world.count; ++i) {
        const tminimal& o = world.objects[i];
        if (IsVehicle(o.name)) {
            EXPECT_EQ(o.laps, 4) << o.name << " heading for waypoint " << o.waypoint << ", stuck near " << o.x << ","
                                 << o.y;
        }
    }
    EXPECT_LT(tick, kFourMinutes);
    Host_Shutdown();
}

INSTANTIATE_TEST_SUITE_P(Tournament, TrackTest, ::testing::ValuesIn(tracknames),
                         [](const ::testing::TestParamInfo<const char*>& info) { return std::string(info.param); });

// Every reverse track ("beach1r") is its base track with every x negated.
TEST(Tracks, EveryReverseTrackIsItsBaseMirrored) {
    for (size_t t = 0; t < tracknames.size(); ++t) {
        if (t % 4 >= 2) continue;  // the reverse tracks themselves
        const std::string track = tracknames[t];
        SCOPED_TRACE(track);
        const std::vector<std::string> base = Lines(TestDataFolder() + "/wld/" + track + ".wld");
        const std::vector<std::string> reverse = Lines(TestDataFolder() + "/wld/" + track + "r.wld");
        ASSERT_EQ(base.size(), reverse.size());
        ASSERT_FALSE(base.empty());
        const int objects = std::stoi(base[0]);
        for (int i = 0; i < objects; ++i) {
            const size_t at = 1 + 6 * static_cast<size_t>(i);
            EXPECT_EQ(reverse[at], base[at]);
            EXPECT_EQ(std::stoi(reverse[at + 1]), -std::stoi(base[at + 1])) << "object " << i;
            for (size_t k = at + 2; k < at + 6; ++k) EXPECT_EQ(reverse[k], base[k]) << "object " << i;
        }
        const size_t waypoints = 1 + 6 * static_cast<size_t>(objects);
        EXPECT_EQ(reverse[waypoints], base[waypoints]);
        for (size_t k = waypoints + 1; k + 1 < base.size(); k += 2) {
            EXPECT_EQ(std::stoi(reverse[k]), -std::stoi(base[k]));
            EXPECT_EQ(reverse[k + 1], base[k + 1]);
        }
    }
}

}  // namespace
