// The menus, profiles, options and race screen played through clicks on the
// real buttons, with the files they leave in the player's folder.
#include <algorithm>
#include <filesystem>
#include <string>

#include "flow_support.h"
#include "game/race_overlay.h"
#include "gui/widgets.h"
#include "media/particles.h"
#include "media/sound_base.h"
#include "media/texture_base.h"
#include "world/race.h"

namespace {

namespace fs = std::filesystem;
using namespace std::string_literals;

const std::string kNewProfile("\0\r\n", 3);

// The tournament screen of a player whose profile holds `progress`.
class ProgressTest : public FlowTest {
  protected:
    void LaunchAt(int progress, int points = 0) {
        WriteUserFile("prf/Player",
                      std::string(1, static_cast<char>(progress)) + "\r\n" + std::to_string(points) + "\r\n");
        Launch();
        ASSERT_EQ(gamestate, stMenu);
    }
    void OpenTournamentScreen() {
        ClickOn("btn_tr");
        ASSERT_EQ(gamestate, stTournament);
    }
    void OpenSingleRaceScreen() {
        ClickOn("btn_sr");
        ASSERT_EQ(gamestate, stSingleRace);
    }
    static long SoundsPlayed(std::string_view name) {
        const OE_Sound* sound = FindSound(Sounds, name);
        long n = 0;
        for (const HostSoundPlay& p : Host_SoundLog()) n += p.sound == sound ? 1 : 0;
        return n;
    }
};

TEST_F(FlowTest, FirstRunCreatesAProfileWinsARaceAndSavesTheProgress) {
    Launch();
    EXPECT_TRUE(fs::is_directory(user.path() / "prf")) << "the profile folder is made at start-up";
    EXPECT_EQ(gamestate, stProfiles);
    EXPECT_TRUE(Shown("wnd_pr"));
    // Without a profile there is no way out but creating one.
    ClickOn("btn_prbb");
    ClickOn("btn_pr_ld");
    EXPECT_EQ(gamestate, stProfiles);
    EXPECT_TRUE(Shown("wnd_pr"));
    ClickOn("btn_pr_cr");
    EXPECT_EQ(ElementNamed("edt_pr_cr").caption, "Player");
    ClickOn("btn_pr_cr_ac");
    ASSERT_EQ(gamestate, stMenu);
    EXPECT_TRUE(Shown("wnd_menu"));
    EXPECT_EQ(UserFile("prf/Player"), kNewProfile);
    Settle();
    EXPECT_EQ(ElementNamed("lb_hello").caption, "Привет, Player");

    ClickOn("btn_tr");
    ASSERT_EQ(gamestate, stTournament);
    ClickOn("btn_pow");
    ClickOn("btn_pow");
    EXPECT_EQ(ElementNamed("btn_pow").caption, "легко");
    EXPECT_EQ(difficulty, 0);
    ClickOn("btn_start_tr");
    ASSERT_EQ(gamestate, stRace);

    // The head-up display at the start: the first lap and no points.
    std::string text;
    LapText(text, playerlaps);
    EXPECT_EQ(text, "1/4 Круг");
    ScoreText(text, score);
    EXPECT_EQ(text, "Очки: 0");
    // The white score text stands centred on x 672, under the bonus icons.
    int left = 800, right = -1;
    for (int y = 66; y < 96; ++y) {
        for (int x = 580; x < 758; ++x) {
            if (Host_ReadPixel(x, y) != 0xFFFFFF) continue;
            left = std::min(left, x);
            right = std::max(right, x);
        }
    }
    ASSERT_GE(right, left) << "no score text drawn";
    EXPECT_NEAR((left + right) / 2.0, 672, 3);

    DriveToResult();
    ASSERT_TRUE(Shown("wnd_fin_good")) << "the autopilot lost beach1 on easy";
    EXPECT_EQ(progress, 1);
    const int points = score;
    EXPECT_GT(points, 0) << "bonuses on the way";
    ClickOn("btn_co");
    EXPECT_EQ(gamestate, stTournament);
    EXPECT_FALSE(Shown("wnd_fin_good"));
    EXPECT_EQ(UserFile("prf/Player"), "\x01\r\n" + std::to_string(points) + "\r\n");
}

TEST_F(FlowTest, ALostTournamentRaceCostsAThousandPointsAndIsRunAgain) {
    WriteUserFile("prf/Player", "\0\r\n1500\r\n"s);
    Launch();
    ASSERT_NO_FATAL_FAILURE(StartEasyTournamentRace());
    // Standing still for a minute lets every computer car get ahead.
    DriveToResult(2000);
    ASSERT_TRUE(Shown("wnd_fin_bad"));
    Screenshot("result_lost");
    EXPECT_EQ(progress, 0);
    EXPECT_EQ(score, std::max(lastRaceScore - 1000, 0));
    EXPECT_EQ(gamestate, stRaceOver);
    ClickOn("btn_coa");
    EXPECT_EQ(gamestate, stTournament);
    Settle();
    EXPECT_EQ(ElementNamed("lb_ctrack").caption, "Трасса 1") << "the same track again";
    EXPECT_EQ(UserFile("prf/Player"), "\0\r\n"s + std::to_string(score) + "\r\n");
}

TEST_F(FlowTest, ProfileListTurnsUpAndDown) {
    WriteUserFile("prf/A", "\x01\r\n10\r\n");
    WriteUserFile("prf/B", "\x02\r\n20\r\n");
    WriteUserFile("prf/C", "\x03\r\n30\r\n");
    WriteUserFile("main.cfg", "\0\r\n\0\r\n\0\r\n\r\nA\r\n"s);
    Launch();
    ASSERT_EQ(gamestate, stMenu);
    EXPECT_EQ(profilename, "A");
    EXPECT_EQ(progress, 1);

    ClickOn("btn_pr");
    ClickOn("btn_pr_ld");
    ASSERT_TRUE(Shown("wnd_pr_ld"));
    EXPECT_EQ(progress, 1) << "nothing changes before Принять";
    ClickOn("btn_lst_up");
    const TF_list& items = WidgetNamed<Ilist>("lst_pr")->items;
    ASSERT_EQ(items.count, 3);
    EXPECT_EQ(items.items[0] + items.items[1] + items.items[2], "CAB");
    ClickOn("btn_pr_ld_ac");
    EXPECT_EQ(gamestate, stMenu);
    EXPECT_EQ(profilename, "C");
    EXPECT_EQ(progress, 3);
    EXPECT_EQ(score, 30);

    ClickOn("btn_pr");
    ClickOn("btn_pr_ld");
    ClickOn("btn_lst_dn");
    ClickOn("btn_pr_ld_ac");
    EXPECT_EQ(profilename, "B");
    EXPECT_EQ(progress, 2);
    // The next start loads the profile used last.
    Relaunch();
    EXPECT_EQ(profilename, "A") << "the options are written only at the end of the game";
    ClickOn("btn_pr");
    ClickOn("btn_pr_ld");
    ClickOn("btn_lst_dn");
    ClickOn("btn_pr_ld_ac");
    GameQuit();
    Relaunch();
    EXPECT_EQ(profilename, "B");
    EXPECT_EQ(score, 20);
}

TEST_F(FlowTest, UnsafeProfileNamesAreRefused) {
    Launch();
    ClickOn("btn_pr_cr");
    Type("edt_pr_cr", "");
    ClickOn("btn_pr_cr_ac");
    EXPECT_EQ(gamestate, stProfiles);
    EXPECT_TRUE(Shown("wnd_pr_cr"));
    for (const char* name : {".", "..", "a/b", "a\\b", "/", "..\\main.cfg"}) {
        Type("edt_pr_cr", name);
        ClickOn("btn_pr_cr_ac");
        EXPECT_EQ(gamestate, stProfiles) << name;
    }
    // Control characters cannot be typed; a pasted one is refused all the same.
    ElementNamed("edt_pr_cr").caption = "a\tb";
    ClickOn("btn_pr_cr_ac");
    EXPECT_EQ(gamestate, stProfiles);
    EXPECT_TRUE(fs::is_empty(user.path() / "prf"));
    EXPECT_FALSE(fs::exists(user.path() / "a")) << "nothing written outside the profile folder";
    Type("edt_pr_cr", "Игрок 2");
    ClickOn("btn_pr_cr_ac");
    EXPECT_EQ(gamestate, stMenu);
    EXPECT_EQ(UserFile("prf/Игрок 2"), kNewProfile);
}

TEST_F(FlowTest, OptionsAreWrittenAsBytesAndAppliedAtTheNextStart) {
    WriteUserFile("prf/Player", kNewProfile);
    Launch();
    // No options file: full screen, music and ambient sound on.
    EXPECT_NE(OE_GetOptions().fullscreen, 0);
    EXPECT_TRUE(ElementNamed("chk_fs").checked);
    EXPECT_TRUE(ElementNamed("chk_ame").checked);
    EXPECT_TRUE(ElementNamed("chk_mme").checked);
    ClickOn("btn_op");
    ASSERT_EQ(gamestate, stOptions);
    ClickOn("chk_wd");
    ClickOn("chk_amd");
    ClickOn("chk_mme");  // a checked box clicked again stays checked
    EXPECT_NE(OE_GetOptions().fullscreen, 0) << "nothing applies before Принять";
    ClickOn("btn_acc");
    EXPECT_EQ(gamestate, stMenu);
    EXPECT_EQ(OE_GetOptions().fullscreen, 0);
    EXPECT_EQ(UserFile("main.cfg"), "\x01\r\n\0\r\n\x01\r\n\r\nPlayer\r\n"s);
    EXPECT_FALSE(fs::exists(user / "main.cfg.tmp"));

    Relaunch();
    EXPECT_EQ(OE_GetOptions().fullscreen, 0) << "the next start is windowed";
    EXPECT_EQ(optambientoff, 1);
    EXPECT_EQ(ElementNamed("chk_wd").checked, 1);
    EXPECT_EQ(ElementNamed("chk_fs").checked, 0);
}

TEST_F(FlowTest, ADigitInTheOptionsFileChangesNoScreenModeAndIsKept) {
    WriteUserFile("prf/Player", kNewProfile);
    const std::string options = "1\r\n\0\r\n\0\r\n\r\nPlayer\r\n"s;
    WriteUserFile("main.cfg", options);
    Launch();
    EXPECT_EQ(ElementNamed("chk_wd").checked, 0x31);
    EXPECT_EQ(ElementNamed("chk_fs").checked, 0x30);
    EXPECT_NE(OE_GetOptions().fullscreen, 0);
    GameQuit();
    EXPECT_EQ(UserFile("main.cfg"), options);
    // A short file keeps the defaults of the lines it lacks.
    WriteUserFile("main.cfg", "\x01\r\n");
    Relaunch();
    EXPECT_EQ(OE_GetOptions().fullscreen, 0);
    EXPECT_EQ(optmusicoff, 0);
    EXPECT_EQ(profilename, "Player") << "the one profile there is";
}

TEST_F(ProgressTest, ProgressTenAndThirteenSurviveTheirLineBreakBytes) {
    for (const int value : {10, 13}) {
        LaunchAt(value, 77);
        EXPECT_EQ(progress, value);
        EXPECT_EQ(score, 77);
        OpenTournamentScreen();
        const std::string saved = std::string(1, static_cast<char>(value)) + "\r\n77\r\n";
        EXPECT_EQ(UserFile("prf/Player"), saved);
        Settle();
        EXPECT_EQ(ElementNamed("lb_ctrack").caption, "Трасса " + std::to_string(value % 4 + 1));
        Stop();
    }
    Launch();
    EXPECT_EQ(progress, 13);
    // A score that is no number reads 0; a profile named but missing gives
    // way to the first one there is.
    WriteUserFile("prf/Player", "\x05\r\nlots\r\n");
    WriteUserFile("main.cfg", "\0\r\n\0\r\n\0\r\n\r\nGhost\r\n"s);
    Relaunch();
    EXPECT_EQ(profilename, "Player");
    EXPECT_EQ(progress, 5);
    EXPECT_EQ(score, 0);
}

TEST_F(ProgressTest, VehiclesAndTracksOpenWithProgress) {
    struct Case {
        int progress, vehicles, tracks;
    };
    for (const Case c : {Case{0, 1, 1}, Case{4, 2, 5}, Case{16, 4, 16}}) {
        SCOPED_TRACE(c.progress);
        LaunchAt(c.progress);
        OpenTournamentScreen();
        for (int v = 0; v < 4; ++v) {
            Settle();
            EXPECT_EQ(Shown("img_locktr"), v >= c.vehicles) << v;
            ClickOn("btn_car_up");
        }
        EXPECT_EQ(vehiclechoice, 3) << "no step past the last vehicle";
        if (c.vehicles < 4) {
            const long bad = SoundsPlayed("bad");
            ClickOn("btn_start_tr");
            EXPECT_EQ(gamestate, stTournament) << "a locked vehicle starts no race";
            EXPECT_EQ(SoundsPlayed("bad"), bad + 1);
        }
        ClickOn("btn_bk");
        EXPECT_EQ(vehiclechoice, 0);
        OpenSingleRaceScreen();
        for (int t = 0; t < 16; ++t) {
            Settle();
            EXPECT_EQ(Shown("txt_locktr_map2"), t >= c.tracks) << t;
            ClickOn("btn_cus_up");
        }
        Stop();
    }
}

TEST_F(ProgressTest, AWonTournamentShowsFireworksInsteadOfAStart) {
    LaunchAt(16, 1234);
    OpenTournamentScreen();
    Ticks(40);
    EXPECT_FALSE(Shown("lb_ctrack"));
    EXPECT_EQ(ElementNamed("lb_ccc").caption, "Поздравляем!!! Вы победитель!!!");
    EXPECT_EQ(ElementNamed("lb_cccscr").caption, "Ваши очки 1234");
    EXPECT_TRUE(Shown("btn_send"));
    EXPECT_FALSE(Shown("btn_start_tr"));
    EXPECT_EQ(WidgetNamed<Iimage>("img_track")->texture, FindTexture(SharedTextures, "g_tr"));
    EXPECT_GT(Particles.count, 0);
    EXPECT_GT(SoundsPlayed("fw"), 0);
}

TEST_F(ProgressTest, DifficultyCyclesOnBothScreens) {
    LaunchAt(0);
    OpenTournamentScreen();
    EXPECT_EQ(ElementNamed("btn_pow").caption, "норма");
    for (const char* name : {"трудно", "легко", "норма", "трудно"}) {
        ClickOn("btn_pow");
        EXPECT_EQ(ElementNamed("btn_pow").caption, name);
    }
    ClickOn("btn_bk");
    OpenSingleRaceScreen();
    EXPECT_EQ(ElementNamed("btn_pow2").caption, "трудно") << "the difficulty lasts for the run";
    ClickOn("btn_pow2");
    EXPECT_EQ(difficulty, 0);
    ClickOn("btn_bk3");
    OpenTournamentScreen();
    EXPECT_EQ(ElementNamed("btn_pow").caption, "легко");
}

TEST_F(ProgressTest, EscapePausesTheRaceAndThePauseButtonsLeaveIt) {
    LaunchAt(0);
    OpenTournamentScreen();
    ClickOn("btn_start_tr");
    ASSERT_EQ(gamestate, stRace);
    Key(VK_ESCAPE);
    EXPECT_EQ(gamestate, stPaused);
    EXPECT_TRUE(Shown("wnd_pause"));
    Key(VK_ESCAPE);
    EXPECT_EQ(gamestate, stPaused) << "Escape does not leave the pause";
    ClickOn("btn_res");
    EXPECT_EQ(gamestate, stRace);
    EXPECT_FALSE(Shown("wnd_pause"));
    Key(VK_ESCAPE);
    ClickOn("btn_coa2");
    EXPECT_EQ(gamestate, stMenu) << "the pause's Выйти в меню, not the single race's Продолжить";
    EXPECT_TRUE(Shown("wnd_menu"));
    EXPECT_FALSE(Shown("wnd_pause"));
}

TEST_F(ProgressTest, DeveloperKeysOpenTheEditorAndReturnToTheMenu) {
    LaunchAt(0);
    OpenTournamentScreen();
    Key(VK_F12);
    EXPECT_EQ(gamestate, stEditor);
    EXPECT_TRUE(Shown("wnd_main"));
    EXPECT_FALSE(Shown("wnd_tour"));
    Key(VK_F11);
    EXPECT_EQ(gamestate, stMenu);
    EXPECT_TRUE(Shown("wnd_menu"));
    EXPECT_FALSE(Shown("wnd_main"));
    // Both at once: F11 wins.
    Host_KeyEvent(VK_F12, true);
    Host_KeyEvent(VK_F11, true);
    Settle();
    Host_KeyEvent(VK_F12, false);
    Host_KeyEvent(VK_F11, false);
    Settle();
    EXPECT_EQ(gamestate, stMenu);
}

TEST_F(FlowTest, F11WithoutAProfileLeavesTheProfileWindowUp) {
    Launch();
    Key(VK_F11);
    EXPECT_EQ(gamestate, stMenu);
    EXPECT_FALSE(Shown("wnd_menu"));
    EXPECT_TRUE(Shown("wnd_pr"));
}

}  // namespace
