#include "map_picture.h"

#include <cairo.h>

#include <algorithm>
#include <cstdint>
#include <fstream>
#include <map>
#include <memory>
#include <vector>

namespace {

using Surface = std::unique_ptr<cairo_surface_t, decltype(&cairo_surface_destroy)>;

// Reads an uncompressed 32-bit TGA (as the data generator writes them) into a
// premultiplied cairo surface; null when the file is missing or of another kind.
cairo_surface_t* ReadTga(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    uint8_t h[18];
    if (!in.read(reinterpret_cast<char*>(h), sizeof h) || h[2] != 2 || h[16] != 32) return nullptr;
    const int w = h[12] | h[13] << 8, ht = h[14] | h[15] << 8;
    const bool topDown = h[17] & 0x20;
    in.seekg(h[0], std::ios::cur);
    std::vector<uint8_t> px(static_cast<size_t>(w) * ht * 4);
    if (!in.read(reinterpret_cast<char*>(px.data()), static_cast<std::streamsize>(px.size()))) return nullptr;
    cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, w, ht);
    uint8_t* dst = cairo_image_surface_get_data(s);
    const int stride = cairo_image_surface_get_stride(s);
    for (int y = 0; y < ht; ++y) {
        const uint8_t* row = px.data() + static_cast<size_t>(topDown ? y : ht - 1 - y) * w * 4;
        auto* out = reinterpret_cast<uint32_t*>(dst + static_cast<size_t>(y) * stride);
        for (int x = 0; x < w; ++x) {
            const uint32_t b = row[4 * x], g = row[4 * x + 1], r = row[4 * x + 2], a = row[4 * x + 3];
            out[x] = a << 24 | (r * a / 255) << 16 | (g * a / 255) << 8 | (b * a / 255);
        }
    }
    cairo_surface_mark_dirty(s);
    return s;
}

}  // namespace

bool WriteMapPicture(const tworld& w, const std::string& data, const std::string& path, double scale) {
    if (w.count == 0) return false;
    int minX = w.objects[0].x, maxX = minX, minY = w.objects[0].y, maxY = minY;
    for (int i = 0; i < w.count; ++i) {
        minX = std::min(minX, w.objects[i].x - 128);
        maxX = std::max(maxX, w.objects[i].x + 128);
        minY = std::min(minY, w.objects[i].y - 256);
        maxY = std::max(maxY, w.objects[i].y);
    }
    const int width = static_cast<int>((maxX - minX) * scale) + 1, height = static_cast<int>((maxY - minY) * scale) + 1;
    Surface picture(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height), cairo_surface_destroy);
    cairo_t* cr = cairo_create(picture.get());
    cairo_set_source_rgb(cr, 0x22 / 255.0, 0x44 / 255.0, 0x44 / 255.0);
    cairo_paint(cr);

    std::vector<int> order(w.count);
    for (int i = 0; i < w.count; ++i) order[i] = i;
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
        const bool la = HasPrefix(w.objects[a].name, "lnd"), lb = HasPrefix(w.objects[b].name, "lnd");
        if (la != lb) return la;
        return !la && w.objects[a].y < w.objects[b].y;
    });
    std::map<std::string, Surface> sprites;
    for (int i : order) {
        const tminimal& o = w.objects[i];
        const std::string file = data + "/gfx/obj/" + (IsVehicle(o.name) ? o.name + "_wh5" : o.name + "1") + ".tga";
        auto it = sprites.find(file);
        if (it == sprites.end()) it = sprites.emplace(file, Surface(ReadTga(file), cairo_surface_destroy)).first;
        cairo_surface_t* s = it->second.get();
        if (!s) continue;
        const int sw = cairo_image_surface_get_width(s), sh = cairo_image_surface_get_height(s);
        cairo_save(cr);
        cairo_scale(cr, scale, scale);
        cairo_translate(cr, o.x - sw / 2 - minX, o.y - sh - minY);
        cairo_set_source_surface(cr, s, 0, 0);
        cairo_paint(cr);
        cairo_restore(cr);
    }
    // The waypoint loop in the computer drivers' order.
    cairo_set_line_width(cr, 2);
    cairo_set_source_rgba(cr, 1, 0.2, 0.2, 0.8);
    for (int k = 0; k <= w.waypointcount; ++k) {
        const Waypoint& p = w.waypoints[k % std::max(1, w.waypointcount)];
        const double x = (p.x - minX) * scale, y = (p.y - minY) * scale;
        if (k == 0)
            cairo_move_to(cr, x, y);
        else
            cairo_line_to(cr, x, y);
    }
    cairo_stroke(cr);
    cairo_destroy(cr);
    return cairo_surface_write_to_png(picture.get(), path.c_str()) == CAIRO_STATUS_SUCCESS;
}
