// Where everything stands: each object's kind, read from its name, and a
// uniform grid of the objects' feet, so a moving object looks only at the
// cells it can reach and the view only at the cells on screen instead of the
// whole world. The grid is filed afresh only when the world changed outside
// the step; within the step it follows every move.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "world/world.h"

enum class ObjectKind : uint8_t { Other, Ground, Water, Vehicle };

inline bool IsGround(ObjectKind kind) { return kind == ObjectKind::Ground || kind == ObjectKind::Water; }

inline constexpr int kGridSide = 128;  // cells along each axis at most

struct CellList {
    std::array<int, kGridSide * kGridSide> head{};
    std::array<int, kWorldCapacity> next{};
};

struct CellRange {
    int c0 = 0, r0 = 0, c1 = -1, r1 = -1;
    bool operator==(const CellRange&) const = default;
};

struct CollisionGrid {
    // The world filed and its revision then; revision 0 never matches.
    const tworld* world = nullptr;
    unsigned long long revision = 0;
    unsigned long long filings = 0;  // counts every filing afresh
    int count = 0;
    std::array<ObjectKind, kWorldCapacity> kinds{};
    // The objects that take a turn in the step, in index order: they move
    // or ripple.
    std::array<int, kWorldCapacity> turners{};
    int turnercount = 0;
    // The bonuses lying in the world, in index order.
    std::array<int, kWorldCapacity> bonuses{};
    int bonuscount = 0;
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
    // afresh before it is used again.
    bool stale = false;
    std::array<int, kWorldCapacity> cellof{};  // the cell each object is filed in
    std::array<int, kWorldCapacity> prev{};
    CellList things;         // everything but the ground, which never moves
    CellList ground;         // only the view meets the ground
    std::vector<int> found;  // the last gathering, in index order
};

// Whether object i takes a turn in the step: it moves or ripples. Nothing
// else in it changes from step to step.
inline bool TakesTurns(const CollisionGrid& grid, const tworld& w, int i) {
    const ObjectKind kind = grid.kinds[i];
    return kind == ObjectKind::Water || kind == ObjectKind::Vehicle || w.objects[i].dynamic != 0;
}
// Whether object i can change place during a step: the cars and what they
// shove. Everything else stays where it was filed.
inline bool Moves(const CollisionGrid& grid, const tworld& w, int i) {
    return !IsGround(grid.kinds[i]) && (grid.kinds[i] == ObjectKind::Vehicle || w.objects[i].dynamic != 0);
}

// Reads every object's kind, measures the world and files every object in
// the grid by its foot.
void GridBuild(CollisionGrid& grid, const tworld& w);
// The grid of `w`, filed afresh when the world changed since it was filed.
CollisionGrid& GridOf(const tworld& w);
// Files object i again after it moved.
void GridMove(CollisionGrid& grid, const tworld& w, int i);
// Slot j and the n - 1 after it were emptied and the objects behind moved
// down: the kinds follow, and the grid is stale.
void GridRemoved(CollisionGrid& grid, int j, int n);
// The cells a box covers.
CellRange GridCells(const CollisionGrid& grid, long long x0, long long y0, long long x1, long long y1);
// Gathers into grid.found, in index order, at least every object whose foot
// lies within the box, the ground only when asked; false when the grid
// cannot tell and the whole world must be scanned.
bool GridGather(CollisionGrid& grid, long long x0, long long y0, long long x1, long long y1, bool ground = false);
