#include "game/race_rules.h"

#include <algorithm>
#include <cstdint>

#include "engine/paths.h"
#include "game/race_recording.h"
#include "game/shell.h"
#include "world/world_file.h"

RaceSetup ChosenSetup() { return RaceSetup{vehiclechoice, colourchoice, difficulty}; }

bool StartRace(std::string_view track, uint8_t mode) {
    ResetRaceProgress();
    racemode = mode;
    BeginRace(track, mode);
    if (!WorldLoad(world, WorldPath(track), ChosenSetup()).ok) return false;
    RestartRaceTick();
    gamestate = stRace;
    return true;
}

void ApplyFinish(tworld& w, int i) {
    if (gamestate != stRace) return;
    ClaimFinish(i);
    const bool won = PlayerWon(w);
    // A replay shows the result it had, and changes nothing for the player.
    const bool counts = !ReplayPlaying();
    if (racemode == 0) {
        if (won) {
            ShowWindow("wnd_fin_good");
            if (counts) ++progress;
        } else {
            ShowWindow("wnd_fin_bad");
            if (counts) {
                AddScore(-1000);
                score = std::max(score, 0);
            }
        }
    } else {
        ShowWindow(won ? "wnd_fin_good2" : "wnd_fin_bad2");
    }
    gamestate = stRaceOver;
}

void AddScore(int points) {
    score = static_cast<int32_t>(std::clamp<int64_t>(int64_t{score} + points, INT32_MIN, INT32_MAX));
}

void InstallRaceRules() {
    FinishHook = ApplyFinish;
    PointsHook = AddScore;
}
