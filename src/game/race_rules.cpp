#include "game/race_rules.h"

#include "engine/paths.h"
#include "game/shell.h"
#include "world/world_file.h"

RaceSetup ChosenSetup() { return RaceSetup{vehiclechoice, colourchoice, difficulty}; }

void StartRace(std::string_view track, uint8_t mode) {
    ResetRaceProgress();
    racemode = mode;
    WorldLoad(world, WorldPath(track), ChosenSetup());
    RestartRaceTick();
    gamestate = stRace;
}

void ApplyFinish(tworld& w, int i) {
    if (gamestate != stRace) return;
    ClaimFinish(i);
    const bool won = PlayerWon(w);
    if (racemode == 0) {
        if (won) {
            ShowWindow("wnd_fin_good");
            ++progress;
        } else {
            ShowWindow("wnd_fin_bad");
            score = score - 1000 > 0 ? score - 1000 : 0;
        }
    } else {
        ShowWindow(won ? "wnd_fin_good2" : "wnd_fin_bad2");
    }
    gamestate = stRaceOver;
}

void AddPoints(int points) { score += points; }

void InstallRaceRules() {
    FinishHook = ApplyFinish;
    PointsHook = AddPoints;
}
