#include "icon.h"

#include <cairo-svg.h>

#include <cmath>
#include <cstdio>
#include <filesystem>

#include "art.h"

namespace {

// A red jeep throwing up dust as it takes a bend of a sandy track, on a
// rounded badge. Everything is in vectors, so the same drawing makes every
// size and the scalable icon.
void PaintIcon(cairo_t* cr, double s) {
    const double inset = s * 0.04, side = s - 2 * inset;
    RoundedRect(cr, inset, inset, side, side, s * 0.2);
    cairo_path_t* badge = cairo_copy_path(cr);
    SetGradient(cr, 0, inset, 0, inset + side, {{0, Hex(0xF3D9A0)}, {0.55, Hex(0xE2B86E)}, {1, Hex(0xC38A45)}});
    cairo_fill(cr);

    cairo_save(cr);
    cairo_append_path(cr, badge);
    cairo_clip(cr);
    // The track: a wide bend from the bottom left to the top right, its
    // edges packed darker, two ruts along it.
    const auto bend = [&](double offset) {
        cairo_new_path(cr);
        cairo_move_to(cr, -0.15 * s, (0.95 + offset) * s);
        cairo_curve_to(cr, (0.3 + offset) * s, (0.9 + offset) * s, (0.6 + offset) * s, (0.55 + offset) * s, 1.15 * s,
                       (-0.1 + offset) * s);
    };
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_BUTT);
    bend(0);
    SetColor(cr, Hex(0x9C6A3A), 0.55);
    cairo_set_line_width(cr, s * 0.42);
    cairo_stroke(cr);
    bend(0);
    SetColor(cr, Hex(0xB98650));
    cairo_set_line_width(cr, s * 0.34);
    cairo_stroke(cr);
    const double dash[] = {s * 0.05, s * 0.035};
    cairo_set_dash(cr, dash, 2, 0);
    for (double rut : {-0.06, 0.06}) {
        bend(rut);
        SetColor(cr, Hex(0x7E532C), 0.6);
        cairo_set_line_width(cr, std::max(1.0, s * 0.022));
        cairo_stroke(cr);
    }
    cairo_set_dash(cr, nullptr, 0, 0);
    // Dust thrown up behind the car.
    const struct {
        double x, y, r, alpha;
    } puffs[] = {{0.2, 0.86, 0.1, 0.85}, {0.1, 0.9, 0.12, 0.75}, {0.28, 0.94, 0.09, 0.7}, {0.04, 0.8, 0.1, 0.6}};
    for (const auto& p : puffs) Glow(cr, p.x * s, p.y * s, p.r * s * 1.6, Hex(0xFFF7E8), p.alpha);
    // The car, heading up and to the right along the bend; its shadow first.
    cairo_save(cr);
    cairo_translate(cr, 0.5 * s, 0.62 * s);
    cairo_rotate(cr, -M_PI / 4);
    Ellipse(cr, 0, 0, 0.3 * s, 0.17 * s);
    cairo_restore(cr);
    SetColor(cr, Hex(0x4A2E14), 0.3);
    cairo_fill(cr);
    PaintVehicle(cr, "jeep", 42, Hex(0xE2402B), s / 84, 0.47 * s, 0.6 * s);
    cairo_restore(cr);

    // A clean rim round the badge.
    cairo_append_path(cr, badge);
    SetColor(cr, Hex(0x6B4420));
    cairo_set_line_width(cr, std::max(1.5, s * 0.018));
    cairo_stroke(cr);
    cairo_path_destroy(badge);
}

}  // namespace

bool MakeIcons(const std::string& folder) {
    std::error_code ec;
    std::filesystem::create_directories(folder, ec);
    bool ok = !ec;
    for (int size : {48, 64, 128, 256}) {
        Picture icon(size, size);
        PaintIcon(icon.cr(), size);
        const std::string path = folder + "/icon-" + std::to_string(size) + ".png";
        if (cairo_surface_write_to_png(icon.surface(), path.c_str()) != CAIRO_STATUS_SUCCESS) {
            std::fprintf(stderr, "kolvetra-datagen: cannot write %s\n", path.c_str());
            ok = false;
        }
    }
    const std::string svg = folder + "/icon.svg";
    cairo_surface_t* surface = cairo_svg_surface_create(svg.c_str(), 256, 256);
    cairo_t* cr = cairo_create(surface);
    PaintIcon(cr, 256);
    cairo_destroy(cr);
    cairo_surface_finish(surface);
    if (cairo_surface_status(surface) != CAIRO_STATUS_SUCCESS) {
        std::fprintf(stderr, "kolvetra-datagen: cannot write %s\n", svg.c_str());
        ok = false;
    }
    cairo_surface_destroy(surface);
    return ok;
}
