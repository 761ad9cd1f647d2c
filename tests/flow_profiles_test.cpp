// What the player earns is kept: the profile written at every result and at
// the end of the game, never changed by a window left without accepting.
#include <string>

#include "flow_support.h"
#include "game/profiles.h"
#include "gui/notice.h"
#include "gui/widgets.h"
#include "media/sound_base.h"
#include "world/race.h"

namespace {

using namespace std::string_literals;

std::string ProfileBytes(int progress, int score) {
    return std::string(1, static_cast<char>(progress)) + "\r\n" + std::to_string(score) + "\r\n";
}

TEST_F(FlowTest, EveryResultIsWrittenAtOnceAndTheRestAtTheEnd) {
    WriteUserFile("prf/Player", ProfileBytes(0, 0));
    Launch();
    ASSERT_NO_FATAL_FAILURE(StartEasyTournamentRace());
    DriveToResult();
    ASSERT_TRUE(Shown("wnd_fin_good")) << "the autopilot lost beach1 on easy";
    // The game may end on the result window: the won race is already kept.
    EXPECT_EQ(UserFile("prf/Player"), ProfileBytes(1, score));

    ClickOn("btn_co");
    ClickOn("btn_bk");
    ClickOn("btn_sr");
    ClickOn("btn_start_tr2");
    ASSERT_EQ(gamestate, stRace);
    DriveToResult();
    EXPECT_TRUE(Shown("wnd_fin_good2") || Shown("wnd_fin_bad2"));
    EXPECT_EQ(UserFile("prf/Player"), ProfileBytes(1, score)) << "a single race's points too";

    // Points taken in a race left through the pause reach the file at the end.
    score += 150;
    GameQuit();
    EXPECT_EQ(UserFile("prf/Player"), ProfileBytes(1, score));
}

TEST_F(FlowTest, ProfileWindowsLeftWithoutAcceptingChangeNothing) {
    WriteUserFile("prf/A", ProfileBytes(3, 30));
    Launch();
    ASSERT_EQ(profilename, "A");
    for (const char* opener : {"btn_pr_cr", "btn_pr_ld"}) {
        ClickOn("btn_pr");
        ClickOn(opener);
        EXPECT_EQ(progress, 3) << opener;
        EXPECT_EQ(score, 30) << opener;
        Key(VK_F11);
        ASSERT_EQ(gamestate, stMenu);
        ClickOn("btn_tr");
        EXPECT_EQ(UserFile("prf/A"), ProfileBytes(3, 30)) << opener;
        ClickOn("btn_bk");
    }
    // Accepting a new profile is what starts from nothing.
    ClickOn("btn_pr");
    ClickOn("btn_pr_cr");
    Type("edt_pr_cr", "B");
    ClickOn("btn_pr_cr_ac");
    EXPECT_EQ(profilename, "B");
    EXPECT_EQ(progress, 0);
    EXPECT_EQ(score, 0);
    EXPECT_EQ(UserFile("prf/A"), ProfileBytes(3, 30));
}

TEST_F(FlowTest, NoProfileIsWrittenBeforeThePlayerHasOne) {
    WriteUserFile("main.cfg", "\0\r\n\0\r\n\0\r\n\r\nGhost\r\n"s);
    Launch();
    ASSERT_EQ(gamestate, stProfiles);
    GameQuit();
    EXPECT_TRUE(std::filesystem::is_empty(user.path() / "prf"));
}

// The profile window's notice, as the player reads it.
std::string Notice() {
    if (!ElementNamed("wnd_note").visible) return {};
    return ElementNamed("lb_note").caption + " / " + ElementNamed("lb_note2").caption;
}

TEST_F(FlowTest, ProfileNamesAreVisibleShortAndWhatTheFolderTakes) {
    Launch();
    ClickOn("btn_pr_cr");
    // Typed at once, text stops at the box's width as when typed key by key.
    Type("edt_pr_cr", "");
    Host_TypeText(std::string(260, 'W'));
    Settle();
    const std::string atOnce = ElementNamed("edt_pr_cr").caption;
    Type("edt_pr_cr", "");
    for (int i = 0; i < 260; ++i) {
        Host_TypeText("W");
        Settle();
    }
    EXPECT_EQ(ElementNamed("edt_pr_cr").caption, atOnce);
    EXPECT_LT(atOnce.size(), 40u);
    // Characters that draw nothing never go in.
    Type("edt_pr_cr", "");
    Host_TypeText("A" + std::string(50, '\x7F') + "\u00AD\u200B\u200C\u200D\u200E\u200F\u2060\uFEFFB");
    Settle();
    EXPECT_EQ(ElementNamed("edt_pr_cr").caption, "AB");

    for (const std::string& bad : {" "s, "   "s, "\u00A0\u3000"s, "a\u00ADb"s, "a\u200Bb"s, "\uFEFFa"s,
                                   std::string(33, 'i'), std::string(260, 'x'), "a\xC3"s}) {
        ElementNamed("edt_pr_cr").caption = bad;  // as if pasted
        ClickOn("btn_pr_cr_ac");
        EXPECT_EQ(gamestate, stProfiles) << bad;
        EXPECT_TRUE(Shown("wnd_pr_cr")) << bad;
        EXPECT_NE(Notice(), "") << bad;
    }
    EXPECT_TRUE(std::filesystem::is_empty(user.path() / "prf"));
    Type("edt_pr_cr", std::string(32, 'i'));
    ClickOn("btn_pr_cr_ac");
    EXPECT_EQ(gamestate, stMenu);
    EXPECT_EQ(profilename, std::string(32, 'i'));
}

TEST_F(FlowTest, FailedSavesAreToldAndKeepThePlayerWhereTheyWere) {
    Launch();
    // A folder where the profile's file would go: the write cannot happen.
    std::filesystem::create_directories(user.path() / "prf/Blocked/inside");
    ClickOn("btn_pr_cr");
    Type("edt_pr_cr", "Blocked");
    ClickOn("btn_pr_cr_ac");
    EXPECT_EQ(gamestate, stProfiles);
    EXPECT_TRUE(Shown("wnd_pr_cr"));
    EXPECT_NE(Notice().find("Профиль не создан"), std::string::npos) << Notice();
    EXPECT_NE(profilename, "Blocked");
    Screenshot("notice_profile");
    Type("edt_pr_cr", "Player");
    ClickOn("btn_pr_cr_ac");
    ASSERT_EQ(gamestate, stMenu);

    std::filesystem::create_directories(user.path() / "main.cfg/inside");
    ClickOn("btn_op");
    ClickOn("chk_wd");
    ClickOn("btn_acc");
    EXPECT_EQ(gamestate, stOptions) << "the options window stays";
    EXPECT_NE(Notice().find("Опции не сохранены"), std::string::npos) << Notice();
    ClickOn("btn_bk22");

    // The profile's file taken away and a folder put in its place.
    std::filesystem::remove(user.path() / "prf/Player");
    std::filesystem::create_directories(user.path() / "prf/Player/inside");
    Ticks(kNoticeTicks);
    EXPECT_EQ(Notice(), "") << "the notice goes after a while";
    ClickOn("btn_tr");
    EXPECT_EQ(gamestate, stTournament);
    EXPECT_NE(Notice().find("Профиль не сохранён"), std::string::npos) << Notice();
}

TEST_F(FlowTest, AnUnusablePlayersFolderIsToldAndNothingIsPretended) {
    // The player's folder is a file: nothing can be made in it.
    const std::filesystem::path file = user.path() / "not-a-folder";
    WriteFile(file.string(), "x");
    Start(TestDataFolder(), file.string());
    EXPECT_EQ(gamestate, stProfiles) << "the missing folder's empty name is no profile";
    EXPECT_NE(Notice().find("Папка игрока недоступна"), std::string::npos) << Notice();
    EXPECT_NE(Notice().find(file.string().substr(0, 24)), std::string::npos) << "where it is: " << Notice();
    EXPECT_NE(Notice().find("Not a directory"), std::string::npos) << "and why: " << Notice();
    Screenshot("notice_folder");
    ClickOn("btn_pr_ld");
    EXPECT_FALSE(Shown("wnd_pr_ld")) << "no profile to load";
    // The game still runs, saving nothing.
    ClickOn("btn_pr_cr");
    ClickOn("btn_pr_cr_ac");
    ASSERT_EQ(gamestate, stMenu);
    Settle();
    EXPECT_EQ(ElementNamed("lb_hello").caption, "Привет, Player");
    GameQuit();
    EXPECT_EQ(ReadFile(file.string()), "x");
    Stop();
}

TEST_F(FlowTest, ATrackThatCannotBeLoadedStartsNoRace) {
    WriteUserFile("prf/Player", ProfileBytes(0, 0));
    WriteUserFile("wld/beach1.wld", "1\r\ntree\r\nten\r\n");
    Launch();
    ClickOn("btn_tr");
    const OE_Sound* bad = FindSound(Sounds, "bad");
    const auto badSounds = [bad] {
        long n = 0;
        for (const HostSoundPlay& p : Host_SoundLog()) n += p.sound == bad ? 1 : 0;
        return n;
    };
    const long before = badSounds();
    ClickOn("btn_start_tr");
    EXPECT_EQ(gamestate, stTournament);
    EXPECT_TRUE(Shown("wnd_tour"));
    EXPECT_NE(Notice().find("beach1"), std::string::npos) << Notice();
    EXPECT_EQ(badSounds(), before + 1);
    Screenshot("notice_track");
    ClickOn("btn_bk");
    ClickOn("btn_sr");
    ClickOn("btn_start_tr2");
    EXPECT_EQ(gamestate, stSingleRace);
    EXPECT_TRUE(Shown("wnd_sr"));
}

TEST_F(FlowTest, TheEditorOffersNoBonuses) {
    WriteUserFile("prf/Player", ProfileBytes(0, 0));
    Launch();
    const TF_list& items = WidgetNamed<Ilist>("lst_items")->items;
    ASSERT_GT(items.count, 10);
    for (int i = 0; i < items.count; ++i) EXPECT_NE(items.items[i].substr(0, 2), "bn") << items.items[i];
}

}  // namespace
