// Races run from the command line: a track started straight away, the
// player's car optionally driven by the autopilot, the world traced tick by
// tick, and one line with the result. Track designers use it to check that a
// track can be driven and how long a race on it takes.
#pragma once

#include <string>

#include "world/world.h"

struct RaceRun {
    std::string track;  // wld/<track>.wld; empty: no race run
    int vehicle = 0;    // index into vehiclenames
    int colour = 0;     // index into palette
    int difficulty = 1;
    bool autopilot = false;
    bool untilResult = false;  // quit at the result, or after maxTicks
    int maxTicks = 0;          // 0: no limit (with untilResult: kDefaultMaxTicks)
    std::string tracePath;     // JSON Lines of the world after every tick
};

inline constexpr int kDefaultMaxTicks = 20000;  // ten minutes of racing

// Arrow keys that drive the player's car the way a computer driver steers:
// straight at the next waypoint, full throttle, the next waypoint taken
// within 120 px (or once the lap tracking has counted it).
struct Autopilot {
    struct Keys {
        bool up = false, left = false, right = false;
    };
    int target = 0;
    int lastCounted = -1;  // the lap tracking's last waypoint, as last seen
    Keys Steer(const tworld& w, int car);
};

// The autopilot of the races started through the menus: while a race runs it
// holds the arrow keys for the player's car, aiming afresh from the first
// waypoint whenever a new race starts; outside races (menus, pause, result)
// it lets the keys go. Tick runs after every update tick.
class RaceAutopilot {
  public:
    void Tick();

  private:
    Autopilot pilot_;
    double race_ = -1;  // racestart of the race being driven
    bool holding_ = false;
};

// The first vehicle the player drives; -1 when there is none.
int PlayerCar(const tworld& w);

// Appends one JSON line (with its newline): the tick, the race globals, the
// held arrow keys and every object with its fields.
void AppendTraceLine(std::string& out, long tick, const tworld& w);

// Remembers the run and opens its trace; false with a message when the track
// file is missing or the trace cannot be written. StartRaceRun starts the
// race once the game is set up.
bool SetRaceRun(const RaceRun& run, std::string& error);
void StartRaceRun();
// --autopilot without --race: every race of the run is driven by the autopilot.
void StartMenuAutopilot();
// The program's exit status: 1 when the track could not be loaded; with
// untilResult, 0 once a result was reached and 1 otherwise; 0 without.
int RaceRunStatus();
