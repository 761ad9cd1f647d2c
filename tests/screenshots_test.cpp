// Golden pictures of the race: four tracks driven by the autopilot at a
// fixed seed, the screen hashed pixel by pixel at fixed frames. Drawing
// faster must draw the same: every one of these stays as recorded.
#include <gtest/gtest.h>

#include <string>

#include "support.h"

namespace {

struct Look {
    const char* track;
    const char* frame300;
    const char* frame600;
};

constexpr Look kLooks[] = {
    {"beach1", "e8036a02ecab6180", "5e4fb211348a7a78"},
    {"forest2r", "307d7746d91d945d", "c77df9ffc6e5ca17"},
    {"icy1", "c3ff6103921bf285", "6515be35e258947e"},
    {"city2", "5b7a42db5973c35c", "8ecf19dc86f6f092"},
};

class RaceScreenshots : public ::testing::TestWithParam<Look> {};

TEST_P(RaceScreenshots, AreAsRecorded) {
    const Look& look = GetParam();
    ScratchFolder user, shots;
    const std::string command = std::string(KOLVETRA_BINARY) + " --headless --seed 20261208 --data '" +
                                TestDataFolder() + "' --user-dir '" + user.path().string() + "' --race " + look.track +
                                " --autopilot --frames 601 --screenshots '" + shots.path().string() +
                                "' --every 300 >/dev/null";
    ASSERT_EQ(std::system(command.c_str()), 0) << command;
    EXPECT_EQ(PictureFingerprint(shots / "frame_000300.png"), look.frame300) << look.track << " frame 300";
    EXPECT_EQ(PictureFingerprint(shots / "frame_000600.png"), look.frame600) << look.track << " frame 600";
}

INSTANTIATE_TEST_SUITE_P(Tracks, RaceScreenshots, ::testing::ValuesIn(kLooks),
                         [](const ::testing::TestParamInfo<Look>& info) { return std::string(info.param.track); });

}  // namespace
