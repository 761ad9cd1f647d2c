#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "build_info.h"
#include "engine/files.h"
#include "engine/host.h"
#include "engine/paths.h"
#include "game/autopilot.h"
#include "game/command_line.h"
#include "game/language_choice.h"
#include "game/race_runner.h"
#include "game/shell.h"
#include "game/world_preview.h"

int main(int argc, char** argv) {
    CommandLine cl;
    std::string message;
    const ParseResult parsed = ParseCommandLine(Host_Arguments(argc, argv), cl, message);
    if (parsed == ParseResult::Help) {
        std::fputs(Usage(), stdout);
        return 0;
    }
    if (parsed == ParseResult::Version) {
        std::puts("kolvetra " KOLVETRA_VERSION);
        return 0;
    }
    if (parsed == ParseResult::Error) {
        std::fprintf(stderr, "kolvetra: %s\n%s", message.c_str(), Usage());
        return 2;
    }

    const std::vector<std::string> places = DataFolderCandidates(cl.dataFolder, Host_ExecutableFolder());
    const std::string data = FirstExistingFolder(places);
    if (data.empty()) {
        std::string looked;
        for (const std::string& place : places) looked += (looked.empty() ? "" : ", ") + place;
        std::fprintf(stderr, "kolvetra: cannot find the game data; looked in %s\n", looked.c_str());
        return 1;
    }
    SetDataFolder(data);
    if (!cl.userFolder.empty()) {
        std::error_code ec;
        std::filesystem::create_directories(PathOf(cl.userFolder), ec);
        SetUserFolder(cl.userFolder);
    } else {
        SetUserFolder(Host_UserFolder());
    }

    RequestLanguage(cl.language);
    if (RaceRunWanted(cl.race) && !SetRaceRun(cl.race, message)) {
        std::fprintf(stderr, "kolvetra: %s\n", message.c_str());
        return 2;
    }

    Host_Configure(cl.host);
    if (!cl.inputScript.empty() && !Host_LoadInputScript(cl.inputScript, message)) {
        std::fprintf(stderr, "kolvetra: %s\n", message.c_str());
        return 2;
    }
    if (!cl.worldFile.empty()) RequestWorldPreview(cl.worldFile, cl.cameraX, cl.cameraY);
    const uint64_t seed =
        cl.seeded ? cl.seed : static_cast<uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count());
    if (cl.race.autopilot && cl.race.track.empty()) StartMenuAutopilot();
    const int status = RunGame(seed, RaceRunWanted(cl.race) ? StartRaceRun : nullptr);
    return status != 0 ? status : RaceRunStatus();
}
