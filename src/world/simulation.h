// The race simulation: one step of the world per 30 ms tick. Cars move under
// the player's keys or the computer's steering, push and get pushed, pick up
// bonuses and count their laps; water wobbles and movable props shove each
// other. All quantities are per step.
#pragma once

#include "world/collision_grid.h"
#include "world/world.h"

// Directions. A car's `frame` runs 1..16 counter-clockwise on screen, frame 1
// pointing up, 5 left, 9 down, 13 right; its `heading` is in degrees, and the
// car moves along -(cos heading, sin heading).
int FrameToHeading(float frame);
// Brings whole degrees into 0..360 (360 itself stays 360).
int WrapAngle(int a);
// The frame a computer car shows for a heading, clamped to 1..16.
float HeadingToFrame(int heading);

// One step of the whole world, objects in index order.
void WorldStep(tworld& w);

// ---------------------------------------------------------------- car dynamics

// The player's keys on car i: throttle and turning, and the finish once the
// player has done four laps.
void PlayerControls(tworld& w, int i);
// Throttle accelerates by 40 % per step up to maxspeed; without it the car
// slows by a tenth per step and stops dead at speed 1.
void UpdateSpeed(tminimal& car);
// How slowly the travel direction follows the heading: larger for slower cars.
int DriftDivisor(int maxspeed);
// Turns the travel direction (velx, vely) towards (c, s) by speed / divisor
// per component.
void UpdateDrift(tminimal& car, float c, float s);
// An exhaust puff 20 px behind the car.
void EmitSmoke(const tminimal& car, float c, float s);
// The engine of a driving car: the player's pitch follows speed and slide,
// the other cars are heard near the player only.
void EngineSound(const tminimal& car, float c, float s);

// ---------------------------------------------------------------- computer drivers

float DistanceTo(const tminimal& car, const Waypoint& p);
// The heading that drives the car straight at p.
int HeadingTo(const tminimal& car, const Waypoint& p);

// Car i aims straight at its target waypoint at full throttle, advances the
// target within 120 px and counts a lap at the wrap; it finishes after four.
void ComputerSteer(tworld& w, int i);
// The waypoint the player's car i has reached, and the player's laps.
void TrackPlayerWaypoints(const tworld& w, tminimal& car);

// ---------------------------------------------------------------- collisions and bonuses

// Bonus pick-up and collision of vehicle i against every object; returns the
// vehicle's index, which moves down when a bonus before it is taken. The grid
// holds the world as it stands, built at the start of the step.
int VehicleAgainstObjects(tworld& w, int i, CollisionGrid& grid);
// A movable prop i shoves the movable objects it overlaps on screen.
void DynamicAgainstObjects(tworld& w, int i, CollisionGrid& grid);
// Points the player gets for a bonus; 0 for other names.
int BonusPoints(std::string_view name);
// Vehicle `self` collects what lies in slot j: each bonus name is tested in
// turn on whatever then occupies the slot, so a bonus that moves into it
// after a pick-up can be taken in the same turn. `self` follows the vehicle
// when a slot before it empties.
void PickUpBonuses(tworld& w, int& self, int j);
// Whether object o lies out of a pick-up's 50 px from the car along an axis,
// and so in all: the same float differences as the pick-up's distance,
// without the root or the name. A slot whose occupant is out of reach gives
// nothing.
inline bool OutOfPickUpReach(const tminimal& car, const tminimal& o) {
    const double dx = static_cast<double>(static_cast<float>(o.x)) - static_cast<float>(car.x);
    const double dy = static_cast<double>(static_cast<float>(o.y)) - static_cast<float>(car.y);
    return dx >= 50 || -dx >= 50 || dy >= 50 || -dy >= 50;
}
// Scatters bonuses near free waypoints while fewer than six are out.
void SpawnBonuses(tworld& w);
