// The game's data files checked once at start-up: each one missing is named
// on stderr, one line each, instead of being skipped in silence all game long.
#pragma once

#include <string>
#include <vector>

// The files of the data folder the game asks for by name, relative to it.
std::vector<std::string> MissingDataFiles();
// Writes one line per missing file to stderr.
void ReportMissingData();
