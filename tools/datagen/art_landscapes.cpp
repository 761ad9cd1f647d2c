// Ground patches: a seamless 256 x 256 ground tile per landscape, its track
// surface as a soft round patch for bends and soft-edged straight pieces,
// water, and the chequered start line. Patches are layered in file order,
// so soft edges blend a track over the ground it crosses.
#include <algorithm>
#include <cmath>
#include <functional>

#include "art.h"

namespace {

constexpr int kTile = 256;

struct Pixel {
    Rgb c;
    double a = 1;
};

void FillPixels(Picture& pic, const std::function<Pixel(int, int)>& shade) {
    ForEachPixel(pic, [&](int x, int y, uint32_t& argb) {
        const Pixel p = shade(x, y);
        const double a = std::clamp(p.a, 0.0, 1.0);
        const auto ch = [a](double v) { return static_cast<uint32_t>(std::clamp(v, 0.0, 1.0) * a * 255 + 0.5); };
        argb = static_cast<uint32_t>(a * 255 + 0.5) << 24 | ch(p.c.r) << 16 | ch(p.c.g) << 8 | ch(p.c.b);
    });
}

// Multiplies the picture's alpha by mask(x, y).
void MaskPixels(Picture& pic, const std::function<double(int, int)>& mask) {
    ForEachPixel(pic, [&](int x, int y, uint32_t& p) {
        const double m = std::clamp(mask(x, y), 0.0, 1.0);
        const auto ch = [m](uint32_t v) { return static_cast<uint32_t>(v * m + 0.5); };
        p = ch(p >> 24) << 24 | ch((p >> 16) & 0xFF) << 16 | ch((p >> 8) & 0xFF) << 8 | ch(p & 0xFF);
    });
}

// Draws `draw` at (x, y) and at its copies one tile away, so details that
// cross an edge come back in on the other side.
void Wrapped(cairo_t* cr, double x, double y, const std::function<void(cairo_t*)>& draw) {
    for (int dy = -1; dy <= 1; ++dy) {
        for (int dx = -1; dx <= 1; ++dx) {
            cairo_save(cr);
            cairo_translate(cr, x + dx * kTile, y + dy * kTile);
            draw(cr);
            cairo_restore(cr);
        }
    }
}

// Scatters `count` small details over a tile, wrapping at its edges. Each
// detail gets its own dice, copied for every wrapped copy so all copies
// make the same choices.
void Scatter(Picture& pic, uint32_t seed, int count, const std::function<void(cairo_t*, Dice)>& draw) {
    Dice dice(seed);
    for (int i = 0; i < count; ++i) {
        const double x = dice.Uniform(0, kTile), y = dice.Uniform(0, kTile);
        const Dice detail(Hash(seed, i, 5));
        Wrapped(pic.cr(), x, y, [&](cairo_t* cr) { draw(cr, detail); });
    }
}

// A tile coloured per pixel from its position, a seamless noise n in
// -0.5 .. 0.5 and a per-pixel grain g in -0.5 .. 0.5.
Picture Noisy(int cells, int octaves, uint32_t seed, const std::function<Rgb(int, int, double, double)>& colour) {
    Picture pic(kTile, kTile);
    FillPixels(pic, [&](int x, int y) {
        return Pixel{colour(x, y, TileFbm(x, y, kTile, cells, octaves, seed) - 0.5, Unit(x, y, seed + 7) - 0.5)};
    });
    return pic;
}

double Smooth(double t) {
    t = std::clamp(t, 0.0, 1.0);
    return t * t * (3 - 2 * t);
}

// Base colour with soft patches of lighter and darker tone and a fine grain.
Picture Mottled(Rgb base, double patches, double grain, int cells, uint32_t seed) {
    return Noisy(cells, 4, seed,
                 [&](int, int, double n, double g) { return Shade(base, n * patches * 2 + g * grain); });
}

void Sparkle(cairo_t* cr, int points, double outer, double inner, Rgb c) {
    Star(cr, 0, 0, points, outer, inner);
    SetColor(cr, c, 0.9);
    cairo_fill(cr);
}

Picture Sand(Rgb base, bool ripples, uint32_t seed) {
    Picture pic = Noisy(4, 4, seed, [&](int x, int y, double n, double g) {
        double r = 0;
        if (ripples) {
            const double warp = TileFbm(x, y, kTile, 2, 2, seed + 3) * 6;
            r = std::sin(2 * M_PI * (y * 10.0 / kTile + warp + x * 1.0 / kTile)) * 0.05;
        }
        return Shade(base, n * 0.22 + r + g * 0.08);
    });
    Scatter(pic, seed, 60, [&](cairo_t* cr, Dice d) {
        const double r = d.Uniform(0.6, 1.4);
        cairo_arc(cr, 0, 0, r, 0, 2 * M_PI);
        SetColor(cr, d.Int(0, 1) ? Shade(base, 0.45) : Shade(base, -0.35), 0.8);
        cairo_fill(cr);
    });
    return pic;
}

Picture Grass(uint32_t seed) {
    const Rgb base = Hex(0x5DA548);
    Picture pic = Mottled(base, 0.16, 0.06, 4, seed);
    cairo_set_line_cap(pic.cr(), CAIRO_LINE_CAP_ROUND);
    Scatter(pic, seed, 700, [&](cairo_t* cr, Dice d) {
        cairo_move_to(cr, 0, 0);
        cairo_line_to(cr, d.Uniform(-2, 2), -d.Uniform(3, 6));
        SetColor(cr, d.Int(0, 2) ? Shade(base, -0.22) : Shade(base, 0.25), 0.75);
        cairo_set_line_width(cr, 1.1);
        cairo_stroke(cr);
    });
    Scatter(pic, seed + 1, 14,
            [](cairo_t* cr, Dice d) { Sparkle(cr, 5, 2.2, 1.1, d.Int(0, 1) ? Hex(0xFFF3A0) : Hex(0xFFFFFF)); });
    return pic;
}

Picture Snow(uint32_t seed) {
    const Rgb base = Hex(0xEEF4FA);
    Picture pic = Noisy(3, 4, seed, [&](int, int, double n, double g) {
        return Mix(Shade(base, g * 0.03), Hex(0xB9D3EA), std::max(0.0, -n) * 1.1);
    });
    Scatter(pic, seed, 40, [](cairo_t* cr, Dice) { Sparkle(cr, 4, 2.2, 0.5, Hex(0xFFFFFF)); });
    return pic;
}

Picture Paving(uint32_t seed) {
    const Rgb base = Hex(0xB9B4AA);
    Picture pic = Mottled(base, 0.08, 0.06, 4, seed);
    cairo_t* cr = pic.cr();
    Dice dice(seed);
    for (int j = 0; j < 4; ++j) {
        for (int i = 0; i < 4; ++i) {
            const double x = i * 64, y = j * 64;
            cairo_rectangle(cr, x + 1, y + 1, 62, 62);
            SetColor(cr, Shade(base, dice.Uniform(-0.06, 0.06)), 0.5);
            cairo_fill(cr);
            cairo_rectangle(cr, x + 1.5, y + 1.5, 61, 61);
            SetColor(cr, Hex(0xFFFFFF), 0.25);
            cairo_set_line_width(cr, 1);
            cairo_stroke(cr);
        }
    }
    SetColor(cr, Shade(base, -0.4), 0.8);
    cairo_set_line_width(cr, 1.5);
    for (int k = 0; k <= 4; ++k) {
        cairo_move_to(cr, k * 64, 0);
        cairo_line_to(cr, k * 64, kTile);
        cairo_move_to(cr, 0, k * 64);
        cairo_line_to(cr, kTile, k * 64);
    }
    cairo_stroke(cr);
    return pic;
}

Picture Dirt(uint32_t seed) {
    Picture pic = Mottled(Hex(0x9C7248), 0.2, 0.1, 5, seed);
    Scatter(pic, seed, 90, [](cairo_t* cr, Dice d) {
        const double r = d.Uniform(1, 2.6);
        Ball(cr, 0, 0, r, Shade(Hex(0x9A8E80), d.Uniform(-0.2, 0.25)), 0.5);
    });
    return pic;
}

Picture Ice(uint32_t seed) {
    const Rgb base = Hex(0x9FD4F0);
    Picture pic = Noisy(3, 4, seed, [&](int x, int y, double n, double) {
        const double streak = std::pow(std::abs(std::sin(2 * M_PI * ((x + y) * 3.0 / kTile + n))), 12);
        return Shade(base, n * 0.35 + streak * 0.35);
    });
    Scatter(pic, seed, 7, [](cairo_t* cr, Dice d) {
        // A crack: a short random walk.
        double px = 0, py = 0;
        cairo_move_to(cr, 0, 0);
        for (int k = 0; k < 5; ++k) {
            px += d.Uniform(-14, 14);
            py += d.Uniform(-14, 14);
            cairo_line_to(cr, px, py);
        }
        SetColor(cr, Hex(0xFFFFFF), 0.7);
        cairo_set_line_width(cr, 1);
        cairo_stroke(cr);
    });
    return pic;
}

Picture Asphalt(uint32_t seed) {
    const Rgb base = Hex(0x55585E);
    return Noisy(4, 3, seed, [&](int, int, double n, double g) {
        return Shade(base, n * 0.18 + (g > 0.43 ? 0.18 : g < -0.43 ? -0.2 : 0));
    });
}

Picture Water(uint32_t seed) {
    const Rgb deep = Hex(0x1F7FC4), light = Hex(0x6FD0F2);
    return Noisy(3, 3, seed, [&](int x, int y, double n, double) {
        const double ridge = 1 - std::abs(TileFbm(x, y, kTile, 4, 3, seed + 11) - 0.5) * 2;
        return Mix(Mix(deep, Shade(deep, -0.2), n + 0.5), light, std::pow(ridge, 8) * 0.8);
    });
}

// Soft edge: 0 at the border, 1 from `soft` pixels in, with a little noise
// so layered pieces do not show straight seams.
double Edge(double distance, double soft, double wobble) { return Smooth((distance + wobble) / soft); }

Picture RoundPatch(const Picture& tile, int size, uint32_t seed) {
    Picture pic(size, size);
    cairo_set_source_surface(pic.cr(), tile.surface(), 0, 0);
    cairo_pattern_set_extend(cairo_get_source(pic.cr()), CAIRO_EXTEND_REPEAT);
    cairo_paint(pic.cr());
    const double c = size / 2.0;
    MaskPixels(pic, [&](int x, int y) {
        const double d = c - std::hypot(x + 0.5 - c, y + 0.5 - c);
        return Edge(d, size * 0.14, (TileNoise(x / 9.0, y / 9.0, 64, seed) - 0.5) * 8);
    });
    return pic;
}

// A straight piece running along x (horizontal) or y; it repeats seamlessly
// along its length.
Picture StraightPiece(const Picture& tile, bool horizontal, int across, uint32_t seed, bool kerbs) {
    const int w = horizontal ? kTile : across, h = horizontal ? across : kTile;
    Picture pic(w, h);
    cairo_set_source_surface(pic.cr(), tile.surface(), 0, 0);
    cairo_pattern_set_extend(cairo_get_source(pic.cr()), CAIRO_EXTEND_REPEAT);
    cairo_paint(pic.cr());
    cairo_t* cr = pic.cr();
    if (kerbs) {
        // Red and white kerbs along both sides, a dashed centre line.
        for (int side = 0; side < 2; ++side) {
            for (int k = 0; k < kTile / 32; ++k) {
                const double along = k * 32, off = side ? across - 14 : 0;
                if (horizontal) {
                    cairo_rectangle(cr, along, off, 32, 14);
                } else {
                    cairo_rectangle(cr, off, along, 14, 32);
                }
                SetColor(cr, k % 2 ? Hex(0xF4F4F4) : Hex(0xD8332C));
                cairo_fill(cr);
            }
        }
        for (int k = 0; k < kTile / 64; ++k) {
            if (horizontal) {
                cairo_rectangle(cr, k * 64 + 16, across / 2.0 - 3, 32, 6);
            } else {
                cairo_rectangle(cr, across / 2.0 - 3, k * 64 + 16, 6, 32);
            }
            SetColor(cr, Hex(0xF2F2EA), 0.85);
            cairo_fill(cr);
        }
        return pic;
    }
    MaskPixels(pic, [&](int x, int y) {
        const double along = horizontal ? x : y, pos = horizontal ? y : x;
        const double d = std::min(pos + 0.5, across - pos - 0.5);
        return Edge(d, across * 0.2, (TileNoise(along / 10.0, d / 10.0, kTile / 10 + 1, seed) - 0.5) * 8);
    });
    return pic;
}

Picture StartLine() {
    constexpr int kCell = 8, kCols = 4, kRows = 24;
    Picture pic(kCell * kCols, kCell * kRows);
    cairo_t* cr = pic.cr();
    for (int j = 0; j < kRows; ++j) {
        for (int i = 0; i < kCols; ++i) {
            cairo_rectangle(cr, i * kCell, j * kCell, kCell, kCell);
            SetColor(cr, (i + j) % 2 ? Hex(0x202226) : Hex(0xF6F6F2));
            cairo_fill(cr);
        }
    }
    MaskPixels(pic, [&](int x, int y) {
        const double worn = 0.85 + 0.15 * Unit(x / 2, y / 2, 99);
        const double d = std::min(y + 0.5, pic.height() - y - 0.5);
        return worn * Smooth(d / 24.0);
    });
    return pic;
}

struct Landscape {
    const char* ground;
    const char* track;
    bool kerbs;  // the straight pieces of the track have kerbs and hard edges
};

constexpr Landscape kLandscapes[] = {
    {"lnd_sand", "lnd_wetsand", false},
    {"lnd_grass", "lnd_dirt", false},
    {"lnd_snow", "lnd_ice", false},
    {"lnd_pave", "lnd_road", true},
};

// Two by two copies of a tile on the sheet, to show that it has no seams.
void AddTiledToSheet(ArtOutput& out, const std::string& name, const Picture& tile) {
    Picture pic(2 * kTile, 2 * kTile);
    cairo_set_source_surface(pic.cr(), tile.surface(), 0, 0);
    cairo_pattern_set_extend(cairo_get_source(pic.cr()), CAIRO_EXTEND_REPEAT);
    cairo_paint(pic.cr());
    out.AddToSheet("landscapes-tiled", name, pic);
}

}  // namespace

Picture GroundTile(int landscape, int kind) {
    const uint32_t seed = 100 + landscape * 10 + kind;
    switch (landscape * 2 + kind) {
        case 0: return Sand(Hex(0xEED8A4), true, seed);
        case 1: return Sand(Hex(0xC9A470), false, seed);
        case 2: return Grass(seed);
        case 3: return Dirt(seed);
        case 4: return Snow(seed);
        case 5: return Ice(seed);
        case 6: return Paving(seed);
        default: return Asphalt(seed);
    }
}

void MakeLandscapes(ArtOutput& out) {
    constexpr int kAcross = 192;
    for (int i = 0; i < 4; ++i) {
        const Landscape& l = kLandscapes[i];
        const std::string track = l.track;
        const Picture ground = GroundTile(i, 0), surface = GroundTile(i, 1);
        AddTiledToSheet(out, l.ground, ground);
        AddTiledToSheet(out, l.track, surface);
        out.Save("gfx/obj", std::string(l.ground) + "1", ground, "landscapes");
        out.Save("gfx/obj", track + "1", RoundPatch(surface, kAcross, 7 + i), "landscapes");
        out.Save("gfx/obj", track + "_h1", StraightPiece(surface, true, kAcross, 3 + i, l.kerbs), "landscapes");
        out.Save("gfx/obj", track + "_v1", StraightPiece(surface, false, kAcross, 5 + i, l.kerbs), "landscapes");
        for (const std::string& name : {std::string(l.ground), track, track + "_h", track + "_v"}) {
            out.AddPlaceable(name);
        }
    }
    out.Save("gfx/obj", "lnd_water1", Water(77), "landscapes");
    out.Save("gfx/obj", "lnd_start1", StartLine(), "landscapes");
    out.AddPlaceable("lnd_water");
    out.AddPlaceable("lnd_start");
}
