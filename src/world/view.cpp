#include "world/view.h"

#include <algorithm>
#include <utility>

#include "world/lighting.h"

void BuildView(tworld& v, const tworld& w) {
    WorldClear(v);
    // Copying into slots whose names keep their storage allocates nothing
    // once the view has seen names that long.
    for (int i = 0; i < w.count; ++i) {
        if (WorldOnScreen(w, i)) WorldAppend(v, w.objects[i]);
    }
}

void SortView(tworld& v) {
    const auto begin = v.objects.begin();
    int landscape = 0;
    for (int i = 0; i < v.count; ++i) {
        if (!HasPrefix(v.objects[i].name, "lnd")) continue;
        if (i != landscape) std::swap(v.objects[landscape], v.objects[i]);
        ++landscape;
    }
    std::sort(begin + landscape, begin + v.count, [](const tminimal& a, const tminimal& b) { return a.y < b.y; });
}

void RebuildView(tworld& v, const tworld& w) {
    BuildView(v, w);
    SortView(v);
    CastShadows(v, 1);
}
