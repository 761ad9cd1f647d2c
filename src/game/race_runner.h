// Races run from the command line: a track started straight away, the
// player's car optionally driven by the autopilot, the world traced tick by
// tick, and one line with the result. Track designers use it to check that a
// track can be driven and how long a race on it takes.
#pragma once

#include <string>

struct RaceRun {
    std::string track;  // wld/<track>.wld; empty: no race run
    int vehicle = 0;    // index into vehiclenames
    int colour = 0;     // index into palette
    int difficulty = 1;
    bool autopilot = false;
    bool untilResult = false;  // quit at the result, or after maxTicks
    int maxTicks = 0;          // 0: no limit (with untilResult: kDefaultMaxTicks)
    std::string tracePath;     // JSON Lines of the world after every tick
    std::string replayPath;    // non-empty: the race of this replay file instead of `track`
};

inline constexpr int kDefaultMaxTicks = 20000;  // ten minutes of racing

// Whether the command line asked for a race or a replay.
bool RaceRunWanted(const RaceRun& run);
// Remembers the run and opens its trace; false with a message when the track
// file is missing, the replay cannot be played or the trace cannot be
// written. StartRaceRun starts the race once the game is set up.
bool SetRaceRun(const RaceRun& run, std::string& error);
void StartRaceRun();
// The program's exit status: 1 when the track could not be loaded; with
// untilResult, 0 once a result was reached and 1 otherwise; 0 without.
int RaceRunStatus();
