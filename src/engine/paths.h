// Where the game's files live: read-only game data (textures, sounds, font,
// tracks) in the data folder; what the player writes (options, profiles,
// edited tracks) in the player's own folder.
#pragma once

#include <string>
#include <string_view>
#include <vector>

void SetDataFolder(std::string folder);
void SetUserFolder(std::string folder);
const std::string& DataFolder();
const std::string& UserFolder();

// A path relative to the data folder, as "gfx/share/".
std::string DataPath(std::string_view relative);
// A path relative to the player's folder, as "prf/".
std::string UserPath(std::string_view relative);
// A world file "wld/<name>.wld": the player's own copy if there is one,
// otherwise the game's.
std::string WorldPath(std::string_view name);

// Where the game data may be, in the order tried: the folder given on the
// command line alone; otherwise data/ beside the program (a build), then
// share/kolvetra/ next to the program's bin/ (an install, wherever it was
// moved), then the same folder under the prefix the game was built for.
std::vector<std::string> DataFolderCandidates(const std::string& given, const std::string& programFolder);
// The first of `folders` that exists, or an empty string.
std::string FirstExistingFolder(const std::vector<std::string>& folders);
// At start-up: removes what saves cut short by a crash left in the player's
// folder, its profiles and its tracks.
void RemoveInterruptedSaves();
