#include "paint.h"

#include <pango/pangocairo.h>

#include <algorithm>
#include <cmath>
#include <utility>

Rgb Hex(uint32_t rrggbb) {
    return {((rrggbb >> 16) & 0xFF) / 255.0, ((rrggbb >> 8) & 0xFF) / 255.0, (rrggbb & 0xFF) / 255.0};
}

Rgb Mix(Rgb a, Rgb b, double t) { return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t}; }

Rgb Shade(Rgb c, double amount) { return amount >= 0 ? Mix(c, Rgb{1, 1, 1}, amount) : Mix(c, Rgb{0, 0, 0}, -amount); }

Rgb Grey(double level) { return {level, level, level}; }

void SetColor(cairo_t* cr, Rgb c, double alpha) { cairo_set_source_rgba(cr, c.r, c.g, c.b, alpha); }

void SetGradient(cairo_t* cr, double x0, double y0, double x1, double y1, std::initializer_list<Stop> stops) {
    cairo_pattern_t* p = cairo_pattern_create_linear(x0, y0, x1, y1);
    for (const Stop& s : stops) cairo_pattern_add_color_stop_rgba(p, s.at, s.c.r, s.c.g, s.c.b, s.alpha);
    cairo_set_source(cr, p);
    cairo_pattern_destroy(p);
}

// ------------------------------------------------------------- Picture

Picture::Picture(int width, int height) : Picture(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height)) {}

Picture::Picture(cairo_surface_t* surface)
    : surface_(surface),
      cr_(cairo_create(surface)),
      width_(cairo_image_surface_get_width(surface)),
      height_(cairo_image_surface_get_height(surface)) {}

Picture::~Picture() {
    if (cr_) cairo_destroy(cr_);
    if (surface_) cairo_surface_destroy(surface_);
}

Picture::Picture(Picture&& other) noexcept { *this = std::move(other); }

Picture& Picture::operator=(Picture&& other) noexcept {
    std::swap(surface_, other.surface_);
    std::swap(cr_, other.cr_);
    std::swap(width_, other.width_);
    std::swap(height_, other.height_);
    return *this;
}

// ------------------------------------------------------------- shapes

void RoundedRect(cairo_t* cr, double x, double y, double w, double h, double r) {
    r = std::min({r, w / 2, h / 2});
    cairo_new_sub_path(cr);
    cairo_arc(cr, x + w - r, y + r, r, -M_PI / 2, 0);
    cairo_arc(cr, x + w - r, y + h - r, r, 0, M_PI / 2);
    cairo_arc(cr, x + r, y + h - r, r, M_PI / 2, M_PI);
    cairo_arc(cr, x + r, y + r, r, M_PI, 3 * M_PI / 2);
    cairo_close_path(cr);
}

void Ellipse(cairo_t* cr, double cx, double cy, double rx, double ry) {
    cairo_save(cr);
    cairo_translate(cr, cx, cy);
    cairo_scale(cr, rx, ry);
    cairo_new_sub_path(cr);
    cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
    cairo_restore(cr);
}

void Polygon(cairo_t* cr, std::initializer_list<Point> points) {
    cairo_new_path(cr);
    for (const Point& p : points) cairo_line_to(cr, p.x, p.y);
    cairo_close_path(cr);
}

void Star(cairo_t* cr, double cx, double cy, int points, double outer, double inner, double turn) {
    cairo_new_sub_path(cr);
    for (int i = 0; i < points * 2; ++i) {
        const double a = turn - M_PI / 2 + i * M_PI / points;
        const double r = i % 2 ? inner : outer;
        cairo_line_to(cr, cx + r * std::cos(a), cy + r * std::sin(a));
    }
    cairo_close_path(cr);
}

void LitFill(cairo_t* cr, Rgb base, double x0, double y0, double x1, double y1, double contrast) {
    SetGradient(cr, x0, y0, x1, y1, {{0, Shade(base, contrast)}, {0.5, base}, {1, Shade(base, -contrast)}});
    cairo_fill(cr);
}

void Outline(cairo_t* cr, Rgb base, double lineWidth, double alpha) {
    SetColor(cr, Shade(base, -0.55), alpha);
    cairo_set_line_width(cr, lineWidth);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_stroke_preserve(cr);
}

void LitFillOutlined(cairo_t* cr, Rgb base, double x0, double y0, double x1, double y1, double lineWidth,
                     double contrast) {
    cairo_path_t* path = cairo_copy_path(cr);
    LitFill(cr, base, x0, y0, x1, y1, contrast);
    cairo_append_path(cr, path);
    cairo_path_destroy(path);
    Outline(cr, base, lineWidth);
    cairo_new_path(cr);
}

void Ball(cairo_t* cr, double cx, double cy, double r, Rgb base, double lineWidth) {
    cairo_pattern_t* p = cairo_pattern_create_radial(cx - 0.35 * r, cy - 0.4 * r, 0, cx, cy, r);
    const Rgb hi = Shade(base, 0.45), lo = Shade(base, -0.35);
    cairo_pattern_add_color_stop_rgb(p, 0, hi.r, hi.g, hi.b);
    cairo_pattern_add_color_stop_rgb(p, 0.4, base.r, base.g, base.b);
    cairo_pattern_add_color_stop_rgb(p, 1, lo.r, lo.g, lo.b);
    cairo_new_path(cr);
    cairo_arc(cr, cx, cy, r, 0, 2 * M_PI);
    cairo_set_source(cr, p);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(p);
    if (lineWidth > 0) Outline(cr, base, lineWidth);
    cairo_new_path(cr);
}

void Cylinder(cairo_t* cr, double cx, double footY, double rx, double height, Rgb base, double squash) {
    const double ry = rx * squash, topY = footY - height;
    // Side: lit on the left, in shade on the right.
    cairo_new_path(cr);
    cairo_move_to(cr, cx - rx, topY);
    cairo_line_to(cr, cx - rx, footY);
    cairo_save(cr);
    cairo_translate(cr, cx, footY);
    cairo_scale(cr, rx, ry);
    cairo_arc_negative(cr, 0, 0, 1, M_PI, 0);
    cairo_restore(cr);
    cairo_line_to(cr, cx + rx, topY);
    cairo_close_path(cr);
    SetGradient(cr, cx - rx, 0, cx + rx, 0, {{0, base}, {0.3, Shade(base, 0.15)}, {1, Shade(base, -0.4)}});
    cairo_fill_preserve(cr);
    Outline(cr, base);
    cairo_new_path(cr);
    // Top.
    Ellipse(cr, cx, topY, rx, ry);
    LitFillOutlined(cr, Shade(base, 0.2), cx - rx, topY - ry, cx + rx, topY + ry);
}

void Block(cairo_t* cr, double cx, double footY, double width, double depth, double height, Rgb top, Rgb front) {
    const double x = cx - width / 2;
    cairo_new_path(cr);
    cairo_rectangle(cr, x, footY - height, width, height);
    LitFillOutlined(cr, front, x, footY - height, x + width * 0.3, footY, 1.5, 0.15);
    cairo_rectangle(cr, x, footY - height - depth, width, depth);
    LitFillOutlined(cr, top, x, footY - height - depth, x + width, footY - height, 1.5, 0.2);
}

void Glow(cairo_t* cr, double cx, double cy, double r, Rgb c, double alpha) {
    cairo_pattern_t* p = cairo_pattern_create_radial(cx, cy, 0, cx, cy, r);
    cairo_pattern_add_color_stop_rgba(p, 0, c.r, c.g, c.b, alpha);
    cairo_pattern_add_color_stop_rgba(p, 0.4, c.r, c.g, c.b, alpha * 0.45);
    cairo_pattern_add_color_stop_rgba(p, 1, c.r, c.g, c.b, 0);
    cairo_set_source(cr, p);
    cairo_new_path(cr);
    cairo_arc(cr, cx, cy, r, 0, 2 * M_PI);
    cairo_fill(cr);
    cairo_pattern_destroy(p);
}

// ------------------------------------------------------------- noise

uint32_t Hash(uint32_t a, uint32_t b, uint32_t c) {
    uint32_t h = a * 0x8da6b343u ^ b * 0xd8163841u ^ c * 0xcb1ab31fu;
    h ^= h >> 16;
    h *= 0x7feb352du;
    h ^= h >> 15;
    h *= 0x846ca68bu;
    h ^= h >> 16;
    return h;
}

double Unit(uint32_t a, uint32_t b, uint32_t c) { return (Hash(a, b, c) & 0xFFFFFF) / double(0xFFFFFF); }

double TileNoise(double x, double y, int period, uint32_t seed) {
    const double fx = std::floor(x), fy = std::floor(y);
    const double tx = x - fx, ty = y - fy;
    const auto wrap = [period](double v) {
        const int i = static_cast<int>(v) % period;
        return static_cast<uint32_t>(i < 0 ? i + period : i);
    };
    const uint32_t x0 = wrap(fx), y0 = wrap(fy), x1 = wrap(fx + 1), y1 = wrap(fy + 1);
    const double sx = tx * tx * (3 - 2 * tx), sy = ty * ty * (3 - 2 * ty);
    const double a = Unit(x0, y0, seed), b = Unit(x1, y0, seed);
    const double c = Unit(x0, y1, seed), d = Unit(x1, y1, seed);
    return (a + (b - a) * sx) * (1 - sy) + (c + (d - c) * sx) * sy;
}

double TileFbm(double x, double y, int size, int cells, int octaves, uint32_t seed) {
    double sum = 0, weight = 0, amp = 1;
    for (int o = 0; o < octaves; ++o) {
        const int period = cells << o;
        const double scale = static_cast<double>(period) / size;
        sum += amp * TileNoise(x * scale, y * scale, period, seed + 977u * o);
        weight += amp;
        amp *= 0.5;
    }
    return sum / weight;
}

uint32_t Dice::Next() {
    state_ ^= state_ << 13;
    state_ ^= state_ >> 17;
    state_ ^= state_ << 5;
    return state_;
}

double Dice::Uniform(double lo, double hi) { return lo + (hi - lo) * ((Next() & 0xFFFFFF) / double(0x1000000)); }

int Dice::Int(int lo, int hi) { return lo + static_cast<int>(Next() % static_cast<uint32_t>(hi - lo + 1)); }

// ------------------------------------------------------------- pictures

void ForEachPixel(const Picture& picture, const std::function<void(int x, int y, uint32_t& argb)>& visit) {
    cairo_surface_flush(picture.surface());
    unsigned char* data = cairo_image_surface_get_data(picture.surface());
    const int stride = cairo_image_surface_get_stride(picture.surface());
    for (int y = 0; y < picture.height(); ++y) {
        uint32_t* row = reinterpret_cast<uint32_t*>(data + static_cast<size_t>(y) * stride);
        for (int x = 0; x < picture.width(); ++x) visit(x, y, row[x]);
    }
    cairo_surface_mark_dirty(picture.surface());
}

Picture CropToFoot(const Picture& picture, int footX, int footY) {
    int minX = picture.width(), maxX = -1, minY = footY;
    ForEachPixel(picture, [&](int x, int y, uint32_t& p) {
        if (y < footY && (p >> 24) > 8) {
            minX = std::min(minX, x);
            maxX = std::max(maxX, x);
            minY = std::min(minY, y);
        }
    });
    const int half = std::max({1, footX - minX, maxX + 1 - footX});
    Picture out(2 * half, std::max(1, footY - minY));
    cairo_set_source_surface(out.cr(), picture.surface(), half - footX, -minY);
    cairo_paint(out.cr());
    return out;
}

namespace {

PangoLayout* MakeLayout(cairo_t* cr, const std::string& text, const std::string& face, int width, int align) {
    cairo_font_options_t* options = cairo_font_options_create();
    cairo_font_options_set_antialias(options, CAIRO_ANTIALIAS_GRAY);
    cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_SLIGHT);
    cairo_set_font_options(cr, options);
    cairo_font_options_destroy(options);
    PangoLayout* layout = pango_cairo_create_layout(cr);
    PangoFontDescription* desc = pango_font_description_from_string(face.c_str());
    pango_layout_set_font_description(layout, desc);
    pango_font_description_free(desc);
    if (width > 0) {
        pango_layout_set_width(layout, width * PANGO_SCALE);
        pango_layout_set_wrap(layout, PANGO_WRAP_WORD);
        pango_layout_set_alignment(layout, align == 1 ? PANGO_ALIGN_CENTER : PANGO_ALIGN_LEFT);
    }
    pango_layout_set_markup(layout, text.c_str(), -1);
    return layout;
}

TextSize SizeOf(PangoLayout* layout) {
    PangoRectangle logical;
    pango_layout_get_pixel_extents(layout, nullptr, &logical);
    return {logical.width, logical.height};
}

}  // namespace

TextSize MeasureText(const std::string& text, const std::string& face, int width) {
    Picture scratch(1, 1);
    PangoLayout* layout = MakeLayout(scratch.cr(), text, face, width, 0);
    const TextSize size = SizeOf(layout);
    g_object_unref(layout);
    return size;
}

TextSize DrawText(cairo_t* cr, const std::string& text, const std::string& face, double x, double y, Rgb colour,
                  double alpha, int width, int align) {
    PangoLayout* layout = MakeLayout(cr, text, face, width, align);
    SetColor(cr, colour, alpha);
    cairo_move_to(cr, x, y);
    pango_cairo_show_layout(cr, layout);
    cairo_new_path(cr);
    const TextSize size = SizeOf(layout);
    g_object_unref(layout);
    return size;
}

void DrawOutlinedText(cairo_t* cr, const std::string& text, const std::string& face, double x, double y, Rgb fill,
                      Rgb edge, double edgeWidth) {
    PangoLayout* layout = MakeLayout(cr, text, face, -1, 0);
    const TextSize size = SizeOf(layout);
    cairo_save(cr);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    // Soft drop shadow down and to the right, away from the light.
    for (int i = 3; i >= 1; --i) {
        cairo_new_path(cr);
        cairo_move_to(cr, x + edgeWidth * 0.6 * i, y + edgeWidth * 0.8 * i);
        pango_cairo_layout_path(cr, layout);
        cairo_set_source_rgba(cr, 0, 0, 0, 0.12);
        cairo_set_line_width(cr, edgeWidth * 2);
        cairo_stroke(cr);
    }
    cairo_new_path(cr);
    cairo_move_to(cr, x, y);
    pango_cairo_layout_path(cr, layout);
    SetColor(cr, edge);
    cairo_set_line_width(cr, edgeWidth * 2);
    cairo_stroke_preserve(cr);
    SetGradient(cr, 0, y, 0, y + size.height, {{0.2, Shade(fill, 0.45)}, {0.55, fill}, {0.85, Shade(fill, -0.2)}});
    cairo_fill(cr);
    cairo_restore(cr);
    g_object_unref(layout);
}
