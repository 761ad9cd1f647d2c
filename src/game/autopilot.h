// The autopilot: arrow keys that drive the player's car round the waypoint
// loop, for races from the command line and for whole runs through the menus.
#pragma once

#include "world/world.h"

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

// Holds the arrow keys through the host as `keys` says.
void HoldArrowKeys(const Autopilot::Keys& keys);
// --autopilot without --race: every race of the run is driven by the autopilot.
void StartMenuAutopilot();
