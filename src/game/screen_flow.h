// The handlers behind the game's buttons: moving between the screens by
// showing and hiding windows and setting the game state.
#pragma once

#include <string_view>

#include "gui/screens.h"

void BackToMenu();
void OpenTournament();
void OpenSingleRace();
void OpenOptions();
void AcceptOptions();
void OpenHelp();
void ShowHelpPage(int page);
void OpenProfiles();
void OpenCreateProfile();
void OpenLoadProfile();
void ResumeRace();
void QuitGame();
// Opens the address of a link file (an Internet shortcut with a "URL=" line)
// with the desktop's browser, when the file exists; otherwise nothing.
void OpenLinkFile(std::string_view file);
// The F12 key: the map editor's panel over the world.
void OpenEditor();

// Every handler of the catalogue, for BuildScreens.
ScreenHandlers GameHandlers();
