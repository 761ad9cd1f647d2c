#include "gui/screens.h"

#include <memory>

#include "engine/language.h"
#include "engine/paths.h"
#include "gui/widgets.h"
#include "media/language_textures.h"
#include "media/sound_base.h"
#include "media/texture_base.h"
#include "world/world.h"

namespace {

enum class Kind : uint8_t { Window, Image, Button, Label, Text, CheckBox, Edit, List };
enum class Items : uint8_t { None, ObjectList, Profiles };

// One row of the catalogue: what to construct and what to set on it at once,
// while it is still the last element of its name.
struct Entry {
    Kind kind;
    const char* name;
    const char* caption;
    int x, y, width, height;
    bool visible = true;
    const char* texture = nullptr;  // a shared texture, or with `vehicle` the suffix of an object texture
    bool vehicle = false;           // the texture is the chosen vehicle's name + `texture`
    bool tinted = false;
    bool clickable = false;
    Items items = Items::None;
    ClickHandler ScreenHandlers::*slot = nullptr;  // a handler of the game
    ClickHandler own = nullptr;                    // a handler of the toolkit itself

    constexpr Entry Hidden() const {
        Entry e = *this;
        e.visible = false;
        return e;
    }
    constexpr Entry Shows(const char* name) const {
        Entry e = *this;
        e.texture = name;
        return e;
    }
    constexpr Entry ShowsVehicle(const char* suffix) const {
        Entry e = Shows(suffix);
        e.vehicle = true;
        return e;
    }
    constexpr Entry Tinted() const {
        Entry e = *this;
        e.tinted = true;
        return e;
    }
    constexpr Entry Clickable() const {
        Entry e = *this;
        e.clickable = true;
        return e;
    }
    constexpr Entry Holds(Items what) const {
        Entry e = *this;
        e.items = what;
        return e;
    }
    constexpr Entry Calls(ClickHandler ScreenHandlers::*handler) const {
        Entry e = *this;
        e.slot = handler;
        return e;
    }
    constexpr Entry CallsOwn(ClickHandler handler) const {
        Entry e = *this;
        e.own = handler;
        return e;
    }
};

constexpr Entry Window(const char* name, const char* caption, int x, int y, int w, int h) {
    return Entry{Kind::Window, name, caption, x, y, w, h};
}
constexpr Entry Image(const char* name, int x, int y, int w, int h) { return Entry{Kind::Image, name, "", x, y, w, h}; }
constexpr Entry Button(const char* name, const char* caption, int x, int y, int w, int h) {
    return Entry{Kind::Button, name, caption, x, y, w, h};
}
constexpr Entry Label(const char* name, const char* caption, int x, int y, int w, int h) {
    return Entry{Kind::Label, name, caption, x, y, w, h};
}
constexpr Entry Text(const char* name, const char* caption, int x, int y, int w, int h) {
    return Entry{Kind::Text, name, caption, x, y, w, h};
}
constexpr Entry CheckBox(const char* name, const char* caption, int x, int y, int w, int h) {
    return Entry{Kind::CheckBox, name, caption, x, y, w, h};
}
constexpr Entry Edit(const char* name, const char* caption, int x, int y, int w, int h) {
    return Entry{Kind::Edit, name, caption, x, y, w, h};
}
constexpr Entry List(const char* name, const char* caption, int x, int y, int w, int h) {
    return Entry{Kind::List, name, caption, x, y, w, h};
}

// The profile list has no scroll squares of its own: two buttons turn it.
void TurnProfilesUp() {
    if (Ilist* list = WidgetNamed<Ilist>("lst_pr")) RotateList(list->items, +1);
}
void TurnProfilesDown() {
    if (Ilist* list = WidgetNamed<Ilist>("lst_pr")) RotateList(list->items, -1);
}

// The options come in pairs of boxes that work as one two-way choice.
void CheckOnly(std::string_view on, std::string_view off) {
    ElementNamed(on).checked = 1;
    ElementNamed(off).checked = 0;
}
void CheckFullScreen() { CheckOnly("chk_fs", "chk_wd"); }
void CheckWindowed() { CheckOnly("chk_wd", "chk_fs"); }
void CheckAmbientOn() { CheckOnly("chk_ame", "chk_amd"); }
void CheckAmbientOff() { CheckOnly("chk_amd", "chk_ame"); }
void CheckMusicOn() { CheckOnly("chk_mme", "chk_mmd"); }
void CheckMusicOff() { CheckOnly("chk_mmd", "chk_mme"); }
void CheckRumbleOn() { CheckOnly("chk_rbe", "chk_rbd"); }
void CheckRumbleOff() { CheckOnly("chk_rbd", "chk_rbe"); }
void CheckTimesOn() { CheckOnly("chk_tme", "chk_tmd"); }
void CheckTimesOff() { CheckOnly("chk_tmd", "chk_tme"); }
void CheckGhostOn() { CheckOnly("chk_gse", "chk_gsd"); }
void CheckGhostOff() { CheckOnly("chk_gsd", "chk_gse"); }

using H = ScreenHandlers;

// Every window followed by its elements, in creation order, which is also
// the drawing order. "Oпции" on the menu button starts with a Latin O.
constexpr Entry kCatalogue[] = {
    Window("wnd_main", "Map Editor", 650, 0, 150, 600).Hidden(),
    Edit("edt_save", "test", 10, 40, 80, 40),
    Button("btn_save", "Save", 100, 40, 45, 40).Calls(&H::EditorSave),
    Edit("edt_load", "test", 10, 90, 80, 40),
    Button("btn_load", "Load", 100, 90, 45, 40).Calls(&H::EditorLoad),
    List("lst_items", "items", 10, 140, 130, 300).Holds(Items::ObjectList),
    CheckBox("chk_ai", "AI Enable", 10, 460, 80, 20),
    CheckBox("chk_dyn", "Dynamic", 10, 490, 80, 20),
    CheckBox("chk_wp", "Way", 100, 460, 45, 20),
    Button("btn_dwp", "Undo", 100, 490, 45, 20).Calls(&H::UndoWaypoint),
    Edit("edt_col", "$111111", 10, 540, 130, 40),

    Window("wnd_menu", "", 0, 0, kScreenWidth, kScreenHeight).Hidden(),
    Image("img_tit", 0, 0, 800, 256).Shows("g_tit"),
    Image("img_sh1", 544, 344, 256, 256).Shows("g_sh"),
    Image("img_sh2", 412, 196, 256, 256).Shows("g_sh"),
    Image("img_sh3", -256, 344, 512, 512).Shows("g_sh"),
    Image("img_wh", 560, 32, 256, 256).Shows("g_wh"),
    Image("img_tr", 40, 170, 128, 128).Shows("g_tr"),
    Button("btn_tr", "Турнир", 160, 200, 160, 64).Calls(&H::OpenTournament),
    Button("btn_more", "Еще игры", 190, 250, 160, 64).Calls(&H::OpenMoreGames),
    Image("img_sr", 100, 270, 128, 128).Shows("g_sr"),
    Button("btn_sr", "Гонка", 230, 300, 160, 64).Calls(&H::OpenSingleRace),
    Button("btn_tell", "Сказать другу", 260, 350, 160, 64).Calls(&H::OpenTellFriend),
    Image("img_op", 160, 370, 128, 128).Shows("g_op"),
    Button("btn_op", "Oпции", 290, 400, 160, 64).Calls(&H::OpenOptions),
    Button("btn_tell", "Подписаться", 320, 450, 160, 64).Calls(&H::OpenSubscribe),
    Image("img_op33", 320, 465, 160, 65).Shows("ann"),
    Image("img_qt", 220, 470, 128, 128).Shows("g_qt"),
    Button("btn_qt", "Выход", 350, 500, 160, 64).Calls(&H::QuitGame),
    Button("btn_pr", "Профиль", 410, 130, 180, 64).Calls(&H::OpenProfiles),
    Button("btn_hlp", "Помощь", 660, 280, 120, 64).Calls(&H::OpenHelp),
    Text("lb_hello", "Привет, ", 200, 140, 64, 64),
    Image("img_logo", 0, 536, 215, 64).Shows("logo2").Clickable().Calls(&H::OpenWebsite),
    Image("img_logo21", 544, 504, 256, 128).Shows("Ostrel"),

    Window("wnd_pr", "Профиль", 200, 150, 400, 300),
    Button("btn_pr_cr", "Создать профиль", 50, 60, 300, 64).Calls(&H::OpenCreateProfile),
    Button("btn_pr_ld", "Загрузить", 50, 130, 300, 64).Calls(&H::OpenLoadProfile),
    Button("btn_prbb", "Назад в меню", 50, 200, 300, 64).Calls(&H::BackToMenu),

    Window("wnd_pr_cr", "Создать профиль", 200, 150, 400, 300).Hidden(),
    Edit("edt_pr_cr", "Player", 50, 80, 300, 64),
    Button("btn_pr_cr_ac", "Принять", 50, 180, 300, 64).Calls(&H::CreateProfile),

    Window("wnd_pr_ld", "Загрузить", 200, 150, 400, 300).Hidden(),
    List("lst_pr", "Выбор", 50, 60, 230, 128).Holds(Items::Profiles),
    Button("btn_lst_up", "вверх", 286, 60, 64, 64).CallsOwn(TurnProfilesUp),
    Button("btn_lst_dn", "вниз", 286, 124, 64, 64).CallsOwn(TurnProfilesDown),
    Button("btn_pr_ld_ac", "Принять", 50, 200, 300, 64).Calls(&H::LoadListedProfile),

    Window("wnd_tour", "Турнир", 0, 0, kScreenWidth, kScreenHeight).Hidden(),
    Image("img_track", 40, 60, 400, 300).Shows("t0"),
    Text("lb1", "Выберите машину", 592, 90, 64, 64),
    Text("lb1", "Выберите цвет", 592, 220, 64, 64),
    Image("img_car_wh", 600, 150, 64, 64).ShowsVehicle("_wh10"),
    Image("img_car_tp", 600, 150, 64, 64).Tinted().ShowsVehicle("_tp10"),
    Image("img_locktr", 600, 150, 64, 64).Hidden().Shows("lock"),
    Button("btn_car_up", "Вперед", 660, 150, 100, 64).Calls(&H::NextVehicle),
    Button("btn_car_dn", "Назад", 500, 150, 100, 64).Calls(&H::PreviousVehicle),
    Image("img_color", 599, 280, 64, 64).Shows("color").Tinted(),
    Button("btn_col_up", "Вперед", 660, 280, 100, 64).Calls(&H::NextColour),
    Button("btn_col_dn", "Назад", 500, 280, 100, 64).Calls(&H::PreviousColour),
    Button("btn_bk", "Назад в меню", 40, 500, 180, 64).Calls(&H::BackToMenu),
    Button("btn_start_tr", "Начать гонку!", 600, 500, 160, 64).Calls(&H::StartTournamentRace),
    Button("btn_pow", "норма", 400, 500, 160, 64).Calls(&H::CycleDifficulty),
    Text("lb_diffff", "Сложность", 340, 530, 0, 0),
    Button("btn_send", "Еще игры", 600, 500, 160, 64).Hidden().Calls(&H::OpenMoreGames),
    Text("lb_ccc", "", 400, 460, 0, 0),
    Text("lb_cccscr", "lkj", 400, 430, 0, 0),
    Text("lb_ctrack", "Трасса", 128, 330, 0, 0),
    Text("lb_rec_lap", "", 460, 352, 320, 32).Hidden(),
    Text("lb_rec_race", "", 460, 380, 320, 32).Hidden(),

    Window("wnd_opt", "Опции", 0, 0, kScreenWidth, kScreenHeight).Hidden(),
    Image("img_shss", 544, 344, 256, 256).Shows("g_sh"),
    // The stopwatch and the ghost share the space above the first row.
    Text("txt_tm", "Секундомер", 80, 48, 180, 36),
    CheckBox("chk_tme", "Включен", 280, 48, 180, 36).CallsOwn(CheckTimesOn),
    CheckBox("chk_tmd", "Выключен", 480, 48, 180, 36).CallsOwn(CheckTimesOff),
    Text("txt_gs", "Призрак", 80, 94, 180, 36),
    CheckBox("chk_gse", "Включен", 280, 94, 180, 36).CallsOwn(CheckGhostOn),
    CheckBox("chk_gsd", "Выключен", 480, 94, 180, 36).CallsOwn(CheckGhostOff),
    Text("txt_dm", "Режим экрана", 80, 140, 180, 40),
    CheckBox("chk_fs", "Полноэкранный", 280, 140, 180, 40).CallsOwn(CheckFullScreen),
    CheckBox("chk_wd", "Оконный", 480, 140, 180, 40).CallsOwn(CheckWindowed),
    Text("txt_am", "Звуки окружения", 80, 220, 180, 40),
    CheckBox("chk_ame", "Включены", 280, 220, 180, 40).CallsOwn(CheckAmbientOn),
    CheckBox("chk_amd", "Выключены", 480, 220, 180, 40).CallsOwn(CheckAmbientOff),
    Text("txt_mm", "Музыка в меню", 80, 300, 180, 40),
    CheckBox("chk_mme", "Включена", 280, 300, 180, 40).CallsOwn(CheckMusicOn),
    CheckBox("chk_mmd", "Выключена", 480, 300, 180, 40).CallsOwn(CheckMusicOff),
    Text("txt_lang", "Язык", 80, 380, 180, 40),
    CheckBox("chk_ru", "Русский", 280, 380, 180, 40).Calls(&H::ChooseRussian),
    CheckBox("chk_en", "English", 480, 380, 180, 40).Calls(&H::ChooseEnglish),
    Text("txt_ct", "Country", 80, 390, 180, 40).Hidden(),
    // Shown only while a pad is plugged in.
    Text("txt_rb", "Вибрация", 80, 440, 180, 40).Hidden(),
    CheckBox("chk_rbe", "Включена", 280, 440, 180, 40).Hidden().CallsOwn(CheckRumbleOn),
    CheckBox("chk_rbd", "Выключена", 480, 440, 180, 40).Hidden().CallsOwn(CheckRumbleOff),
    Edit("edt_ct", "", 280, 380, 220, 64).Hidden(),
    Button("btn_bk22", "Назад в меню", 40, 500, 180, 64).Calls(&H::BackToMenu),
    Button("btn_acc", "Принять", 240, 500, 180, 64).Calls(&H::AcceptOptions),

    Window("wnd_sr", "Гонка", 0, 0, kScreenWidth, kScreenHeight).Hidden(),
    Image("img_track2", 40, 60, 400, 300).Shows("t0"),
    Label("txt_locktr_map2", "Эта трасса закрыта", 40, 60, 400, 300).Hidden(),
    Text("lb12", "Выберите машину", 592, 90, 64, 64),
    Text("lb12", "Выберите цвет", 592, 220, 64, 64),
    Image("img_car_wh2", 600, 150, 64, 64).ShowsVehicle("_wh10"),
    Image("img_car_tp2", 600, 150, 64, 64).Tinted().ShowsVehicle("_tp10"),
    Image("img_locktr2", 600, 150, 64, 64).Hidden().Shows("lock"),
    Button("btn_car_up2", "Вперед", 660, 150, 100, 64).Calls(&H::NextVehicle),
    Button("btn_car_dn2", "Назад", 500, 150, 100, 64).Calls(&H::PreviousVehicle),
    Image("img_color2", 599, 280, 64, 64).Shows("color").Tinted(),
    Button("btn_col_up2", "Вперед", 660, 280, 100, 64).Calls(&H::NextColour),
    Button("btn_col_dn2", "Назад", 500, 280, 100, 64).Calls(&H::PreviousColour),
    Button("btn_cus_up", "След. трасса", 260, 400, 180, 64).Calls(&H::NextTrack),
    Button("btn_cus_dn", "Пред. трасса", 40, 400, 180, 64).Calls(&H::PreviousTrack),
    Button("btn_pow2", "норма", 400, 500, 160, 64).Calls(&H::CycleDifficulty),
    Text("lb_diffff", "Сложность", 340, 530, 0, 0),
    Button("btn_start_tr2", "Начать гонку!", 600, 500, 160, 64).Calls(&H::StartSingleRace),
    Text("lb_ctrack2", "Трасса", 128, 330, 0, 0),
    Text("lb_rec_lap2", "", 460, 352, 320, 32).Hidden(),
    Text("lb_rec_race2", "", 460, 380, 320, 32).Hidden(),
    Button("btn_bk3", "Назад в меню", 40, 500, 180, 64).Calls(&H::BackToMenu),

    Window("wnd_fin_good", "Конец", 200, 150, 400, 340).Hidden(),
    Image("img_ff", 136, 20, 128, 128).Shows("g_qt"),
    Text("lb_c1", "Поздравляем!!!", 200, 140, 0, 0),
    Text("lb_c2", "Теперь вы перешли", 200, 180, 0, 0),
    Text("lb_c3", "к следующей трассе!", 200, 220, 0, 0),
    Button("btn_co", "Продолжить", 120, 250, 160, 64).Calls(&H::OpenTournament),

    Window("wnd_fin_bad", "Конец", 200, 150, 400, 340).Hidden(),
    Image("img_ffa", 136, 20, 128, 128).Shows("g_qt"),
    Text("lb_c1a", "Неплохо...", 200, 140, 0, 0),
    Text("lb_c2a", "Но вы должны приехать", 200, 180, 0, 0),
    Text("lb_c3a", "первым.", 200, 220, 0, 0),
    Button("btn_coa", "Продолжить", 120, 250, 160, 64).Calls(&H::OpenTournament),

    Window("wnd_fin_good2", "Конец", 200, 150, 400, 340).Hidden(),
    Image("img_ff2", 136, 20, 128, 128).Shows("g_qt"),
    Text("lb_c12", "Поздравляем!!!", 200, 140, 0, 0),
    Text("lb_c22", "Вы приехали", 200, 180, 0, 0),
    Text("lb_c32", "первым!", 200, 220, 0, 0),
    Button("btn_co2", "Продолжить", 120, 250, 160, 64).Calls(&H::OpenSingleRace),

    Window("wnd_fin_bad2", "Конец", 200, 150, 400, 340).Hidden(),
    Image("img_ffa2", 136, 20, 128, 128).Shows("g_qt"),
    Text("lb_c1a2", "Неплохо...", 200, 140, 0, 0),
    Text("lb_c2a2", "но вы должны", 200, 180, 0, 0),
    Text("lb_c3a2", "приехать первым.", 200, 220, 0, 0),
    Button("btn_coa2", "Продолжить", 120, 250, 160, 64).Calls(&H::OpenSingleRace),

    Window("wnd_pause", "Пауза", 200, 150, 400, 340).Hidden(),
    Image("img_cc", 136, 40, 128, 128).Shows("g_sr"),
    Button("btn_res", "Назад", 100, 180, 200, 64).Calls(&H::ResumeRace),
    Button("btn_coa2", "Выйти в меню", 100, 250, 200, 64).Calls(&H::BackToMenu),

    Window("wnd_help", "Помощь", 0, 0, kScreenWidth, kScreenHeight).Hidden(),
    Button("btn_bk21", "Назад в меню", 40, 500, 180, 64).Calls(&H::BackToMenu),
    Button("btn_ov", "Обзор", 250, 500, 160, 64).Calls(&H::ShowHelpOverview),
    Button("btn_ctr", "Управление", 430, 500, 160, 64).Calls(&H::ShowHelpControls),
    Image("img_ttt", 64, 64, 512, 256).Shows("g_tit"),
    Image("img_shs1", 480, 64, 256, 256).Shows("g_sh"),
    Image("img_h1", 0, 150, 800, 364).Shows("help1"),
    Image("img_h2", 9, 151, 800, 364).Hidden().Shows("help2"),
    Image("img_h3", 0, 150, 800, 364).Hidden().Shows("help2"),

    // Under the result windows, while the stopwatch is on.
    Window("wnd_times", "", 200, 494, 400, 80).Hidden(),
    Text("lb_tm_race", "", 0, 8, 400, 32),
    Text("lb_tm_lap", "", 0, 40, 400, 32),

    // Last, so that it stands over every other window.
    Window("wnd_note", "", 50, 546, 600, 54).Hidden(),
    Text("lb_note", "", 0, 4, 600, 32),
    Text("lb_note2", "", 0, 26, 600, 32),
};

std::unique_ptr<ielement> Construct(const Entry& e) {
    const char* caption = Tr(e.caption);
    switch (e.kind) {
        case Kind::Window: return std::make_unique<Iwindow>(e.name, e.x, e.y, e.width, e.height, caption, e.visible);
        case Kind::Image: return std::make_unique<Iimage>(e.name, e.x, e.y, e.width, e.height, caption, e.visible);
        case Kind::Button: return std::make_unique<Ibutton>(e.name, e.x, e.y, e.width, e.height, caption, e.visible);
        case Kind::Label: return std::make_unique<Ilabel>(e.name, e.x, e.y, e.width, e.height, caption, e.visible);
        case Kind::Text: return std::make_unique<Itext>(e.name, e.x, e.y, e.width, e.height, caption, e.visible);
        case Kind::CheckBox:
            return std::make_unique<Icheckbox>(e.name, e.x, e.y, e.width, e.height, caption, e.visible);
        case Kind::Edit: return std::make_unique<Iedit>(e.name, e.x, e.y, e.width, e.height, caption, e.visible);
        case Kind::List: return std::make_unique<Ilist>(e.name, e.x, e.y, e.width, e.height, caption, e.visible);
    }
    return nullptr;
}

void SetUpImage(Iimage& image, const Entry& e, int vehicle) {
    image.tinted = e.tinted;
    image.clickable = e.clickable;
    if (!e.texture) return;
    image.texture = e.vehicle ? FindTexture(ObjectTextures, std::string(vehiclenames[vehicle]) + e.texture)
                              : FindSharedTexture(e.texture);
}

// Bonuses appear by themselves during a race: the editor does not place them.
void DropBonuses(TF_list& items) {
    int kept = 0;
    for (int i = 0; i < items.count; ++i) {
        if (!HasPrefix(items.items[i], "bn")) items.items[kept++] = items.items[i];
    }
    items.count = kept;
}

bool FillList(Ilist& list, Items what, std::string& error) {
    if (what == Items::Profiles) {
        list.items = ListFiles(UserPath("prf/*.*"));
        list.noScrollButtons = true;
    } else if (what == Items::ObjectList) {
        const std::string file = DataPath(kObjectListFile);
        if (!ReadLines(file, list.items)) {
            error = "cannot read the map editor's object list " + file;
            return false;
        }
        DropBonuses(list.items);
    }
    return true;
}

// The game's own words, not the map editor's English or a placeholder.
bool IsGameText(const char* caption) {
    for (const char* c = caption; *c; ++c) {
        if (static_cast<unsigned char>(*c) >= 0x80) return true;
    }
    return false;
}

void SetLook() {
    SetHighlightColor(0x000000);
    ClickSound = FindSound(Sounds, "click");
    HoverSound = FindSound(Sounds, "select");
    Snd_SetBuffersCount(ClickSound, 4);
    Snd_SetBuffersCount(HoverSound, 4);
    SetTextColor(0xFFFFFF);
    SetButtonTextColor(0xFFFFFF);
    SetWindowTexture(FindTexture(SharedTextures, "g_wnd"));
    SetButtonTexture(FindTexture(SharedTextures, "g_but"));
}

}  // namespace

bool BuildScreens(const ScreenHandlers& handlers, int vehicle, std::string& error) {
    ClearElements();
    SetGuiFont(font);
    for (const Entry& e : kCatalogue) {
        ielement& element = Elements[Elements.append(Construct(e))];
        if (e.kind == Kind::Window) {
            element.fixed = true;
            SetCurrentWindow();
            continue;
        }
        element.onClick = e.slot ? handlers.*e.slot : e.own;
        if (auto* image = dynamic_cast<Iimage*>(&element)) SetUpImage(*image, e, vehicle);
        if (auto* list = dynamic_cast<Ilist*>(&element)) {
            if (!FillList(*list, e.items, error)) return false;
        }
    }
    SetLook();
    return true;
}

std::vector<const char*> ScreenTexts() {
    std::vector<const char*> texts;
    for (const Entry& e : kCatalogue) {
        if (IsGameText(e.caption)) texts.push_back(e.caption);
    }
    return texts;
}

void RetranslateScreens(Language previous) {
    constexpr int kCount = sizeof kCatalogue / sizeof kCatalogue[0];
    for (int i = 0; i < kCount && i < Elements.count(); ++i) {
        const Entry& e = kCatalogue[i];
        ielement& element = Elements[i];
        if (element.caption == TrIn(previous, e.caption)) element.caption = Tr(e.caption);
        auto* image = dynamic_cast<Iimage*>(&element);
        if (image && e.texture && !e.vehicle && image->texture == FindSharedTexture(previous, e.texture)) {
            image->texture = FindSharedTexture(e.texture);
        }
    }
}
