#include "world/view.h"

#include <algorithm>
#include <array>
#include <utility>

#include "engine/omega.h"
#include "world/collision_grid.h"
#include "world/lighting.h"
#include "world/race.h"

void BuildView(tworld& v, const tworld& w) {
    WorldClear(v);
    // An object on screen has its foot within its width of the sides, its
    // height above and twice its height below: only those cells are looked
    // at, in index order as the whole world's scan would meet them.
    CollisionGrid& grid = GridOf(w);
    const long long cx = camera ? camera->x : 0, cy = camera ? camera->y : 0;
    const long long across = grid.extent.width, down = grid.extent.height;
    if (!GridGather(grid, cx - across, cy - down, cx + kScreenWidth + across, cy + kScreenHeight + 2 * down, true)) {
        for (int i = 0; i < w.count; ++i) grid.found.push_back(i);
    }
    // Copying into slots whose names keep their storage allocates nothing
    // once the view has seen names that long.
    for (const int i : grid.found) {
        if (WorldOnScreen(w, i)) WorldAppend(v, w.objects[i]);
    }
}

void SortView(tworld& v) {
    int landscape = 0;
    for (int i = 0; i < v.count; ++i) {
        if (!HasPrefix(v.objects[i].name, "lnd")) continue;
        if (i != landscape) std::swap(v.objects[landscape], v.objects[i]);
        ++landscape;
    }
    // The sort runs on (y, slot) pairs, which meet exactly the comparisons
    // the records themselves would, so ties keep the order they always had;
    // the records then move once each, round the permutation's cycles.
    static std::array<std::pair<int, int>, kWorldCapacity> order;
    const int n = v.count - landscape;
    for (int k = 0; k < n; ++k) order[k] = {v.objects[landscape + k].y, landscape + k};
    std::sort(order.begin(), order.begin() + n, [](const auto& a, const auto& b) { return a.first < b.first; });
    for (int k = 0; k < n; ++k) {
        if (order[k].second < 0) continue;
        tminimal held = std::move(v.objects[landscape + k]);
        int to = k;
        while (order[to].second != landscape + k) {
            const int from = order[to].second - landscape;
            v.objects[landscape + to] = std::move(v.objects[landscape + from]);
            order[to].second = -1;
            to = from;
        }
        v.objects[landscape + to] = std::move(held);
        order[to].second = -1;
    }
}

void RebuildView(tworld& v, const tworld& w) {
    BuildView(v, w);
    SortView(v);
    CastShadows(v, 1);
}
