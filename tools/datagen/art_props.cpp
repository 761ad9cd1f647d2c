// World objects other than vehicles and ground: the props of the four
// landscapes, the street lamp, the boundary marker and the three bonuses.
// Every painter draws with the object's foot at (0, 0); the picture is then
// cropped so that the foot is its bottom centre, which is where the game
// stands it, and its width sets its collision size.
#include <cmath>
#include <functional>

#include "art.h"

namespace {

// ------------------------------------------------------------- shared parts

// LitFillOutlined, then `inside` draws its details clipped to the shape.
void LitFillDecorated(cairo_t* cr, Rgb base, double x0, double y0, double x1, double y1, double lineWidth,
                      double contrast, const std::function<void()>& inside) {
    cairo_path_t* path = cairo_copy_path(cr);
    LitFillOutlined(cr, base, x0, y0, x1, y1, lineWidth, contrast);
    cairo_save(cr);
    cairo_append_path(cr, path);
    cairo_clip(cr);
    inside();
    cairo_restore(cr);
    cairo_path_destroy(path);
}

// An irregular boulder of radius rx, ry sitting on the ground.
void Boulder(cairo_t* cr, double rx, double ry, Rgb stone, Rgb moss, uint32_t seed) {
    Dice dice(seed);
    cairo_new_path(cr);
    const int n = 11;
    for (int i = 0; i < n; ++i) {
        const double a = 2 * M_PI * i / n;
        const double k = dice.Uniform(0.86, 1.06);
        double y = -ry + std::sin(a) * ry * k;
        if (y > 0) y = 0;  // flat underside
        cairo_line_to(cr, std::cos(a) * rx * k, y);
    }
    cairo_close_path(cr);
    cairo_path_t* path = cairo_copy_path(cr);
    LitFillOutlined(cr, stone, -rx, -2 * ry, rx, 0, 1.5, 0.3);
    cairo_save(cr);
    cairo_append_path(cr, path);
    cairo_clip(cr);
    // A lit facet on the top left, cracks, and moss.
    Ellipse(cr, -rx * 0.3, -ry * 1.45, rx * 0.45, ry * 0.35);
    SetColor(cr, Shade(stone, 0.35), 0.55);
    cairo_fill(cr);
    SetColor(cr, Shade(stone, -0.45), 0.6);
    cairo_set_line_width(cr, 1);
    cairo_move_to(cr, rx * 0.1, -ry * 1.6);
    cairo_line_to(cr, rx * 0.25, -ry * 1.1);
    cairo_line_to(cr, rx * 0.15, -ry * 0.6);
    cairo_stroke(cr);
    if (moss.r + moss.g + moss.b > 0) {
        for (int i = 0; i < 6; ++i) {
            Ellipse(cr, dice.Uniform(-rx * 0.7, rx * 0.5), -ry * dice.Uniform(1.2, 1.9), dice.Uniform(3, 6),
                    dice.Uniform(2, 4));
            SetColor(cr, Shade(moss, dice.Uniform(-0.15, 0.2)), 0.9);
            cairo_fill(cr);
        }
    }
    cairo_restore(cr);
    cairo_path_destroy(path);
}

// A round crown of leaves: balls from the shaded back to the lit front.
void Crown(cairo_t* cr, double cx, double cy, double r, Rgb leaf, uint32_t seed) {
    Dice dice(seed);
    Ball(cr, cx, cy, r, Shade(leaf, -0.25), 1.6);
    for (int i = 0; i < 9; ++i) {
        const double a = dice.Uniform(0, 2 * M_PI), d = dice.Uniform(0.25, 0.6) * r;
        const double x = cx + std::cos(a) * d, y = cy + std::sin(a) * d * 0.85;
        const double lift = (cx - x + cy - y) / (2 * r);  // lighter towards the top left
        Ball(cr, x, y, r * dice.Uniform(0.38, 0.5), Shade(leaf, 0.12 * lift), 0.9);
    }
    Ball(cr, cx - r * 0.3, cy - r * 0.35, r * 0.35, Shade(leaf, 0.18), 0.8);
}

void Leaf(cairo_t* cr, double x0, double y0, double x1, double y1, double width, Rgb colour) {
    const double dx = x1 - x0, dy = y1 - y0, len = std::hypot(dx, dy);
    const double nx = -dy / len * width, ny = dx / len * width;
    const double mx = x0 + dx * 0.45, my = y0 + dy * 0.45;
    cairo_new_path(cr);
    cairo_move_to(cr, x0, y0);
    cairo_curve_to(cr, mx + nx, my + ny, mx + nx, my + ny, x1, y1);
    cairo_curve_to(cr, mx - nx, my - ny, mx - nx, my - ny, x0, y0);
    LitFillOutlined(cr, colour, std::min(x0, x1), std::min(y0, y1), std::max(x0, x1), std::max(y0, y1), 1, 0.25);
    SetColor(cr, Shade(colour, -0.4), 0.8);
    cairo_set_line_width(cr, 0.8);
    cairo_move_to(cr, x0, y0);
    cairo_line_to(cr, x1, y1);
    cairo_stroke(cr);
}

// A stack of tiers for firs: `snow` caps each tier.
void Fir(cairo_t* cr, bool snow) {
    Cylinder(cr, 0, 0, 4, 10, Hex(0x6B4326));
    const Rgb needles = Hex(0x2E7D4F);
    const double tiers[][3] = {{-8, 28, 34}, {-28, 23, 30}, {-46, 17, 26}, {-62, 11, 22}};
    for (const auto& t : tiers) {
        const double base = t[0], half = t[1], h = t[2];
        cairo_new_path(cr);
        cairo_move_to(cr, 0, base - h);
        const int teeth = 6;
        for (int i = 0; i <= teeth; ++i) {
            const double x = half - 2 * half * i / teeth;
            cairo_line_to(cr, x, base - (i % 2 ? 3 : 0));
        }
        cairo_close_path(cr);
        cairo_path_t* path = cairo_copy_path(cr);
        LitFillOutlined(cr, needles, -half, base - h, half, base, 1.3, 0.3);
        if (snow) {
            cairo_save(cr);
            cairo_append_path(cr, path);
            cairo_clip(cr);
            cairo_new_path(cr);
            cairo_move_to(cr, 0, base - h - 2);
            cairo_line_to(cr, -half * 0.8, base - 2);
            cairo_curve_to(cr, -half * 0.4, base - 8, -half * 0.1, base - 2, half * 0.25, base - h * 0.45);
            cairo_curve_to(cr, half * 0.3, base - h * 0.5, half * 0.2, base - h * 0.6, 0, base - h - 2);
            LitFill(cr, Hex(0xF4F9FF), -half, base - h, half, base, 0.15);
            cairo_restore(cr);
        }
        cairo_path_destroy(path);
    }
}

// A thin upright pole from the foot to `top`.
void Pole(cairo_t* cr, double x, double top, double width, Rgb colour) {
    cairo_new_path(cr);
    cairo_rectangle(cr, x - width / 2, top, width, -top);
    SetGradient(cr, x - width / 2, 0, x + width / 2, 0, {{0, Shade(colour, 0.35)}, {1, Shade(colour, -0.35)}});
    cairo_fill_preserve(cr);
    Outline(cr, colour, 1);
    cairo_new_path(cr);
}

// ------------------------------------------------------------- shared objects

void Lamp(cairo_t* cr) {
    Cylinder(cr, 0, 0, 6, 6, Hex(0x3A4A48));
    Pole(cr, 0, -92, 4, Hex(0x41524F));
    // The lantern: its light is where the game centres the lamp's glow.
    const double y = -102;
    Glow(cr, 0, y, 12, Hex(0xFFE9A0), 0.7);
    cairo_new_path(cr);
    cairo_move_to(cr, -6, y - 7);
    cairo_line_to(cr, 6, y - 7);
    cairo_line_to(cr, 4.5, y + 8);
    cairo_line_to(cr, -4.5, y + 8);
    cairo_close_path(cr);
    LitFillOutlined(cr, Hex(0xFFE27A), -6, y - 7, 6, y + 8, 1.2, 0.3);
    cairo_rectangle(cr, -5.5, y + 8, 11, 3);
    LitFillOutlined(cr, Hex(0x34403F), -5, y + 8, 5, y + 11, 1);
    cairo_new_path(cr);
    cairo_move_to(cr, -9, y - 7);
    cairo_line_to(cr, 0, y - 15);
    cairo_line_to(cr, 9, y - 7);
    cairo_close_path(cr);
    LitFillOutlined(cr, Hex(0x3E4E4C), -9, y - 15, 9, y - 7, 1.2);
    Ball(cr, 0, y - 16, 2, Hex(0x3E4E4C), 0.6);
}

void Limit(cairo_t* cr) {
    Cylinder(cr, 0, 0, 5, 11, Hex(0xF2F2F2));
    cairo_rectangle(cr, -5, -11, 10, 4);
    LitFill(cr, Hex(0xE03A2F), -5, -11, 5, -7, 0.25);
    Ellipse(cr, 0, -11, 5, 2.3);
    LitFillOutlined(cr, Hex(0xE84B3F), -5, -13, 5, -9, 1);
    cairo_rectangle(cr, -1.5, -6, 3, 3);
    SetColor(cr, Hex(0xFFB020));
    cairo_fill(cr);
}

// ------------------------------------------------------------- beach

void Palm(cairo_t* cr) {
    for (int i = 0; i <= 14; ++i) {
        const double t = i / 14.0;
        Ellipse(cr, 9 * t * t, -3 - 60 * t, 5 - 1.8 * t, 3);
        LitFillOutlined(cr, Hex(0xA77B4B), -6, -3 - 60 * t - 3, 6, -60 * t, 1);
    }
    const double cx = 9, cy = -66;
    const Rgb leaf = Hex(0x3F9E3A);
    const double fronds[][2] = {{200, 30}, {160, 32}, {-20, 32}, {20, 30}, {110, 26}, {70, 26}, {250, 22}, {290, 22}};
    for (const auto& f : fronds) {
        const double a = f[0] * M_PI / 180, len = f[1];
        const double tx = cx + std::cos(a) * len, ty = cy - std::sin(a) * len * 0.75 + 8;
        Leaf(cr, cx, cy, tx, ty, 7, Shade(leaf, std::sin(a) * 0.12));
    }
    Ball(cr, cx - 3, cy + 2, 3.5, Hex(0x6B4A2A), 0.8);
    Ball(cr, cx + 3, cy + 3, 3.5, Hex(0x6B4A2A), 0.8);
    Ball(cr, cx, cy - 1, 3.5, Hex(0x7A5430), 0.8);
}

void Parasol(cairo_t* cr) {
    Pole(cr, 0, -44, 2.5, Hex(0xE8E8E8));
    Ellipse(cr, 0, 0, 4, 2);
    SetColor(cr, Hex(0xB89868));
    cairo_fill(cr);
    const double apexY = -52, rimY = -42, rx = 27, ry = 13;
    const int wedges = 10;
    for (int i = 0; i < wedges; ++i) {
        const double a0 = 2 * M_PI * i / wedges, a1 = 2 * M_PI * (i + 1) / wedges;
        cairo_new_path(cr);
        cairo_move_to(cr, 0, apexY);
        cairo_line_to(cr, std::cos(a0) * rx, rimY + std::sin(a0) * ry);
        cairo_line_to(cr, std::cos(a1) * rx, rimY + std::sin(a1) * ry);
        cairo_close_path(cr);
        const Rgb c = i % 2 ? Hex(0xF6F3EA) : Hex(0xE8413A);
        const double light = -std::cos((a0 + a1) / 2 + M_PI / 4) * 0.18;  // lit towards the top left
        SetColor(cr, Shade(c, light));
        cairo_fill(cr);
    }
    Ellipse(cr, 0, rimY, rx, ry);
    Outline(cr, Hex(0xB03030), 1.3);
    cairo_new_path(cr);
    Ball(cr, 0, apexY, 2.2, Hex(0xF6F3EA), 0.8);
}

void Rock(cairo_t* cr) { Boulder(cr, 19, 12, Hex(0x9A8F84), {}, 11); }

void Crab(cairo_t* cr) {
    const Rgb shell = Hex(0xE0552E);
    SetColor(cr, Shade(shell, -0.3));
    cairo_set_line_width(cr, 2);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    for (double side : {-1.0, 1.0}) {
        for (int i = 0; i < 3; ++i) {
            cairo_move_to(cr, side * 6, -7 + i * 2.5);
            cairo_line_to(cr, side * 13, -6 + i * 3);
            cairo_line_to(cr, side * 15, -1 + i * 0.5);
        }
        cairo_stroke(cr);
        cairo_move_to(cr, side * 6, -11);
        cairo_line_to(cr, side * 11, -16);
        cairo_stroke(cr);
        Ball(cr, side * 12, -17, 4, shell, 1);
    }
    Ellipse(cr, 0, -8, 10, 6.5);
    LitFillOutlined(cr, shell, -10, -15, 10, -1, 1.2, 0.3);
    for (double side : {-1.0, 1.0}) {
        Ball(cr, side * 3.5, -14, 2, Hex(0xFFFFFF), 0.6);
        Ball(cr, side * 3.5, -14.3, 0.9, Hex(0x111111), 0);
    }
}

void Hut(cairo_t* cr) {
    const double w = 50, h = 30;
    cairo_rectangle(cr, -w / 2, -h, w, h);
    LitFillOutlined(cr, Hex(0xF2EEE2), -w / 2, -h, w / 2, 0, 1.5, 0.15);
    for (int i = 0; i < 5; ++i) {
        cairo_rectangle(cr, -w / 2 + 2 + i * 10, -h, 5, h);
        SetColor(cr, Hex(0x3C8FD8), 0.9);
        cairo_fill(cr);
    }
    RoundedRect(cr, -7, -22, 14, 22, 3);
    LitFillOutlined(cr, Hex(0xF3C04A), -7, -22, 7, 0, 1.3);
    Ball(cr, 4, -11, 1.2, Hex(0x704010), 0);
    cairo_new_path(cr);
    cairo_move_to(cr, -w / 2 - 5, -h + 1);
    cairo_line_to(cr, w / 2 + 5, -h + 1);
    cairo_line_to(cr, w / 2 - 4, -h - 32);
    cairo_line_to(cr, -w / 2 + 4, -h - 32);
    cairo_close_path(cr);
    LitFillOutlined(cr, Hex(0xD9573A), -w / 2, -h - 32, w / 2, -h, 1.5, 0.25);
    SetColor(cr, Hex(0x9C3424), 0.6);
    cairo_set_line_width(cr, 1);
    for (int i = 1; i < 4; ++i) {
        const double y = -h + 1 - i * 8;
        const double inset = 9 * i / 4.0;
        cairo_move_to(cr, -w / 2 - 5 + inset, y);
        cairo_line_to(cr, w / 2 + 5 - inset, y);
    }
    cairo_stroke(cr);
}

void Castle(cairo_t* cr) {
    const Rgb sand = Hex(0xE2C27E);
    Block(cr, 0, 0, 34, 10, 12, Shade(sand, 0.1), sand);
    for (double x : {-13.0, 13.0}) Cylinder(cr, x, -2, 6, 18, sand);
    Cylinder(cr, 0, -6, 7, 24, sand);
    for (double x : {-13.0, 0.0, 13.0}) {
        const double top = x == 0 ? -30 : -20;
        for (int i = -1; i <= 1; ++i) {
            cairo_rectangle(cr, x + i * 4 - 1.3, top - 4, 2.6, 3);
            LitFillOutlined(cr, Shade(sand, 0.15), x - 4, top - 4, x + 4, top, 0.8);
        }
    }
    Pole(cr, 0, -44, 1.2, Hex(0x6B4326));
    Polygon(cr, {{0, -44}, {10, -41}, {0, -38}});
    LitFillOutlined(cr, Hex(0xE8413A), 0, -44, 10, -38, 0.8);
    RoundedRect(cr, -3, -9, 6, 9, 3);
    SetColor(cr, Shade(sand, -0.5));
    cairo_fill(cr);
}

void Lounger(cairo_t* cr) {
    RoundedRect(cr, -11, -40, 22, 40, 3);
    LitFillOutlined(cr, Hex(0xF4F4F0), -11, -40, 11, 0, 1.3);
    cairo_save(cr);
    RoundedRect(cr, -9, -38, 18, 36, 2);
    cairo_clip(cr);
    for (int i = 0; i < 5; ++i) {
        cairo_rectangle(cr, -9 + i * 4, -38, 2, 36);
        SetColor(cr, Hex(0x2F9BD8));
        cairo_fill(cr);
    }
    cairo_rectangle(cr, -9, -38, 18, 12);
    SetColor(cr, Hex(0xFFFFFF), 0.25);  // the raised back catches the light
    cairo_fill(cr);
    cairo_restore(cr);
    RoundedRect(cr, -7, -37, 14, 6, 3);
    LitFillOutlined(cr, Hex(0xF6E7A0), -7, -37, 7, -31, 1);
}

void BeachBall(cairo_t* cr) {
    const double r = 10, cy = -10;
    const Rgb colours[] = {Hex(0xE8413A), Hex(0xFFFFFF), Hex(0xF3C04A), Hex(0xFFFFFF), Hex(0x3C8FD8), Hex(0xFFFFFF)};
    cairo_save(cr);
    cairo_arc(cr, 0, cy, r, 0, 2 * M_PI);
    cairo_clip(cr);
    for (int i = 0; i < 6; ++i) {
        cairo_new_path(cr);
        cairo_move_to(cr, -3, cy - 3);
        cairo_arc(cr, -3, cy - 3, 2 * r, i * M_PI / 3, (i + 1) * M_PI / 3);
        cairo_close_path(cr);
        SetColor(cr, colours[i]);
        cairo_fill(cr);
    }
    cairo_pattern_t* p = cairo_pattern_create_radial(-3.5, cy - 4, 0, 0, cy, r);
    cairo_pattern_add_color_stop_rgba(p, 0, 1, 1, 1, 0.5);
    cairo_pattern_add_color_stop_rgba(p, 0.4, 1, 1, 1, 0);
    cairo_pattern_add_color_stop_rgba(p, 1, 0, 0, 0, 0.35);
    cairo_set_source(cr, p);
    cairo_paint(cr);
    cairo_pattern_destroy(p);
    cairo_restore(cr);
    cairo_arc(cr, 0, cy, r, 0, 2 * M_PI);
    Outline(cr, Hex(0x888888), 1);
    cairo_new_path(cr);
}

void Seashell(cairo_t* cr) {
    const Rgb shell = Hex(0xF4C7B0);
    cairo_new_path(cr);
    cairo_move_to(cr, 0, -1);
    cairo_curve_to(cr, -14, -5, -12, -18, 0, -19);
    cairo_curve_to(cr, 12, -18, 14, -5, 0, -1);
    LitFillOutlined(cr, shell, -12, -19, 12, -1, 1.2, 0.3);
    SetColor(cr, Shade(shell, -0.3), 0.8);
    cairo_set_line_width(cr, 0.9);
    for (int i = -3; i <= 3; ++i) {
        cairo_move_to(cr, 0, -2);
        cairo_line_to(cr, i * 3.4, -17 + std::abs(i) * 1.4);
    }
    cairo_stroke(cr);
    cairo_rectangle(cr, -4, -3, 8, 3);
    LitFillOutlined(cr, Shade(shell, -0.1), -4, -3, 4, 0, 0.8);
}

// ------------------------------------------------------------- forest

void Tree(cairo_t* cr) {
    Cylinder(cr, 0, 0, 6, 26, Hex(0x7A4E2C));
    Crown(cr, 0, -50, 30, Hex(0x3F9A3C), 21);
}

void Birch(cairo_t* cr) {
    Cylinder(cr, 0, 0, 4, 44, Hex(0xEDEBE2));
    SetColor(cr, Hex(0x2A2A2A));
    for (int i = 0; i < 6; ++i) {
        cairo_rectangle(cr, i % 2 ? -1 : -4, -6 - i * 7, 4, 1.5);
        cairo_fill(cr);
    }
    Crown(cr, 0, -58, 23, Hex(0x8CC44A), 22);
}

void Bush(cairo_t* cr) {
    Dice dice(31);
    const Rgb leaf = Hex(0x3E8A3A);
    const double balls[][3] = {{-11, -9, 9}, {11, -9, 9}, {0, -13, 11}, {-5, -7, 8}, {6, -7, 8}};
    for (const auto& b : balls) Ball(cr, b[0], b[1], b[2], Shade(leaf, (-b[0] - b[1]) * 0.01), 1.2);
    for (int i = 0; i < 6; ++i) Ball(cr, dice.Uniform(-14, 14), dice.Uniform(-19, -5), 1.7, Hex(0xD8283A), 0.5);
}

void Log(cairo_t* cr) {
    const Rgb bark = Hex(0x7B5533);
    RoundedRect(cr, -26, -18, 50, 18, 6);
    LitFillOutlined(cr, bark, 0, -18, 0, 0, 1.5, 0.3);
    SetColor(cr, Shade(bark, -0.4), 0.7);
    cairo_set_line_width(cr, 1);
    for (int i = 0; i < 5; ++i) {
        cairo_move_to(cr, -18 + i * 9, -15 + (i % 2) * 3);
        cairo_line_to(cr, -11 + i * 9, -14 + (i % 2) * 3);
    }
    cairo_stroke(cr);
    Ellipse(cr, -24, -9, 5, 9);
    LitFillOutlined(cr, Hex(0xD9B07A), -29, -18, -19, 0, 1.2);
    for (double r : {2.0, 4.0}) {
        Ellipse(cr, -24, -9, r * 0.55, r);
        Outline(cr, Hex(0xD9B07A), 0.7, 0.6);
        cairo_new_path(cr);
    }
}

void Flowers(cairo_t* cr) {
    Dice dice(41);
    const Rgb petals[] = {Hex(0xE8413A), Hex(0xF3D23C), Hex(0xFFFFFF), Hex(0xA05BD8)};
    for (int i = 0; i < 9; ++i) {
        Leaf(cr, dice.Uniform(-10, 10), -2, dice.Uniform(-18, 18), dice.Uniform(-14, -4), 3, Hex(0x4FA046));
    }
    for (int i = 0; i < 7; ++i) {
        const double x = dice.Uniform(-14, 14), y = dice.Uniform(-17, -6);
        const Rgb c = petals[i % 4];
        Star(cr, x, y, 5, 4.2, 2.2, dice.Uniform(0, 1));
        LitFillOutlined(cr, c, x - 4, y - 4, x + 4, y + 4, 0.7);
        Ball(cr, x, y, 1.3, Hex(0xF7B32B), 0);
    }
}

void Stump(cairo_t* cr) {
    const Rgb bark = Hex(0x75502F);
    for (double side : {-1.0, 1.0}) {
        Ellipse(cr, side * 11, -2, 5, 2.5);
        LitFillOutlined(cr, bark, side * 11 - 5, -4, side * 11 + 5, 0, 1);
    }
    Cylinder(cr, 0, -1, 11, 10, bark, 0.5);
    Ellipse(cr, 0, -11, 9, 4.3);
    LitFill(cr, Hex(0xE0BC86), -9, -15, 9, -7, 0.2);
    for (double r : {3.0, 6.0}) {
        Ellipse(cr, 0.5, -11, r, r * 0.48);
        Outline(cr, Hex(0xE0BC86), 0.8, 0.55);
        cairo_new_path(cr);
    }
}

void Mushroom(cairo_t* cr) {
    for (int k = 0; k < 2; ++k) {
        const double x = k ? 7 : -3, s = k ? 0.7 : 1;
        Cylinder(cr, x, 0, 3 * s, 9 * s, Hex(0xF1EAD8));
        cairo_new_path(cr);
        cairo_arc(cr, x, -9 * s, 9 * s, M_PI, 2 * M_PI);
        cairo_close_path(cr);
        LitFillOutlined(cr, Hex(0xD8332C), x - 9 * s, -18 * s, x + 9 * s, -9 * s, 1.1);
        for (int i = 0; i < 3; ++i)
            Ball(cr, x - 5 * s + i * 4.5 * s, -(13 - (i % 2) * 2.5) * s, 1.4 * s, Hex(0xFFFFFF), 0);
    }
}

void MossyStone(cairo_t* cr) { Boulder(cr, 17, 12, Hex(0x8E8C86), Hex(0x5E9A3A), 51); }

void Hay(cairo_t* cr) {
    const Rgb straw = Hex(0xE4C25A);
    Cylinder(cr, 0, 0, 17, 16, straw, 0.5);
    Ellipse(cr, 0, -16, 17, 8.5);
    cairo_save(cr);
    cairo_clip(cr);
    SetColor(cr, Shade(straw, -0.35), 0.7);
    cairo_set_line_width(cr, 0.8);
    for (double r = 3; r < 17; r += 3.5) {
        Ellipse(cr, 0, -16, r, r * 0.5);
        cairo_stroke(cr);
    }
    cairo_restore(cr);
    SetColor(cr, Hex(0xB0402C));
    cairo_set_line_width(cr, 1.5);
    for (double x : {-8.0, 8.0}) {
        cairo_move_to(cr, x, -16 - 7.3);
        cairo_line_to(cr, x, -16 + 7.3);
        cairo_line_to(cr, x, 0 + 7.3 * 0 - 1);
    }
    cairo_stroke(cr);
}

// ------------------------------------------------------------- ice

void PlainFir(cairo_t* cr) { Fir(cr, false); }
void SnowyFir(cairo_t* cr) { Fir(cr, true); }

void Snowman(cairo_t* cr) {
    const Rgb snow = Hex(0xEEF4FB);
    Ball(cr, 0, -12, 12, snow, 1.2);
    Ball(cr, 0, -30, 9, snow, 1.2);
    cairo_rectangle(cr, -8, -37, 16, 4);
    LitFillOutlined(cr, Hex(0xD8332C), -8, -37, 8, -33, 1);
    cairo_rectangle(cr, 3, -35, 4, 9);
    LitFillOutlined(cr, Hex(0xD8332C), 3, -35, 7, -26, 1);
    Ball(cr, 0, -44, 7, snow, 1.2);
    for (double x : {-2.5, 2.5}) Ball(cr, x, -46, 1.1, Hex(0x222222), 0);
    Polygon(cr, {{0, -44.5}, {8, -43}, {0, -42.5}});
    LitFillOutlined(cr, Hex(0xF08A24), 0, -45, 8, -42, 0.7);
    for (double y : {-30.0, -25.0}) Ball(cr, 0, y, 1.2, Hex(0x222222), 0);
    Cylinder(cr, 0, -50, 5, 7, Hex(0x2A2A30), 0.4);
    Ellipse(cr, 0, -50, 8, 2.5);
    LitFillOutlined(cr, Hex(0x2A2A30), -8, -52, 8, -48, 1);
    Cylinder(cr, 0, -50.5, 5, 7, Hex(0x2A2A30), 0.4);
}

void IceBlock(cairo_t* cr) {
    cairo_push_group(cr);
    Block(cr, 0, 0, 34, 14, 22, Hex(0xBFE6FA), Hex(0x7EC4EC));
    SetColor(cr, Hex(0xFFFFFF), 0.7);
    cairo_set_line_width(cr, 1.5);
    cairo_move_to(cr, -13, -18);
    cairo_line_to(cr, -6, -4);
    cairo_move_to(cr, -12, -33);
    cairo_line_to(cr, 2, -25);
    cairo_stroke(cr);
    cairo_pop_group_to_source(cr);
    cairo_paint_with_alpha(cr, 0.9);
}

void Snowball(cairo_t* cr) { Ball(cr, 0, -10, 10, Hex(0xEEF4FB), 1.2); }

// An arch standing on the ground: straight sides `side` high, round top.
void Arch(cairo_t* cr, double halfWidth, double side) {
    cairo_new_path(cr);
    cairo_move_to(cr, -halfWidth, 0);
    cairo_line_to(cr, -halfWidth, -side);
    cairo_arc(cr, 0, -side, halfWidth, M_PI, 2 * M_PI);
    cairo_line_to(cr, halfWidth, 0);
    cairo_close_path(cr);
}

void Igloo(cairo_t* cr) {
    const Rgb snow = Hex(0xEAF3FC);
    cairo_new_path(cr);
    cairo_arc(cr, 0, 0, 32, M_PI, 2 * M_PI);
    cairo_close_path(cr);
    cairo_save(cr);
    cairo_scale(cr, 1, 0.85);
    cairo_restore(cr);
    cairo_path_t* dome = cairo_copy_path(cr);
    LitFillOutlined(cr, snow, -32, -32, 32, 0, 1.5, 0.3);
    cairo_save(cr);
    cairo_append_path(cr, dome);
    cairo_clip(cr);
    SetColor(cr, Hex(0x9CB8D0), 0.8);
    cairo_set_line_width(cr, 1);
    for (int row = 1; row < 4; ++row) {
        const double y = -row * 8;
        cairo_move_to(cr, -32, y);
        cairo_line_to(cr, 32, y);
        for (int i = -4; i <= 4; ++i) {
            const double x = i * 8 + (row % 2) * 4;
            cairo_move_to(cr, x, y);
            cairo_line_to(cr, x, y + 8);
        }
    }
    cairo_stroke(cr);
    cairo_restore(cr);
    cairo_path_destroy(dome);
    // The entrance: an arch of snow with a dark doorway.
    Arch(cr, 11, 10);
    LitFillOutlined(cr, snow, -11, -21, 11, 0, 1.3);
    Arch(cr, 6, 9);
    SetColor(cr, Hex(0x2B3A4E));
    cairo_fill(cr);
}

void Crystal(cairo_t* cr) {
    const double shards[][4] = {{-9, 0, 6, 26}, {8, 0, 5, 22}, {0, -2, 7, 40}, {-3, 2, 5, 18}};
    for (const auto& s : shards) {
        const double x = s[0], foot = s[1], half = s[2], h = s[3];
        cairo_new_path(cr);
        cairo_move_to(cr, x - half, foot);
        cairo_line_to(cr, x - half, foot - h + half);
        cairo_line_to(cr, x, foot - h);
        cairo_line_to(cr, x + half, foot - h + half);
        cairo_line_to(cr, x + half, foot);
        cairo_close_path(cr);
        LitFillOutlined(cr, Hex(0x8FD3F5), x - half, foot - h, x + half, foot, 1.1, 0.35);
        cairo_rectangle(cr, x - half + 1.5, foot - h + half, half * 0.6, h - half - 2);
        SetColor(cr, Hex(0xFFFFFF), 0.45);
        cairo_fill(cr);
    }
}

void Sled(cairo_t* cr) {
    const Rgb runner = Hex(0xB8322C), wood = Hex(0xC9924E);
    for (double x : {-9.0, 9.0}) {
        RoundedRect(cr, x - 2, -38, 4, 38, 2);
        LitFillOutlined(cr, runner, x - 2, -38, x + 2, 0, 1);
    }
    for (int i = 0; i < 5; ++i) {
        cairo_rectangle(cr, -12, -32 + i * 6, 24, 4);
        LitFillOutlined(cr, wood, -12, -32 + i * 6, 12, -28 + i * 6, 1);
    }
    SetColor(cr, Hex(0x6B4326));
    cairo_set_line_width(cr, 1.2);
    cairo_move_to(cr, -9, -38);
    cairo_curve_to(cr, -6, -44, 6, -44, 9, -38);
    cairo_stroke(cr);
}

void Penguin(cairo_t* cr) {
    for (double x : {-4.0, 4.0}) {
        Ellipse(cr, x, -1.5, 3.5, 1.8);
        LitFillOutlined(cr, Hex(0xF08A24), x - 3, -3, x + 3, 0, 0.7);
    }
    Ellipse(cr, 0, -13, 9, 12);
    LitFillOutlined(cr, Hex(0x2A2E3A), -9, -25, 9, -1, 1.2);
    Ellipse(cr, 0, -11, 6, 9);
    LitFill(cr, Hex(0xF6F6F2), -6, -20, 6, -2, 0.15);
    Ball(cr, 0, -26, 6.5, Hex(0x2A2E3A), 1.1);
    for (double x : {-2.3, 2.3}) Ball(cr, x, -27, 1.2, Hex(0xFFFFFF), 0);
    Polygon(cr, {{-2, -24.5}, {2, -24.5}, {0, -21.5}});
    SetColor(cr, Hex(0xF08A24));
    cairo_fill(cr);
}

// ------------------------------------------------------------- city

void House(cairo_t* cr) {
    const double w = 84, h = 50, depth = 40;
    cairo_rectangle(cr, -w / 2, -h, w, h);
    LitFillOutlined(cr, Hex(0xC8714E), -w / 2, -h, w / 2, 0, 1.5, 0.15);
    SetColor(cr, Hex(0xA55638), 0.6);
    cairo_set_line_width(cr, 0.8);
    for (int row = 1; row < 10; ++row) {
        cairo_move_to(cr, -w / 2, -row * 5);
        cairo_line_to(cr, w / 2, -row * 5);
    }
    cairo_stroke(cr);
    for (int row = 0; row < 2; ++row) {
        for (int col = 0; col < 4; ++col) {
            if (row == 0 && (col == 1 || col == 2)) continue;
            const double x = -w / 2 + 8 + col * 19, y = -h + 7 + row * 21;
            cairo_rectangle(cr, x, y, 11, 13);
            LitFillOutlined(cr, Hex(0x9ED3F0), x, y, x + 11, y + 13, 1.2, 0.35);
            cairo_rectangle(cr, x - 1, y + 13, 13, 2);
            LitFillOutlined(cr, Hex(0xEDE6DA), x, y + 13, x + 13, y + 15, 0.8);
        }
    }
    RoundedRect(cr, -8, -20, 16, 20, 2);
    LitFillOutlined(cr, Hex(0x5A3A2A), -8, -20, 8, 0, 1.2);
    cairo_rectangle(cr, -12, -23, 24, 3);
    LitFillOutlined(cr, Hex(0x3C8FD8), -12, -23, 12, -20, 1);
    // Flat roof with a raised rim, a vent and a water tank.
    cairo_rectangle(cr, -w / 2 - 2, -h - depth, w + 4, depth);
    LitFillOutlined(cr, Hex(0x8C8F94), -w / 2, -h - depth, w / 2, -h, 1.5, 0.2);
    cairo_rectangle(cr, -w / 2 + 3, -h - depth + 3, w - 6, depth - 6);
    LitFillOutlined(cr, Hex(0x6E7278), w / 2, -h, -w / 2, -h - depth, 1, 0.15);
    Block(cr, -22, -h - 12, 14, 8, 6, Hex(0xA7ABB2), Hex(0x7E838A));
    Cylinder(cr, 20, -h - 14, 8, 10, Hex(0xB0B4BA));
}

void Kiosk(cairo_t* cr) {
    Block(cr, 0, 0, 42, 22, 26, Hex(0xE9E2D0), Hex(0xF1ECE0));
    cairo_rectangle(cr, -17, -22, 34, 12);
    LitFillOutlined(cr, Hex(0x9ED3F0), -17, -22, 17, -10, 1, 0.35);
    cairo_new_path(cr);
    cairo_move_to(cr, -24, -24);
    cairo_line_to(cr, 24, -24);
    cairo_line_to(cr, 21, -33);
    cairo_line_to(cr, -21, -33);
    cairo_close_path(cr);
    LitFillDecorated(cr, Hex(0xF4F0E6), -24, -33, 24, -24, 1.2, 0.25, [cr] {
        for (int i = 0; i < 6; ++i) cairo_rectangle(cr, -24 + i * 8, -34, 4, 11);
        SetColor(cr, Hex(0x2FA45A));
        cairo_fill(cr);
    });
}

void Cone(cairo_t* cr) {
    RoundedRect(cr, -10, -5, 20, 5, 1.5);
    LitFillOutlined(cr, Hex(0x33363A), -10, -5, 10, 0, 1);
    cairo_new_path(cr);
    cairo_move_to(cr, -8, -4);
    cairo_line_to(cr, -2, -26);
    cairo_line_to(cr, 2, -26);
    cairo_line_to(cr, 8, -4);
    cairo_close_path(cr);
    LitFillDecorated(cr, Hex(0xFF7A1A), -8, -26, 8, -4, 1.1, 0.3, [cr] {
        for (double y : {-20.0, -12.0}) cairo_rectangle(cr, -10, y, 20, 4);
        SetColor(cr, Hex(0xF6F6F6));
        cairo_fill(cr);
    });
}

void Barrel(cairo_t* cr) {
    const Rgb steel = Hex(0x2F6FC0);
    Cylinder(cr, 0, 0, 11, 22, steel, 0.45);
    SetColor(cr, Shade(steel, -0.45), 0.8);
    cairo_set_line_width(cr, 1.2);
    for (double y : {-8.0, -15.0}) {
        cairo_save(cr);
        cairo_translate(cr, 0, y);
        cairo_scale(cr, 11, 11 * 0.45);
        cairo_arc_negative(cr, 0, 0, 1, M_PI, 0);
        cairo_restore(cr);
        cairo_stroke(cr);
    }
    Ball(cr, -4, -22, 1.8, Hex(0xC9CED6), 0.6);
    cairo_rectangle(cr, -5, -12, 10, 5);
    SetColor(cr, Hex(0xF3D23C));
    cairo_fill(cr);
}

void Fence(cairo_t* cr) {
    for (double x : {-20.0, 20.0}) Cylinder(cr, x, 0, 3, 20, Hex(0x6E7278));
    for (double y : {-17.0, -9.0}) {
        cairo_rectangle(cr, -23, y - 3, 46, 6);
        LitFillDecorated(cr, Hex(0xF6F6F6), -23, y - 3, 23, y + 3, 1.1, 0.25, [cr, y] {
            for (int i = 0; i < 6; ++i) {
                cairo_move_to(cr, -23 + i * 9, y + 3);
                cairo_line_to(cr, -19 + i * 9, y - 3);
                cairo_line_to(cr, -15 + i * 9, y - 3);
                cairo_line_to(cr, -19 + i * 9, y + 3);
                cairo_close_path(cr);
            }
            SetColor(cr, Hex(0xE03A2F));
            cairo_fill(cr);
        });
    }
}

void Hydrant(cairo_t* cr) {
    const Rgb red = Hex(0xD8332C);
    Cylinder(cr, 0, 0, 7, 3, Shade(red, -0.2));
    Cylinder(cr, 0, -2, 5, 14, red);
    for (double side : {-1.0, 1.0}) {
        cairo_rectangle(cr, side > 0 ? 4 : -8, -12, 4, 4);
        LitFillOutlined(cr, Hex(0xC9CED6), -8, -12, 8, -8, 0.8);
    }
    Ball(cr, 0, -17, 5, red, 1);
    Ball(cr, 0, -22, 1.8, Hex(0xC9CED6), 0.6);
}

void Bench(cairo_t* cr) {
    for (double x : {-16.0, 16.0}) {
        cairo_rectangle(cr, x - 2, -6, 4, 6);
        LitFillOutlined(cr, Hex(0x3A3E44), x - 2, -6, x + 2, 0, 0.8);
    }
    for (int i = 0; i < 3; ++i) {
        cairo_rectangle(cr, -20, -20 + i * 5, 40, 4);
        LitFillOutlined(cr, Hex(0xB07A42), -20, -20 + i * 5, 20, -16 + i * 5, 1);
    }
    cairo_rectangle(cr, -20, -27, 40, 4);
    LitFillOutlined(cr, Hex(0x9A6A38), -20, -27, 20, -23, 1);
}

void Bin(cairo_t* cr) {
    Cylinder(cr, 0, 0, 8, 17, Hex(0x3C8A4A), 0.45);
    Ellipse(cr, 0, -18, 9, 4);
    LitFillOutlined(cr, Hex(0x2F6E3C), -9, -22, 9, -14, 1.1);
    Ball(cr, 0, -19, 1.8, Hex(0x2F6E3C), 0.6);
}

void Tyres(cairo_t* cr) {
    const Rgb rubber = Hex(0x2C2C30);
    for (int i = 0; i < 3; ++i) Cylinder(cr, 0, -i * 7, 14, 7, rubber, 0.45);
    Ellipse(cr, 0, -21, 6, 2.7);
    SetColor(cr, Hex(0x111114));
    cairo_fill(cr);
    SetColor(cr, Hex(0xF6F6F6), 0.9);
    cairo_set_line_width(cr, 1.4);
    for (int i = 0; i < 3; ++i) {
        cairo_move_to(cr, -9, -3 - i * 7);
        cairo_line_to(cr, -3, -3.5 - i * 7);
    }
    cairo_stroke(cr);
}

// ------------------------------------------------------------- bonuses

// A 32 x 32 coin with a bevelled rim and an emblem.
Picture BonusCoin(Rgb face, void (*emblem)(cairo_t*)) {
    Picture pic(32, 32);
    cairo_t* cr = pic.cr();
    cairo_arc(cr, 16, 16, 15, 0, 2 * M_PI);
    LitFillOutlined(cr, Shade(face, -0.1), 1, 1, 31, 31, 1.3, 0.35);
    cairo_arc(cr, 16, 16, 11.5, 0, 2 * M_PI);
    LitFill(cr, face, 27, 27, 5, 5, 0.25);
    cairo_translate(cr, 16, 16);
    emblem(cr);
    return pic;
}

void SpeedEmblem(cairo_t* cr) {
    for (double y : {-1.0, 6.0}) {
        cairo_new_path(cr);
        cairo_move_to(cr, -7, y);
        cairo_line_to(cr, 0, y - 7);
        cairo_line_to(cr, 7, y);
        cairo_line_to(cr, 7, y - 3.5);
        cairo_line_to(cr, 0, y - 10.5);
        cairo_line_to(cr, -7, y - 3.5);
        cairo_close_path(cr);
        LitFillOutlined(cr, Hex(0xFFFFFF), -7, y - 10, 7, y, 1, 0.1);
    }
}

void OilEmblem(cairo_t* cr) {
    cairo_new_path(cr);
    cairo_move_to(cr, 0, -9);
    cairo_curve_to(cr, 3, -4, 7, 0, 7, 3);
    cairo_arc(cr, 0, 3, 7, 0, M_PI);
    cairo_curve_to(cr, -7, 0, -3, -4, 0, -9);
    cairo_close_path(cr);
    LitFillOutlined(cr, Hex(0x1E1E24), -7, -9, 7, 10, 1, 0.2);
    Ellipse(cr, -2.5, 3, 1.6, 3);
    SetColor(cr, Hex(0xFFFFFF), 0.6);
    cairo_fill(cr);
}

void SlowEmblem(cairo_t* cr) {
    Ellipse(cr, 0, 5, 9, 3);
    LitFillOutlined(cr, Hex(0xDDF3C0), -9, 2, 9, 8, 1);
    cairo_arc(cr, -1, -1, 6, 0, 2 * M_PI);
    LitFillOutlined(cr, Hex(0xF3B74A), -7, -7, 5, 5, 1);
    SetColor(cr, Hex(0x8A5A1A));
    cairo_set_line_width(cr, 1.2);
    cairo_new_path(cr);
    for (double t = 0; t < 3 * M_PI; t += 0.2) {
        const double r = 5 - t * 0.45;
        cairo_line_to(cr, -1 + r * std::cos(t), -1 + r * std::sin(t));
    }
    cairo_stroke(cr);
    SetColor(cr, Hex(0xDDF3C0));
    cairo_set_line_width(cr, 1.2);
    cairo_move_to(cr, 6, 3);
    cairo_line_to(cr, 8, -4);
    cairo_move_to(cr, 7.5, 3);
    cairo_line_to(cr, 10, -3);
    cairo_stroke(cr);
}

const std::vector<PropKind> kProps = {
    {"lamp", -1, Lamp},      {"limit", -1, Limit},      {"palm", 0, Palm},        {"parasol", 0, Parasol},
    {"rock", 0, Rock},       {"crab", 0, Crab},         {"hut", 0, Hut},          {"castle", 0, Castle},
    {"lounger", 0, Lounger}, {"ball", 0, BeachBall},    {"rak", 0, Seashell},     {"tree", 1, Tree},
    {"birch", 1, Birch},     {"bush", 1, Bush},         {"log", 1, Log},          {"flowers", 1, Flowers},
    {"pen", 1, Stump},       {"mushroom", 1, Mushroom}, {"stone", 1, MossyStone}, {"hay", 1, Hay},
    {"fir", 2, PlainFir},    {"snowfir", 2, SnowyFir},  {"snowman", 2, Snowman},  {"iceblock", 2, IceBlock},
    {"sball", 2, Snowball},  {"igloo", 2, Igloo},       {"crystal", 2, Crystal},  {"sled", 2, Sled},
    {"penguin", 2, Penguin}, {"house", 3, House},       {"kiosk", 3, Kiosk},      {"cone", 3, Cone},
    {"barrel", 3, Barrel},   {"fence", 3, Fence},       {"hydrant", 3, Hydrant},  {"bench", 3, Bench},
    {"bin", 3, Bin},         {"tyres", 3, Tyres},
};

struct Bonus {
    const char* name;
    Rgb face;
    void (*emblem)(cairo_t*);
};

const Bonus kBonuses[] = {
    {"bn_spd", Hex(0x2FB84A), SpeedEmblem},
    {"bn_oil", Hex(0xF3C23A), OilEmblem},
    {"bn_slw", Hex(0x39A7E8), SlowEmblem},
};

}  // namespace

Picture BonusPicture(const std::string& name) {
    for (const Bonus& b : kBonuses) {
        if (name == b.name) return BonusCoin(b.face, b.emblem);
    }
    return Picture(1, 1);
}

const std::vector<PropKind>& PropKinds() { return kProps; }

PropPainter FindProp(const std::string& name) {
    for (const PropKind& k : kProps) {
        if (name == k.name) return k.paint;
    }
    return nullptr;
}

void MakeProps(ArtOutput& out) {
    constexpr int kCanvas = 256, kFootX = 128, kFootY = 240;
    const char* sheets[] = {"props-beach", "props-forest", "props-ice", "props-city"};
    for (const PropKind& k : kProps) {
        Picture canvas(kCanvas, kCanvas);
        cairo_translate(canvas.cr(), kFootX, kFootY);
        k.paint(canvas.cr());
        const Picture sprite = CropToFoot(canvas, kFootX, kFootY);
        out.Save("gfx/obj", std::string(k.name) + "1", sprite, k.landscape < 0 ? "props-shared" : sheets[k.landscape],
                 true);
        out.AddPlaceable(k.name);
    }
    for (const Bonus& b : kBonuses) {
        out.Save("gfx/obj", std::string(b.name) + "1", BonusCoin(b.face, b.emblem), "props-shared");
        out.AddPlaceable(b.name);
    }
}
