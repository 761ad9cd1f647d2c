// The menu music: start, loop, stop and the level pair, with no sound card
// (on the virtual clock) and through the loopback device.
#include "media/music.h"

#include <gtest/gtest.h>

#include <cmath>

#include "engine/host.h"
#include "support.h"

namespace {

class MusicTest : public ::testing::Test {
  protected:
    void SetUp() override {
        Host_OpenHeadless();
        WriteFile(dir / "menu.xm", TestXmModule());
    }
    void TearDown() override {
        uFMOD_StopSong();
        Host_Shutdown();
    }
    ScratchFolder dir;
};

int Left(uint32_t stats) { return static_cast<int>(stats >> 16); }
int Right(uint32_t stats) { return static_cast<int>(stats & 0xFFFF); }

}  // namespace

TEST_F(MusicTest, PlaysLoopsAndStopsWithNoSoundCard) {
    EXPECT_EQ(uFMOD_GetStats(), 0u);
    uFMOD_StopSong();  // nothing plays: nothing happens
    ASSERT_TRUE(uFMOD_PlaySong(dir / "menu.xm", 0, XM_FILE));
    for (int t = 0; t < 2000; t += 30) {
        const uint32_t stats = uFMOD_GetStats();
        ASSERT_GT(Left(stats), 1000) << t;
        ASSERT_GT(Right(stats), 1000) << t;
        Host_AdvanceClock(30);
    }
    EXPECT_GE(Music_Loops(), 7);  // 2 s of a 240 ms song
    uFMOD_StopSong();
    EXPECT_EQ(uFMOD_GetStats(), 0u);
    EXPECT_EQ(Music_Loops(), 0);
    Host_AdvanceClock(100);
    EXPECT_EQ(uFMOD_GetStats(), 0u);
}

TEST_F(MusicTest, PlayingAgainStartsFromTheBeginning) {
    ASSERT_TRUE(uFMOD_PlaySong(dir / "menu.xm", 0, XM_FILE));
    Host_AdvanceClock(1000);
    uFMOD_GetStats();
    EXPECT_GE(Music_Loops(), 3);
    ASSERT_TRUE(uFMOD_PlaySong(dir / "menu.xm", 0, XM_FILE));
    Host_AdvanceClock(100);
    EXPECT_NE(uFMOD_GetStats(), 0u);
    EXPECT_EQ(Music_Loops(), 0);
}

TEST_F(MusicTest, MissingOrInvalidModuleStartsNothing) {
    EXPECT_FALSE(uFMOD_PlaySong(dir / "none.xm", 0, XM_FILE));
    EXPECT_EQ(uFMOD_GetStats(), 0u);
    WriteFile(dir / "bad.xm", "Extended Module: but nothing after it");
    EXPECT_FALSE(uFMOD_PlaySong(dir / "bad.xm", 0, XM_FILE));
    Host_AdvanceClock(100);
    EXPECT_EQ(uFMOD_GetStats(), 0u);
    // A song that plays is stopped by a failed attempt to play another.
    ASSERT_TRUE(uFMOD_PlaySong(dir / "menu.xm", 0, XM_FILE));
    EXPECT_FALSE(uFMOD_PlaySong(dir / "none.xm", 0, XM_FILE));
    EXPECT_EQ(uFMOD_GetStats(), 0u);
}

TEST_F(MusicTest, StreamedToTheDeviceAndLevelsFollowWhatIsHeard) {
    ASSERT_TRUE(Host_OpenLoopbackAudio(44100));
    ASSERT_TRUE(uFMOD_PlaySong(dir / "menu.xm", 0, XM_FILE));
    double sum = 0;
    size_t count = 0;
    for (int block = 0; block < 66; ++block) {  // 2 s
        const std::vector<float> mix = Host_RenderAudio(1323);
        for (float v : mix) sum += v * v;
        count += mix.size();
        ASSERT_NE(uFMOD_GetStats(), 0u) << block;
    }
    EXPECT_GT(std::sqrt(sum / count), 0.05);
    EXPECT_GE(Music_Loops(), 6);
    uFMOD_StopSong();
    EXPECT_EQ(uFMOD_GetStats(), 0u);
    const std::vector<float> after = Host_RenderAudio(4410);
    for (float v : after) ASSERT_EQ(v, 0.0f);
}
