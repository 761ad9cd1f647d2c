// Where everything stands during a world step: each object's kind, read from
// its name once per step, and a uniform grid of the objects' feet, so a moving
// object looks only at the cells it can reach instead of the whole world.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "world/world.h"

enum class ObjectKind : uint8_t { Other, Ground, Water, Vehicle };

inline bool IsGround(ObjectKind kind) { return kind == ObjectKind::Ground || kind == ObjectKind::Water; }

inline constexpr int kGridSide = 128;  // cells along each axis at most

struct CollisionGrid {
    std::array<ObjectKind, kWorldCapacity> kinds{};
    // Whether the object takes a turn in the step: it moves or ripples.
    std::array<bool, kWorldCapacity> turns{};
    std::array<Waypoint, kWorldCapacity> feet{};  // where each stood when filed
    WorldExtent extent;
    long long left = 0;  // the corner of cell (0, 0)
    long long top = 0;
    int shift = 0;  // a cell's side in pixels is 1 << shift
    int columns = 1;
    int rows = 1;
    // False once an object stands too far out for the grid to vouch for the
    // tests' float arithmetic: every test then scans the whole world.
    bool usable = false;
    // Set when objects were removed or moved untracked: the grid is filed
    // afresh before the next object's turn.
    bool stale = false;
    std::array<int, kWorldCapacity> cellof{};
    std::array<int, kWorldCapacity> next{};
    std::array<int, kWorldCapacity> prev{};
    std::array<int, kGridSide * kGridSide> head{};
    std::vector<int> found;  // the last gathering, in index order
};

// Reads every object's kind, measures the world and files every object but
// the ground in the grid by its foot.
void GridBuild(CollisionGrid& grid, const tworld& w);
// The next object after slot i that takes a turn; w.count when none.
int GridNextTurn(const CollisionGrid& grid, const tworld& w, int i);
// Files object i again after it moved.
void GridMove(CollisionGrid& grid, const tworld& w, int i);
// Slot j and the n - 1 after it were emptied and the objects behind moved
// down: the kinds follow, and the grid is stale.
void GridRemoved(CollisionGrid& grid, int j, int n);
// Gathers into grid.found, in index order, at least every object whose foot
// lies within the box; false when the grid cannot tell and the whole world
// must be scanned.
bool GridGather(CollisionGrid& grid, long long x0, long long y0, long long x1, long long y1);
