// Every object but the ground is a round obstacle. A car is put back out of
// what it runs into and loses a tenth of its speed per step of contact; it
// shoves movable objects, and movable props shove each other.
#include <algorithm>
#include <cstdlib>

#include "engine/omega.h"
#include "media/particles.h"
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

bool Ground(const tminimal& o) { return HasPrefix(o.name, "lnd"); }

}  // namespace

int VehicleAgainstObjects(tworld& w, int self) {
    for (int j = 0; j < w.count; ++j) {
        if (!OutOfPickUpReach(w.objects[self], w.objects[j])) PickUpBonuses(w, self, j);
        // The last object may just have been taken: nothing is left in slot j.
        if (j >= w.count) break;
        tminimal& other = w.objects[j];
        tminimal& car = w.objects[self];
        if (j == self || ClearlyApart(car, other) || Ground(other)) continue;
        float depth = 0;
        if (!Overlap(car, other, depth)) continue;
        if (car.ai == 0 && car.speed > 9) {
            RaceSound("bum");
            if (PlayerJoltHook) PlayerJoltHook(std::min(car.speed / 40.0f, 0.5f));
        }
        car.speed -= 0.1f * car.speed;
        const float a = AngleFrom(car, other);
        car.x = M_Round(car.x + static_cast<double>(M_Cos(a)) * depth);
        car.y = M_Round(car.y + static_cast<double>(M_Sin(a)) * depth);
        Push(other, a, depth);
    }
    return self;
}

// Only what is on screen is tested: the vehicles' own test covers the whole
// world. A prop too far off screen to touch anything on it is passed by.
void DynamicAgainstObjects(tworld& w, int self, const WorldExtent& extent) {
    const tminimal& moving = w.objects[self];
    const long long reach = 2 * std::abs(static_cast<long long>(moving.radius)) + extent.radius;
    if (!NearScreen(extent, moving.x, moving.y - moving.height / 4, reach)) return;
    for (int j = 0; j < w.count; ++j) {
        tminimal& other = w.objects[j];
        tminimal& prop = w.objects[self];
        if (j == self || ClearlyApart(prop, other) || Ground(other) || !WorldOnScreen(w, j)) continue;
        float depth = 0;
        if (!Overlap(prop, other, depth)) continue;
        prop.speed -= 0.1f * prop.speed;
        Push(other, AngleFrom(prop, other), depth);
    }
}
