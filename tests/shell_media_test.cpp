// The tick's music and ambience: the menu music plays in every state but a
// race, the race asks for "amb" instead, Escape stops it, and the menu sends
// up one light per tick.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "engine/host.h"
#include "engine/paths.h"
#include "game/data_check.h"
#include "game/shell.h"
#include "media/music.h"
#include "media/particles.h"
#include "media/sound_base.h"
#include "support.h"

namespace {

class ShellMediaTest : public ::testing::Test {
  protected:
    void SetUp() override {
        Host_OpenHeadless();
        std::filesystem::create_directories(dir.path() / "sfx");
        WriteFile(dir / "sfx/menu.xm", TestXmModule());
        WriteWav(dir / "sfx/amb.wav", 22050, 1, SineSamples(22050, 441, 22050));
        WriteWav(dir / "sfx/click.wav", 22050, 1, SineSamples(22050, 441, 500));
        SetDataFolder(dir.path().string());
        LoadSoundFolder(Sounds, DataPath("sfx/"), "*.wav");
        timer = Timer_Create(GameTick, 30, 1);
        gamestate = stProfiles;
        optmusicoff = optambientoff = 0;
    }
    void TearDown() override {
        uFMOD_StopSong();
        Host_Shutdown();
        Sounds = TS_List{};
        Particles.count = 0;
        gamestate = 0;
        optmusicoff = optambientoff = 0;
    }

    void Tick() {
        Host_AdvanceClock(30);
        Host_RunTick(timer);
    }

    bool AmbPlaying() {
        for (const SoundCopyState& c : Host_SoundCopies(FindSound(Sounds, "amb"))) {
            if (c.playing) return true;
        }
        return false;
    }

    ScratchFolder dir;
    OE_Timer* timer = nullptr;
};

}  // namespace

TEST_F(ShellMediaTest, MusicOutsideRacesAmbienceInThem) {
    Tick();
    EXPECT_NE(uFMOD_GetStats(), 0u);  // the profile window already has music

    gamestate = stRace;
    Tick();
    EXPECT_EQ(uFMOD_GetStats(), 0u);
    EXPECT_TRUE(AmbPlaying());
    for (int i = 0; i < 50; ++i) Tick();
    EXPECT_EQ(Host_SoundCopies(FindSound(Sounds, "amb"))[0].starts, 1);  // one ambience, going on

    Host_KeyEvent(VK_ESCAPE, true);
    Tick();
    Host_KeyEvent(VK_ESCAPE, false);
    EXPECT_EQ(gamestate, stPaused);
    EXPECT_FALSE(AmbPlaying());
    Tick();
    EXPECT_NE(uFMOD_GetStats(), 0u);  // the pause has the music again, from its start
    EXPECT_EQ(Music_Loops(), 0);

    gamestate = stRace;
    Tick();
    gamestate = stRaceOver;
    Tick();
    EXPECT_FALSE(AmbPlaying());
}

TEST_F(ShellMediaTest, OptionsSilenceMusicAndAmbience) {
    optmusicoff = 1;
    optambientoff = 1;
    Tick();
    EXPECT_EQ(uFMOD_GetStats(), 0u);
    gamestate = stRace;
    Tick();
    EXPECT_FALSE(AmbPlaying());
}

TEST_F(ShellMediaTest, MissingMusicIsNotTriedEveryTick) {
    std::filesystem::remove(dir / "sfx/menu.xm");
    Tick();
    EXPECT_EQ(uFMOD_GetStats(), 0u);
    // Not read again: the file put back later stays unheard.
    WriteFile(dir / "sfx/menu.xm", TestXmModule());
    for (int i = 0; i < 10; ++i) Tick();
    EXPECT_EQ(uFMOD_GetStats(), 0u);
}

TEST_F(ShellMediaTest, MissingDataFilesAreListedOnceOneALine) {
    const std::vector<std::string> missing = MissingDataFiles();
    const auto listed = [&missing](const std::string& file) {
        return std::find(missing.begin(), missing.end(), file) != missing.end();
    };
    EXPECT_TRUE(listed("sfx/bad.wav"));
    EXPECT_TRUE(listed("fnt/font.tga"));
    EXPECT_TRUE(listed("wld/beach1.wld"));
    EXPECT_FALSE(listed("sfx/amb.wav"));
    EXPECT_FALSE(listed("sfx/menu.xm"));
    testing::internal::CaptureStderr();
    ReportMissingData();
    const std::string said = testing::internal::GetCapturedStderr();
    EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), static_cast<long>(missing.size()));
    EXPECT_NE(said.find("sfx/bad.wav"), std::string::npos);
    // The game's own data has every file.
    SetDataFolder(TestDataFolder());
    EXPECT_EQ(MissingDataFiles(), std::vector<std::string>{});
}

TEST_F(ShellMediaTest, MenuSendsUpOneLightPerTick) {
    gamestate = stMenu;
    const int spin = gearspin;
    Tick();
    ASSERT_EQ(Particles.count, 1);
    const TEffect2d& light = Particles.effects[0];
    EXPECT_EQ(light.kind, "light");
    EXPECT_EQ(light.fade, 4);
    EXPECT_FLOAT_EQ(light.x, 100);
    EXPECT_FLOAT_EQ(light.y, 170);
    EXPECT_GE(light.dx, -5);
    EXPECT_LE(light.dx, 4);
    EXPECT_GE(light.dy, -14);
    EXPECT_LE(light.dy, -5);
    EXPECT_GE(light.size, 20);
    EXPECT_LE(light.size, 49);
    EXPECT_EQ(light.color, 0x00FFFF);
    for (int i = 0; i < 9; ++i) Tick();
    EXPECT_EQ(Particles.count, 10);
    EXPECT_EQ(gearspin, spin + 40);
}
