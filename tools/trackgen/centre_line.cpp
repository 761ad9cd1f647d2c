#include "centre_line.h"

#include <cmath>

namespace {

double Dist(const Point& a, const Point& b) { return std::hypot(b.x - a.x, b.y - a.y); }

// Centripetal Catmull-Rom between p1 and p2 (no cusps or self-loops).
Point CatmullRom(const Point& p0, const Point& p1, const Point& p2, const Point& p3, double t) {
    const auto knot = [](double ti, const Point& a, const Point& b) {
        return ti + std::sqrt(std::max(Dist(a, b), 1e-6));
    };
    const double t0 = 0, t1 = knot(t0, p0, p1), t2 = knot(t1, p1, p2), t3 = knot(t2, p2, p3);
    const double u = t1 + (t2 - t1) * t;
    const auto lerp = [](const Point& a, const Point& b, double ta, double tb, double x) {
        const double w = (x - ta) / (tb - ta);
        return Point{a.x + (b.x - a.x) * w, a.y + (b.y - a.y) * w};
    };
    const Point a1 = lerp(p0, p1, t0, t1, u), a2 = lerp(p1, p2, t1, t2, u), a3 = lerp(p2, p3, t2, t3, u);
    const Point b1 = lerp(a1, a2, t0, t2, u), b2 = lerp(a2, a3, t1, t3, u);
    return lerp(b1, b2, t1, t2, u);
}

}  // namespace

CentreLine SampleLoop(const std::vector<Point>& points, double step) {
    const int n = static_cast<int>(points.size());
    std::vector<Point> dense;
    constexpr int kPerSegment = 200;
    for (int i = 0; i < n; ++i) {
        const Point& p0 = points[(i + n - 1) % n];
        const Point& p1 = points[i];
        const Point& p2 = points[(i + 1) % n];
        const Point& p3 = points[(i + 2) % n];
        for (int k = 0; k < kPerSegment; ++k) dense.push_back(CatmullRom(p0, p1, p2, p3, double(k) / kPerSegment));
    }
    dense.push_back(dense.front());

    CentreLine line;
    line.step = step;
    line.at.push_back(dense.front());
    double carried = 0;  // arc length walked since the last sample
    for (size_t i = 1; i < dense.size(); ++i) {
        const Point& a = dense[i - 1];
        const Point& b = dense[i];
        double segment = Dist(a, b);
        double from = 0;
        while (carried + (segment - from) >= step) {
            from += step - carried;
            carried = 0;
            const double w = from / segment;
            line.at.push_back(Point{a.x + (b.x - a.x) * w, a.y + (b.y - a.y) * w});
        }
        carried += segment - from;
        line.length += segment;
    }
    if (carried < step / 2 && line.at.size() > 1) line.at.pop_back();  // too close to sample 0 again

    const int m = line.size();
    for (int k = 0; k < m; ++k) {
        const Point& prev = line.at[line.wrap(k - 1)];
        const Point& next = line.at[line.wrap(k + 1)];
        const double len = std::max(Dist(prev, next), 1e-9);
        const Point t{(next.x - prev.x) / len, (next.y - prev.y) / len};
        line.tangent.push_back(t);
        line.normal.push_back(Point{t.y, -t.x});
    }
    return line;
}
