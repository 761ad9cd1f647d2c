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

bool Far(const Waypoint& p) { return std::llabs(p.x) >= kFar || std::llabs(p.y) >= kFar; }

int Column(const CollisionGrid& grid, long long x) {
    return static_cast<int>(std::clamp<long long>((x - grid.left) >> grid.shift, 0, grid.columns - 1));
}

int Row(const CollisionGrid& grid, long long y) {
    return static_cast<int>(std::clamp<long long>((y - grid.top) >> grid.shift, 0, grid.rows - 1));
}

int CellOf(const CollisionGrid& grid, const Waypoint& foot) {
    return Row(grid, foot.y) * grid.columns + Column(grid, foot.x);
}

void Link(CollisionGrid& grid, int i, int cell) {
    grid.cellof[i] = cell;
    grid.prev[i] = -1;
    grid.next[i] = grid.head[cell];
    if (grid.head[cell] >= 0) grid.prev[grid.head[cell]] = i;
    grid.head[cell] = i;
}

void Unlink(CollisionGrid& grid, int i) {
    const int cell = grid.cellof[i];
    if (grid.prev[i] >= 0) {
        grid.next[grid.prev[i]] = grid.next[i];
    } else {
        grid.head[cell] = grid.next[i];
    }
    if (grid.next[i] >= 0) grid.prev[grid.next[i]] = grid.prev[i];
}

}  // namespace

void GridBuild(CollisionGrid& grid, const tworld& w) {
    grid.extent = WorldExtent{};
    grid.stale = false;
    int minx = INT_MAX, miny = INT_MAX, maxx = INT_MIN, maxy = INT_MIN;
    for (int i = 0; i < w.count; ++i) {
        const tminimal& o = w.objects[i];
        const ObjectKind kind = KindOf(o.name);
        grid.kinds[i] = kind;
        grid.turns[i] = kind == ObjectKind::Water || kind == ObjectKind::Vehicle || o.dynamic != 0;
        grid.feet[i] = {o.x, o.y};
        WidenExtent(grid.extent, o);
        minx = std::min(minx, o.x);
        maxx = std::max(maxx, o.x);
        miny = std::min(miny, o.y);
        maxy = std::max(maxy, o.y);
    }
    if (w.count == 0) minx = maxx = miny = maxy = 0;
    grid.usable = !Far({minx, miny}) && !Far({maxx, maxy});
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
    std::fill_n(grid.head.begin(), grid.columns * grid.rows, -1);
    // The ground is never met: it stays out.
    for (int i = 0; i < w.count; ++i) {
        if (!IsGround(grid.kinds[i])) Link(grid, i, CellOf(grid, grid.feet[i]));
    }
}

int GridNextTurn(const CollisionGrid& grid, const tworld& w, int i) {
    while (++i < w.count && !grid.turns[i]) {
    }
    return i;
}

void GridMove(CollisionGrid& grid, const tworld& w, int i) {
    if (!grid.usable || grid.stale || IsGround(grid.kinds[i])) return;
    const Waypoint foot{w.objects[i].x, w.objects[i].y};
    if (Far(foot)) {
        grid.usable = false;
        return;
    }
    const int cell = CellOf(grid, foot);
    if (cell == grid.cellof[i]) return;
    Unlink(grid, i);
    Link(grid, i, cell);
}

void GridRemoved(CollisionGrid& grid, int j, int n) {
    if (n <= 0) return;
    std::copy(grid.kinds.begin() + j + n, grid.kinds.end(), grid.kinds.begin() + j);
    grid.stale = true;
}

bool GridGather(CollisionGrid& grid, long long x0, long long y0, long long x1, long long y1) {
    grid.found.clear();
    if (!grid.usable || grid.stale) return false;
    const int c0 = Column(grid, x0), c1 = Column(grid, x1);
    const int r0 = Row(grid, y0), r1 = Row(grid, y1);
    for (int r = r0; r <= r1; ++r) {
        for (int c = c0; c <= c1; ++c) {
            for (int i = grid.head[r * grid.columns + c]; i >= 0; i = grid.next[i]) grid.found.push_back(i);
        }
    }
    std::sort(grid.found.begin(), grid.found.end());
    return true;
}
