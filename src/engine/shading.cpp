// Shaded copies of lit sprites, laid without the renderer. The software
// renderer draws a sprite with four corner colours as two triangles and
// divides several times for every pixel; the same pixels come from stepping
// each divided value along the row as a quotient and a remainder.
#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdlib>

#include "engine/state.h"

namespace {

// Triangle corners are in half pixels, so pixel centres fall on whole numbers.
constexpr int kHalf = 1;

struct Point {
    int x, y;
};

int Cross(Point a, Point b, int cx, int cy) { return (b.x - a.x) * (cy - a.y) - (b.y - a.y) * (cx - a.x); }

// Pixels on a shared edge belong to one triangle only: the one the edge is
// the top or the left of.
bool TopLeft(Point a, Point b, bool clockwise) {
    if (clockwise) return (a.y == b.y && a.x < b.x) || b.y < a.y;
    return (a.y == b.y && b.x < a.x) || a.y < b.y;
}

// n / area rounded down, for an n growing by a fixed step from pixel to pixel.
class Steps {
  public:
    void Start(int64_t n, int64_t step, int area) {
        area_ = area;
        Split(n, value_, rest_);
        Split(step, stepValue_, stepRest_);
    }
    int Value() const { return value_; }
    void Next() {
        value_ += stepValue_;
        rest_ += stepRest_;
        if (rest_ >= area_) {
            rest_ -= area_;
            ++value_;
        }
    }

  private:
    void Split(int64_t n, int& quotient, int& rest) const {
        int64_t q = n / area_, r = n % area_;
        if (r < 0) {
            r += area_;
            --q;
        }
        quotient = static_cast<int>(q);
        rest = static_cast<int>(r);
    }

    int area_ = 1, value_ = 0, rest_ = 0, stepValue_ = 0, stepRest_ = 0;
};

struct Vertex {
    Point at;      // in half pixels
    Point source;  // source pixel
    SDL_Color colour;
};

// Narrows [first, last) to the pixels k of the row where an edge function
// starting at `at` and growing by `step` stays at or above zero.
void Span(int at, int step, int& first, int& last) {
    if (step > 0) {
        if (at < 0) first = std::max(first, (-at + step - 1) / step);
    } else if (at < 0) {
        last = first;
    } else if (step < 0) {
        last = std::min(last, at / -step + 1);
    }
}

// The source's last row and column are where the texture coordinate 1 lands.
void PullInLastPixel(Vertex (&v)[3]) {
    int minX = v[0].source.x, maxX = minX, minY = v[0].source.y, maxY = minY;
    for (const Vertex& k : v) {
        minX = std::min(minX, k.source.x);
        maxX = std::max(maxX, k.source.x);
        minY = std::min(minY, k.source.y);
        maxY = std::max(maxY, k.source.y);
    }
    for (Vertex& k : v) {
        if (maxX > minX && k.source.x == maxX) --k.source.x;
        if (maxY > minY && k.source.y == maxY) --k.source.y;
    }
}

void LayTriangle(const uint32_t* source, int w, int h, Vertex (&v)[3], uint32_t* out) {
    const Point d0 = v[0].at, d1 = v[1].at, d2 = v[2].at;
    int area = Cross(d0, d1, d2.x, d2.y);
    if (area == 0) return;
    PullInLastPixel(v);

    const int minX = std::min({d0.x, d1.x, d2.x}), maxX = std::max({d0.x, d1.x, d2.x});
    const int minY = std::min({d0.y, d1.y, d2.y}), maxY = std::max({d0.y, d1.y, d2.y});
    const int left = std::max(minX >> kHalf, 0), right = std::min((minX >> kHalf) + ((maxX - minX) >> kHalf), w);
    const int top = std::max(minY >> kHalf, 0), bottom = std::min((minY >> kHalf) + ((maxY - minY) >> kHalf), h);

    const bool clockwise = area > 0;
    area = std::abs(area);
    const int sign = clockwise ? 1 : -1;
    const int e0x = sign * ((d1.y - d2.y) << kHalf), e1x = sign * ((d2.y - d0.y) << kHalf),
              e2x = sign * ((d0.y - d1.y) << kHalf);
    const int e0y = sign * ((d2.x - d1.x) << kHalf), e1y = sign * ((d0.x - d2.x) << kHalf),
              e2y = sign * ((d1.x - d0.x) << kHalf);
    const int px = (left << kHalf) + (1 << kHalf) / 2, py = (top << kHalf) + (1 << kHalf) / 2;
    int w0Row = sign * Cross(d1, d2, px, py), w1Row = sign * Cross(d2, d0, px, py),
        w2Row = sign * Cross(d0, d1, px, py);
    const int bias0 = TopLeft(d1, d2, clockwise) ? 0 : -1, bias1 = TopLeft(d2, d0, clockwise) ? 0 : -1,
              bias2 = TopLeft(d0, d1, clockwise) ? 0 : -1;

    const Point s0 = v[0].source, s1 = v[1].source, s2 = v[2].source;
    const int64_t s20x = s0.x - s2.x, s21x = s1.x - s2.x, s20y = s0.y - s2.y, s21y = s1.y - s2.y;
    const int64_t s2AreaX = static_cast<int64_t>(s2.x) * area, s2AreaY = static_cast<int64_t>(s2.y) * area;

    const SDL_Color c0 = v[0].colour, c1 = v[1].colour, c2 = v[2].colour;
    for (int y = top; y < bottom; ++y, w0Row += e0y, w1Row += e1y, w2Row += e2y) {
        int first = 0, last = right - left;
        Span(w0Row + bias0, e0x, first, last);
        Span(w1Row + bias1, e1x, first, last);
        Span(w2Row + bias2, e2x, first, last);
        if (first >= last) continue;
        const int64_t w0 = w0Row + static_cast<int64_t>(first) * e0x, w1 = w1Row + static_cast<int64_t>(first) * e1x,
                      w2 = w2Row + static_cast<int64_t>(first) * e2x;
        Steps sx, sy, red, green, blue, alpha;
        sx.Start(w0 * s20x + w1 * s21x + s2AreaX, e0x * s20x + e1x * s21x, area);
        sy.Start(w0 * s20y + w1 * s21y + s2AreaY, e0x * s20y + e1x * s21y, area);
        red.Start(w0 * c0.r + w1 * c1.r + w2 * c2.r, int64_t{e0x} * c0.r + e1x * c1.r + e2x * c2.r, area);
        green.Start(w0 * c0.g + w1 * c1.g + w2 * c2.g, int64_t{e0x} * c0.g + e1x * c1.g + e2x * c2.g, area);
        blue.Start(w0 * c0.b + w1 * c1.b + w2 * c2.b, int64_t{e0x} * c0.b + e1x * c1.b + e2x * c2.b, area);
        alpha.Start(w0 * c0.a + w1 * c1.a + w2 * c2.a, int64_t{e0x} * c0.a + e1x * c1.a + e2x * c2.a, area);
        uint32_t* row = out + static_cast<size_t>(y) * w + left;
        for (int x = first; x < last; ++x) {
            const uint32_t p = source[static_cast<size_t>(sy.Value()) * w + sx.Value()];
            const uint32_t r = ((p >> 16) & 0xFF) * static_cast<uint32_t>(red.Value()) / 255;
            const uint32_t g = ((p >> 8) & 0xFF) * static_cast<uint32_t>(green.Value()) / 255;
            const uint32_t b = (p & 0xFF) * static_cast<uint32_t>(blue.Value()) / 255;
            const uint32_t a = (p >> 24) * static_cast<uint32_t>(alpha.Value()) / 255;
            row[x] = a << 24 | r << 16 | g << 8 | b;
            sx.Next();
            sy.Next();
            red.Next();
            green.Next();
            blue.Next();
            alpha.Next();
        }
    }
}

}  // namespace

void Shading_Lay(const uint32_t* source, int w, int h, const std::array<SDL_Color, 4>& corners, uint32_t* out) {
    std::fill(out, out + static_cast<size_t>(w) * h, 0u);
    const Point at[4] = {{0, 0}, {w << kHalf, 0}, {w << kHalf, h << kHalf}, {0, h << kHalf}};
    const Point texel[4] = {{0, 0}, {w, 0}, {w, h}, {0, h}};
    for (const auto& tri : {std::array{0, 1, 2}, std::array{0, 2, 3}}) {
        Vertex v[3];
        for (int k = 0; k < 3; ++k) v[k] = Vertex{at[tri[k]], texel[tri[k]], corners[tri[k]]};
        LayTriangle(source, w, h, v, out);
    }
}
