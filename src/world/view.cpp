#include "world/view.h"

#include <algorithm>
#include <array>
#include <utility>

#include "engine/omega.h"
#include "world/collision_grid.h"
#include "world/lighting.h"
#include "world/race.h"

namespace {

// The camera's steps of 128 px each way: what never moves is gathered again
// only when the camera enters another step or the world is filed afresh.
constexpr int kCameraStep = 7;
constexpr long long kStepLast = (1LL << kCameraStep) - 1;  // the last pixel of a step

// Whether a still object can be on screen for some camera corner in the
// step from (ax, ay): the screen test's bounds, met over the step.
bool MaySeeFromStep(const tminimal& o, long long ax, long long ay) {
    const long long w = o.width, h = o.height;
    return o.x - w - kScreenWidth < ax + kStepLast && o.x + w > ax && o.y - 2 * h - kScreenHeight < ay + kStepLast &&
           o.y + h > ay;
}

// Slots of `w` that may be on screen, gathered into grid.found in index
// order. An object on screen has its foot within its width of the sides,
// its height above and twice its height below. What moves is added every
// time.
const std::vector<int>& NearScreenSlots(const tworld& w) {
    static struct {
        unsigned long long filing = 0;
        long long ax = 0, ay = 0;
        std::vector<int> still;
    } kept;
    CollisionGrid& grid = GridOf(w);
    std::vector<int>& found = grid.found;
    if (!grid.usable) {
        found.clear();
        for (int i = 0; i < w.count; ++i) found.push_back(i);
        return found;
    }
    const long long cx = camera ? camera->x : 0, cy = camera ? camera->y : 0;
    const long long ax = cx & ~kStepLast, ay = cy & ~kStepLast;
    if (kept.filing != grid.filings || kept.ax != ax || kept.ay != ay) {
        const long long across = grid.extent.width, down = grid.extent.height;
        GridGather(grid, ax - across, ay - down, ax + kStepLast + kScreenWidth + across,
                   ay + kStepLast + kScreenHeight + 2 * down, true);
        kept.still.clear();
        for (const int i : found) {
            if (!Moves(grid, w, i) && MaySeeFromStep(w.objects[i], ax, ay)) kept.still.push_back(i);
        }
        kept.filing = grid.filings;
        kept.ax = ax;
        kept.ay = ay;
    }
    found.clear();
    auto still = kept.still.begin();
    for (int k = 0; k < grid.turnercount; ++k) {
        const int i = grid.turners[k];
        if (!Moves(grid, w, i)) continue;
        for (; still != kept.still.end() && *still < i; ++still) found.push_back(*still);
        found.push_back(i);
    }
    found.insert(found.end(), still, kept.still.end());
    return found;
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
// straight into its place; one that already holds the same object, copied
// from the same filing of the world into a view untouched since, is left
// as it is unless that object takes turns.
void RebuildView(tworld& v, const tworld& w) {
    static std::array<int, kWorldCapacity> slots;
    static struct {
        const tworld* view = nullptr;
        unsigned long long revision = 0;
        unsigned long long filing = 0;
        std::array<int, kWorldCapacity> from{};
    } copied;
    int n = 0;
    for (const int i : NearScreenSlots(w)) {
        if (WorldOnScreen(w, i)) slots[n++] = i;
    }
    DrawingOrder(w, slots.data(), n);
    const CollisionGrid& grid = GridOf(w);
    const bool kept =
        copied.view == &v && v.revision != 0 && copied.revision == v.revision && copied.filing == grid.filings;
    for (int k = 0; k < n; ++k) {
        const int i = slots[k];
        if (kept && k < v.count && copied.from[k] == i && !TakesTurns(grid, w, i)) continue;
        v.objects[k] = w.objects[i];
        copied.from[k] = i;
    }
    for (int k = n; k < v.count; ++k) v.objects[k].name.clear();
    v.count = n;
    WorldChanged(v);
    copied.view = &v;
    copied.revision = v.revision;
    copied.filing = grid.filings;
    CastShadows(v, 1);
}
