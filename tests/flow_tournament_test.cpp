// The whole tournament played on easy from a first run, every race driven by
// the autopilot in the best vehicle open, and a picture of every screen on
// the way, kept in the build's screens folder.
#include <cstdio>
#include <string>

#include "flow_support.h"
#include "game/tournament.h"
#include "gui/widgets.h"
#include "media/particles.h"
#include "media/texture_base.h"
#include "world/race.h"

namespace {

TEST_F(FlowTest, TheWholeTournamentOnEasyEndsInFireworks) {
    Launch();
    Host_MouseMove(780, 580);
    Screenshot("profile");
    ClickOn("btn_pr_cr");
    Screenshot("profile_create");
    ClickOn("btn_pr_cr_ac");
    ASSERT_EQ(gamestate, stMenu);
    Ticks(20);
    Screenshot("menu");

    ClickOn("btn_op");
    Screenshot("options");
    ClickOn("btn_bk22");
    ClickOn("btn_hlp");
    Screenshot("help");
    ClickOn("btn_ctr");
    Screenshot("help_controls");
    ClickOn("btn_bk21");
    ClickOn("btn_pr");
    ClickOn("btn_pr_ld");
    Screenshot("profile_load");
    ClickOn("btn_pr_ld_ac");
    ClickOn("btn_sr");
    ClickOn("btn_cus_up");
    Screenshot("single_race");
    ClickOn("btn_bk3");

    ClickOn("btn_tr");
    ClickOn("btn_pow");
    ClickOn("btn_pow");
    ASSERT_EQ(ElementNamed("btn_pow").caption, "легко");
    Screenshot("tournament");

    int races = 0;
    bool shownRace = false, shownWon = false;
    while (progress < 16 && races < 32) {
        // The biggest vehicle the progress has opened.
        while (vehiclechoice < progress / 4) ClickOn("btn_car_up");
        ClickOn("btn_start_tr");
        ASSERT_EQ(gamestate, stRace) << "race " << races;
        const int track = progress;
        if (!shownRace) {
            Ticks(140);  // past the countdown
            Screenshot("race");
            Key(VK_ESCAPE);
            Screenshot("pause");
            ClickOn("btn_res");
            shownRace = true;
        }
        DriveToResult();
        ++races;
        const bool won = Shown("wnd_fin_good");
        ASSERT_NE(won, Shown("wnd_fin_bad")) << "one result window";
        if (!won) std::printf("lost %s on easy, score %d\n", tracknames[track], score);
        if (won && !shownWon) Screenshot("result_won");
        shownWon = shownWon || won;
        ClickOn(won ? "btn_co" : "btn_coa");
        ASSERT_EQ(gamestate, stTournament);
        EXPECT_EQ(progress, won ? track + 1 : track);
    }
    ASSERT_EQ(progress, 16) << "after " << races << " races";
    EXPECT_EQ(UserFile("prf/Player"), "\x10\r\n" + std::to_string(score) + "\r\n");
    Ticks(60);
    EXPECT_EQ(ElementNamed("lb_ccc").caption, "Поздравляем!!! Вы победитель!!!");
    EXPECT_TRUE(Shown("btn_send"));
    EXPECT_FALSE(Shown("btn_start_tr"));
    EXPECT_FALSE(Shown("lb_ctrack"));
    EXPECT_EQ(WidgetNamed<Iimage>("img_track")->texture, FindTexture(SharedTextures, "g_tr"));
    EXPECT_GT(Particles.count, 0);
    Screenshot("tournament_won");
}

}  // namespace
