#include "game/profiles.h"

#include <cstdio>

#include "engine/files.h"
#include "engine/paths.h"
#include "engine/quote.h"
#include "game/saved_files.h"
#include "game/screen_flow.h"
#include "game/shell.h"
#include "gui/notice.h"
#include "gui/widgets.h"
#include "media/music.h"
#include "media/sound_base.h"

std::string country;

namespace {

// Whether progress and score in memory belong to profilename: set once the
// player has a profile, so that nothing is written for a name never chosen.
bool profileInUse = false;
// The player's folder could not be used at start-up: the game runs on
// without writing anything, as the player was told.
bool savingOff = false;

std::string ProfilePath(const std::string& name) { return UserPath("prf/" + name); }

}  // namespace

bool SavePlayerFile(const std::string& path, const std::string& bytes, std::string_view what) {
    if (savingOff) return true;
    std::string error;
    if (WriteFileAtomically(path, bytes, error)) return true;
    std::fprintf(stderr, "kolvetra: %s\n", error.c_str());
    ShowNotice(what, kFolderText + Quote(UserFolder()));
    PlaySound(Sounds, "bad", false);
    return false;
}

namespace {

std::string Read(const std::string& path) {
    std::string bytes;
    ReadWholeFile(path, bytes);  // a missing file reads as nothing: the defaults
    return bytes;
}

}  // namespace

bool SaveOptions() {
    optwindowed = ElementNamed("chk_wd").checked;
    optmusicoff = ElementNamed("chk_mmd").checked;
    optambientoff = ElementNamed("chk_amd").checked;
    country = ElementNamed("edt_ct").caption;
    return SavePlayerFile(UserPath("main.cfg"),
                          FormatOptions({optwindowed, optmusicoff, optambientoff, country, profilename}),
                          kOptionsNotSaved);
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
    if (OE_GetOptions().fullscreen && optwindowed == 1)
        OE_ChangeScreenOptions(kScreenWidth, kScreenHeight, 32, 0, 0, 1);
    if (!OE_GetOptions().fullscreen && optwindowed == 0)
        OE_ChangeScreenOptions(kScreenWidth, kScreenHeight, 32, 0, 1, 1);
    if (optmusicoff == 1) uFMOD_StopSong();
}

bool SaveProfile() {
    if (!profileInUse || !IsSafeProfileName(profilename)) return false;
    return SavePlayerFile(ProfilePath(profilename), FormatProfile({progress, score}), kProfileNotSaved);
}

void LoadProfile() {
    const ProfileRecord p =
        IsSafeProfileName(profilename) ? ParseProfile(Read(ProfilePath(profilename))) : ProfileRecord{};
    progress = p.progress;
    score = p.score;
    profileInUse = true;
}

void ForgetProfile() { profileInUse = false; }

void CreateProfile() {
    const std::string name = ElementNamed("edt_pr_cr").caption;
    if (name.empty()) return;
    if (!IsSafeProfileName(name) || !FitsFileName(UserPath("prf"), name)) {
        ShowNotice(kBadProfileName, kProfileNameRule);
        PlaySound(Sounds, "bad", false);
        return;
    }
    if (!SavePlayerFile(ProfilePath(name), FormatNewProfile(), kProfileNotCreated)) return;
    profilename = name;
    progress = 0;
    score = 0;
    profileInUse = true;
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

int ListedProfileCount() {
    const Ilist* list = WidgetNamed<Ilist>("lst_pr");
    // A missing folder lists one empty name, which is no profile.
    if (!list || list->items.count == 0 || list->items.items[0].empty()) return 0;
    return list->items.count;
}

bool HasProfile() { return profileInUse || ListedProfileCount() > 0; }

void ChooseStartingProfile() {
    const Ilist* list = WidgetNamed<Ilist>("lst_pr");
    if (ListedProfileCount() == 0) return;
    for (int i = 0; i < list->items.count; ++i) {
        if (list->items.items[i] == profilename) return;
    }
    profilename = list->items.items[0];
}

void OpenUserFolder() {
    savingOff = false;
    std::error_code ec;
    const bool usable = MakeWritableFolder(UserPath("prf"), ec);
    RefillProfileList();
    if (usable) return;
    savingOff = true;
    std::fprintf(stderr, "kolvetra: the player's folder %s cannot be used (%s); nothing will be saved\n",
                 Quote(UserFolder(), 200).c_str(), ec.message().c_str());
    ShowNotice(kFolderUnusable, Quote(UserFolder(), 56) + " (" + ec.message() + ")");
}
