#include "world/view.h"

#include <algorithm>
#include <array>
#include <utility>

#include "engine/omega.h"
#include "world/collision_grid.h"
#include "world/lighting.h"
#include "world/race.h"

namespace {

// Slots of `w` that may be on screen, gathered into grid.found in index
// order. An object on screen has its foot within its width of the sides,
// its height above and twice its height below: only those cells are looked
// at.
const std::vector<int>& NearScreenSlots(const tworld& w) {
    CollisionGrid& grid = GridOf(w);
    const long long cx = camera ? camera->x : 0, cy = camera ? camera->y : 0;
    const long long across = grid.extent.width, down = grid.extent.height;
    if (!GridGather(grid, cx - across, cy - down, cx + kScreenWidth + across, cy + kScreenHeight + 2 * down, true)) {
        for (int i = 0; i < w.count; ++i) grid.found.push_back(i);
    }
    return grid.found;
}

// Puts n slots of `w` into drawing order: landscape first, then the rest by
// y. The sort runs on (y, slot) pairs, which meet exactly the comparisons
// the records themselves would, so ties keep the order they always had.
void DrawingOrder(const tworld& w, int* slots, int n) {
    int landscape = 0;
    for (int i = 0; i < n; ++i) {
        if (!HasPrefix(w.objects[slots[i]].name, "lnd")) continue;
        if (i != landscape) std::swap(slots[landscape], slots[i]);
        ++landscape;
    }
    static std::array<std::pair<int, int>, kWorldCapacity> byY;
    const int rest = n - landscape;
    for (int k = 0; k < rest; ++k) byY[k] = {w.objects[slots[landscape + k]].y, slots[landscape + k]};
    std::sort(byY.begin(), byY.begin() + rest, [](const auto& a, const auto& b) { return a.first < b.first; });
    for (int k = 0; k < rest; ++k) slots[landscape + k] = byY[k].second;
}

}  // namespace

void BuildView(tworld& v, const tworld& w) {
    WorldClear(v);
    // Copying into slots whose names keep their storage allocates nothing
    // once the view has seen names that long.
    for (const int i : NearScreenSlots(w)) {
        if (WorldOnScreen(w, i)) WorldAppend(v, w.objects[i]);
    }
}

void SortView(tworld& v) {
    static std::array<int, kWorldCapacity> order;
    const int n = v.count;
    for (int k = 0; k < n; ++k) order[k] = k;
    DrawingOrder(v, order.data(), n);
    // The records move once each, round the permutation's cycles.
    for (int k = 0; k < n; ++k) {
        if (order[k] < 0) continue;
        tminimal held = std::move(v.objects[k]);
        int to = k;
        while (order[to] != k) {
            const int from = order[to];
            v.objects[to] = std::move(v.objects[from]);
            order[to] = -1;
            to = from;
        }
        v.objects[to] = std::move(held);
        order[to] = -1;
    }
}

// The order is found on the world's slots, so each record is copied once,
// straight into its place.
void RebuildView(tworld& v, const tworld& w) {
    static std::array<int, kWorldCapacity> slots;
    int n = 0;
    for (const int i : NearScreenSlots(w)) {
        if (WorldOnScreen(w, i)) slots[n++] = i;
    }
    DrawingOrder(w, slots.data(), n);
    WorldClear(v);
    for (int k = 0; k < n; ++k) WorldAppend(v, w.objects[slots[k]]);
    CastShadows(v, 1);
}
