#include "world/collision_grid.h"

#include <algorithm>
#include <climits>
#include <cstdlib>

namespace {

// Beyond this the pick-up's float differences are no longer exact.
constexpr long long kFar = 1LL << 22;
constexpr int kMinShift = 7;  // cells of 128 px at the least

ObjectKind KindOf(std::string_view name) {
    if (HasPrefix(name, "lnd")) return NameIs(name, "lnd_water") ? ObjectKind::Water : ObjectKind::Ground;
    return IsVehicle(name) ? ObjectKind::Vehicle : ObjectKind::Other;
}

void WidenExtent(WorldExtent& e, const tminimal& o) {
    e.width = std::max(e.width, std::abs(static_cast<long long>(o.width)));
    e.height = std::max(e.height, std::abs(static_cast<long long>(o.height)));
    e.radius = std::max(e.radius, std::abs(static_cast<long long>(o.radius)));
}

bool Far(long long x, long long y) { return std::llabs(x) >= kFar || std::llabs(y) >= kFar; }

int Column(const CollisionGrid& grid, long long x) {
    return static_cast<int>(std::clamp<long long>((x - grid.left) >> grid.shift, 0, grid.columns - 1));
}

int Row(const CollisionGrid& grid, long long y) {
    return static_cast<int>(std::clamp<long long>((y - grid.top) >> grid.shift, 0, grid.rows - 1));
}

int CellOf(const CollisionGrid& grid, const tminimal& o) { return Row(grid, o.y) * grid.columns + Column(grid, o.x); }

void Link(CollisionGrid& grid, int i, int cell) {
    CellList& list = grid.things;
    grid.cellof[i] = cell;
    grid.prev[i] = -1;
    list.next[i] = list.head[cell];
    if (list.head[cell] >= 0) grid.prev[list.head[cell]] = i;
    list.head[cell] = i;
}

void Unlink(CollisionGrid& grid, int i) {
    CellList& list = grid.things;
    if (grid.prev[i] >= 0) {
        list.next[grid.prev[i]] = list.next[i];
    } else {
        list.head[grid.cellof[i]] = list.next[i];
    }
    if (list.next[i] >= 0) grid.prev[list.next[i]] = grid.prev[i];
}

// The ground never moves: it is only ever pushed onto its cell's list.
void LinkGround(CollisionGrid& grid, int i, int cell) {
    grid.cellof[i] = cell;
    grid.ground.next[i] = grid.ground.head[cell];
    grid.ground.head[cell] = i;
}

void GatherCells(CollisionGrid& grid, const CellList& list, const CellRange& cells) {
    for (int r = cells.r0; r <= cells.r1; ++r) {
        for (int c = cells.c0; c <= cells.c1; ++c) {
            for (int i = list.head[r * grid.columns + c]; i >= 0; i = list.next[i]) grid.found.push_back(i);
        }
    }
}

}  // namespace

void GridBuild(CollisionGrid& grid, const tworld& w) {
    grid.world = &w;
    grid.revision = w.revision;
    ++grid.filings;
    grid.count = w.count;
    grid.extent = WorldExtent{};
    grid.stale = false;
    grid.turnercount = 0;
    grid.bonuscount = 0;
    int minx = INT_MAX, miny = INT_MAX, maxx = INT_MIN, maxy = INT_MIN;
    for (int i = 0; i < w.count; ++i) {
        const tminimal& o = w.objects[i];
        const ObjectKind kind = KindOf(o.name);
        grid.kinds[i] = kind;
        if (TakesTurns(grid, w, i)) grid.turners[grid.turnercount++] = i;
        if (HasPrefix(o.name, "bn")) grid.bonuses[grid.bonuscount++] = i;
        WidenExtent(grid.extent, o);
        minx = std::min(minx, o.x);
        maxx = std::max(maxx, o.x);
        miny = std::min(miny, o.y);
        maxy = std::max(maxy, o.y);
    }
    if (w.count == 0) minx = maxx = miny = maxy = 0;
    grid.usable = !Far(minx, miny) && !Far(maxx, maxy);
    if (!grid.usable) return;
    // Square cells, as small as the world's spread allows; their side is a
    // power of two so finding a cell takes no division.
    const long long span = std::max<long long>(maxx - minx, maxy - miny) + 1;
    grid.shift = kMinShift;
    while ((span - 1) >> grid.shift >= kGridSide) ++grid.shift;
    grid.left = minx;
    grid.top = miny;
    grid.columns = static_cast<int>(((maxx - minx) >> grid.shift) + 1);
    grid.rows = static_cast<int>(((maxy - miny) >> grid.shift) + 1);
    std::fill_n(grid.things.head.begin(), grid.columns * grid.rows, -1);
    std::fill_n(grid.ground.head.begin(), grid.columns * grid.rows, -1);
    // Filed from the last so each cell lists its objects in index order.
    for (int i = w.count - 1; i >= 0; --i) {
        const int cell = CellOf(grid, w.objects[i]);
        if (IsGround(grid.kinds[i])) {
            LinkGround(grid, i, cell);
        } else {
            Link(grid, i, cell);
        }
    }
}

CollisionGrid& GridOf(const tworld& w) {
    // Large: kept from use to use rather than on the stack.
    static CollisionGrid grid;
    if (grid.world != &w || w.revision == 0 || grid.revision != w.revision || grid.count != w.count || grid.stale) {
        GridBuild(grid, w);
    }
    return grid;
}

void GridMove(CollisionGrid& grid, const tworld& w, int i) {
    if (!grid.usable || grid.stale || IsGround(grid.kinds[i])) return;
    const tminimal& o = w.objects[i];
    if (Far(o.x, o.y)) {
        grid.usable = false;
        grid.stale = true;
        return;
    }
    const int cell = CellOf(grid, o);
    if (cell == grid.cellof[i]) return;
    Unlink(grid, i);
    Link(grid, i, cell);
}

void GridRemoved(CollisionGrid& grid, int j, int n) {
    if (n <= 0) return;
    std::copy(grid.kinds.begin() + j + n, grid.kinds.end(), grid.kinds.begin() + j);
    grid.stale = true;
}

CellRange GridCells(const CollisionGrid& grid, long long x0, long long y0, long long x1, long long y1) {
    return {Column(grid, x0), Row(grid, y0), Column(grid, x1), Row(grid, y1)};
}

bool GridGather(CollisionGrid& grid, long long x0, long long y0, long long x1, long long y1, bool ground) {
    grid.found.clear();
    if (!grid.usable || grid.stale) return false;
    const CellRange cells = GridCells(grid, x0, y0, x1, y1);
    GatherCells(grid, grid.things, cells);
    if (ground) GatherCells(grid, grid.ground, cells);
    std::sort(grid.found.begin(), grid.found.end());
    return true;
}
