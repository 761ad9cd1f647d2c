#include "game/profiles.h"

#include <cstdio>
#include <filesystem>

#include "engine/files.h"
#include "engine/paths.h"
#include "game/saved_files.h"
#include "game/screen_flow.h"
#include "game/shell.h"
#include "gui/widgets.h"
#include "media/music.h"

std::string country;

namespace {

std::string ProfilePath(const std::string& name) { return UserPath("prf/" + name); }

void Write(const std::string& path, const std::string& bytes) {
    std::string error;
    if (!WriteFileAtomically(path, bytes, error)) std::fprintf(stderr, "kolvetra: %s\n", error.c_str());
}

std::string Read(const std::string& path) {
    std::string bytes;
    ReadWholeFile(path, bytes);  // a missing file reads as nothing: the defaults
    return bytes;
}

}  // namespace

void SaveOptions() {
    optwindowed = ElementNamed("chk_wd").checked;
    optmusicoff = ElementNamed("chk_mmd").checked;
    optambientoff = ElementNamed("chk_amd").checked;
    country = ElementNamed("edt_ct").caption;
    Write(UserPath("main.cfg"), FormatOptions({optwindowed, optmusicoff, optambientoff, country, profilename}));
}

void LoadOptions() {
    const OptionsRecord o = ParseOptions(Read(UserPath("main.cfg")));
    optwindowed = o.windowed;
    optmusicoff = o.musicoff;
    optambientoff = o.ambientoff;
    country = o.country;
    profilename = o.profile;
    ElementNamed("chk_wd").checked = optwindowed;
    ElementNamed("chk_mmd").checked = optmusicoff;
    ElementNamed("chk_amd").checked = optambientoff;
    // Each partner box holds the other value of the byte, as it was read.
    ElementNamed("chk_fs").checked = ElementNamed("chk_wd").checked ^ 1;
    ElementNamed("chk_ame").checked = ElementNamed("chk_amd").checked ^ 1;
    ElementNamed("chk_mme").checked = ElementNamed("chk_mmd").checked ^ 1;
    ElementNamed("edt_ct").caption = country;
    if (OE_GetOptions().fullscreen && optwindowed == 1) OE_ChangeScreenOptions(800, 600, 32, 0, 0, 1);
    if (!OE_GetOptions().fullscreen && optwindowed == 0) OE_ChangeScreenOptions(800, 600, 32, 0, 1, 1);
    if (optmusicoff == 1) uFMOD_StopSong();
}

void SaveProfile() {
    if (!IsSafeProfileName(profilename)) return;
    Write(ProfilePath(profilename), FormatProfile({progress, score}));
}

void LoadProfile() {
    const ProfileRecord p =
        IsSafeProfileName(profilename) ? ParseProfile(Read(ProfilePath(profilename))) : ProfileRecord{};
    progress = p.progress;
    score = p.score;
}

void CreateProfile() {
    const std::string name = ElementNamed("edt_pr_cr").caption;
    if (!IsSafeProfileName(name)) return;  // an empty or unsafe name: nothing happens
    profilename = name;
    Write(ProfilePath(profilename), FormatNewProfile());
    BackToMenu();
    gamestate = stMenu;
}

void LoadListedProfile() {
    const Ilist* list = WidgetNamed<Ilist>("lst_pr");
    if (!list || list->selected < 0 || list->selected >= list->items.count) return;
    const std::string& name = list->items.items[list->selected];
    if (name.empty()) return;
    profilename = name;
    LoadProfile();
    BackToMenu();
    gamestate = stMenu;
}

void RefillProfileList() {
    if (Ilist* list = WidgetNamed<Ilist>("lst_pr")) list->items = ListFiles(UserPath("prf/*.*"));
}

void ChooseStartingProfile() {
    const Ilist* list = WidgetNamed<Ilist>("lst_pr");
    if (!list || list->items.count == 0 || list->items.items[0].empty()) return;
    for (int i = 0; i < list->items.count; ++i) {
        if (list->items.items[i] == profilename) return;
    }
    profilename = list->items.items[0];
}
