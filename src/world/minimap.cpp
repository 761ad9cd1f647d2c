#include "world/minimap.h"

#include <algorithm>
#include <charconv>
#include <climits>
#include <cstdlib>
#include <vector>

#include "engine/omega.h"
#include "engine/stamp.h"
#include "media/texture_base.h"
#include "world/race.h"
#include "world/sprites.h"

namespace {
constexpr int kScale = 15;
}

bool MinimapLayoutOf(const tworld& w, MinimapLayout& out) {
    if (w.waypointcount <= 0) return false;
    int minX = INT_MAX, minY = INT_MAX, maxX = -INT_MAX, maxY = -INT_MAX;
    for (int k = 0; k < w.waypointcount; ++k) {
        const Waypoint& p = w.waypoints[k];
        if (p.x < minX) minX = p.x;
        if (p.y < minY) minY = p.y;
        if (p.x > maxX) maxX = p.x;
        if (p.y > maxY) maxY = p.y;
    }
    out.minX = minX;
    out.minY = minY;
    out.width = std::abs(maxX - minX) / kScale + 32;
    out.height = std::abs(maxY - minY) / kScale + 32;
    out.left = kScreenWidth - out.width - 16;
    out.top = kScreenHeight - out.height - 16;
    return true;
}

namespace {

// The panel and 81 overlapping translucent copies of the loop, which make a
// thick soft line: kept as a stamp while the waypoints stay the same.
OE_Stamp& TrackStamp(const tworld& w, const MinimapLayout& m) {
    static OE_Stamp stamp;
    static std::vector<Waypoint> drawnFor;
    const auto same = [](const Waypoint& a, const Waypoint& b) { return a.x == b.x && a.y == b.y; };
    const auto* first = w.waypoints.data();
    if (std::equal(first, first + w.waypointcount, drawnFor.begin(), drawnFor.end(), same)) return stamp;
    drawnFor.assign(first, first + w.waypointcount);
    stamp = OE_Stamp{};
    stamp.x = m.left;
    stamp.y = m.top;
    stamp.width = m.width;
    stamp.height = m.height;
    stamp.panelAlpha = 64;  // black
    stamp.lineColour = 0xAAAAAA;
    stamp.lineAlpha = 64;
    const auto segment = [&](const Waypoint& a, const Waypoint& b, int ox, int oy) {
        stamp.lines.push_back({ox + (a.x - m.minX) / kScale, oy + (a.y - m.minY) / kScale, ox + (b.x - m.minX) / kScale,
                               oy + (b.y - m.minY) / kScale});
    };
    const int last = w.waypointcount - 1;
    for (int oy = kScreenHeight - m.height - 4; oy <= kScreenHeight - m.height + 4; ++oy) {
        for (int ox = kScreenWidth - m.width - 4; ox <= kScreenWidth - m.width + 4; ++ox) {
            segment(w.waypoints[0], w.waypoints[last], ox, oy);
            for (int k = 0; k < last; ++k) segment(w.waypoints[k], w.waypoints[k + 1], ox, oy);
        }
    }
    return stamp;
}

}  // namespace

void DrawMinimap(const tworld& w) {
    MinimapLayout m;
    if (!MinimapLayoutOf(w, m)) return;
    Stamp_Draw(TrackStamp(w, m));

    for (int i = 0; i < w.count; ++i) {
        const tminimal& o = w.objects[i];
        const bool vehicle = IsVehicle(o.name);
        if (!vehicle && o.name != "lnd_start") continue;
        const int x = 781 - m.width + (o.x - m.minX) / kScale, y = 581 - m.height + (o.y - m.minY) / kScale;
        const int n = M_Round(o.frame);
        if (vehicle) {
            SSprite_Draw(ObjectSprite(o.name, "_wh", n), x, y, 32, 32, 255, 0, FX_PLAIN);
            FX_SetColorMix(o.color);
            SSprite_Draw(ObjectSprite(o.name, "_tp", n), x, y, 32, 32, 255, 0, FX_PLAIN | FX_COLORMIX);
        } else {
            SSprite_Draw(ObjectSprite(o.name, "", n), x, y, 32, 32, 255, 0, FX_PLAIN);
        }
    }
}

void DrawWaypoints(const tworld& w) {
    if (camera) camera->enabled = true;
    for (int k = 0; k < w.waypointcount; ++k) {
        const Waypoint& p = w.waypoints[k];
        Pr2D_Circle(p.x, p.y, kComputerWaypointReach, 0x00FF00, 255, 32, 0);
        char digits[16];
        const auto end = std::to_chars(digits, digits + sizeof digits, k).ptr;
        Text_Draw(font, p.x - 5, p.y - 5, std::string_view(digits, end - digits), 1.0f, 0, 255, 0xFFFFFF);
    }
    if (camera) camera->enabled = false;
}
