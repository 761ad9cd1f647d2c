#include "world/lighting.h"

#include <algorithm>
#include <vector>

#include "engine/omega.h"
#include "world/sprites.h"

namespace {

// The lamps of one world sorted by x, answering "nearest lamp" exactly as
// WorldNearest(w, "lamp", ...) would (same distances, lowest index on ties)
// without scanning the whole world for every corner and every object.
class LampFinder {
  public:
    explicit LampFinder(const tworld& w) {
        lamps_.clear();
        for (int i = 0; i < w.count; ++i) {
            const tminimal& o = w.objects[i];
            if (o.name == "lamp") lamps_.push_back(Lamp{static_cast<float>(o.x), static_cast<float>(o.y), i});
        }
        std::sort(lamps_.begin(), lamps_.end(), [](const Lamp& a, const Lamp& b) { return a.x < b.x; });
    }

    NearestResult Nearest(int px, int py) const {
        NearestResult result;
        if (lamps_.empty()) return result;
        const float fx = static_cast<float>(px), fy = static_cast<float>(py);
        float best = 0;
        int bestIndex = -1;
        const auto consider = [&](const Lamp& l) {
            const float d = M_Distance(l.x, l.y, fx, fy);
            if (bestIndex < 0 || d < best || (d == best && l.index < bestIndex)) {
                best = d;
                bestIndex = l.index;
            }
        };
        // Walk outwards from px on both sides; a lamp whose x alone is
        // farther than the best distance cannot be nearer, nor any beyond it.
        const auto split =
            std::lower_bound(lamps_.begin(), lamps_.end(), fx, [](const Lamp& l, float x) { return l.x < x; });
        auto right = split;
        auto left = split;
        while (right != lamps_.end() || left != lamps_.begin()) {
            const bool rightOpen = right != lamps_.end() && (bestIndex < 0 || right->x - fx <= best);
            const bool leftOpen = left != lamps_.begin() && (bestIndex < 0 || fx - (left - 1)->x <= best);
            if (!rightOpen && !leftOpen) break;
            if (rightOpen) consider(*right++);
            if (leftOpen) consider(*--left);
        }
        result.distance = M_Round(best);
        result.index = bestIndex;
        return result;
    }

  private:
    struct Lamp {
        float x, y;
        int index;
    };
    // Kept between calls so the per-tick shadows of the view allocate nothing.
    static inline std::vector<Lamp> lamps_;
};

int GreyLevel(int distance) {
    const int level = std::max(15 - distance / 50, 0);
    return std::min((level + 1) * 0x111111, 0xFFFFFF);
}

}  // namespace

void MeasureObjects(tworld& w) {
    for (int i = 0; i < w.count; ++i) {
        tminimal& o = w.objects[i];
        const OE_Texture* t = FirstSprite(o.name);
        o.width = t ? t->width : 0;
        o.height = t ? t->height : 0;
        o.radius = o.width / 4;
    }
    WorldChanged(w);
}

namespace {
int lightings = 0;
}  // namespace

int LightingCount() { return lightings; }

void LightCorners(tworld& w) {
    ++lightings;
    const LampFinder lamps(w);
    for (int i = 0; i < w.count; ++i) {
        tminimal& o = w.objects[i];
        const int cornersX[4] = {o.x, o.x + o.width, o.x + o.width, o.x};
        const int cornersY[4] = {o.y, o.y, o.y + o.height, o.y + o.height};
        for (int k = 0; k < 4; ++k) {
            o.cornercolor[k] = GreyLevel(lamps.Nearest(cornersX[k] - 128, cornersY[k] - 128).distance);
        }
    }
}

bool CastsShadow(std::string_view name) {
    return !(name == "pen" || name == "rak" || name == "sball" || name == "limit" || name == "lamp" ||
             HasPrefix(name, "lnd"));
}

void CastShadows(tworld& w, int flag) {
    const LampFinder lamps(w);
    for (int i = 0; i < w.count; ++i) {
        tminimal& o = w.objects[i];
        if (o.dynamic != flag || !CastsShadow(o.name)) continue;
        // Without a lamp the distance is 0 and the shadow points away from
        // the first object of the world.
        const NearestResult lamp = lamps.Nearest(o.x, o.y);
        const tminimal& l = w.objects[lamp.index];
        o.shadow = std::max(128 - lamp.distance / 3, 0);
        o.shadowangle = M_Round(M_FindAngle(static_cast<float>(o.x), static_cast<float>(o.y), static_cast<float>(l.x),
                                            static_cast<float>(l.y)) +
                                90);
        const float dy = static_cast<float>(o.height / 2 - 20);
        const float c = M_Cos(static_cast<float>(o.shadowangle)), s = M_Sin(static_cast<float>(o.shadowangle));
        o.shadowdx = -dy * s;
        o.shadowdy = dy * c;
    }
}
