#include "game/pad_controls.h"

#include <cstdio>
#include <filesystem>
#include <string>
#include <string_view>

#include "engine/files.h"
#include "engine/gamepad.h"
#include "engine/paths.h"
#include "game/settings.h"
#include "game/shell.h"
#include "gui/widgets.h"

namespace {

// A window and the button that leaves it, in the order they can be on top.
struct WayBack {
    std::string_view window, button;
};
constexpr WayBack kWaysBack[] = {
    {"wnd_pause", "btn_res"}, {"wnd_pr", "btn_prbb"}, {"wnd_opt", "btn_bk22"},
    {"wnd_help", "btn_bk21"}, {"wnd_sr", "btn_bk3"},  {"wnd_tour", "btn_bk"},
};

void TakeWayBack() {
    for (const WayBack& way : kWaysBack) {
        if (!ElementNamed(way.window).visible) continue;
        if (auto* button = WidgetNamed<Ibutton>(way.button)) button->Press();
        return;
    }
}

}  // namespace

void LoadPadMappings() {
    const std::string file = UserPath("gamecontrollerdb.txt");
    std::error_code ec;
    if (std::filesystem::exists(PathOf(file), ec) && !Pad_AddMappings(file)) {
        std::fprintf(stderr, "kolvetra: cannot read the pad mappings in %s\n", file.c_str());
    }
}

void PadMenuFrame() {
    const bool menus = gamestate != stRace && gamestate != stEditor;
    Pad_SetPointerMode(menus);
    if (menus && Pad_Press(PAD_B)) TakeWayBack();
}

bool PadPauses() { return Pad_Down(PAD_START); }

void PadJolt(float strength) {
    if (RumbleEnabled()) Pad_Rumble(strength, 120);
}

void AcceptRumbleOption() {
    if (!ElementNamed("chk_rbe").visible) return;
    const char* value = ElementNamed("chk_rbe").checked ? "1" : "0";
    if (SettingValue(settings, "rumble", "1") == value) return;
    SetSetting(settings, "rumble", value);
    SaveSettings();
}

void ShowRumbleOptions() {
    const bool shown = Pad_Count() > 0;
    for (const char* name : {"txt_rb", "chk_rbe", "chk_rbd"}) ElementNamed(name).visible = shown;
    ElementNamed("chk_rbe").checked = RumbleEnabled() ? 1 : 0;
    ElementNamed("chk_rbd").checked = RumbleEnabled() ? 0 : 1;
}
