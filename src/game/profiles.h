// Player profiles (prf/<name>: tournament progress and points) and the
// options file (main.cfg), kept in the player's own folder.
#pragma once

#include <string>
#include <string_view>

extern std::string country;  // kept from the options file and written back

// Every save of the player's files: written whole or not at all, and a failure
// told on screen in `what` ("Профиль не сохранён"), with the details on
// stderr. Without a usable folder nothing is written, as the player was told
// at start-up, and the game goes on as if it had been.
bool SavePlayerFile(const std::string& path, const std::string& bytes, std::string_view what);

// Both saves tell the player on screen when they fail, and return false.
bool SaveOptions();
void LoadOptions();
// Writes progress and score under profilename once the player has a profile
// (loaded or created); before that it writes nothing.
bool SaveProfile();
void LoadProfile();
// At start-up: no profile chosen yet.
void ForgetProfile();
// The create window's "Принять": a fresh profile under the typed name, with
// progress and score starting from 0.
void CreateProfile();
// The load window's "Принять": the profile named first in the list.
void LoadListedProfile();
// The names in the profile folder, into the load window's list.
void RefillProfileList();
// The profiles listed; a missing folder's one empty name does not count.
int ListedProfileCount();
// Whether the player has a profile: one in use, or any listed.
bool HasProfile();
// At start-up, once the windows are built: makes the profile folder and
// fills the list. A folder that cannot be used is told on screen, where it
// is and why, and the game then runs without writing anything.
void OpenUserFolder();
// At start-up: when the options name no profile of the list (a missing
// options file, a deleted profile), the first listed profile is used.
void ChooseStartingProfile();
