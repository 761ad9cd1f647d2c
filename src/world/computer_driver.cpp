// Computer drivers follow the waypoint loop at full throttle, and the
// player's car is followed along the same loop to count its laps.
#include "engine/omega.h"
#include "world/race.h"
#include "world/simulation.h"

int WrapAngle(int a) {
    while (a < 0) a += 360;
    while (a > 360) a -= 360;
    return a;
}

// A computer car clamps where the player's steering wraps.
float HeadingToFrame(int heading) {
    const float frame = static_cast<float>(WrapAngle(90 - heading)) / 22.5f + 1.0f;
    if (frame < 1) return 1;
    if (frame > 16) return 16;
    return frame;
}

float DistanceTo(const tminimal& car, const Waypoint& p) {
    return M_Distance(static_cast<float>(car.x), static_cast<float>(car.y), static_cast<float>(p.x),
                      static_cast<float>(p.y));
}

int HeadingTo(const tminimal& car, const Waypoint& p) {
    return M_Round(M_FindAngle(static_cast<float>(car.x), static_cast<float>(car.y), static_cast<float>(p.x),
                               static_cast<float>(p.y)));
}

// No braking, no avoiding: collisions and the lagging travel direction are
// what bend a computer car's line.
void ComputerSteer(tworld& w, int i) {
    tminimal& car = w.objects[i];
    const Waypoint target = w.waypoints[car.waypoint];
    car.heading = HeadingTo(car, target);
    car.frame = HeadingToFrame(car.heading);
    if (w.waypointcount > 0) {
        car.throttle = 1;
        if (DistanceTo(car, target) < kComputerWaypointReach) ++car.waypoint;
        if (car.waypoint > w.waypointcount - 1) {
            car.waypoint = 0;
            ++car.laps;
        }
    }
    // Four laps done and waypoint 0 reached again: the car rolls to a stop.
    if (car.laps == kRaceLaps && car.waypoint == 1) {
        car.throttle = 0;
        if (winner == -1) winner = i;
    }
}

// The player's car counts the lowest waypoint within 160 px as reached; from
// waypoint 0 only 0 and 1 are accepted, so a lap needs the way round.
void TrackPlayerWaypoints(const tworld& w, tminimal& car) {
    const int old = car.waypoint;
    for (int k = 0; k < w.waypointcount; ++k) {
        if (DistanceTo(car, w.waypoints[k]) < kPlayerWaypointReach) {
            if (car.waypoint != 0 || k <= 1) car.waypoint = k;
            break;
        }
    }
    // A loop of one waypoint has no way round: it would count a lap per step.
    if (w.waypointcount > 1 && old == w.waypointcount - 1 && car.waypoint == 0) ++playerlaps;
}
