// The game in English: chosen in the options it applies at once and is kept
// for the next start, and played through its screens it draws not one
// Russian letter. Pictures of the English screens go beside the Russian ones.
#include <string>

#include "engine/text_log.h"
#include "flow_support.h"
#include "gui/widgets.h"
#include "language_support.h"

namespace {

using namespace std::string_literals;

TEST_F(FlowTest, TheOptionsSwitchTheLanguageAtOnceAndTheChoiceIsKept) {
    WriteUserFile("prf/Player", "\0\r\n0\r\n"s);
    Launch();
    ASSERT_EQ(gamestate, stMenu);
    const std::string mainConfig = UserFile("main.cfg");
    ClickOn("btn_op");
    EXPECT_TRUE(ElementNamed("chk_ru").checked);
    EXPECT_FALSE(ElementNamed("chk_en").checked);
    ClickOn("chk_en");
    EXPECT_EQ(ElementNamed("wnd_opt").caption, "Options");
    EXPECT_EQ(ElementNamed("txt_lang").caption, "Language");
    EXPECT_EQ(ElementNamed("chk_ru").caption, "Russian");
    EXPECT_TRUE(ElementNamed("chk_en").checked);
    EXPECT_FALSE(ElementNamed("chk_ru").checked);
    EXPECT_NE(UserFile("settings.cfg").find("\nlang=en\n"), std::string::npos) << UserFile("settings.cfg");
    EXPECT_EQ(UserFile("main.cfg"), mainConfig) << "main.cfg keeps its five lines";
    ClickOn("btn_bk22");
    Settle();
    EXPECT_EQ(ElementNamed("lb_hello").caption, "Hello, Player");
    EXPECT_EQ(ElementNamed("btn_op").caption, "Options");

    Relaunch();
    EXPECT_EQ(ElementNamed("btn_tr").caption, "Tournament");
    ClickOn("btn_op");
    ClickOn("chk_ru");
    EXPECT_EQ(ElementNamed("wnd_opt").caption, "Опции");
    EXPECT_EQ(ElementNamed("chk_en").caption, "English");
    EXPECT_NE(UserFile("settings.cfg").find("\nlang=ru\n"), std::string::npos);
}

TEST_F(FlowTest, InEnglishNoRussianLetterIsDrawnOnAnyScreen) {
    WriteUserFile("settings.cfg", "lang=en\n");
    Launch();
    Host_RecordTexts(true);
    Host_MouseMove(780, 580);
    Screenshot("profile_en");
    ClickOn("btn_pr_cr");
    Screenshot("profile_create_en");
    ClickOn("btn_pr_cr_ac");
    ASSERT_EQ(gamestate, stMenu);
    Ticks(20);
    Screenshot("menu_en");
    ClickOn("btn_op");
    Screenshot("options_en");
    ClickOn("btn_bk22");
    ClickOn("btn_hlp");
    Screenshot("help_en");
    ClickOn("btn_ctr");
    Screenshot("help_controls_en");
    ClickOn("btn_bk21");
    ClickOn("btn_pr");
    ClickOn("btn_pr_ld");
    Screenshot("profile_load_en");
    ClickOn("btn_pr_ld_ac");
    ClickOn("btn_sr");
    ClickOn("btn_cus_up");
    Screenshot("single_race_en");
    ClickOn("btn_bk3");

    ClickOn("btn_tr");
    // Every landscape's words and the winner's.
    for (int reached : {4, 8, 12, 16, 0}) {
        progress = reached;
        Ticks(2);
    }
    for (int i = 0; i < 3; ++i) ClickOn("btn_pow");  // every difficulty
    Screenshot("tournament_en");
    ClickOn("btn_start_tr");
    ASSERT_EQ(gamestate, stRace);
    Ticks(140);  // through the countdown
    Screenshot("race_en");
    Key(VK_ESCAPE);
    Screenshot("pause_en");

    const std::vector<std::string>& drawn = Host_TextLog();
    for (const std::string& text : drawn) EXPECT_FALSE(HasCyrillic(text)) << text;
    for (const char* expected : {"Go!!!", "1/4 Lap", "Points: 0", "Hello, Player", "This track is locked", "easy",
                                 "Ice Land is a very cold place...", "Congratulations!!! You are the winner!!!"}) {
        EXPECT_NE(std::find(drawn.begin(), drawn.end(), expected), drawn.end()) << expected;
    }
    Host_RecordTexts(false);
}

}  // namespace
