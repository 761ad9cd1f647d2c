#include "world/ground.h"

#include <algorithm>
#include <array>
#include <vector>

#include "engine/canvas.h"
#include "engine/omega.h"
#include "world/landscape_drawing.h"
#include "world/lighting.h"
#include "world/race.h"
#include "world/sprites.h"

namespace {

// A patch lands on the same pixels of its square wherever the camera
// stands. The game's ground tiles lie on a grid of this side.
constexpr int kSide = 256;
// The most squares the screen meets across and down.
constexpr int kMostColumns = (kScreenWidth + kSide - 2) / kSide + 1;
constexpr int kMostRows = (kScreenHeight + kSide - 2) / kSide + 1;
// Every square on the screen is kept, with a row and a column to spare
// for a camera going back and forth.
static_assert(kCanvasBudget >= (kMostColumns + 1) * (kMostRows + 1));
// Water corners wobble by at most 6 pixels.
constexpr int kWobble = 8;

struct Patch {
    tminimal object;  // as it was when the world was read
    const OE_Texture* sprite = nullptr;
    int left = 0, top = 0, right = 0, bottom = 0;  // all it may paint, in world pixels
    bool water = false;
};

// Water moves, so it is never kept, and a patch after a water patch in the
// world's order is drawn over it: a square keeps only the patches before the
// first water patch that reaches it.
struct Ground {
    const tworld* world = nullptr;
    int lighting = -1;
    std::vector<Patch> patches;  // the world's landscape in the world's order
    std::vector<int> waters;     // places in `patches`
};

Ground& State() {
    static Ground g;
    return g;
}

int FloorDiv(int a, int b) { return a >= 0 ? a / b : -((-a + b - 1) / b); }

uint64_t SquareKey(int column, int row) {
    return (static_cast<uint64_t>(static_cast<uint32_t>(column)) << 32) | static_cast<uint32_t>(row);
}

bool Reaches(const Patch& p, int column, int row) {
    const int x = column * kSide, y = row * kSide;
    return p.left < x + kSide && x < p.right && p.top < y + kSide && y < p.bottom;
}

void ReadGround(const tworld& w) {
    Ground& g = State();
    g.patches.clear();
    g.waters.clear();
    for (int i = 0; i < w.count; ++i) {
        const tminimal& o = w.objects[i];
        if (!HasPrefix(o.name, "lnd")) continue;
        Patch p;
        p.object = o;
        p.sprite = ObjectSprite(o.name, "", M_Round(o.frame));
        p.water = o.name == "lnd_water";
        const int width = p.sprite ? p.sprite->width : 0, height = p.sprite ? p.sprite->height : 0;
        const int margin = p.water ? kWobble : 0;
        if (width > 0 && height > 0) {
            p.left = o.x - width / 2 - margin;
            p.right = o.x - width / 2 + width + margin;
            p.top = o.y - height - margin;
            p.bottom = o.y + margin;
        }
        if (p.water) g.waters.push_back(static_cast<int>(g.patches.size()));
        g.patches.push_back(std::move(p));
    }
    g.world = &w;
    g.lighting = LightingCount();
    Canvas_Clear();
}

bool Same(const tminimal& a, const tminimal& b) {
    return a.x == b.x && a.y == b.y && a.frame == b.frame && a.cornercolor == b.cornercolor && a.name == b.name;
}

// The place in the world's landscape of each of the first `n` objects of the
// view, walking both in order; false when the view holds a patch the
// landscape as read does not.
bool Place(const tworld& v, int n, std::array<int, kWorldCapacity>& places) {
    const auto& patches = State().patches;
    size_t at = 0;
    for (int i = 0; i < n; ++i) {
        while (at < patches.size() && !Same(patches[at].object, v.objects[i])) ++at;
        if (at == patches.size()) return false;
        places[i] = static_cast<int>(at++);
    }
    return true;
}

// How many patches of the landscape the square keeps.
int KeptPatches(int column, int row) {
    const Ground& g = State();
    for (int k : g.waters) {
        if (Reaches(g.patches[k], column, row)) return k;
    }
    return static_cast<int>(g.patches.size());
}

bool BuildSquare(int column, int row, int kept) {
    if (!Canvas_Begin(SquareKey(column, row), kSide, kSide)) return false;
    OE_Camera* screenCamera = Cam2D_Get();
    OE_Camera square{column * kSide, row * kSide, false};
    Cam2D_Set(&square);
    Pr2D_Rect(0, 0, kSide, kSide, kBackdropColour, 255, 1);
    square.enabled = true;
    const Ground& g = State();
    for (int k = 0; k < kept; ++k) {
        const Patch& p = g.patches[k];
        if (Reaches(p, column, row)) DrawLitObject(p.object, p.sprite);
    }
    Cam2D_Set(screenCamera);
    Canvas_End();
    return true;
}

// The squares the screen meets and how many patches each keeps.
struct Screen {
    int column0 = 0, row0 = 0, columns = 0, rows = 0;
    int kept[kMostRows][kMostColumns] = {};
};

// The squares of the screen a patch meets, rows r0..r1 and columns c0..c1,
// and how many of them keep it.
struct Meeting {
    int c0, c1, r0, r1;
    int keeping = 0;
};

Meeting Meet(const Patch& p, int place, const Screen& s) {
    Meeting m{std::max(FloorDiv(p.left, kSide) - s.column0, 0),
              std::min(FloorDiv(p.right - 1, kSide) - s.column0, s.columns - 1),
              std::max(FloorDiv(p.top, kSide) - s.row0, 0),
              std::min(FloorDiv(p.bottom - 1, kSide) - s.row0, s.rows - 1)};
    for (int r = m.r0; r <= m.r1; ++r) {
        for (int c = m.c0; c <= m.c1; ++c) m.keeping += place < s.kept[r][c];
    }
    return m;
}

}  // namespace

int DrawGround(const tworld& w, const tworld& v) {
    if (!camera || Cam2D_Get() != camera) return -1;
    int n = 0;
    while (n < v.count && HasPrefix(v.objects[n].name, "lnd")) ++n;
    Ground& g = State();
    static std::array<int, kWorldCapacity> places;
    if (g.world != &w || g.lighting != LightingCount() || !Place(v, n, places)) {
        ReadGround(w);
        if (!Place(v, n, places)) return -1;
    }

    Screen s;
    s.column0 = FloorDiv(camera->x, kSide);
    s.row0 = FloorDiv(camera->y, kSide);
    s.columns = FloorDiv(camera->x + kScreenWidth - 1, kSide) - s.column0 + 1;
    s.rows = FloorDiv(camera->y + kScreenHeight - 1, kSide) - s.row0 + 1;
    for (int r = 0; r < s.rows; ++r) {
        for (int c = 0; c < s.columns; ++c) s.kept[r][c] = KeptPatches(s.column0 + c, s.row0 + r);
    }
    // Where most patches lie over water the squares would spare little.
    int live = 0;
    for (int i = 0; i < n; ++i) {
        const Patch& p = g.patches[places[i]];
        if (p.right <= p.left) continue;
        const Meeting m = Meet(p, places[i], s);
        live += m.keeping < (m.r1 - m.r0 + 1) * (m.c1 - m.c0 + 1);
    }
    if (2 * live > n) return -1;

    for (int r = 0; r < s.rows; ++r) {
        for (int c = 0; c < s.columns; ++c) {
            const int column = s.column0 + c, row = s.row0 + r;
            const uint64_t key = SquareKey(column, row);
            if (!Canvas_Has(key) && !BuildSquare(column, row, s.kept[r][c])) return -1;
            Canvas_Draw(key, column * kSide, row * kSide);
        }
    }

    // What a square does not keep is drawn over it, inside it only; a patch
    // kept by none of the squares it meets on the screen is drawn whole.
    bool clipped = false;
    for (int i = 0; i < n; ++i) {
        const Patch& p = g.patches[places[i]];
        if (p.right <= p.left) continue;
        const Meeting m = Meet(p, places[i], s);
        if (m.keeping == 0) {
            if (clipped) Canvas_Unclip();
            clipped = false;
            DrawLitObject(v.objects[i], p.sprite);
            continue;
        }
        for (int r = m.r0; r <= m.r1; ++r) {
            for (int c = m.c0; c <= m.c1; ++c) {
                if (places[i] < s.kept[r][c]) continue;
                Canvas_Clip((s.column0 + c) * kSide, (s.row0 + r) * kSide, kSide, kSide);
                DrawLitObject(v.objects[i], p.sprite);
                clipped = true;
            }
        }
    }
    if (clipped) Canvas_Unclip();
    return n;
}
