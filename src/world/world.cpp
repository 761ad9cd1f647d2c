#include "world/world.h"

#include <algorithm>
#include <cstdlib>
#include <limits>
#include <utility>

#include "engine/omega.h"
#include "world/race.h"

tworld world;
tworld view;

bool IsVehicle(std::string_view name) {
    return NameIs(name, "jeep") || NameIs(name, "car") || NameIs(name, "tank") || NameIs(name, "turbo");
}

void WorldChanged(tworld& w) {
    // Shared by every world, so a copy of an older world never passes for
    // the one it was copied from.
    static unsigned long long stamps = 0;
    w.revision = ++stamps;
}

void WorldClear(tworld& w) {
    for (int i = 0; i < w.count; ++i) w.objects[i].name.clear();
    w.count = 0;
    WorldChanged(w);
}

bool WorldAppend(tworld& w, const tminimal& object) {
    if (w.count >= kWorldCapacity) return false;
    w.objects[w.count++] = object;
    WorldChanged(w);
    return true;
}

bool WorldAddObject(tworld& w, std::string_view name, int x, int y, uint8_t ai, uint8_t dynamic, int color) {
    for (int i = 0; i < w.count; ++i) {
        const tminimal& o = w.objects[i];
        if (o.x == x && o.y == y && !o.name.empty()) return false;
    }
    if (w.count >= kWorldCapacity) return false;
    tminimal& o = w.objects[w.count];
    o.name.assign(name);
    o.x = x;
    o.y = y;
    o.ai = ai;
    o.dynamic = dynamic;
    o.color = color;
    o.frame = 1.0f;
    o.cornercolor = {0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF};
    ++w.count;
    WorldChanged(w);
    return true;
}

void WorldRemoveAt(tworld& w, int i) {
    if (i < 0 || i >= w.count) return;
    w.objects[i].name.clear();
    for (int k = i; k + 1 < w.count; ++k) std::swap(w.objects[k], w.objects[k + 1]);
    --w.count;
    WorldChanged(w);
}

void WorldRemoveNamed(tworld& w, std::string_view name) {
    for (int i = 0; i < w.count; ++i) {
        if (w.objects[i].name == name) {
            WorldRemoveAt(w, i);
            return;
        }
    }
}

bool WorldAddWaypoint(tworld& w, int x, int y) {
    if (w.waypointcount >= kWorldCapacity) return false;
    w.waypoints[w.waypointcount++] = Waypoint{x, y};
    return true;
}

NearestResult WorldNearest(const tworld& w, std::string_view name, int px, int py) {
    NearestResult result;
    float best = std::numeric_limits<float>::max();
    bool found = false;
    for (int i = 0; i < w.count; ++i) {
        const tminimal& o = w.objects[i];
        if (o.name != name) continue;
        const float d = M_Distance(static_cast<float>(o.x), static_cast<float>(o.y), static_cast<float>(px),
                                   static_cast<float>(py));
        if (d < best) {
            best = d;
            result.index = i;
            found = true;
        }
    }
    if (found) result.distance = M_Round(best);
    return result;
}

bool WorldOnScreen(const tworld& w, int i) {
    const tminimal& o = w.objects[i];
    const int cx = camera ? camera->x : 0, cy = camera ? camera->y : 0;
    const int sx = o.x - cx, sy = o.y - cy;
    return -o.width < sx && sx < o.width + kScreenWidth && -o.height < sy && sy < 2 * o.height + kScreenHeight;
}

// An object on screen has its foot within its width of the sides, its height
// above and twice its height below; its circle's centre stands up to a
// quarter of its height higher.
bool NearScreen(const WorldExtent& extent, long long x, long long y, long long reach) {
    const long long cx = camera ? camera->x : 0, cy = camera ? camera->y : 0;
    const long long h = extent.height;
    return x > cx - extent.width - reach && x < cx + 800 + extent.width + reach && y > cy - 2 * h - reach &&
           y < cy + 600 + 3 * h + reach;
}
