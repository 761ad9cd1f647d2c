// The race's stopwatch: race time counts the ticks the world moved (the
// countdown excluded), each 30 ms; a lap runs from one crossing of the line
// to the next.
#pragma once

#include <string>

inline constexpr int kTickMs = 30;

struct LapClock {
    int raceTicks = 0;    // ticks the world has moved so far
    int lapStart = 0;     // raceTicks when the lap now driven began
    int bestLap = 0;      // the best whole lap so far; 0 before the first
    int laps = 0;         // laps counted
    int finishTicks = 0;  // raceTicks at the end of the last lap; 0 before
};

extern LapClock lapclock;  // the race now running

// After a race tick: `worldRan` when the world moved, `playerLaps` the
// player's laps after it. Laps past the race's last are not timed.
void TickLapClock(LapClock& c, bool worldRan, int playerLaps);
int CurrentLapTicks(const LapClock& c);
// "m:ss.cc" for a number of ticks, into `out` (its buffer reused).
void RaceTimeText(std::string& out, int ticks);
