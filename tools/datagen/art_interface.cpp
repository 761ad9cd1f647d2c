// The pictures of the menus and screens (gfx/share): window and button
// faces, cursor, title, menu decorations, logos, track previews, help pages
// and the effect sprites.
#include <algorithm>
#include <cmath>
#include <string>

#include "art.h"

namespace {

const Rgb kInk = Hex(0x1B2330);     // outlines of the interface art
const Rgb kGold = Hex(0xF6B92B);    // title and trophy
const Rgb kPanel = Hex(0x2466A8);   // window face
const Rgb kButton = Hex(0xE2572B);  // button face

constexpr const char* kTitleFace = "DejaVu Sans Bold";

std::string Face(const char* family, int px) { return std::string(family) + " " + std::to_string(px) + "px"; }

void Save(ArtOutput& out, const std::string& name, const Picture& pic) {
    out.Save("gfx/share", name, pic, "interface");
}

// ------------------------------------------------------------- frames

// A window face: a blue panel with a light rim and faint diagonal stripes.
// It is stretched to every window, so it has no detail that needs its shape.
Picture Window() {
    Picture pic(400, 400);
    cairo_t* cr = pic.cr();
    RoundedRect(cr, 1, 1, 398, 398, 16);
    SetGradient(cr, 0, 0, 0, 400, {{0, Shade(kPanel, 0.15)}, {1, Shade(kPanel, -0.35)}});
    cairo_fill_preserve(cr);
    cairo_save(cr);
    cairo_clip_preserve(cr);
    SetColor(cr, Hex(0xFFFFFF), 0.04);
    for (int i = -400; i < 400; i += 28) {
        cairo_move_to(cr, i, 400);
        cairo_line_to(cr, i + 400, 0);
        cairo_line_to(cr, i + 414, 0);
        cairo_line_to(cr, i + 14, 400);
        cairo_close_path(cr);
    }
    cairo_fill(cr);
    Glow(cr, 120, 80, 260, Hex(0xFFFFFF), 0.12);
    cairo_restore(cr);
    RoundedRect(cr, 1, 1, 398, 398, 16);
    SetColor(cr, Shade(kPanel, -0.6));
    cairo_set_line_width(cr, 2);
    cairo_stroke(cr);
    RoundedRect(cr, 4, 4, 392, 392, 13);
    SetColor(cr, Shade(kPanel, 0.55), 0.8);
    cairo_set_line_width(cr, 2);
    cairo_stroke(cr);
    return pic;
}

Picture Button() {
    Picture pic(256, 64);
    cairo_t* cr = pic.cr();
    RoundedRect(cr, 1, 1, 254, 62, 16);
    SetGradient(cr, 0, 0, 0, 64, {{0, Shade(kButton, 0.25)}, {0.5, kButton}, {1, Shade(kButton, -0.3)}});
    cairo_fill_preserve(cr);
    SetColor(cr, Shade(kButton, -0.6));
    cairo_set_line_width(cr, 2);
    cairo_stroke(cr);
    // Gloss on the upper half.
    RoundedRect(cr, 6, 4, 244, 26, 12);
    SetGradient(cr, 0, 4, 0, 30, {{0, Grey(1), 0.45}, {1, Grey(1), 0.05}});
    cairo_fill(cr);
    return pic;
}

Picture Cursor() {
    Picture pic(64, 64);
    cairo_t* cr = pic.cr();
    const double pts[][2] = {{16, 8}, {16, 44}, {24.5, 36}, {30, 49}, {36, 46.5}, {30.5, 34}, {42, 33.5}};
    const auto path = [&](double dx, double dy) {
        cairo_new_path(cr);
        for (const auto& q : pts) cairo_line_to(cr, q[0] + dx, q[1] + dy);
        cairo_close_path(cr);
    };
    path(3, 3);
    SetColor(cr, Hex(0x000000), 0.3);
    cairo_fill(cr);
    path(0, 0);
    LitFillOutlined(cr, Hex(0xFFF3C0), 16, 8, 42, 49, 2, 0.2);
    return pic;
}

// ------------------------------------------------------------- menu pictures

Picture Title() {
    Picture pic(800, 256);
    cairo_t* cr = pic.cr();
    const std::string face = Face(kTitleFace, 104);
    const TextSize size = MeasureText("Kolvetra", face);
    const double x = 290 - size.width / 2.0, y = 2;
    // Speed streaks trailing to the left of the word.
    for (int i = 0; i < 5; ++i) {
        const double sy = 40 + i * 16, len = 90 + (i % 2) * 40;
        RoundedRect(cr, x - len - 6, sy, len, 7, 3.5);
        SetGradient(cr, x - len - 6, 0, x, 0, {{0, kGold, 0}, {1, kGold, 0.9}});
        cairo_fill(cr);
    }
    cairo_save(cr);
    cairo_matrix_t slant;
    cairo_matrix_init(&slant, 1, 0, -0.2, 1, 0.2 * (y + size.height), 0);  // leans forward, like speed
    cairo_transform(cr, &slant);
    DrawOutlinedText(cr, "Kolvetra", face, x, y, kGold, kInk, 5);
    cairo_restore(cr);
    // A chequered band under the word.
    const double bandY = y + size.height - 6;
    for (int j = 0; j < 2; ++j) {
        for (int i = 0; i < 40; ++i) {
            cairo_rectangle(cr, x + 10 + i * 11, bandY + j * 9, 11, 9);
            SetColor(cr, (i + j) % 2 ? Hex(0x1B1B1F) : Hex(0xF8F8F4));
            cairo_fill(cr);
        }
    }
    cairo_rectangle(cr, x + 10, bandY, 440, 18);
    SetColor(cr, kInk);
    cairo_set_line_width(cr, 2);
    cairo_stroke(cr);
    return pic;
}

void GearPath(cairo_t* cr, double c, double outer, double inner, int teeth) {
    cairo_new_path(cr);
    for (int i = 0; i < teeth; ++i) {
        const double a = 2 * M_PI * i / teeth, step = 2 * M_PI / teeth;
        const double pts[][2] = {{inner, 0}, {outer, 0.12}, {outer, 0.38}, {inner, 0.5}};
        for (const auto& q : pts) {
            const double b = a + q[1] * step;
            cairo_line_to(cr, c + q[0] * std::cos(b), c + q[0] * std::sin(b));
        }
        cairo_arc(cr, c, c, inner, a + 0.5 * step, a + step);
    }
    cairo_close_path(cr);
}

Picture Gear() {
    Picture pic(256, 256);
    cairo_t* cr = pic.cr();
    cairo_push_group(cr);
    GearPath(cr, 128, 124, 100, 14);
    cairo_new_sub_path(cr);
    cairo_arc_negative(cr, 128, 128, 36, 2 * M_PI, 0);
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_WINDING);
    LitFillOutlined(cr, Hex(0x9FB3C8), 4, 4, 252, 252, 3, 0.35);
    for (int i = 0; i < 6; ++i) {
        const double a = i * M_PI / 3;
        cairo_new_path(cr);
        cairo_arc(cr, 128 + 68 * std::cos(a), 128 + 68 * std::sin(a), 14, 0, 2 * M_PI);
        SetColor(cr, Hex(0x6D8298));
        cairo_fill(cr);
    }
    cairo_arc(cr, 128, 128, 52, 0, 2 * M_PI);
    cairo_arc_negative(cr, 128, 128, 36, 2 * M_PI, 0);
    SetColor(cr, Hex(0xC9D6E4), 0.6);
    cairo_fill(cr);
    cairo_pop_group_to_source(cr);
    cairo_paint_with_alpha(cr, 0.75);  // a decoration behind the buttons
    return pic;
}

Picture Wheel() {
    Picture pic(256, 256);
    cairo_t* cr = pic.cr();
    const double c = 128;
    cairo_arc(cr, c, c, 124, 0, 2 * M_PI);
    LitFillOutlined(cr, Hex(0x2C2C30), 4, 4, 252, 252, 3, 0.25);
    SetColor(cr, Hex(0x45454B));
    for (int i = 0; i < 24; ++i) {
        const double a = 2 * M_PI * i / 24;
        cairo_save(cr);
        cairo_translate(cr, c, c);
        cairo_rotate(cr, a);
        cairo_rectangle(cr, 104, -6, 18, 12);
        cairo_restore(cr);
        cairo_fill(cr);
    }
    cairo_arc(cr, c, c, 84, 0, 2 * M_PI);
    LitFillOutlined(cr, Hex(0xC9CED6), 44, 44, 212, 212, 3, 0.35);
    cairo_arc(cr, c, c, 72, 0, 2 * M_PI);
    LitFill(cr, Hex(0x8E949C), 212, 212, 44, 44, 0.3);
    for (int i = 0; i < 5; ++i) {
        cairo_save(cr);
        cairo_translate(cr, c, c);
        cairo_rotate(cr, 2 * M_PI * i / 5 - M_PI / 2);
        RoundedRect(cr, 10, -11, 64, 22, 8);
        cairo_restore(cr);
        LitFillOutlined(cr, Hex(0xD8DDE4), 56, 56, 200, 200, 2, 0.35);
    }
    cairo_arc(cr, c, c, 24, 0, 2 * M_PI);
    LitFillOutlined(cr, Hex(0xE2572B), 104, 104, 152, 152, 2, 0.3);
    for (int i = 0; i < 5; ++i) {
        const double a = 2 * M_PI * i / 5 - M_PI / 2 + M_PI / 5;
        Ball(cr, c + 14 * std::cos(a), c + 14 * std::sin(a), 3, Hex(0xC9CED6), 0.8);
    }
    return pic;
}

// The trophy is 256 x 222: between the square menu picture and the 4:3 track
// picture it stands in for once the tournament is won.
Picture Trophy() {
    Picture pic(256, 222);
    cairo_t* cr = pic.cr();
    const double c = 128;
    Glow(cr, c, 90, 120, Hex(0xFFF2B0), 0.6);
    for (int i = 0; i < 12; ++i) {
        cairo_save(cr);
        cairo_translate(cr, c, 90);
        cairo_rotate(cr, 2 * M_PI * i / 12);
        cairo_move_to(cr, 0, 0);
        cairo_line_to(cr, 110, -12);
        cairo_line_to(cr, 110, 12);
        cairo_close_path(cr);
        cairo_restore(cr);
        SetColor(cr, Hex(0xFFE27A), 0.22);
        cairo_fill(cr);
    }
    // Handles.
    cairo_set_line_width(cr, 11);
    for (double side : {-1.0, 1.0}) {
        cairo_new_path(cr);
        cairo_arc(cr, c + side * 56, 62, 24, side > 0 ? -M_PI / 2 : M_PI / 2, side > 0 ? M_PI / 2 : 3 * M_PI / 2);
        SetColor(cr, kInk);
        cairo_set_line_width(cr, 15);
        cairo_stroke_preserve(cr);
        SetColor(cr, Shade(kGold, -0.1));
        cairo_set_line_width(cr, 9);
        cairo_stroke(cr);
    }
    // Cup.
    cairo_new_path(cr);
    cairo_move_to(cr, c - 62, 30);
    cairo_line_to(cr, c + 62, 30);
    cairo_curve_to(cr, c + 62, 100, c + 40, 124, c + 10, 130);
    cairo_line_to(cr, c - 10, 130);
    cairo_curve_to(cr, c - 40, 124, c - 62, 100, c - 62, 30);
    cairo_close_path(cr);
    LitFillOutlined(cr, kGold, c - 62, 30, c + 62, 130, 3, 0.4);
    Ellipse(cr, c, 30, 62, 10);
    LitFillOutlined(cr, Shade(kGold, -0.3), c + 60, 40, c - 60, 20, 3, 0.3);
    Star(cr, c, 78, 5, 22, 9);
    LitFillOutlined(cr, Hex(0xFFF6D0), c - 22, 56, c + 22, 100, 2, 0.2);
    // Stem and plinth.
    cairo_rectangle(cr, c - 9, 128, 18, 26);
    LitFillOutlined(cr, kGold, c - 9, 128, c + 9, 154, 3, 0.4);
    RoundedRect(cr, c - 36, 150, 72, 14, 5);
    LitFillOutlined(cr, kGold, c - 36, 150, c + 36, 164, 3, 0.4);
    RoundedRect(cr, c - 50, 162, 100, 44, 6);
    LitFillOutlined(cr, Hex(0x5A3A2A), c - 50, 162, c + 50, 206, 3, 0.3);
    RoundedRect(cr, c - 30, 173, 60, 20, 3);
    LitFillOutlined(cr, Hex(0xE8D9A8), c - 30, 173, c + 30, 193, 2, 0.3);
    return pic;
}

// Chequered flag on a pole, waving.
Picture ChequeredFlag() {
    Picture pic(128, 128);
    cairo_t* cr = pic.cr();
    Picture flag(128, 128);
    const double x0 = 30, y0 = 16, w = 84, h = 58;
    const int cols = 7, rows = 5;
    const auto at = [&](double u, double v, double& x, double& y) {
        x = x0 + u * w;
        y = y0 + v * h + std::sin(u * 2.6 * M_PI) * 6 * u;
    };
    for (int j = 0; j < rows; ++j) {
        for (int i = 0; i < cols; ++i) {
            cairo_new_path(cr);
            const double us[] = {double(i) / cols, double(i + 1) / cols};
            const double vs[] = {double(j) / rows, double(j + 1) / rows};
            double x, y;
            for (int k = 0; k <= 8; ++k) {
                at(us[0] + (us[1] - us[0]) * k / 8, vs[0], x, y);
                cairo_line_to(cr, x, y);
            }
            for (int k = 8; k >= 0; --k) {
                at(us[0] + (us[1] - us[0]) * k / 8, vs[1], x, y);
                cairo_line_to(cr, x, y);
            }
            cairo_close_path(cr);
            const double shade = std::cos(us[0] * 2.6 * M_PI) * 0.12;
            SetColor(cr, Shade((i + j) % 2 ? Hex(0x1E1E22) : Hex(0xF4F4F0), shade));
            cairo_fill(cr);
        }
    }
    cairo_new_path(cr);
    double x, y;
    for (int k = 0; k <= 32; ++k) {
        at(k / 32.0, 0, x, y);
        cairo_line_to(cr, x, y);
    }
    for (int k = 32; k >= 0; --k) {
        at(k / 32.0, 1, x, y);
        cairo_line_to(cr, x, y);
    }
    cairo_close_path(cr);
    SetColor(cr, kInk);
    cairo_set_line_width(cr, 2);
    cairo_stroke(cr);
    RoundedRect(cr, 22, 10, 8, 112, 4);
    LitFillOutlined(cr, Hex(0xC9CED6), 22, 10, 30, 122, 2, 0.4);
    Ball(cr, 26, 10, 6, kGold, 2);
    return pic;
}

Picture Options() {
    Picture pic(128, 128);
    cairo_t* cr = pic.cr();
    RoundedRect(cr, 10, 14, 108, 100, 16);
    LitFillOutlined(cr, Hex(0x3D4F66), 10, 14, 118, 114, 2.5, 0.25);
    const double knobs[] = {78, 40, 60};
    const Rgb colours[] = {Hex(0x3CB44B), Hex(0xF6B92B), Hex(0xE2572B)};
    for (int i = 0; i < 3; ++i) {
        const double y = 38 + i * 26;
        RoundedRect(cr, 24, y - 4, 80, 8, 4);
        LitFill(cr, Hex(0x1B2330), 104, y + 4, 24, y - 4, 0.3);
        RoundedRect(cr, 24, y - 4, knobs[i] - 24, 8, 4);
        LitFill(cr, colours[i], 24, y - 4, knobs[i], y + 4, 0.3);
        Ball(cr, knobs[i], y, 9, Hex(0xECEFF3), 2);
    }
    return pic;
}

Picture Announcement() {
    Picture pic(160, 65);
    cairo_t* cr = pic.cr();
    const double cx = 143, cy = 16;
    Star(cr, cx, cy, 12, 15, 12);
    LitFillOutlined(cr, Hex(0xE8332C), cx - 15, cy - 15, cx + 15, cy + 15, 1.5, 0.3);
    cairo_rectangle(cr, cx - 8, cy - 5.5, 16, 11);
    LitFillOutlined(cr, Hex(0xFFFFFF), cx - 8, cy - 6, cx + 8, cy + 6, 1.2, 0.15);
    SetColor(cr, Hex(0xB03030));
    cairo_set_line_width(cr, 1.2);
    cairo_move_to(cr, cx - 8, cy - 5.5);
    cairo_line_to(cr, cx, cy + 1);
    cairo_line_to(cr, cx + 8, cy - 5.5);
    cairo_stroke(cr);
    return pic;
}

Picture Padlock() {
    Picture pic(64, 64);
    cairo_t* cr = pic.cr();
    cairo_new_path(cr);
    cairo_arc_negative(cr, 32, 26, 13, 0, M_PI);
    cairo_line_to(cr, 19, 32);
    SetColor(cr, kInk);
    cairo_set_line_width(cr, 9);
    cairo_stroke_preserve(cr);
    cairo_arc(cr, 32, 26, 13, M_PI, 0);
    SetColor(cr, Hex(0xC9CED6));
    cairo_set_line_width(cr, 5);
    cairo_stroke(cr);
    cairo_move_to(cr, 45, 26);
    cairo_line_to(cr, 45, 32);
    cairo_stroke(cr);
    RoundedRect(cr, 12, 30, 40, 30, 6);
    LitFillOutlined(cr, kGold, 12, 30, 52, 60, 2.5, 0.35);
    Ball(cr, 32, 41, 4.5, kInk, 0);
    cairo_rectangle(cr, 30.5, 42, 3, 10);
    SetColor(cr, kInk);
    cairo_fill(cr);
    return pic;
}

Picture Swatch() {
    Picture pic(64, 64);
    cairo_t* cr = pic.cr();
    RoundedRect(cr, 3, 3, 58, 58, 12);
    LitFillOutlined(cr, Hex(0xF4F4F4), 3, 3, 61, 61, 2.5, 0.12);
    RoundedRect(cr, 9, 8, 46, 18, 9);
    SetColor(cr, Hex(0xFFFFFF), 0.5);
    cairo_fill(cr);
    return pic;
}

// ------------------------------------------------------------- logos

Picture StudioLogo() {
    Picture pic(215, 64);
    cairo_t* cr = pic.cr();
    // A small rocket badge, then the name.
    cairo_arc(cr, 32, 32, 26, 0, 2 * M_PI);
    LitFillOutlined(cr, Hex(0x2F6BE0), 6, 6, 58, 58, 2.5, 0.35);
    Star(cr, 32, 32, 4, 17, 5, M_PI / 4);
    LitFillOutlined(cr, Hex(0xFFF3C0), 15, 15, 49, 49, 1.5, 0.2);
    Ball(cr, 18, 20, 2.2, Hex(0xFFFFFF), 0);
    Ball(cr, 45, 45, 1.6, Hex(0xFFFFFF), 0);
    DrawOutlinedText(cr, "Sputnik", Face(kTitleFace, 24), 66, 4, Hex(0xF6B92B), kInk, 2.5);
    DrawOutlinedText(cr, "GARAGE", Face("DejaVu Sans Bold", 15), 70, 35, Hex(0xE8EEF6), kInk, 2);
    return pic;
}

// Only the top 96 rows show on the main menu; the rest is below the screen.
Picture BirdLogo() {
    Picture pic(256, 128);
    cairo_t* cr = pic.cr();
    // A swift in flight.
    cairo_new_path(cr);
    cairo_move_to(cr, 30, 44);
    cairo_curve_to(cr, 50, 24, 70, 18, 98, 10);
    cairo_curve_to(cr, 80, 26, 72, 34, 66, 44);
    cairo_curve_to(cr, 80, 40, 92, 44, 104, 54);
    cairo_curve_to(cr, 88, 54, 74, 56, 62, 60);
    cairo_curve_to(cr, 52, 58, 40, 52, 30, 44);
    cairo_close_path(cr);
    LitFillOutlined(cr, Hex(0x2466A8), 30, 10, 104, 60, 2.5, 0.35);
    DrawOutlinedText(cr, "Ostrel", Face(kTitleFace, 40), 102, 10, Hex(0xE8EEF6), kInk, 3);
    DrawOutlinedText(cr, "interactive", Face("DejaVu Sans Bold", 15), 136, 60, Hex(0xF6B92B), kInk, 1.5);
    return pic;
}

// ------------------------------------------------------------- track previews

struct Placed {
    const char* prop;
    double x, y, scale;
};

struct Preview {
    std::vector<Placed> props;
    Rgb car1, car2;
};

Picture TrackPreview(int landscape) {
    Picture pic(400, 300);
    cairo_t* cr = pic.cr();
    const Picture ground = GroundTile(landscape, 0), surface = GroundTile(landscape, 1);
    cairo_set_source_surface(cr, ground.surface(), 0, 0);
    cairo_pattern_set_extend(cairo_get_source(cr), CAIRO_EXTEND_REPEAT);
    cairo_paint(cr);
    if (landscape == 0) {
        // The sea along the top of the beach.
        cairo_new_path(cr);
        cairo_move_to(cr, 0, 0);
        cairo_line_to(cr, 400, 0);
        cairo_line_to(cr, 400, 40);
        for (int x = 400; x >= 0; x -= 10) cairo_line_to(cr, x, 48 + 6 * std::sin(x / 23.0));
        cairo_close_path(cr);
        SetGradient(cr, 0, 0, 0, 56, {{0, Hex(0x1A73BF)}, {1, Hex(0x59C7EB)}});
        cairo_fill_preserve(cr);
        SetColor(cr, Hex(0xFFFFFF), 0.85);
        cairo_set_line_width(cr, 4);
        cairo_stroke(cr);
    }
    // A bend of track across the picture.
    const auto trackPath = [&]() {
        cairo_new_path(cr);
        cairo_move_to(cr, -40, 250);
        cairo_curve_to(cr, 120, 250, 130, 120, 230, 130);
        cairo_curve_to(cr, 330, 140, 340, 230, 440, 210);
    };
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    for (const auto& [width, alpha] : {std::pair{96.0, 0.45}, std::pair{80.0, 1.0}}) {
        trackPath();
        cairo_push_group(cr);
        cairo_set_source_surface(cr, surface.surface(), 0, 0);
        cairo_pattern_set_extend(cairo_get_source(cr), CAIRO_EXTEND_REPEAT);
        cairo_set_line_width(cr, width);
        cairo_stroke(cr);
        cairo_pop_group_to_source(cr);
        cairo_paint_with_alpha(cr, alpha);
    }
    if (landscape == 3) {
        trackPath();
        SetColor(cr, Hex(0xF2F2EA), 0.85);
        cairo_set_line_width(cr, 3);
        const double dash[] = {14, 14};
        cairo_set_dash(cr, dash, 2, 0);
        cairo_stroke(cr);
        cairo_set_dash(cr, nullptr, 0, 0);
    }
    static const Preview previews[] = {
        {{{"palm", 60, 130, 1},
          {"parasol", 180, 80, 0.9},
          {"crab", 320, 92, 1},
          {"lounger", 215, 86, 0.9},
          {"palm", 370, 150, 0.9},
          {"castle", 110, 292, 1},
          {"rock", 280, 288, 1},
          {"rak", 250, 230, 1.2},
          {"lamp", 140, 182, 0.8},
          {"ball", 340, 290, 1}},
         Hex(0xE03A2F),
         Hex(0x3CB44B)},
        {{{"tree", 50, 140, 1},
          {"birch", 150, 90, 0.9},
          {"tree", 360, 110, 1},
          {"bush", 270, 90, 1},
          {"flowers", 250, 240, 1.2},
          {"pen", 70, 300, 1},
          {"log", 330, 290, 1},
          {"mushroom", 180, 290, 1.1},
          {"lamp", 300, 196, 0.8}},
         Hex(0x2F6BE0),
         Hex(0xF6B92B)},
        {{{"snowfir", 50, 140, 1},
          {"fir", 140, 90, 0.9},
          {"snowfir", 370, 110, 1},
          {"igloo", 270, 90, 0.9},
          {"snowman", 200, 290, 1},
          {"penguin", 330, 290, 1.2},
          {"crystal", 70, 296, 1},
          {"sball", 120, 200, 1},
          {"lamp", 300, 196, 0.8}},
         Hex(0xE03A2F),
         Hex(0x7A3FD0)},
        {{{"house", 60, 110, 0.9},
          {"kiosk", 170, 80, 0.9},
          {"house", 350, 120, 0.8},
          {"hydrant", 260, 90, 1.2},
          {"cone", 130, 200, 1.2},
          {"barrel", 300, 292, 1},
          {"fence", 180, 296, 1},
          {"tyres", 60, 296, 1},
          {"lamp", 290, 196, 0.8}},
         Hex(0x3CB44B),
         Hex(0xF6B92B)},
    };
    const Preview& preview = previews[landscape];
    std::vector<Placed> order = preview.props;
    std::stable_sort(order.begin(), order.end(), [](const Placed& a, const Placed& b) { return a.y < b.y; });
    const auto drawCar = [&](const char* name, int frame, Rgb tint, double x, double y) {
        const Picture car = VehicleLook(name, frame, tint, 1.2);
        cairo_set_source_surface(cr, car.surface(), x - car.width() / 2.0, y - car.height() / 2.0);
        cairo_paint(cr);
    };
    for (const Placed& p : order) {
        cairo_save(cr);
        cairo_translate(cr, p.x, p.y);
        cairo_scale(cr, p.scale, p.scale);
        if (const PropPainter paint = FindProp(p.prop)) paint(cr);
        cairo_restore(cr);
    }
    drawCar("car", 12, preview.car1, 250, 132);
    drawCar("jeep", 14, preview.car2, 95, 214);
    // A bevelled frame.
    cairo_rectangle(cr, 2, 2, 396, 296);
    SetColor(cr, kInk);
    cairo_set_line_width(cr, 4);
    cairo_stroke(cr);
    cairo_rectangle(cr, 5, 5, 390, 290);
    SetColor(cr, Hex(0xFFFFFF), 0.5);
    cairo_set_line_width(cr, 2);
    cairo_stroke(cr);
    return pic;
}

// ------------------------------------------------------------- help pages

// Room at the top for the title picture behind the page, and at the bottom
// for the buttons below it.
constexpr double kHelpTop = 64, kHelpBottom = 340;

void HelpPanel(cairo_t* cr, const std::string& heading) {
    RoundedRect(cr, 40, kHelpTop, 720, kHelpBottom - kHelpTop, 18);
    SetColor(cr, Hex(0x0E1A2A), 0.78);
    cairo_fill_preserve(cr);
    SetColor(cr, Hex(0xFFFFFF), 0.35);
    cairo_set_line_width(cr, 2);
    cairo_stroke(cr);
    DrawOutlinedText(cr, heading, Face(kTitleFace, 28), 64, kHelpTop + 12, kGold, kInk, 2.5);
}

// The words of the two help pages in one language; the headings are those
// of the buttons that show the pages.
struct HelpWords {
    const char* folder;  // under gfx/share: the common pictures, or a language's own
    const char* overviewHeading;
    const char* overview;
    const char* controlsHeading;
    const char* controls;
};

constexpr HelpWords kHelpWords[] = {
    {"gfx/share", "Обзор",
     "<b>Kolvetra</b> — гонки по бездорожью с видом сверху. Проедьте четыре круга "
     "и придите к финишу первым!\n"
     "• <b>Турнир</b>: пляж, лес, лёд и город, по две трассы и их обратные варианты. "
     "Только победа открывает следующую трассу и новые машины.\n"
     "• <b>Гонка</b>: любая трасса, до которой вы дошли в турнире.\n"
     "• <b>Бонусы</b> приносят очки: <span foreground='#8CE08C'>стрелки</span> — 80, "
     "<span foreground='#F6D06A'>масло</span> — 150, <span foreground='#8CCBF0'>улитка</span> — 10. "
     "Проигранная гонка турнира стоит 1000 очков.",
     "Управление",
     "<b>↑</b> — газ, <b>↓</b> — задний ход\n"
     "<b>←</b> <b>→</b> — руль\n\n"
     "<b>Esc</b> — пауза: продолжить гонку или выйти в меню\n\n"
     "Держитесь трассы: деревья, камни и дома останавливают машину, "
     "а конусы, бочки и снежки можно растолкать."},
    {"gfx/share/en", "Overview",
     "<b>Kolvetra</b> — off-road racing seen from above. Drive four laps "
     "and cross the finish line first!\n"
     "• <b>Tournament</b>: beach, forest, ice and city, two tracks each and their reverse runs. "
     "Only a win opens the next track and new cars.\n"
     "• <b>Race</b>: any track you have reached in the tournament.\n"
     "• <b>Bonuses</b> bring points: <span foreground='#8CE08C'>arrows</span> — 80, "
     "<span foreground='#F6D06A'>oil</span> — 150, <span foreground='#8CCBF0'>snail</span> — 10. "
     "A lost tournament race costs 1000 points.",
     "Controls",
     "<b>↑</b> — throttle, <b>↓</b> — reverse\n"
     "<b>←</b> <b>→</b> — steering\n\n"
     "<b>Esc</b> — pause: go on racing or leave for the menu\n\n"
     "Keep to the track: trees, rocks and houses stop the car, "
     "but cones, barrels and snowballs can be pushed aside."},
};

Picture HelpOverview(const HelpWords& words) {
    Picture pic(800, 364);
    cairo_t* cr = pic.cr();
    HelpPanel(cr, words.overviewHeading);
    DrawText(cr, words.overview, Face("DejaVu Sans", 15), 64, kHelpTop + 54, Hex(0xF2F4F8), 1, 480);
    // A car and the three bonuses beside the text.
    const Picture car = VehicleLook("turbo", 4, Hex(0xE2572B), 2.2);
    cairo_set_source_surface(cr, car.surface(), 560, kHelpTop + 20);
    cairo_paint(cr);
    const char* bonuses[] = {"bn_spd", "bn_oil", "bn_slw"};
    for (int i = 0; i < 3; ++i) {
        const Picture coin = BonusPicture(bonuses[i]);
        cairo_save(cr);
        cairo_translate(cr, 560 + i * 56, kHelpTop + 180);
        cairo_scale(cr, 1.5, 1.5);
        cairo_set_source_surface(cr, coin.surface(), 0, 0);
        cairo_paint(cr);
        cairo_restore(cr);
    }
    return pic;
}

// A key cap with a label or an arrow (direction 0 none, 1 up, 2 left, 3 down,
// 4 right).
void KeyCap(cairo_t* cr, double x, double y, double w, const std::string& label, int arrow) {
    RoundedRect(cr, x + 2, y + 4, w, 44, 8);
    SetColor(cr, Hex(0x000000), 0.4);
    cairo_fill(cr);
    RoundedRect(cr, x, y, w, 44, 8);
    LitFillOutlined(cr, Hex(0xE8ECF2), x, y, x + w, y + 44, 2, 0.2);
    if (arrow) {
        cairo_save(cr);
        cairo_translate(cr, x + w / 2, y + 22);
        cairo_rotate(cr, (arrow - 1) * -M_PI / 2);
        cairo_move_to(cr, 0, -12);
        cairo_line_to(cr, 10, 2);
        cairo_line_to(cr, 4, 2);
        cairo_line_to(cr, 4, 12);
        cairo_line_to(cr, -4, 12);
        cairo_line_to(cr, -4, 2);
        cairo_line_to(cr, -10, 2);
        cairo_close_path(cr);
        cairo_restore(cr);
        SetColor(cr, kInk);
        cairo_fill(cr);
    } else {
        const std::string face = Face("DejaVu Sans Bold", 16);
        const TextSize s = MeasureText(label, face);
        DrawText(cr, label, face, x + (w - s.width) / 2, y + 22 - s.height / 2.0, kInk);
    }
}

Picture HelpControls(const HelpWords& words) {
    Picture pic(800, 364);
    cairo_t* cr = pic.cr();
    HelpPanel(cr, words.controlsHeading);
    const double kx = 80, ky = kHelpTop + 70;
    KeyCap(cr, kx + 54, ky, 50, "", 1);
    KeyCap(cr, kx, ky + 52, 50, "", 2);
    KeyCap(cr, kx + 54, ky + 52, 50, "", 3);
    KeyCap(cr, kx + 108, ky + 52, 50, "", 4);
    KeyCap(cr, kx + 54, ky + 130, 50, "Esc", 0);
    DrawText(cr, words.controls, Face("DejaVu Sans", 16), 290, ky - 4, Hex(0xF2F4F8), 1, 440);
    return pic;
}

// ------------------------------------------------------------- effects

Picture Light() {
    Picture pic(256, 256);
    cairo_t* cr = pic.cr();
    cairo_pattern_t* p = cairo_pattern_create_radial(128, 128, 0, 128, 128, 128);
    for (int i = 0; i <= 16; ++i) {
        const double t = i / 16.0;
        cairo_pattern_add_color_stop_rgba(p, t, 1, 1, 1, std::pow(1 - t, 2.2));
    }
    cairo_set_source(cr, p);
    cairo_paint(cr);
    cairo_pattern_destroy(p);
    return pic;
}

Picture Smoke() {
    Picture pic(64, 64);
    cairo_t* cr = pic.cr();
    const double puffs[][3] = {{32, 34, 24}, {24, 28, 14}, {40, 26, 13}, {30, 40, 14}, {42, 38, 12}};
    for (const auto& p : puffs) {
        cairo_pattern_t* g = cairo_pattern_create_radial(p[0] - p[2] * 0.3, p[1] - p[2] * 0.3, 0, p[0], p[1], p[2]);
        cairo_pattern_add_color_stop_rgba(g, 0, 1, 1, 1, 0.55);
        cairo_pattern_add_color_stop_rgba(g, 0.6, 0.86, 0.86, 0.86, 0.35);
        cairo_pattern_add_color_stop_rgba(g, 1, 0.78, 0.78, 0.78, 0);
        cairo_set_source(cr, g);
        cairo_arc(cr, p[0], p[1], p[2], 0, 2 * M_PI);
        cairo_fill(cr);
        cairo_pattern_destroy(g);
    }
    return pic;
}

// The countdown's backdrop, tinted red, orange, yellow-green and green.
Picture CountdownDisc() {
    Picture pic(128, 128);
    cairo_t* cr = pic.cr();
    Glow(cr, 64, 64, 64, Hex(0xFFFFFF), 0.5);
    cairo_arc(cr, 64, 64, 50, 0, 2 * M_PI);
    LitFillOutlined(cr, Hex(0xE6E6E6), 14, 14, 114, 114, 3, 0.15);
    cairo_arc(cr, 64, 64, 42, 0, 2 * M_PI);
    SetColor(cr, Hex(0xFFFFFF), 0.8);
    cairo_set_line_width(cr, 3);
    cairo_stroke(cr);
    return pic;
}

}  // namespace

void MakeInterface(ArtOutput& out) {
    Save(out, "g_wnd", Window());
    Save(out, "g_but", Button());
    Save(out, "g_cur", Cursor());
    Save(out, "g_tit", Title());
    Save(out, "g_sh", Gear());
    Save(out, "g_wh", Wheel());
    Save(out, "g_tr", Trophy());
    Save(out, "g_sr", VehicleLook("car", 4, Hex(0xE2572B), 2));
    Save(out, "g_op", Options());
    Save(out, "g_qt", ChequeredFlag());
    Save(out, "ann", Announcement());
    Save(out, "logo2", StudioLogo());
    Save(out, "Ostrel", BirdLogo());
    Save(out, "lock", Padlock());
    Save(out, "color", Swatch());
    for (int i = 0; i < 4; ++i) Save(out, "t" + std::to_string(i), TrackPreview(i));
    for (const HelpWords& words : kHelpWords) {
        out.Save(words.folder, "help1", HelpOverview(words), "interface");
        out.Save(words.folder, "help2", HelpControls(words), "interface");
    }
    Save(out, "light", Light());
    Save(out, "smoke", Smoke());
    Save(out, "for", CountdownDisc());
}
