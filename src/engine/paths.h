// Where the game's files live: read-only game data (textures, sounds, font,
// tracks) in the data folder; what the player writes (options, profiles,
// edited tracks) in the player's own folder.
#pragma once

#include <string>
#include <string_view>

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
