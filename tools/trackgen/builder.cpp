#include "builder.h"

#include <algorithm>
#include <cmath>
#include <fstream>
#include <unordered_map>

#include "centre_line.h"
#include "engine/random.h"

std::pair<int, int> SpriteSizes::of(const std::string& name) const {
    const std::string file = data + "/gfx/obj/" + (IsVehicle(name) ? name + "_wh1" : name + "1") + ".tga";
    std::ifstream in(file, std::ios::binary);
    unsigned char header[18] = {};
    if (!in.read(reinterpret_cast<char*>(header), sizeof header)) return {0, 0};
    return {header[12] | header[13] << 8, header[14] | header[15] << 8};
}

namespace {

constexpr double kSampleStep = 8;

// Answers "how far is the nearest centre-line sample?" from a coarse grid.
class NearLine {
  public:
    explicit NearLine(const CentreLine& line) : line_(line) {
        for (int k = 0; k < line.size(); ++k) cells_[key(line.at[k].x, line.at[k].y)].push_back(k);
    }
    double distance(double x, double y, int* nearest = nullptr) const {
        double best = 1e18;
        const int cx = cell(x), cy = cell(y);
        for (int r = 0; r < 40 && best > (r - 1) * kCell; ++r) {
            for (int gy = cy - r; gy <= cy + r; ++gy) {
                for (int gx = cx - r; gx <= cx + r; ++gx) {
                    if (std::max(std::abs(gx - cx), std::abs(gy - cy)) != r) continue;
                    const auto it = cells_.find(pack(gx, gy));
                    if (it == cells_.end()) continue;
                    for (int k : it->second) {
                        const double d = std::hypot(line_.at[k].x - x, line_.at[k].y - y);
                        if (d < best) {
                            best = d;
                            if (nearest) *nearest = k;
                        }
                    }
                }
            }
        }
        return best;
    }

  private:
    static constexpr double kCell = 128;
    static int cell(double v) { return static_cast<int>(std::floor(v / kCell)); }
    static long long pack(int gx, int gy) { return (static_cast<long long>(gx) << 32) ^ static_cast<unsigned>(gy); }
    long long key(double x, double y) const { return pack(cell(x), cell(y)); }
    const CentreLine& line_;
    std::unordered_map<long long, std::vector<int>> cells_;
};

// Props already placed, for keeping new ones apart.
struct Placed {
    double x, y, r;
};

bool Clear(const std::vector<Placed>& placed, double x, double y, double r) {
    return std::none_of(placed.begin(), placed.end(),
                        [&](const Placed& p) { return std::hypot(p.x - x, p.y - y) < p.r + r; });
}

// Waypoints along the centre line: a car aiming straight at the next one must
// stay on the road, so the chord between two waypoints may not stray from
// the line by more than `tolerance`. Returns sample indices, the first at
// `start`.
std::vector<int> PlaceWaypoints(const CentreLine& line, int start, double tolerance) {
    const int n = line.size();
    constexpr double kMinStep = 200, kMaxStep = 340;
    std::vector<int> out{start};
    int walked = 0;
    while (true) {
        const int from = out.back();
        int best = -1;
        for (int ahead = static_cast<int>(kMinStep / kSampleStep); ahead * kSampleStep <= kMaxStep; ++ahead) {
            if (walked + ahead >= n) break;
            const Point& a = line.at[from];
            const Point& b = line.at[line.wrap(from + ahead)];
            const double len = std::hypot(b.x - a.x, b.y - a.y);
            double stray = 0;
            for (int k = 1; k < ahead; ++k) {
                const Point& p = line.at[line.wrap(from + k)];
                stray = std::max(stray, std::abs((b.x - a.x) * (a.y - p.y) - (a.x - p.x) * (b.y - a.y)) / len);
            }
            if (stray > tolerance && best >= 0) break;
            best = ahead;
        }
        if (best < 0) break;
        walked += best;
        if (walked * kSampleStep > line.length - kMinStep * 1.6) break;  // the last one stays clear of the first
        out.push_back(line.wrap(from + best));
    }
    return out;
}

}  // namespace

bool BuildTrack(const TrackDesign& track, const LandscapeDesign& land, const SpriteSizes& sizes, tworld& w,
                std::string& error) {
    WorldClear(w);
    w.waypointcount = 0;
    Randomize(static_cast<uint64_t>(track.seed));
    const CentreLine line = SampleLoop(track.loop, kSampleStep);
    const NearLine near(line);
    const double half = track.road / 2.0;

    const auto size = [&](const std::string& name) {
        const auto s = sizes.of(name);
        if (s.first == 0) error = "no picture for '" + name + "' in " + sizes.data + "/gfx/obj";
        return s;
    };
    const auto add = [&](const std::string& name, double x, double y, bool dynamic = false, int colour = 0x111111,
                         bool ai = false) {
        if (!WorldAddObject(w, name, static_cast<int>(std::lround(x)), static_cast<int>(std::lround(y)), ai ? 1 : 0,
                            dynamic ? 1 : 0, colour)) {
            if (w.count >= kWorldCapacity) error = track.name + ": more objects than a world holds";
        }
    };

    // Ground: tiles over everything the camera can see from the road.
    const auto [gw, gh] = size(land.ground);
    const auto [rw, rh] = size(land.road);
    if (!error.empty()) return false;
    double minX = 1e18, minY = 1e18, maxX = -1e18, maxY = -1e18;
    for (const Point& p : line.at) {
        minX = std::min(minX, p.x);
        minY = std::min(minY, p.y);
        maxX = std::max(maxX, p.x);
        maxY = std::max(maxY, p.y);
    }
    const double margin = half + 700;
    const int tilesX = static_cast<int>(std::ceil((maxX - minX + 2 * margin) / gw));
    const int tilesY = static_cast<int>(std::ceil((maxY - minY + 2 * margin) / gh));
    const double left = std::floor((minX - margin) / gw) * gw, top = std::floor((minY - margin) / gh) * gh;
    for (int j = 0; j < tilesY; ++j)
        for (int i = 0; i < tilesX; ++i) add(land.ground, left + i * gw + gw / 2.0, top + (j + 1) * gh);

    // Water pools away from the road.
    std::vector<Placed> placed;
    if (!land.water.empty()) {
        const auto [ww, wh] = size(land.water[0]);
        const int pools = static_cast<int>(line.length / 2500);
        for (int tries = 0, made = 0; tries < 400 && made < pools; ++tries) {
            const double x = minX - 400 + Random(static_cast<int>(maxX - minX + 800));
            const double y = minY - 300 + Random(static_cast<int>(maxY - minY + 600));
            if (near.distance(x, y - wh / 2.0) < half + std::max(ww, wh) * 0.75 + 60) continue;
            add(land.water[0], x, y);
            placed.push_back({x, y - wh / 2.0, std::max(ww, wh) * 0.6});
            ++made;
        }
    }

    // Road: soft patches along the line, in rows across it when it is wide.
    const int rows = std::max(1, static_cast<int>(std::ceil((track.road - rw * 0.85) / (rw * 0.5))) + 1);
    const double spread = rows > 1 ? (track.road - rw * 0.85) : 0;
    const int every = std::max(1, static_cast<int>(rw * 0.3 / kSampleStep));
    for (int k = 0; k < line.size(); k += every) {
        for (int r = 0; r < rows; ++r) {
            const double off = rows > 1 ? -spread / 2 + spread * r / (rows - 1) : 0;
            const Point& p = line.at[k];
            add(land.road, p.x + line.normal[k].x * off, p.y + line.normal[k].y * off + rh / 2.0);
        }
    }

    // The start line across the whole road at the first point of the loop,
    // in as many pieces as the road is wide.
    const auto [sw, sh] = size("lnd_start");
    const double pitch = sh - 24.0;  // the strip's ends are soft: overlap them
    const int pieces = std::max(1, static_cast<int>(std::lround(track.road / pitch)));
    for (int i = 0; i < pieces; ++i) {
        const double off = (i - (pieces - 1) / 2.0) * pitch;
        add("lnd_start", line.at[0].x + line.normal[0].x * off, line.at[0].y + line.normal[0].y * off + sh / 2.0);
    }

    // Waypoints, from the start line on.
    for (int k : PlaceWaypoints(line, 0, std::max(12.0, half * 0.22)))
        WorldAddWaypoint(w, int(line.at[k].x), int(line.at[k].y));

    // Lamps both sides, alternating, so the whole road is lit.
    const auto [lw, lh] = size("lamp");
    const int lampEvery = std::max(1, static_cast<int>(land.lampSpacing / kSampleStep));
    for (int k = lampEvery / 2, side = 1; k < line.size(); k += lampEvery, side = -side) {
        const double off = side * (half + 46);
        const double x = line.at[k].x + line.normal[k].x * off, y = line.at[k].y + line.normal[k].y * off;
        if (near.distance(x, y) < half + 40) continue;  // the other side of a tight bend
        add("lamp", x, y);
        placed.push_back({x, y - lh / 4.0, lw * 0.75});
    }

    // Low markers along both edges.
    if (!land.edge.empty()) {
        const int edgeEvery = static_cast<int>(120 / kSampleStep);
        for (int k = 0, n = 0; k < line.size(); k += edgeEvery) {
            for (int side : {-1, 1}) {
                const std::string& name = land.edge[(n++ / 2) % land.edge.size()];
                const auto [ew, eh] = size(name);
                const double off = side * (half + 20 + ew / 4.0);
                const double x = line.at[k].x + line.normal[k].x * off, y = line.at[k].y + line.normal[k].y * off;
                if (near.distance(x, y) < half + 10 || !Clear(placed, x, y - eh / 4.0, ew / 4.0)) continue;
                add(name, x, y);
                placed.push_back({x, y - eh / 4.0, ew / 4.0 + 4});
            }
        }
    }

    // Cars on the start grid behind the line, two abreast.
    std::vector<CarDesign> grid{{"jeep", 0x00FF00}};
    grid.insert(grid.end(), track.cars.begin(), track.cars.end());
    for (size_t i = 0; i < grid.size(); ++i) {
        const int back = line.wrap(-static_cast<int>((90 + 100 * (i / 2)) / kSampleStep));
        const double off = (i % 2 == 0 ? -1 : 1) * std::min(half * 0.45, 60.0);
        const double x = line.at[back].x + line.normal[back].x * off;
        const double y = line.at[back].y + line.normal[back].y * off;
        add(grid[i].vehicle, x, y + 16, false, grid[i].colour, i != 0);
        placed.push_back({x, y, 40});
    }

    // Shoveable props near the edges, away from the start.
    if (!land.dynamic.empty()) {
        for (int tries = 0, made = 0; tries < 200 && made < track.dynamicCount; ++tries) {
            const int k = line.wrap(60 + Random(line.size() - 120));
            const std::string& name = land.dynamic[Random(static_cast<int>(land.dynamic.size()))];
            const auto [dw, dh] = size(name);
            const double off = (Random(2) ? 1 : -1) * (half - dw / 2.0 - 6);
            const double x = line.at[k].x + line.normal[k].x * off,
                         y = line.at[k].y + line.normal[k].y * off + dh / 4.0;
            if (!Clear(placed, x, y - dh / 4.0, dw / 4.0 + 20)) continue;
            add(name, x, y, true);
            placed.push_back({x, y - dh / 4.0, dw / 4.0 + 8});
            ++made;
        }
    }

    // Scenery beyond the edges, thinning out with distance from the road.
    if (!land.scenery.empty()) {
        const double area = (maxX - minX + 2 * margin) * (maxY - minY + 2 * margin);
        const int wanted = static_cast<int>(area / (260.0 * 260.0) * track.scenery / 100.0);
        for (int tries = 0, made = 0; tries < wanted * 6 && made < wanted; ++tries) {
            const double x = left + Random(static_cast<int>(tilesX * gw));
            const double y = top + Random(static_cast<int>(tilesY * gh));
            const std::string& name = land.scenery[Random(static_cast<int>(land.scenery.size()))];
            const auto [pw, ph] = size(name);
            const double r = pw / 4.0;
            const double d = near.distance(x, y - ph / 4.0);
            if (d < half + 70 + std::max(r * 2, pw * 0.5)) continue;
            if (d > 900 && Random(3) != 0) continue;
            if (!Clear(placed, x, y - ph / 4.0, std::max(r, pw * 0.35))) continue;
            add(name, x, y);
            placed.push_back({x, y - ph / 4.0, std::max(r, pw * 0.35)});
            ++made;
        }
    }
    return error.empty();
}
