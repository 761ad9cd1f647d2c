// Drawing helpers shared by all of the game's pictures: colours, shapes with
// the game's light from the top left, tileable noise, cropping and text.
#pragma once

#include <cairo.h>

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <string>

struct Rgb {
    double r = 0, g = 0, b = 0;
};

// A colour written as 0xRRGGBB, the way artists read it.
Rgb Hex(uint32_t rrggbb);
Rgb Mix(Rgb a, Rgb b, double t);
// amount > 0 lightens towards white, < 0 darkens towards black.
Rgb Shade(Rgb c, double amount);
// The same lightness in grey: the body paint of the cars, tinted by the game.
Rgb Grey(double level);

void SetColor(cairo_t* cr, Rgb c, double alpha = 1.0);

struct Stop {
    double at;
    Rgb c;
    double alpha = 1.0;
};
// Makes a linear gradient from (x0, y0) to (x1, y1) the source.
void SetGradient(cairo_t* cr, double x0, double y0, double x1, double y1, std::initializer_list<Stop> stops);

// An ARGB32 picture with its drawing context.
class Picture {
  public:
    Picture(int width, int height);
    // Takes over a surface (and makes a context for it).
    explicit Picture(cairo_surface_t* surface);
    ~Picture();
    Picture(Picture&& other) noexcept;
    Picture& operator=(Picture&& other) noexcept;
    Picture(const Picture&) = delete;
    Picture& operator=(const Picture&) = delete;

    cairo_t* cr() const { return cr_; }
    cairo_surface_t* surface() const { return surface_; }
    int width() const { return width_; }
    int height() const { return height_; }

  private:
    cairo_surface_t* surface_ = nullptr;
    cairo_t* cr_ = nullptr;
    int width_ = 0, height_ = 0;
};

// ------------------------------------------------------------- shapes

void RoundedRect(cairo_t* cr, double x, double y, double w, double h, double r);
void Ellipse(cairo_t* cr, double cx, double cy, double rx, double ry);
struct Point {
    double x, y;
};
// A closed polygon as a new path.
void Polygon(cairo_t* cr, std::initializer_list<Point> points);
// A regular star or polygon: `points` tips between radii `outer` and `inner`.
void Star(cairo_t* cr, double cx, double cy, int points, double outer, double inner, double turn = 0);

// Fills the current path with `base`, lit from the top left across the box
// (x0, y0)-(x1, y1) in device space, then strokes a clean outline in a darker
// tone. The path is consumed.
void LitFill(cairo_t* cr, Rgb base, double x0, double y0, double x1, double y1, double contrast = 0.25);
void LitFillOutlined(cairo_t* cr, Rgb base, double x0, double y0, double x1, double y1, double lineWidth = 1.5,
                     double contrast = 0.25);
// Strokes the current path (kept) with a darker tone of `base`.
void Outline(cairo_t* cr, Rgb base, double lineWidth = 1.5, double alpha = 0.85);

// A ball lit from the top left with a soft highlight.
void Ball(cairo_t* cr, double cx, double cy, double r, Rgb base, double lineWidth = 1.2);
// A standing cylinder seen from above and a little from the south: foot
// ellipse centred at (cx, footY), top at footY - height.
void Cylinder(cairo_t* cr, double cx, double footY, double rx, double height, Rgb base, double squash = 0.45);
// A box standing on the ground: its south face runs from footY up by
// `height`; its top is `depth` deep (screen pixels) above that.
void Block(cairo_t* cr, double cx, double footY, double width, double depth, double height, Rgb top, Rgb front);
// A soft round glow of colour `c`, fully `alpha` at the middle.
void Glow(cairo_t* cr, double cx, double cy, double r, Rgb c, double alpha);

// ------------------------------------------------------------- noise

uint32_t Hash(uint32_t a, uint32_t b, uint32_t c = 0);
// 0 .. 1 from a hash.
double Unit(uint32_t a, uint32_t b, uint32_t c = 0);

// Smooth value noise in 0 .. 1 that repeats every `period` units in x and y.
double TileNoise(double x, double y, int period, uint32_t seed);
// Several octaves of TileNoise over a tile of `size` pixels, starting with
// `cells` cells across; still repeats every `size` pixels.
double TileFbm(double x, double y, int size, int cells, int octaves, uint32_t seed);

// A small deterministic dice for scattering details.
class Dice {
  public:
    explicit Dice(uint32_t seed) : state_(seed * 2654435761u + 1) {}
    uint32_t Next();
    double Uniform(double lo, double hi);
    int Int(int lo, int hi);  // lo .. hi inclusive

  private:
    uint32_t state_;
};

// ------------------------------------------------------------- pictures

// Visits every pixel as premultiplied ARGB, row by row, and lets `visit`
// change it.
void ForEachPixel(const Picture& picture, const std::function<void(int x, int y, uint32_t& argb)>& visit);

// Crops a picture drawn with its foot at (footX, footY) down to the drawn
// pixels, keeping footX as the middle column and footY as the bottom row, so
// that the game, which stands sprites on their bottom centre, puts the foot
// where the object is.
Picture CropToFoot(const Picture& picture, int footX, int footY);

// Text through pango with a DejaVu face, e.g. "DejaVu Sans Bold 20px". The
// layout's top left goes to (x, y); `width` > 0 wraps and centres (align 1)
// or left-aligns (align 0). Returns the logical size in pixels.
struct TextSize {
    int width = 0, height = 0;
};
TextSize MeasureText(const std::string& text, const std::string& face, int width = -1);
TextSize DrawText(cairo_t* cr, const std::string& text, const std::string& face, double x, double y, Rgb colour,
                  double alpha = 1.0, int width = -1, int align = 0);
// Text with a dark outline and a soft drop shadow, for titles and badges.
void DrawOutlinedText(cairo_t* cr, const std::string& text, const std::string& face, double x, double y, Rgb fill,
                      Rgb edge, double edgeWidth);
