// The screen catalogue: every window and element built at start-up, their
// handlers, the lists they are filled from, and how each window looks.
#include <filesystem>
#include <map>
#include <vector>

#include "engine/language.h"
#include "engine/paths.h"
#include "engine/text_log.h"
#include "game/game_texts.h"
#include "game/language_choice.h"
#include "game/shell.h"
#include "gui/screens.h"
#include "gui_support.h"
#include "language_support.h"
#include "media/language_textures.h"
#include "media/sound_base.h"
#include "media/texture_base.h"

namespace {

namespace fs = std::filesystem;

// Handler N records that it ran.
int fired = 0;
template <int N>
void Fire() {
    fired = N;
}

void EmptyBase(TBase& base) {
    base.count = 0;
    base.index.clear();
}

class GuiScreens : public GuiTest {
  protected:
    void SetUp() override {
        GuiTest::SetUp();
        fired = 0;
        EmptyBase(SharedTextures);
        EmptyBase(ObjectTextures);
        for (TBase& base : LanguageTextures) EmptyBase(base);
        Sounds = TS_List{};
        AddSound(Sounds, "click", "click.wav");
        AddSound(Sounds, "select", "select.wav");
        const std::string fonts = TestDataFolder() + "/fnt/";
        font = Text_LoadFontFromFile(fonts + "font.tga", fonts + "font.ofi", -1, 266);
        fs::create_directories(scratch.path() / "data/gfx/obj");
        fs::create_directories(scratch.path() / "user/prf");
        WriteFile(scratch / "data/gfx/obj/list.txt", "tree\r\nlamp\r\n\r\nrock\r\n");
        SetDataFolder(scratch / "data");
        SetUserFolder(scratch / "user");
        vehiclechoice = 0;
    }
    void TearDown() override {
        EmptyBase(SharedTextures);
        EmptyBase(ObjectTextures);
        for (TBase& base : LanguageTextures) EmptyBase(base);
        SetLanguage(Language::Russian);
        SetTranslations(Language::English, {});
        Sounds = TS_List{};
        font = nullptr;
        GuiTest::TearDown();
    }
    void Build(const ScreenHandlers& handlers = {}) {
        std::string error;
        ASSERT_TRUE(BuildScreens(handlers, vehiclechoice, error)) << error;
    }
    // Shows one window alone, as the screen flow does.
    void ShowOnly(std::string_view window) {
        for (int i = 0; i < Elements.count(); ++i) {
            if (!Elements[i].isChild) Elements[i].visible = Elements[i].name == window;
        }
    }
    // A point strictly inside an element, on screen.
    void ClickOn(const ielement& e) {
        const ielement::Point o = e.Origin();
        Click(o.x + e.x + e.width / 2, o.y + e.y + e.height / 2);
    }
    int IndexWhere(std::string_view name, std::string_view caption) {
        for (int i = 0; i < Elements.count(); ++i) {
            if (Elements[i].name == name && Elements[i].caption == caption) return i;
        }
        return -1;
    }

    template <class T>
    int CountOf() {
        int n = 0;
        for (int i = 0; i < Elements.count(); ++i) n += dynamic_cast<T*>(&Elements[i]) != nullptr;
        return n;
    }
};

TEST_F(GuiScreens, CatalogueHoldsEveryWindowAndElementInOrder) {
    Build();
    EXPECT_EQ(Elements.count(), 160);
    EXPECT_EQ(CountOf<Iwindow>(), 16);
    EXPECT_EQ(CountOf<Iimage>(), 33);
    EXPECT_EQ(CountOf<Ibutton>(), 47);
    EXPECT_EQ(CountOf<Itext>(), 39);
    EXPECT_EQ(CountOf<Icheckbox>(), 17);
    EXPECT_EQ(CountOf<Iedit>(), 5);
    EXPECT_EQ(CountOf<Ilist>(), 2);
    EXPECT_EQ(CountOf<Ilabel>(), 1);

    std::vector<std::string> windows;
    int window = -1;
    for (int i = 0; i < Elements.count(); ++i) {
        const ielement& e = Elements[i];
        if (!e.isChild) {
            window = i;
            windows.push_back(e.name);
            EXPECT_TRUE(e.fixed) << e.name;
            EXPECT_EQ(e.visible, e.name == "wnd_pr") << e.name;
        } else {
            EXPECT_EQ(e.parent, window) << e.name;
        }
    }
    EXPECT_EQ(windows, (std::vector<std::string>{"wnd_main", "wnd_menu", "wnd_pr", "wnd_pr_cr", "wnd_pr_ld", "wnd_tour",
                                                 "wnd_opt", "wnd_sr", "wnd_fin_good", "wnd_fin_bad", "wnd_fin_good2",
                                                 "wnd_fin_bad2", "wnd_pause", "wnd_help", "wnd_times", "wnd_note"}));
    EXPECT_EQ(FindElement("no_such_element"), 0);                                            // the editor's panel
    EXPECT_EQ(ElementNamed("btn_op").caption, "O\xD0\xBF\xD1\x86\xD0\xB8\xD0\xB8");          // a Latin O
    EXPECT_EQ(ElementNamed("wnd_opt").caption, "\xD0\x9E\xD0\xBF\xD1\x86\xD0\xB8\xD0\xB8");  // a Cyrillic О
    EXPECT_EQ(ElementNamed("img_sh3").x, -256);
    EXPECT_EQ(ElementNamed("img_h2").x, 9);
    EXPECT_EQ(ElementNamed("img_h2").y, 151);
    EXPECT_FALSE(ElementNamed("img_h2").visible);
    EXPECT_FALSE(ElementNamed("btn_send").visible);
    EXPECT_TRUE(WidgetNamed<Iimage>("img_logo")->clickable);
    EXPECT_TRUE(WidgetNamed<Iimage>("img_car_tp2")->tinted);
    EXPECT_FALSE(WidgetNamed<Iimage>("img_car_wh2")->tinted);
}

TEST_F(GuiScreens, SharedNamesReachTheLaterElementAndEachKeepsItsHandler) {
    ScreenHandlers handlers;
    handlers.OpenSingleRace = Fire<1>;
    handlers.BackToMenu = Fire<2>;
    handlers.OpenTellFriend = Fire<3>;
    handlers.OpenSubscribe = Fire<4>;
    Build(handlers);

    const int pauseExit = IndexWhere("btn_coa2", "Выйти в меню");
    const int goOn = IndexWhere("btn_coa2", "Продолжить");
    ASSERT_GE(goOn, 0);
    EXPECT_EQ(FindElement("btn_coa2"), pauseExit);
    EXPECT_EQ(Elements[goOn].onClick, Fire<1>);
    EXPECT_EQ(Elements[pauseExit].onClick, Fire<2>);

    const int tell = IndexWhere("btn_tell", "Сказать другу");
    ASSERT_GE(tell, 0);
    EXPECT_EQ(FindElement("btn_tell"), IndexWhere("btn_tell", "Подписаться"));
    EXPECT_EQ(Elements[tell].onClick, Fire<3>);
    EXPECT_EQ(ElementNamed("btn_tell").onClick, Fire<4>);

    EXPECT_EQ(ElementNamed("lb_diffff").parent, FindElement("wnd_sr"));
    EXPECT_EQ(ElementNamed("lb1").caption, "Выберите цвет");

    // Clicked on screen, each button runs its own handler.
    ShowOnly("wnd_fin_bad2");
    ClickOn(Elements[goOn]);
    EXPECT_EQ(fired, 1);
    ShowOnly("wnd_menu");
    ClickOn(Elements[tell]);
    EXPECT_EQ(fired, 3);
}

TEST_F(GuiScreens, EveryHandlerSlotReachesTheElementsThatCallIt) {
    using H = ScreenHandlers;
    const std::vector<std::pair<ClickHandler H::*, std::vector<std::string>>> expected = {
        {&H::OpenTournament, {"btn_tr", "btn_co", "btn_coa"}},
        {&H::OpenSingleRace, {"btn_sr", "btn_co2", "btn_coa2"}},
        {&H::OpenOptions, {"btn_op"}},
        {&H::OpenProfiles, {"btn_pr"}},
        {&H::OpenHelp, {"btn_hlp"}},
        {&H::QuitGame, {"btn_qt"}},
        {&H::OpenMoreGames, {"btn_more", "btn_send"}},
        {&H::OpenTellFriend, {"btn_tell"}},
        {&H::OpenSubscribe, {"btn_tell"}},
        {&H::OpenWebsite, {"img_logo"}},
        {&H::BackToMenu, {"btn_prbb", "btn_bk", "btn_bk22", "btn_bk3", "btn_coa2", "btn_bk21"}},
        {&H::OpenCreateProfile, {"btn_pr_cr"}},
        {&H::OpenLoadProfile, {"btn_pr_ld"}},
        {&H::CreateProfile, {"btn_pr_cr_ac"}},
        {&H::LoadListedProfile, {"btn_pr_ld_ac"}},
        {&H::NextVehicle, {"btn_car_up", "btn_car_up2"}},
        {&H::PreviousVehicle, {"btn_car_dn", "btn_car_dn2"}},
        {&H::NextColour, {"btn_col_up", "btn_col_up2"}},
        {&H::PreviousColour, {"btn_col_dn", "btn_col_dn2"}},
        {&H::NextTrack, {"btn_cus_up"}},
        {&H::PreviousTrack, {"btn_cus_dn"}},
        {&H::CycleDifficulty, {"btn_pow", "btn_pow2"}},
        {&H::StartTournamentRace, {"btn_start_tr"}},
        {&H::StartSingleRace, {"btn_start_tr2"}},
        {&H::AcceptOptions, {"btn_acc"}},
        {&H::ShowHelpOverview, {"btn_ov"}},
        {&H::ShowHelpControls, {"btn_ctr"}},
        {&H::ResumeRace, {"btn_res"}},
        {&H::ChooseRussian, {"chk_ru"}},
        {&H::ChooseEnglish, {"chk_en"}},
        {&H::EditorSave, {"btn_save"}},
        {&H::EditorLoad, {"btn_load"}},
        {&H::UndoWaypoint, {"btn_dwp"}},
    };
    const auto callers = [](ClickHandler handler) {
        std::vector<std::string> names;
        for (int i = 0; i < Elements.count(); ++i) {
            if (Elements[i].onClick == handler) names.push_back(Elements[i].name);
        }
        return names;
    };
    for (const auto& [slot, names] : expected) {
        ScreenHandlers handlers;
        handlers.*slot = Fire<1>;
        Build(handlers);
        EXPECT_EQ(callers(Fire<1>), names) << names.front();
    }
    // With every slot empty, only the toolkit's own handlers are left.
    Build();
    std::vector<std::string> own;
    for (int i = 0; i < Elements.count(); ++i) {
        if (Elements[i].onClick) own.push_back(Elements[i].name);
    }
    EXPECT_EQ(
        own, (std::vector<std::string>{"btn_lst_up", "btn_lst_dn", "chk_tme", "chk_tmd", "chk_gse", "chk_gsd", "chk_fs",
                                       "chk_wd", "chk_ame", "chk_amd", "chk_mme", "chk_mmd", "chk_rbe", "chk_rbd"}));
}

TEST_F(GuiScreens, EmptySlotsLeaveTheirElementsWithoutHandlers) {
    Build();
    ShowOnly("wnd_menu");
    ClickOn(ElementNamed("btn_tr"));  // nothing to run: only the sound
    EXPECT_EQ(ElementNamed("btn_tr").onClick, nullptr);
    EXPECT_EQ(Played(FindSound(Sounds, "click")), 1);
}

TEST_F(GuiScreens, OptionBoxesWorkInPairs) {
    Build();
    ShowOnly("wnd_opt");
    Icheckbox& full = *WidgetNamed<Icheckbox>("chk_fs");
    Icheckbox& windowed = *WidgetNamed<Icheckbox>("chk_wd");
    full.checked = true;
    ClickOn(windowed);
    EXPECT_TRUE(windowed.checked);
    EXPECT_FALSE(full.checked);
    ClickOn(windowed);  // a second click leaves the choice as it is
    EXPECT_TRUE(windowed.checked);
    EXPECT_FALSE(full.checked);

    ClickOn(ElementNamed("chk_mmd"));
    EXPECT_TRUE(ElementNamed("chk_mmd").checked);
    EXPECT_FALSE(ElementNamed("chk_mme").checked);
    ClickOn(ElementNamed("chk_ame"));
    EXPECT_TRUE(ElementNamed("chk_ame").checked);
    EXPECT_FALSE(ElementNamed("chk_amd").checked);
    EXPECT_TRUE(windowed.checked);  // the other pairs are untouched
}

TEST_F(GuiScreens, ListsAreFilledFromTheObjectListAndTheProfileFolder) {
    WriteFile(scratch / "user/prf/bob", "1");
    WriteFile(scratch / "user/prf/Anna", "0");
    Build();
    const Ilist& objects = *WidgetNamed<Ilist>("lst_items");
    ASSERT_EQ(objects.items.count, 4);
    EXPECT_EQ(objects.items.items[1], "lamp");
    EXPECT_EQ(objects.items.items[2], "");
    EXPECT_FALSE(objects.noScrollButtons);

    Ilist& profiles = *WidgetNamed<Ilist>("lst_pr");
    ASSERT_EQ(profiles.items.count, 2);
    EXPECT_EQ(profiles.items.items[0], "Anna");
    EXPECT_TRUE(profiles.noScrollButtons);

    // The buttons beside the list turn it.
    ShowOnly("wnd_pr_ld");
    ClickOn(ElementNamed("btn_lst_up"));
    EXPECT_EQ(profiles.items.items[0], "bob");
    ClickOn(ElementNamed("btn_lst_dn"));
    EXPECT_EQ(profiles.items.items[0], "Anna");

    fs::remove(scratch / "user/prf/bob");
    fs::remove(scratch / "user/prf/Anna");
    Build();
    EXPECT_EQ(WidgetNamed<Ilist>("lst_pr")->items.count, 0);
    fs::remove(scratch / "user/prf");
    Build();
    ASSERT_EQ(WidgetNamed<Ilist>("lst_pr")->items.count, 1);  // no folder: one empty name
    EXPECT_EQ(WidgetNamed<Ilist>("lst_pr")->items.items[0], "");
}

TEST_F(GuiScreens, MissingObjectListStopsTheBuildWithTheFileNamed) {
    fs::remove(scratch / "data/gfx/obj/list.txt");
    std::string error;
    EXPECT_FALSE(BuildScreens({}, vehiclechoice, error));
    EXPECT_NE(error.find(scratch / "data/gfx/obj/list.txt"), std::string::npos) << error;
    EXPECT_EQ(Elements.count(), 6);  // the editor's panel and its first five elements
    EXPECT_EQ(Elements[5].name, "lst_items");
}

TEST_F(GuiScreens, TexturesAndTheToolkitLookComeFromTheBases) {
    for (const char* name : {"blank", "g_wnd", "g_but", "g_tit", "lock"}) {
        WriteSolidTga(scratch / (std::string(name) + ".tga"), 4, 4, 0xFFFFFF);
        LoadTexture(SharedTextures, scratch / (std::string(name) + ".tga"));
    }
    for (const char* name : {"jeep_wh10", "jeep_tp10", "car_wh10", "car_tp10"}) {
        WriteSolidTga(scratch / (std::string(name) + ".tga"), 4, 4, 0xFFFFFF);
        LoadTexture(ObjectTextures, scratch / (std::string(name) + ".tga"));
    }
    vehiclechoice = 1;
    Build();
    EXPECT_EQ(WindowTexture, FindTexture(SharedTextures, "g_wnd"));
    EXPECT_EQ(ButtonTexture, FindTexture(SharedTextures, "g_but"));
    EXPECT_EQ(WidgetNamed<Iimage>("img_tit")->texture, FindTexture(SharedTextures, "g_tit"));
    EXPECT_EQ(WidgetNamed<Iimage>("img_locktr2")->texture, FindTexture(SharedTextures, "lock"));
    EXPECT_EQ(WidgetNamed<Iimage>("img_car_wh")->texture, FindTexture(ObjectTextures, "car_wh10"));
    EXPECT_EQ(WidgetNamed<Iimage>("img_car_tp2")->texture, FindTexture(ObjectTextures, "car_tp10"));
    EXPECT_EQ(WidgetNamed<Iimage>("img_sh1")->texture, SharedTextures.items[0].handle);  // missing: the first
    EXPECT_EQ(ClickSound, FindSound(Sounds, "click"));
    EXPECT_EQ(HoverSound, FindSound(Sounds, "select"));
    EXPECT_NE(ClickSound, HoverSound);
    EXPECT_EQ(HighlightColor, 0x000000);
    EXPECT_EQ(TextColor, 0xFFFFFF);
    EXPECT_EQ(ButtonTextColor, 0xFFFFFF);
    EXPECT_EQ(GuiFont, font);
}

// Captions that stick out of their element or window (a text line of no
// size is centred on its position and must stay inside its window).
std::vector<std::string> Overflows(int window) {
    std::vector<std::string> out;
    const ielement& w = Elements[window];
    const auto report = [&out](const ielement& e, int tw) {
        out.push_back(e.name + " \"" + e.caption + "\" " + std::to_string(tw) + " px in " + std::to_string(e.width));
    };
    if (CaptionWidth(w.caption) > w.width) report(w, CaptionWidth(w.caption));
    for (int i = window + 1; i < Elements.count() && Elements[i].isChild; ++i) {
        const ielement& e = Elements[i];
        const int tw = CaptionWidth(e.caption);
        if (e.caption.empty()) continue;
        if (dynamic_cast<const Itext*>(&e)) {
            const int left = e.x + e.width / 2 - tw / 2;
            if (left < 0 || left + tw > w.width) report(e, tw);
        } else if (!dynamic_cast<const Ilist*>(&e) && tw > e.width) {
            report(e, tw);
        }
    }
    return out;
}

struct WindowsDrawn {
    std::vector<std::string> texts;            // every text drawn
    std::map<std::string, std::string> looks;  // window -> hash of its pixels
};

// Draws every window alone as the game shows it and saves it as
// screens/<window><suffix>.png in the build folder, for people to look at.
WindowsDrawn DrawEveryWindow(const std::string& suffix) {
    WindowsDrawn out;
    const std::string folder = TestDataFolder() + "/../screens/";
    fs::create_directories(folder);
    const std::map<std::string, uint8_t> states = {
        {"wnd_main", stEditor},      {"wnd_menu", stMenu},          {"wnd_pr", stProfiles},
        {"wnd_pr_cr", stProfiles},   {"wnd_pr_ld", stProfiles},     {"wnd_tour", stTournament},
        {"wnd_opt", stOptions},      {"wnd_sr", stSingleRace},      {"wnd_fin_good", stRaceOver},
        {"wnd_fin_bad", stRaceOver}, {"wnd_fin_good2", stRaceOver}, {"wnd_fin_bad2", stRaceOver},
        {"wnd_pause", stPaused},     {"wnd_help", stHelp},          {"wnd_note", stOptions},
        {"wnd_times", stRaceOver},
    };
    OE_RegProcedure(OE_PROC_DRAW, GameDraw);
    mousex = -100;  // the cursor off the screen
    Host_MouseMove(0, 0);
    Host_RecordTexts(true);
    for (int i = 0; i < Elements.count(); ++i) {
        if (Elements[i].isChild) continue;
        const std::string& name = Elements[i].name;
        for (int j = 0; j < Elements.count(); ++j) {
            if (!Elements[j].isChild) Elements[j].visible = j == i;
        }
        gamestate = states.at(name);
        Host_DrawFrame();
        EXPECT_TRUE(Host_SaveScreenshot(folder + name + suffix + ".png")) << name;
        out.looks[name] = PixelFingerprint(Host_ReadScreen());
        EXPECT_EQ(Overflows(i), std::vector<std::string>{}) << name;
    }
    gamestate = 0;
    out.texts = Host_TextLog();
    Host_RecordTexts(false);
    return out;
}

// Each window drawn pixel for pixel as recorded: a change to how the game
// draws must not change what it draws.
void ExpectLooks(const std::map<std::string, std::string>& looks, const std::map<std::string, std::string>& recorded) {
    for (const auto& [window, hash] : looks) {
        const auto it = recorded.find(window);
        EXPECT_EQ(hash, it == recorded.end() ? "" : it->second) << "{\"" << window << "\", \"" << hash << "\"},";
    }
}

const std::map<std::string, std::string> kRussianLooks = {
    {"wnd_fin_bad", "2853fff061f615a1"},   {"wnd_fin_bad2", "5eec13ce6bceb3c2"}, {"wnd_fin_good", "491e4080dd12d8d6"},
    {"wnd_fin_good2", "9d326d78173bc2e4"}, {"wnd_help", "93baf0eb77e13700"},     {"wnd_main", "c12271acdee2adf2"},
    {"wnd_menu", "3c3aae626e7ce223"},      {"wnd_note", "8409e941fec71fda"},     {"wnd_opt", "11a1a892cf43b572"},
    {"wnd_pause", "fad565e44fd2226b"},     {"wnd_pr", "a0c094ed692ebdea"},       {"wnd_pr_cr", "02d50f2e70420afc"},
    {"wnd_pr_ld", "146545349c042aec"},     {"wnd_sr", "e4daeadc05eef5a4"},       {"wnd_times", "ce1d6ad03a20b2a3"},
    {"wnd_tour", "c4d20214dd052cce"},
};
const std::map<std::string, std::string> kEnglishLooks = {
    {"wnd_fin_bad", "5f968e1fbc676272"},   {"wnd_fin_bad2", "f193f715f524f56d"}, {"wnd_fin_good", "34d0da719ca60d58"},
    {"wnd_fin_good2", "aec27562f1bd09d5"}, {"wnd_help", "27989c2d555cc5e8"},     {"wnd_main", "c12271acdee2adf2"},
    {"wnd_menu", "063dac3e173aebd0"},      {"wnd_note", "e16bb99cc81fe6d6"},     {"wnd_opt", "9f20630be1f6b405"},
    {"wnd_pause", "9a305768cb10adb0"},     {"wnd_pr", "c7452dfb7dea56b6"},       {"wnd_pr_cr", "a8d82847708422b9"},
    {"wnd_pr_ld", "6ce3dfbab0dcb029"},     {"wnd_sr", "87bdac5d65841931"},       {"wnd_times", "c8f9d7bb53a2a1b9"},
    {"wnd_tour", "340faf79ee8ede1d"},
};

void LoadRealData() {
    const std::string data = TestDataFolder() + "/";
    if (fs::is_directory(data + "gfx/share")) {
        LoadTextureFolder(SharedTextures, data + "gfx/share/");
        LoadLanguageTextures(data + "gfx/share/");
    }
    if (fs::is_directory(data + "gfx/obj")) LoadTextureFolder(ObjectTextures, data + "gfx/obj/");
    if (fs::is_regular_file(data + kObjectListFile)) SetDataFolder(data);
}

TEST_F(GuiScreens, EveryWindowIsDrawnWithItsTextInside) {
    LoadRealData();
    WriteFile(scratch / "user/prf/Player", "0");
    Build();
    ElementNamed("lb_hello").caption = "Привет, Player";
    ElementNamed("lb_note").caption = "Профиль не сохранён";
    ElementNamed("lb_note2").caption = "Папка: \"/home/player/.local/share/kolvetra/\"";
    ElementNamed("lb_tm_race").caption = "Время гонки 12:00.54  Рекорд трассы!";
    ElementNamed("lb_tm_lap").caption = "Лучший круг 10:29.94  Рекорд трассы!";
    ExpectLooks(DrawEveryWindow("").looks, kRussianLooks);
}

// Switched to English on the spot, every window says nothing in Russian and
// keeps its words inside their boxes; switched back, every caption is the
// Russian one again, byte for byte.
TEST_F(GuiScreens, EnglishFitsEveryWindowAndSwitchesBackToTheSameRussian) {
    LoadRealData();
    LoadTranslations();
    WriteFile(scratch / "user/prf/Player", "0");
    Build();
    std::vector<std::string> russian;
    for (int i = 0; i < Elements.count(); ++i) russian.push_back(Elements[i].caption);
    const OE_Texture* russianHelp = WidgetNamed<Iimage>("img_h1")->texture;

    ApplyLanguage(Language::English);
    EXPECT_EQ(ElementNamed("wnd_opt").caption, "Options");
    EXPECT_TRUE(ElementNamed("chk_en").checked);
    EXPECT_FALSE(ElementNamed("chk_ru").checked);
    if (LanguageTextures[1].count > 0) {
        EXPECT_NE(WidgetNamed<Iimage>("img_h1")->texture, russianHelp) << "the English help page";
        EXPECT_EQ(WidgetNamed<Iimage>("img_h2")->texture, FindSharedTexture(Language::English, "help2"));
    }
    ElementNamed("lb_hello").caption = std::string(Tr(kGreetingText)) + "Player";
    const WindowsDrawn english = DrawEveryWindow("_en");
    for (const std::string& text : english.texts) EXPECT_FALSE(HasCyrillic(text)) << text;
    ExpectLooks(english.looks, kEnglishLooks);

    ApplyLanguage(Language::Russian);
    ElementNamed("lb_hello").caption = "Привет, ";  // the menu's tick writes the greeting
    for (int i = 0; i < Elements.count(); ++i) EXPECT_EQ(Elements[i].caption, russian[i]) << Elements[i].name;
    EXPECT_EQ(WidgetNamed<Iimage>("img_h1")->texture, russianHelp);
    EXPECT_TRUE(ElementNamed("chk_ru").checked);
}

TEST_F(GuiScreens, StartUpEndsInOrderWithoutTheObjectList) {
    fs::create_directories(scratch.path() / "data/fnt");
    for (const char* file : {"font.tga", "font.ofi"}) {
        fs::copy_file(TestDataFolder() + "/fnt/" + file, scratch.path() / "data/fnt" / file);
    }
    GameInit();
    EXPECT_FALSE(Host_QuitRequested());
    EXPECT_EQ(gamestate, stProfiles);
    EXPECT_EQ(Elements.count(), 160);

    fs::remove(scratch / "data/gfx/obj/list.txt");
    testing::internal::CaptureStderr();
    GameInit();
    const std::string message = testing::internal::GetCapturedStderr();
    EXPECT_TRUE(Host_QuitRequested());
    EXPECT_NE(message.find(scratch / "data/gfx/obj/list.txt"), std::string::npos) << message;
    gamestate = 0;
}

TEST_F(GuiScreens, GameDrawRunsTheScreensAndTheCursorOutsideTheRace) {
    WriteSolidTga(scratch / "blank.tga", 4, 4, 0x000000);  // what every missing picture shows
    WriteSolidTga(scratch / "g_cur.tga", 4, 4, 0x00FF00);
    LoadTexture(SharedTextures, scratch / "blank.tga");
    LoadTexture(SharedTextures, scratch / "g_cur.tga");
    ScreenHandlers handlers;
    handlers.OpenTournament = Fire<1>;
    Build(handlers);
    OE_RegProcedure(OE_PROC_DRAW, GameDraw);
    ShowOnly("wnd_menu");
    const ielement& tournament = ElementNamed("btn_tr");
    const int x = tournament.x + 20, y = tournament.y + 20;
    mousex = 600;
    mousey = 40;

    // The race draws its own screen (its background here), the two unused
    // states nothing; none of them the GUI or the cursor.
    mousey = 140;  // the cursor would hang below the race's display
    for (int state : {0, 3, 4}) {
        gamestate = static_cast<uint8_t>(state);
        Click(x, y);
        EXPECT_EQ(fired, 0);
        EXPECT_EQ(Host_ReadPixel(600, 150), state == 0 ? 0x444422u : 0u) << state;
    }
    mousey = 40;

    gearspin = 100;
    gamestate = stMenu;
    Click(x, y);
    EXPECT_EQ(fired, 1);
    EXPECT_EQ(Host_ReadPixel(584, 32), 0x00FF00u);  // the cursor hangs 16 left and 8 above the mouse
    EXPECT_EQ(Host_ReadPixel(647, 95), 0x00FF00u);
    EXPECT_EQ(Host_ReadPixel(583, 32), 0u);
    EXPECT_EQ(WidgetNamed<Iimage>("img_sh3")->angle, 145);
    EXPECT_EQ(WidgetNamed<Iimage>("img_sh1")->angle, 100);
    EXPECT_EQ(WidgetNamed<Iimage>("img_sh2")->angle, -5);
    gamestate = 0;
    gearspin = 0;
}

}  // namespace
