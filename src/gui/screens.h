// The catalogue of the game's screens: every window and element of the user
// interface, built once at start-up.
#pragma once

#include <string>
#include <vector>

#include "engine/language.h"
#include "gui/element.h"

// The game's click handlers, one slot each, installed into the elements that
// call them. An empty slot leaves its element without a handler.
struct ScreenHandlers {
    // Main menu.
    ClickHandler OpenTournament = nullptr;
    ClickHandler OpenSingleRace = nullptr;
    ClickHandler OpenOptions = nullptr;
    ClickHandler OpenProfiles = nullptr;
    ClickHandler OpenHelp = nullptr;
    ClickHandler QuitGame = nullptr;
    // The link files opened through the desktop.
    ClickHandler OpenMoreGames = nullptr;   // "moregames.url"
    ClickHandler OpenTellFriend = nullptr;  // "tellafriend.url"
    ClickHandler OpenSubscribe = nullptr;   // "subscribe.url"
    ClickHandler OpenWebsite = nullptr;     // "website.url"
    // Profiles.
    ClickHandler BackToMenu = nullptr;
    ClickHandler OpenCreateProfile = nullptr;
    ClickHandler OpenLoadProfile = nullptr;
    ClickHandler CreateProfile = nullptr;
    ClickHandler LoadListedProfile = nullptr;
    // Tournament and single race: one step of a choice each way.
    ClickHandler NextVehicle = nullptr;
    ClickHandler PreviousVehicle = nullptr;
    ClickHandler NextColour = nullptr;
    ClickHandler PreviousColour = nullptr;
    ClickHandler NextTrack = nullptr;
    ClickHandler PreviousTrack = nullptr;
    ClickHandler CycleDifficulty = nullptr;
    ClickHandler StartTournamentRace = nullptr;
    ClickHandler StartSingleRace = nullptr;
    // Options, help and pause.
    ClickHandler AcceptOptions = nullptr;
    ClickHandler ShowHelpOverview = nullptr;  // help page 1
    ClickHandler ShowHelpControls = nullptr;  // help page 2
    ClickHandler ResumeRace = nullptr;
    ClickHandler ChooseRussian = nullptr;  // the options' language boxes
    ClickHandler ChooseEnglish = nullptr;
    // The map editor's panel.
    ClickHandler EditorSave = nullptr;
    ClickHandler EditorLoad = nullptr;
    ClickHandler UndoWaypoint = nullptr;
};

// The file of object names that the map editor offers.
inline constexpr const char* kObjectListFile = "gfx/obj/list.txt";

// Replaces Elements with the whole catalogue and sets the toolkit's look:
// font, window and button textures, sounds and colours. Uses the font, the
// texture bases and the sound base as loaded, the data folder's object list
// and the player's profile folder; the vehicle pictures show `vehicle`. When the object list cannot be read the
// build stops there, and `error` names the file.
bool BuildScreens(const ScreenHandlers& handlers, int vehicle, std::string& error);

// The catalogue's captions in the game's own words (the Russian originals that
// Tr() translates), in catalogue order, repeats included.
std::vector<const char*> ScreenTexts();
// After a change of language from `previous`: every caption and picture that
// still shows what the catalogue gave it is shown in the current language;
// those the game has changed since are the game's to refresh.
void RetranslateScreens(Language previous);
