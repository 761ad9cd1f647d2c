#include "game/screen_flow.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>

#include "editor/editor.h"
#include "engine/files.h"
#include "engine/host.h"
#include "engine/paths.h"
#include "game/ghost.h"
#include "game/language_choice.h"
#include "game/pad_controls.h"
#include "game/profiles.h"
#include "game/race_rules.h"
#include "game/race_times.h"
#include "game/settings.h"
#include "game/shell.h"
#include "game/tournament.h"
#include "gui/widgets.h"
#include "world/race.h"

namespace {

void Show(std::string_view window) { ElementNamed(window).visible = true; }
void Hide(std::string_view window) { ElementNamed(window).visible = false; }

// One step of a choice, kept within its bounds.
void Step(int32_t& value, int by, int last) { value = std::clamp(value + by, 0, last); }

}  // namespace

void BackToMenu() {
    RefillProfileList();
    if (!HasProfile()) return;  // no profile yet: the profile window stays
    singletrack = 0;
    vehiclechoice = 0;
    colourchoice = 0;
    winner = -1;
    playerlaps = 0;
    Hide("wnd_pause");
    Show("wnd_menu");
    for (const char* w :
         {"wnd_tour", "wnd_help", "wnd_opt", "wnd_sr", "wnd_main", "wnd_pr", "wnd_pr_cr", "wnd_pr_ld", "wnd_times"})
        Hide(w);
    gamestate = stMenu;
}

void OpenTournament() {
    PrepareTournamentScreen();
    Hide("wnd_fin_good");
    Hide("wnd_fin_bad");
    HideRaceTimes();
    Hide("wnd_menu");
    Show("wnd_tour");
    gamestate = stTournament;
    winner = -1;
    playerlaps = 0;
}

void OpenSingleRace() {
    playerlaps = 0;
    winner = -1;
    Hide("wnd_fin_good2");
    Hide("wnd_fin_bad2");
    HideRaceTimes();
    Hide("wnd_menu");
    Show("wnd_sr");
    gamestate = stSingleRace;
}

void OpenOptions() {
    Hide("wnd_menu");
    Show("wnd_opt");
    ShowRumbleOptions();
    ShowSwitch("chk_tme", "chk_tmd", TimesShown());
    ShowSwitch("chk_gse", "chk_gsd", GhostEnabled());
    gamestate = stOptions;
}

void AcceptOptions() {
    if (!SaveOptions()) return;  // the options window stays, with the notice
    AcceptRumbleOption();
    AcceptSwitch("times", "chk_tme");
    AcceptSwitch("ghost", "chk_gse");
    LoadOptions();
    BackToMenu();
}

void OpenHelp() {
    gamestate = stHelp;
    Hide("wnd_menu");
    Show("wnd_help");
}

void ShowHelpPage(int page) {
    ElementNamed("img_h1").visible = page == 1;
    ElementNamed("img_h2").visible = page == 2;
    ElementNamed("img_h3").visible = false;
}

void OpenProfiles() {
    gamestate = stProfiles;
    RefillProfileList();
    Show("wnd_pr");
    Hide("wnd_menu");
}

void OpenCreateProfile() {
    Hide("wnd_pr");
    Show("wnd_pr_cr");
}

void OpenLoadProfile() {
    if (ListedProfileCount() == 0) return;
    Hide("wnd_pr");
    Show("wnd_pr_ld");
}

void ResumeRace() {
    gamestate = stRace;
    Hide("wnd_pause");
}

void QuitGame() {
    OE_Quit();
    OpenLinkFile("play.url");
}

void OpenLinkFile(std::string_view file) {
    // The game's own folder first, then the player's.
    for (const std::string& path : {DataPath(file), UserPath(file)}) {
        std::ifstream in(PathOf(path));
        if (!in) continue;
        for (std::string line; std::getline(in, line);) {
            if (!line.empty() && line.back() == '\r') line.pop_back();
            if (line.rfind("URL=", 0) == 0) {
                Host_OpenUrl(line.substr(4));
                return;
            }
        }
        return;
    }
}

void OpenEditor() {
    editorsetup = ChosenSetup();
    BackToMenu();
    Hide("wnd_menu");
    Show("wnd_main");
    gamestate = stEditor;
}

ScreenHandlers GameHandlers() {
    ScreenHandlers h;
    h.OpenTournament = OpenTournament;
    h.OpenSingleRace = OpenSingleRace;
    h.OpenOptions = OpenOptions;
    h.OpenProfiles = OpenProfiles;
    h.OpenHelp = OpenHelp;
    h.QuitGame = QuitGame;
    h.OpenMoreGames = [] { OpenLinkFile("moregames.url"); };
    h.OpenTellFriend = [] { OpenLinkFile("tellafriend.url"); };
    h.OpenSubscribe = [] { OpenLinkFile("subscribe.url"); };
    h.OpenWebsite = [] { OpenLinkFile("website.url"); };
    h.BackToMenu = BackToMenu;
    h.OpenCreateProfile = OpenCreateProfile;
    h.OpenLoadProfile = OpenLoadProfile;
    h.CreateProfile = CreateProfile;
    h.LoadListedProfile = LoadListedProfile;
    h.NextVehicle = [] { Step(vehiclechoice, 1, 3); };
    h.PreviousVehicle = [] { Step(vehiclechoice, -1, 3); };
    h.NextColour = [] { Step(colourchoice, 1, 15); };
    h.PreviousColour = [] { Step(colourchoice, -1, 15); };
    h.NextTrack = [] { Step(singletrack, 1, 15); };
    h.PreviousTrack = [] { Step(singletrack, -1, 15); };
    h.CycleDifficulty = CycleDifficulty;
    h.StartTournamentRace = StartTournamentRace;
    h.StartSingleRace = StartSingleRace;
    h.AcceptOptions = AcceptOptions;
    h.ShowHelpOverview = [] { ShowHelpPage(1); };
    h.ShowHelpControls = [] { ShowHelpPage(2); };
    h.ResumeRace = ResumeRace;
    h.ChooseRussian = [] { ChooseLanguage(Language::Russian); };
    h.ChooseEnglish = [] { ChooseLanguage(Language::English); };
    h.EditorSave = EditorSave;
    h.EditorLoad = EditorLoad;
    h.UndoWaypoint = UndoWaypoint;
    return h;
}
