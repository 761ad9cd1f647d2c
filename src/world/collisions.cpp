// Every object but the ground is a round obstacle. A car is put back out of
// what it runs into and loses a tenth of its speed per step of contact; it
// shoves movable objects, and movable props shove each other.
#include <algorithm>
#include <cstdlib>

#include "engine/omega.h"
#include "media/particles.h"
#include "world/collision_grid.h"
#include "world/race.h"
#include "world/simulation.h"

namespace {

// The collision circle stands a quarter of the sprite's height above the
// object's foot; the moving object counts its own radius twice.
bool Overlap(const tminimal& self, const tminimal& other, float& depth) {
    return CirclesOverlap(self.x, self.y - self.height / 4, other.x, other.y - other.height / 4, 2 * self.radius,
                          other.radius, depth);
}

// Whether the two circles' bounding squares are apart, which rules out an
// overlap without a square root: most of the world is far away.
bool ClearlyApart(const tminimal& self, const tminimal& other) {
    const long long reach = 2LL * self.radius + other.radius;
    const long long dx = static_cast<long long>(self.x) - other.x;
    const long long dy = static_cast<long long>(self.y - self.height / 4) - (other.y - other.height / 4);
    return dx >= reach || -dx >= reach || dy >= reach || -dy >= reach;
}

float AngleFrom(const tminimal& self, const tminimal& other) {
    return M_FindAngle(static_cast<float>(self.x), static_cast<float>(self.y), static_cast<float>(other.x),
                       static_cast<float>(other.y));
}

// Wide objects give way less. One without width cannot be pushed at all.
void Push(tminimal& other, float a, float depth) {
    if (other.dynamic == 0 || other.radius == 0) return;
    const double shove = static_cast<double>(depth) / other.radius * 4;
    other.x = M_Round(other.x - shove * M_Cos(a));
    other.y = M_Round(other.y - shove * M_Sin(a));
}

// How far a car may be put back during its own turn before the objects
// gathered round where it started no longer cover what it can reach.
constexpr long long kCarSlack = 16;

// The car's pick-up and collision with slot j; false when the last object
// has just been taken and nothing is left there.
bool VehicleMeets(tworld& w, int& self, int j, CollisionGrid& grid) {
    if (!OutOfPickUpReach(w.objects[self], w.objects[j])) {
        const int count = w.count;
        PickUpBonuses(w, self, j);
        GridRemoved(grid, j, count - w.count);
    }
    if (j >= w.count) return false;
    tminimal& other = w.objects[j];
    tminimal& car = w.objects[self];
    if (j == self || ClearlyApart(car, other) || IsGround(grid.kinds[j])) return true;
    float depth = 0;
    if (!Overlap(car, other, depth)) return true;
    if (car.ai == 0 && car.speed > 9) {
        RaceSound("bum");
        if (PlayerJoltHook) PlayerJoltHook(std::min(car.speed / 40.0f, 0.5f));
    }
    car.speed -= 0.1f * car.speed;
    const float a = AngleFrom(car, other);
    car.x = M_Round(car.x + static_cast<double>(M_Cos(a)) * depth);
    car.y = M_Round(car.y + static_cast<double>(M_Sin(a)) * depth);
    Push(other, a, depth);
    return true;
}

// The slots from j on, as the whole world's scan meets them.
int VehicleScan(tworld& w, int self, int j, CollisionGrid& grid) {
    grid.stale = true;
    for (; j < w.count; ++j) {
        if (!VehicleMeets(w, self, j, grid)) break;
    }
    return self;
}

// How far from an object's foot, along each axis, the foot of anything its
// circle can touch may stand.
long long Reach(const tminimal& self, const WorldExtent& extent) { return 2 * std::llabs(self.radius) + extent.radius; }
long long RiseReach(const tminimal& self, const WorldExtent& extent) {
    return Reach(self, extent) + std::llabs(self.height) / 4 + extent.height / 4 + 1;
}

}  // namespace

// Only the objects gathered round the car are met, in the order the whole
// world's scan would meet them; the rest are out of reach. A pick-up shifts
// the slots and a long shove takes the car beyond what was gathered: the
// scan then goes on through the whole world.
int VehicleAgainstObjects(tworld& w, int self, CollisionGrid& grid) {
    const tminimal& start = w.objects[self];
    const long long x = start.x, y = start.y;
    const long long across = std::max(50LL, Reach(start, grid.extent)) + kCarSlack;
    const long long down = std::max(50LL, RiseReach(start, grid.extent)) + kCarSlack;
    if (!GridGather(grid, x - across, y - down, x + across, y + down)) return VehicleScan(w, self, 0, grid);
    const int count = w.count;
    for (const int j : grid.found) {
        const bool more = VehicleMeets(w, self, j, grid);
        const tminimal& car = w.objects[self];
        if (!more || w.count != count || std::llabs(car.x - x) > kCarSlack || std::llabs(car.y - y) > kCarSlack) {
            return VehicleScan(w, self, more ? j + 1 : w.count, grid);
        }
        GridMove(grid, w, j);
    }
    GridMove(grid, w, self);
    return self;
}

// Only what is on screen is tested: the vehicles' own test covers the whole
// world. A prop too far off screen to touch anything on it is passed by, and
// one on screen meets only the objects gathered round it, in index order.
void DynamicAgainstObjects(tworld& w, int self, CollisionGrid& grid) {
    const tminimal& moving = w.objects[self];
    const WorldExtent& extent = grid.extent;
    const long long across = Reach(moving, extent), down = RiseReach(moving, extent);
    if (!NearScreen(extent, moving.x, moving.y - moving.height / 4, across)) return;
    const bool gathered = GridGather(grid, moving.x - across, moving.y - down, moving.x + across, moving.y + down);
    if (!gathered) {
        grid.found.clear();
        for (int j = 0; j < w.count; ++j) grid.found.push_back(j);
    }
    for (const int j : grid.found) {
        tminimal& other = w.objects[j];
        tminimal& prop = w.objects[self];
        if (j == self || ClearlyApart(prop, other) || IsGround(grid.kinds[j]) || !WorldOnScreen(w, j)) continue;
        float depth = 0;
        if (!Overlap(prop, other, depth)) continue;
        prop.speed -= 0.1f * prop.speed;
        Push(other, AngleFrom(prop, other), depth);
        GridMove(grid, w, j);
    }
}
