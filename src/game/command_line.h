// The command line of the kolvetra program.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "engine/host.h"
#include "engine/language.h"
#include "game/race_runner.h"

struct CommandLine {
    HostConfig host;
    uint64_t seed = 0;
    bool seeded = false;
    std::string inputScript;
    std::string dataFolder;            // empty: the data built beside the executable
    std::string userFolder;            // empty: the player's own data folder
    std::optional<Language> language;  // --lang
    RaceRun race;                      // --race and its companions
    std::string worldFile;             // non-empty: show this world alone (--world)
    int cameraX = 0, cameraY = 0;
};

enum class ParseResult { Run, Help, Version, Error };

// Parses argv[1..]; on Error, `message` says what was wrong.
ParseResult ParseCommandLine(const std::vector<std::string>& args, CommandLine& out, std::string& message);
const char* Usage();
