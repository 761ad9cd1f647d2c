// The autopilot: the controls that drive the player's car round the waypoint
// loop, for races from the command line and for whole runs through the menus.
// While it drives, its choice is the race input of each tick in place of the
// keys and pads.
#pragma once

#include "world/race.h"
#include "world/world.h"

// Controls that drive the player's car the way a computer driver steers:
// straight at the next waypoint, full throttle, the next waypoint taken
// within 120 px (or once the lap tracking has counted it).
struct Autopilot {
    int target = 0;
    int lastCounted = -1;  // the lap tracking's last waypoint, as last seen
    RaceInput Steer(const tworld& w, int car);
};

// The autopilot of the races started through the menus: while a race runs it
// drives the player's car, aiming afresh from the first
// waypoint whenever a new race starts; outside races (menus, pause, result)
// it lets go. Tick runs after every update tick.
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

// The autopilot takes the wheel with `keys` for the ticks to come, or gives it
// back to the keys and pads.
void DriveWith(const RaceInput& keys);
void LetGo();
// The race input of the tick about to run: the autopilot's while it drives,
// otherwise the arrow keys and the pads as they are.
RaceInput ControlsNow();
// --autopilot without --race: every race of the run is driven by the autopilot.
void StartMenuAutopilot();
