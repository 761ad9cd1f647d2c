#include "world/minimap.h"

#include <charconv>
#include <climits>
#include <cstdlib>

#include "engine/omega.h"
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

void DrawMinimap(const tworld& w) {
    MinimapLayout m;
    if (!MinimapLayoutOf(w, m)) return;
    Pr2D_Rect(m.left, m.top, m.width, m.height, 0, 64, 1);

    // 81 overlapping translucent copies of the loop make a thick soft line.
    const auto segment = [&](const Waypoint& a, const Waypoint& b, int ox, int oy) {
        Pr2D_Line(ox + (a.x - m.minX) / kScale, oy + (a.y - m.minY) / kScale, ox + (b.x - m.minX) / kScale,
                  oy + (b.y - m.minY) / kScale, 0xAAAAAA, 64, 2);
    };
    const int last = w.waypointcount - 1;
    for (int oy = kScreenHeight - m.height - 4; oy <= kScreenHeight - m.height + 4; ++oy) {
        for (int ox = kScreenWidth - m.width - 4; ox <= kScreenWidth - m.width + 4; ++ox) {
            segment(w.waypoints[0], w.waypoints[last], ox, oy);
            for (int k = 0; k < last; ++k) segment(w.waypoints[k], w.waypoints[k + 1], ox, oy);
        }
    }

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
