#include "game/lap_times.h"

#include <cstdio>

#include "world/race.h"

LapClock lapclock;

void TickLapClock(LapClock& c, bool worldRan, int playerLaps) {
    if (worldRan) ++c.raceTicks;
    if (playerLaps <= c.laps || c.laps >= kRaceLaps) return;
    const int lap = c.raceTicks - c.lapStart;
    if (c.bestLap == 0 || lap < c.bestLap) c.bestLap = lap;
    c.laps = playerLaps;
    c.lapStart = c.raceTicks;
    if (c.laps >= kRaceLaps) c.finishTicks = c.raceTicks;
}

int CurrentLapTicks(const LapClock& c) { return (c.laps >= kRaceLaps ? c.finishTicks : c.raceTicks) - c.lapStart; }

void RaceTimeText(std::string& out, int ticks) {
    const long cs = static_cast<long>(ticks) * kTickMs / 10;
    char text[32];
    const int n = std::snprintf(text, sizeof text, "%ld:%02ld.%02ld", cs / 6000, cs / 100 % 60, cs % 100);
    out.assign(text, static_cast<size_t>(n));
}
