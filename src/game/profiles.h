// Player profiles (prf/<name>: tournament progress and points) and the
// options file (main.cfg), kept in the player's own folder.
#pragma once

#include <string>

extern std::string country;  // kept from the options file and written back

void SaveOptions();
void LoadOptions();
void SaveProfile();
void LoadProfile();
// The create window's "Принять": a fresh profile under the typed name.
void CreateProfile();
// The load window's "Принять": the profile named first in the list.
void LoadListedProfile();
// The names in the profile folder, into the load window's list.
void RefillProfileList();
// At start-up: when the options name no profile of the list (a missing
// options file, a deleted profile), the first listed profile is used.
void ChooseStartingProfile();
