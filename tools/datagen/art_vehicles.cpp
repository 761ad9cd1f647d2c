// The four vehicles in 16 directions. Each is a small model of slabs
// (shapes with a bottom and a top height) drawn slice by slice from the
// ground up, so every frame shows the top and a little of the south side
// from the same slight angle. Two pictures per frame: `_wh` holds wheels,
// chassis, glass and lights; `_tp` holds only the body paint in greys, which
// the game tints with the player's colour and draws over `_wh`.
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "art.h"

namespace {

constexpr int kSize = 64;
constexpr double kCentreX = 32, kCentreY = 36;  // footprint centre in the frame
constexpr double kRise = 0.55;                  // screen pixels up per unit of height
constexpr double kSlice = 0.5;
constexpr double kScale = 0.9;  // model units to screen pixels

enum class Mat { Paint, Dark, Tyre, Glass, Chrome, Head, Tail, Metal };

struct Pt {
    double u, v;  // u forward, v to the vehicle's right
};

struct Part {
    std::vector<Pt> outline;  // closed polygon; empty for a rounded box
    double u = 0, v = 0, len = 0, wid = 0, round = 0;
    double z0 = 0, z1 = 0;
    Mat mat = Mat::Paint;
    double grey = 0.9;  // lightness of paint
    bool treads = false;
};

Part Box(double u, double v, double len, double wid, double round, double z0, double z1, Mat mat, double grey = 0.9) {
    return Part{.outline = {},
                .u = u,
                .v = v,
                .len = len,
                .wid = wid,
                .round = round,
                .z0 = z0,
                .z1 = z1,
                .mat = mat,
                .grey = grey};
}

Part Poly(std::vector<Pt> outline, double z0, double z1, Mat mat, double grey = 0.9) {
    return Part{.outline = std::move(outline), .z0 = z0, .z1 = z1, .mat = mat, .grey = grey};
}

Part Tyre(double u, double v, double len, double wid, double height = 7) {
    Part p = Box(u, v, len, wid, 2, 0, height, Mat::Tyre);
    p.treads = true;
    return p;
}

// Four wheels at (±du, ±dv).
void Wheels(std::vector<Part>& m, double duFront, double duRear, double dv, double len, double wid) {
    for (double side : {-1.0, 1.0}) {
        m.push_back(Tyre(duFront, side * dv, len, wid));
        m.push_back(Tyre(-duRear, side * dv, len, wid));
    }
}

std::vector<Part> Jeep() {
    std::vector<Part> m;
    Wheels(m, 14, 14, 12.5, 12, 7);
    m.push_back(Box(0, 0, 44, 22, 2, 2, 6, Mat::Dark));
    m.push_back(Tyre(-24, 0, 5, 12, 14));  // spare wheel on the tailgate
    m.push_back(Box(0, 0, 44, 26, 4, 5, 11, Mat::Paint, 0.9));
    m.push_back(Box(23, 0, 3, 27, 1, 3, 7, Mat::Dark));           // bumper
    m.push_back(Box(12, 0, 17, 20, 3, 11, 11.8, Mat::Paint, 1));  // bonnet
    for (double side : {-1.0, 1.0}) {
        m.push_back(Box(22, side * 9, 2, 5, 1, 7, 10, Mat::Head));
        m.push_back(Box(-22.2, side * 10, 1.5, 4, 0.5, 7, 10, Mat::Tail));
    }
    m.push_back(Box(-6, 0, 19, 21, 2, 10.5, 11.2, Mat::Dark));  // open cab floor
    for (double side : {-1.0, 1.0}) m.push_back(Box(-3, side * 5.5, 6, 8, 2, 11, 13.5, Mat::Metal));
    m.push_back(Box(-13, 0, 6, 18, 2, 11, 13, Mat::Metal));    // rear bench
    m.push_back(Box(3.5, 0, 2, 23, 1, 11, 17, Mat::Glass));    // windscreen
    m.push_back(Box(-9, 0, 2.5, 25, 1, 11, 19, Mat::Chrome));  // roll bar
    return m;
}

std::vector<Part> Saloon() {
    std::vector<Part> m;
    Wheels(m, 15, 15, 11.5, 11, 6);
    m.push_back(Box(0, 0, 50, 26, 8, 3, 10, Mat::Paint, 0.88));
    for (double side : {-1.0, 1.0}) {
        m.push_back(Box(24.2, side * 8, 2, 6, 1, 6, 9, Mat::Head));
        m.push_back(Box(-24.3, side * 8.5, 1.8, 6, 1, 6, 9, Mat::Tail));
    }
    m.push_back(Box(25, 0, 1.6, 18, 0.8, 4, 6, Mat::Chrome));
    m.push_back(Box(-25, 0, 1.6, 18, 0.8, 4, 6, Mat::Chrome));
    m.push_back(Poly({{10, -10}, {10, 10}, {3, 11.5}, {-15, 11.5}, {-18, 9.5}, {-18, -9.5}, {-15, -11.5}, {3, -11.5}},
                     10, 15, Mat::Glass));
    m.push_back(Box(-5, 0, 14, 19, 4, 15, 16.5, Mat::Paint, 1));    // roof
    m.push_back(Box(15, 0, 9, 18, 3, 10, 10.6, Mat::Paint, 0.97));  // bonnet crease
    return m;
}

std::vector<Part> Tank() {
    std::vector<Part> m;
    for (double side : {-1.0, 1.0}) {
        Part track = Box(0, side * 12.5, 47, 9, 3, 0, 7, Mat::Metal);
        track.treads = true;
        m.push_back(track);
    }
    m.push_back(Poly({{23, -9}, {23, 9}, {19, 12}, {-22, 12}, {-23, 10}, {-23, -10}, {-22, -12}, {19, -12}}, 3, 9.5,
                     Mat::Paint, 0.72));
    for (double side : {-1.0, 1.0}) m.push_back(Box(21, side * 7, 1.5, 4, 0.5, 7, 9, Mat::Head));
    m.push_back(Box(-20, 0, 4, 14, 1, 9.5, 10.5, Mat::Dark));  // engine grille
    m.push_back(Box(-3, 0, 20, 19, 8, 9.5, 14.5, Mat::Paint, 0.92));
    m.push_back(Box(-7, 4, 5, 5, 2.5, 14.5, 15.5, Mat::Dark));     // hatch
    m.push_back(Box(15, 0, 22, 3.6, 1.5, 11.5, 13.8, Mat::Dark));  // gun barrel
    m.push_back(Box(25.5, 0, 3, 5, 1, 11, 14.2, Mat::Dark));       // muzzle
    return m;
}

std::vector<Part> Turbo() {
    std::vector<Part> m;
    for (double side : {-1.0, 1.0}) {
        m.push_back(Tyre(16, side * 11.5, 10, 6, 6));
        m.push_back(Tyre(-15, side * 12, 12, 8, 7));
    }
    m.push_back(Box(26, 0, 3, 26, 1, 1.5, 3.5, Mat::Dark));  // front wing
    m.push_back(Poly({{27, -4},
                      {27, 4},
                      {20, 8},
                      {8, 9},
                      {-4, 13},
                      {-22, 13},
                      {-25, 10},
                      {-25, -10},
                      {-22, -13},
                      {-4, -13},
                      {8, -9},
                      {20, -8}},
                     2, 7, Mat::Paint, 0.86));
    m.push_back(Box(4, 0, 40, 5, 2, 7, 7.4, Mat::Paint, 1));  // racing stripe
    for (double side : {-1.0, 1.0}) {
        m.push_back(Box(21, side * 5, 2.5, 3, 1, 5, 7, Mat::Head));
        m.push_back(Box(-22, side * 6, 2, 2, 1, 7, 10, Mat::Dark));  // wing posts
    }
    m.push_back(Box(-3, 0, 15, 11, 5.5, 7, 10.5, Mat::Glass));
    m.push_back(Box(-23.5, 0, 5, 29, 1.5, 10, 11.5, Mat::Paint, 0.98));  // spoiler
    return m;
}

Rgb MatColour(Mat mat) {
    switch (mat) {
        case Mat::Paint: return Hex(0x4A4A4E);
        case Mat::Dark: return Hex(0x3C3E44);
        case Mat::Tyre: return Hex(0x242426);
        case Mat::Glass: return Hex(0x6FA8D8);
        case Mat::Chrome: return Hex(0xC9CED6);
        case Mat::Head: return Hex(0xFFF4B8);
        case Mat::Tail: return Hex(0xE0302A);
        case Mat::Metal: return Hex(0x5E6268);
    }
    return {};
}

// Paths a part's shape at height z into the current transform's space.
void PartPath(cairo_t* cr, const Part& p) {
    cairo_new_path(cr);
    if (p.outline.empty()) {
        RoundedRect(cr, p.u - p.len / 2, p.v - p.wid / 2, p.len, p.wid, p.round);
        return;
    }
    for (const Pt& q : p.outline) cairo_line_to(cr, q.u, q.v);
    cairo_close_path(cr);
}

struct Frame {
    cairo_matrix_t at(double z) const {
        cairo_matrix_t m;
        const double k = kScale * zoom;
        cairo_matrix_init(&m, fx * k, fy * k, -fy * k, fx * k, kCentreX * zoom + dx,
                          (kCentreY - z * kRise) * zoom + dy);
        return m;
    }
    double fx, fy;  // forward direction on screen
    double zoom;
    double dx = 0, dy = 0;  // where the frame's top left lies on the surface
};

Rgb Times(Rgb a, Rgb b) { return {a.r * b.r, a.g * b.g, a.b * b.b}; }

// `paintPass`: draw the paint in greys and cut everything else out of it;
// otherwise draw everything in its own colours, the paint too when `tint`
// is given (the greys of the paint times the tint, as the game colours it).
void DrawPart(cairo_t* cr, const Part& p, const Frame& f, bool paintPass, const Rgb* tint = nullptr) {
    const bool isPaint = p.mat == Mat::Paint;
    if (paintPass && !isPaint) {
        cairo_set_operator(cr, CAIRO_OPERATOR_CLEAR);
    } else {
        cairo_set_operator(cr, CAIRO_OPERATOR_OVER);
    }
    const bool greys = paintPass || (tint && isPaint);
    const Rgb tone = tint && isPaint ? *tint : Rgb{1, 1, 1};
    const Rgb base = greys ? Times(Grey(p.grey), tone) : MatColour(p.mat);
    const Rgb edge = greys ? Times(Grey(p.grey * 0.45), tone) : Shade(base, -0.6);
    // The sides: stacked slices, each outlined, so the outer edge of the
    // whole stack keeps a clean dark line.
    for (double z = p.z0; z < p.z1; z += kSlice) {
        const cairo_matrix_t m = f.at(z);
        cairo_save(cr);
        cairo_set_matrix(cr, &m);
        PartPath(cr, p);
        cairo_restore(cr);
        const double t = (z - p.z0) / std::max(1.0, p.z1 - p.z0);
        SetColor(cr, Shade(base, -0.42 + 0.15 * t));
        cairo_fill_preserve(cr);
        SetColor(cr, edge);
        cairo_set_line_width(cr, 1.1);
        cairo_stroke(cr);
    }
    // The top, lit from the top left of the screen.
    const cairo_matrix_t m = f.at(p.z1);
    cairo_save(cr);
    cairo_set_matrix(cr, &m);
    PartPath(cr, p);
    cairo_restore(cr);
    double x0, y0, x1, y1;
    cairo_path_extents(cr, &x0, &y0, &x1, &y1);
    cairo_path_t* path = cairo_copy_path(cr);
    Rgb top = base;
    if (p.mat == Mat::Glass) top = Shade(base, 0.1);
    LitFill(cr, top, x0, y0, x1, y1, p.mat == Mat::Glass ? 0.45 : 0.22);
    cairo_append_path(cr, path);
    cairo_path_destroy(path);
    SetColor(cr, edge, 0.9);
    cairo_set_line_width(cr, 0.9);
    cairo_stroke(cr);
    if (p.treads && !paintPass) {
        // Cross treads on tyres and tracks.
        cairo_save(cr);
        cairo_set_matrix(cr, &m);
        PartPath(cr, p);
        cairo_clip(cr);
        SetColor(cr, Hex(0x8A8E94), 0.55);
        cairo_set_line_width(cr, 0.8);
        for (double u = p.u - p.len / 2 + 1.5; u < p.u + p.len / 2; u += 3) {
            cairo_move_to(cr, u, p.v - p.wid / 2);
            cairo_line_to(cr, u, p.v + p.wid / 2);
        }
        cairo_restore(cr);
        cairo_stroke(cr);
    }
    cairo_set_operator(cr, CAIRO_OPERATOR_OVER);
}

// The direction a frame faces: frame 1 up, then anticlockwise by 22.5 degrees.
double FrameAngle(int frame) { return (90.0 + (frame - 1) * 22.5) * M_PI / 180.0; }

Picture RenderFrame(const std::vector<Part>& model, int frame, bool paintPass, double zoom = 1) {
    const int size = static_cast<int>(kSize * zoom);
    Picture pic(size, size);
    const double a = FrameAngle(frame);
    const Frame f{std::cos(a), -std::sin(a), zoom};
    for (const Part& p : model) DrawPart(pic.cr(), p, f, paintPass);
    return pic;
}

// True when anything was drawn on the outermost pixels: the frame is too
// small for the model.
bool TouchesEdge(const Picture& pic) {
    cairo_surface_flush(pic.surface());
    const unsigned char* data = cairo_image_surface_get_data(pic.surface());
    const int stride = cairo_image_surface_get_stride(pic.surface());
    for (int y = 0; y < pic.height(); ++y) {
        const uint32_t* row = reinterpret_cast<const uint32_t*>(data + static_cast<size_t>(y) * stride);
        for (int x = 0; x < pic.width(); ++x) {
            const bool border = x == 0 || y == 0 || x == pic.width() - 1 || y == pic.height() - 1;
            if (border && (row[x] >> 24) > 16) return true;
        }
    }
    return false;
}

struct Vehicle {
    const char* name;
    std::vector<Part> model;
    Rgb sample;  // the tint used on the contact sheet
};

const std::vector<Vehicle>& Vehicles() {
    static const std::vector<Vehicle> vehicles = {
        {"jeep", Jeep(), Hex(0x3CB44B)},
        {"car", Saloon(), Hex(0xE03A2F)},
        {"tank", Tank(), Hex(0x87B05F)},
        {"turbo", Turbo(), Hex(0x2F6BE0)},
    };
    return vehicles;
}

// Wheels with the tinted paint over them, as the game shows a car.
Picture Composite(const Picture& wheels, const Picture& paint, Rgb tint) {
    Picture look(wheels.width(), wheels.height());
    cairo_set_source_surface(look.cr(), wheels.surface(), 0, 0);
    cairo_paint(look.cr());
    const Picture tinted = Tinted(paint, tint);
    cairo_set_source_surface(look.cr(), tinted.surface(), 0, 0);
    cairo_paint(look.cr());
    return look;
}

}  // namespace

Picture VehicleLook(const std::string& name, int frame, Rgb tint, double zoom) {
    for (const Vehicle& v : Vehicles()) {
        if (name == v.name) {
            return Composite(RenderFrame(v.model, frame, false, zoom), RenderFrame(v.model, frame, true, zoom), tint);
        }
    }
    return Picture(1, 1);
}

void PaintVehicle(cairo_t* cr, const std::string& name, double degrees, Rgb tint, double zoom, double x, double y) {
    const double a = degrees * M_PI / 180.0;
    const Frame f{std::cos(a), -std::sin(a), zoom, x - kCentreX * zoom, y - kCentreY * zoom};
    for (const Vehicle& v : Vehicles()) {
        if (name != v.name) continue;
        for (const Part& p : v.model) DrawPart(cr, p, f, false, &tint);
    }
}

void MakeVehicles(ArtOutput& out) {
    for (const Vehicle& v : Vehicles()) {
        for (int n = 1; n <= 16; ++n) {
            const Picture wheels = RenderFrame(v.model, n, false);
            const Picture paint = RenderFrame(v.model, n, true);
            if (TouchesEdge(wheels) || TouchesEdge(paint)) {
                std::fprintf(stderr, "kolvetra-datagen: %s frame %d does not fit its picture\n", v.name, n);
            }
            const std::string frame = std::to_string(n);
            out.Save("gfx/obj", std::string(v.name) + "_wh" + frame, wheels, "vehicles-parts");
            out.Save("gfx/obj", std::string(v.name) + "_tp" + frame, paint, "vehicles-parts");
            out.AddToSheet("vehicles", std::string(v.name) + frame, Composite(wheels, paint, v.sample), true);
        }
        out.AddPlaceable(v.name);
    }
}
