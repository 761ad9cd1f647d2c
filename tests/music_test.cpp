// The menu music: start, loop, stop and the level pair, with no sound card
// (on the virtual clock) and through the loopback device.
#include "media/music.h"

#include <gtest/gtest.h>

#include <cmath>

#include "engine/host.h"
#include "support.h"

namespace {

void Put(std::string& bytes, uint32_t value, int size) {
    for (int i = 0; i < size; ++i) bytes.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

void PutText(std::string& bytes, const std::string& text, size_t size) {
    std::string field = text.substr(0, size);
    field.resize(size, '\0');
    bytes += field;
}

// A module of one 4-row pattern (240 ms) holding one note of a looped square
// wave from its first row on: never silent while it plays.
std::string TestModule() {
    std::string m;
    PutText(m, "Extended Module: ", 17);
    PutText(m, "test tune", 20);
    m.push_back(0x1A);
    PutText(m, "kolvetra tests", 20);
    Put(m, 0x0104, 2);
    Put(m, 276, 4);
    Put(m, 1, 2);         // song length
    Put(m, 0, 2);         // restart position
    Put(m, 2, 2);         // channels
    Put(m, 1, 2);         // patterns
    Put(m, 1, 2);         // instruments
    Put(m, 1, 2);         // linear frequencies
    Put(m, 3, 2);         // ticks per row
    Put(m, 125, 2);       // BPM
    m.append(256, '\0');  // order table: pattern 0

    const std::string cells = {'\x83', 49, 1, '\x80', '\x80', '\x80', '\x80', '\x80', '\x80', '\x80'};
    Put(m, 9, 4);
    m.push_back(0);
    Put(m, 4, 2);  // rows
    Put(m, static_cast<uint32_t>(cells.size()), 2);
    m += cells;

    const size_t instrument = m.size();
    Put(m, 263, 4);
    PutText(m, "square", 22);
    m.push_back(0);
    Put(m, 1, 2);   // samples
    Put(m, 40, 4);  // sample header size
    m.resize(instrument + 263, '\0');

    constexpr int kLength = 64;
    Put(m, kLength, 4);
    Put(m, 0, 4);
    Put(m, kLength, 4);  // loop length: the whole sample
    m.push_back(64);     // volume
    m.push_back(0);      // finetune
    m.push_back(1);      // forward loop, 8-bit
    m.push_back(static_cast<char>(128));
    m.push_back(0);  // relative note
    m.push_back(0);
    PutText(m, "square", 22);
    int previous = 0;
    for (int i = 0; i < kLength; ++i) {
        const int value = (i / 16) % 2 == 0 ? 100 : -100;
        m.push_back(static_cast<char>(value - previous));  // delta-coded
        previous = value;
    }
    return m;
}

class MusicTest : public ::testing::Test {
  protected:
    void SetUp() override {
        Host_OpenHeadless();
        WriteFile(dir / "menu.xm", TestModule());
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
