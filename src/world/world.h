// src/world owns the race: the world and its files, the simulation, the
// race's own state and its drawing; no widgets, no screens, no game flow (the
// game hears of the finish and points through hooks). It may use media/ and
// engine/.
//
// The race world: one flat list of objects whose kind is their name, and the
// waypoint loop the cars follow. `world` is loaded, simulated, edited and
// saved; `view` holds the objects on screen in drawing order.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

inline constexpr int kWorldCapacity = 4097;

struct CornerOffset {
    int dx = 0;
    int dy = 0;
};

struct tminimal {
    std::string name;  // empty: no object
    int x = 0;
    int y = 0;           // bottom centre of the sprite
    float frame = 1.0f;  // direction frame 1..16 for vehicles, 1 otherwise
    uint8_t dynamic = 0;
    uint8_t ai = 0;
    int maxspeed = 0;
    int width = 0;
    int height = 0;
    int radius = 0;  // width div 4
    float speed = 0;
    int throttle = 0;
    int heading = 0;
    float velx = 0;
    float vely = 0;
    int shake = 0;
    int waypoint = 0;
    int color = 0;
    int laps = 0;
    std::array<int, 4> cornercolor{};
    float shadowdx = 0;
    float shadowdy = 0;
    int shadowangle = 0;
    int shadow = 0;
    std::array<CornerOffset, 4> wateroffset{};
    std::array<CornerOffset, 4> waterstep{};
};

struct Waypoint {
    int x = 0;
    int y = 0;
};

struct tworld {
    std::array<tminimal, kWorldCapacity> objects;
    int count = 0;
    std::array<Waypoint, kWorldCapacity> waypoints;
    int waypointcount = 0;
    // Stamped afresh whenever the objects change, so what is worked out from
    // them is worked out again; 0 (never stamped) trusts nothing.
    unsigned long long revision = 0;
};

extern tworld world;
extern tworld view;

inline constexpr std::array<const char*, 4> vehiclenames{"jeep", "car", "tank", "turbo"};
inline constexpr std::array<int, 16> palette{0x00FF00, 0xFF0000, 0x0000FF, 0xFFFFFF, 0x333333, 0x9C3D0F,
                                             0x4B880F, 0x4B88C3, 0xAF385F, 0x87B05F, 0xAFC4AF, 0xEB4C37,
                                             0x4B4C87, 0x4B4CD7, 0x4BD84B, 0x787864};

bool IsVehicle(std::string_view name);
// Compared over the literal's own length, which the compiler then knows: the
// step tests every name it meets.
inline bool HasPrefix(std::string_view name, std::string_view prefix) {
    return name.size() >= prefix.size() &&
           std::char_traits<char>::compare(name.data(), prefix.data(), prefix.size()) == 0;
}
inline bool NameIs(std::string_view name, std::string_view exact) {
    return name.size() == exact.size() && HasPrefix(name, exact);
}

// Code that changes objects' names, places or sizes other than through these
// functions or the step says so here.
void WorldChanged(tworld& w);
// Releases the used objects; the waypoints stay.
void WorldClear(tworld& w);
// Copies a whole record into the next slot; false when the world is full.
bool WorldAppend(tworld& w, const tminimal& object);
// Adds an object unless a named object already stands at exactly (x, y) or
// the world is full; true when it was added. Fields not named keep what the
// slot held.
bool WorldAddObject(tworld& w, std::string_view name, int x, int y, uint8_t ai, uint8_t dynamic, int color);
// Removes the first object of that name; later objects move down one slot.
void WorldRemoveNamed(tworld& w, std::string_view name);
// Removes object i; later objects move down one slot.
void WorldRemoveAt(tworld& w, int i);
// False when the waypoint list is full.
bool WorldAddWaypoint(tworld& w, int x, int y);

struct NearestResult {
    int distance = 0;  // rounded
    int index = 0;
};
// The nearest object of that name (lowest index on ties); {0, 0} when none.
NearestResult WorldNearest(const tworld& w, std::string_view name, int px, int py);
// Whether object i is on the 800 x 600 screen seen from the camera, with
// margins of its width at the sides and twice its height below.
bool WorldOnScreen(const tworld& w, int i);

// The largest width, height and radius (as magnitudes) in a world: how far
// an object on screen can reach beyond the screen's edges.
struct WorldExtent {
    long long width = 0;
    long long height = 0;
    long long radius = 0;
};
// False when no object on screen can have its collision circle's centre
// (the foot raised by a quarter of the height) within `reach` of (x, y) along
// both axes; true when one may.
bool NearScreen(const WorldExtent& extent, long long x, long long y, long long reach);
