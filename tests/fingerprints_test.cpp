// Golden fingerprints of the race: the first 600 ticks on every tournament
// track with the autopilot at a fixed seed, hashed over the whole trace, and
// the result lines of four whole races. Reworking the code must leave every
// one of them byte for byte as it is; a change to how the game plays updates
// them in the same commit and says why.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "support.h"

namespace {

constexpr const char* kSeed = "20261208";

std::string RaceCommand(const ScratchFolder& user, const std::string& track, const std::string& extra) {
    return std::string(KOLVETRA_BINARY) + " --headless --no-draw --seed " + kSeed + " --data '" + TestDataFolder() +
           "' --user-dir '" + user.path().string() + "' --race " + track + " --autopilot " + extra;
}

// The trace goes through a pipe and is hashed as it comes, so no file of a
// few hundred megabytes is ever written.
std::string TraceFingerprint(const std::string& track) {
    ScratchFolder user;
    const std::string command = RaceCommand(user, track, "--max-ticks 600 --trace /dev/fd/3 3>&1 1>/dev/null");
    std::FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return "no pipe";
    Fnv1a hash;
    char buffer[1 << 16];
    size_t got = 0;
    while ((got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) hash.Add(buffer, got);
    pclose(pipe);
    return hash.Hex();
}

std::string ResultLine(const std::string& track) {
    ScratchFolder user;
    std::FILE* pipe = popen(RaceCommand(user, track, "--until-result").c_str(), "r");
    if (!pipe) return "no pipe";
    std::string out;
    char buffer[512];
    while (std::fgets(buffer, sizeof buffer, pipe)) out += buffer;
    pclose(pipe);
    return out;
}

struct Fingerprint {
    const char* track;
    const char* hash;
};

constexpr Fingerprint kTraces[] = {
    {"beach1", "166cb8c9f10e1375"},   {"beach2", "db98623f87b62f81"},   {"beach1r", "1053510f56a842ff"},
    {"beach2r", "c6267b157b241959"},  {"forest1", "c8323d1dcb05084e"},  {"forest2", "93f34867e6f71ed4"},
    {"forest1r", "f0f106abc8e2fcc8"}, {"forest2r", "846cd6d409490f9b"}, {"icy1", "8eba3396d4e4f229"},
    {"icy2", "5f20da9c8b3d3202"},     {"icy1r", "791ed9756ebe4896"},    {"icy2r", "d413519af974a136"},
    {"city1", "6e3737d921b16cd7"},    {"city2", "86c48a2643cea322"},    {"city1r", "bf9a7219258fc451"},
    {"city2r", "49f21c6d02c7c72d"},
};

struct Result {
    const char* track;
    const char* line;
};

constexpr Result kResults[] = {
    {"beach1", "result track=beach1 ticks=4177 winner=1608 player_won=1 playerlaps=4 score=5010\n"},
    {"forest2r", "result track=forest2r ticks=3807 winner=1298 player_won=0 playerlaps=4 score=1090\n"},
    {"icy1", "result track=icy1 ticks=3585 winner=1347 player_won=0 playerlaps=4 score=1250\n"},
    {"city2", "result track=city2 ticks=5706 winner=1838 player_won=0 playerlaps=4 score=630\n"},
};

class TraceFingerprints : public ::testing::TestWithParam<Fingerprint> {};

TEST_P(TraceFingerprints, AreAsRecorded) { EXPECT_EQ(TraceFingerprint(GetParam().track), GetParam().hash); }

INSTANTIATE_TEST_SUITE_P(Tournament, TraceFingerprints, ::testing::ValuesIn(kTraces),
                         [](const ::testing::TestParamInfo<Fingerprint>& info) {
                             return std::string(info.param.track);
                         });

TEST(ResultFingerprints, WholeRacesEndAsRecorded) {
    for (const Result& r : kResults) EXPECT_EQ(ResultLine(r.track), r.line) << r.track;
}

}  // namespace
