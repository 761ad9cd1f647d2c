#include "world/ground.h"

#include <algorithm>
#include <array>
#include <optional>
#include <vector>

#include "engine/canvas.h"
#include "engine/omega.h"
#include "world/ground_squares.h"
#include "world/landscape_drawing.h"
#include "world/lighting.h"
#include "world/race.h"
#include "world/sprites.h"

namespace {

// Every square on the screen is kept, and those ahead of it. The screen's
// squares count as used before any square is built, and so do those ahead
// before one of them is, so a square built drops neither.
static_assert(kCanvasBudget >= kMostColumns * kMostRows + kMostAhead);
// Water corners wobble by at most 6 pixels.
constexpr int kWobble = 8;
// A patch takes a tenth to half a millisecond to lay and a square keeps 15
// on average, up to 30 or so: most squares ahead are laid in one frame, the
// largest over two or three, so a frame's extra work stays within a few
// milliseconds and most frames do none.
constexpr int kPatchesAFrame = 16;

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
    CameraTrail trail;
    // A square ahead being laid a few patches a frame: the backdrop and the
    // patches before `next` are in its picture.
    struct Begun {
        GroundSquare square;
        int kept = 0, next = 0;
    };
    std::optional<Begun> begun;
    GroundWork work;
};

Ground& State() {
    static Ground g;
    return g;
}

bool Reaches(const Patch& p, int column, int row) {
    const int x = column * kGroundSide, y = row * kGroundSide;
    return p.left < x + kGroundSide && x < p.right && p.top < y + kGroundSide && y < p.bottom;
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
    g.trail.Forget();
    g.begun.reset();
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

uint64_t KeyOf(const GroundSquare& at) { return GroundSquareKey(at.column, at.row); }

// Draws into the square's open picture, through a camera on its corner: the
// backdrop when it is new, then the patches it keeps from `from` on, at most
// `most` of those reaching it. Returns how many it drew and where it stopped.
struct Laid {
    int drawn = 0, next = 0;
};
Laid LaySquare(const GroundSquare& at, bool fresh, int from, int kept, int most) {
    OE_Camera* screenCamera = Cam2D_Get();
    OE_Camera square{at.column * kGroundSide, at.row * kGroundSide, false};
    Cam2D_Set(&square);
    if (fresh) Pr2D_Rect(0, 0, kGroundSide, kGroundSide, kBackdropColour, 255, 1);
    square.enabled = true;
    const Ground& g = State();
    Laid laid{0, from};
    for (; laid.next < kept && laid.drawn < most; ++laid.next) {
        const Patch& p = g.patches[laid.next];
        if (!Reaches(p, at.column, at.row)) continue;
        DrawLitObject(p.object, p.sprite);
        ++laid.drawn;
    }
    Cam2D_Set(screenCamera);
    return laid;
}

bool IsBegun(const Ground& g, const GroundSquare& at) {
    return g.begun && g.begun->square.column == at.column && g.begun->square.row == at.row;
}

// Lays at most `most` more of the `kept` patches of the square, going on
// where it was begun ahead; a square left unfinished is the one begun.
bool LayMore(Ground& g, const GroundSquare& at, int kept, int most, Laid& laid) {
    const bool begun = IsBegun(g, at);
    const bool resumed = begun && Canvas_Resume(KeyOf(at));
    const int from = resumed ? g.begun->next : 0;
    if (begun) g.begun.reset();
    if (!resumed && !Canvas_Begin(KeyOf(at), kGroundSide, kGroundSide)) return false;
    laid = LaySquare(at, !resumed, from, kept, most);
    Canvas_End();
    if (laid.next < kept) g.begun = Ground::Begun{at, kept, laid.next};
    return true;
}

// Builds the square whole, or lays the rest of it when it was begun ahead.
bool BuildSquare(Ground& g, const GroundSquare& at, int kept) {
    Laid laid;
    if (!LayMore(g, at, kept, kWorldCapacity, laid)) return false;
    ++g.work.built;
    return true;
}

// A few more patches of the square ahead of the camera it meets soonest,
// unless all are kept. A square begun is finished first, wherever the camera
// has turned since, so no picture is left half laid.
void BuildAhead(Ground& g) {
    std::array<GroundSquare, kMostAhead> ahead;
    const int n = SquaresAhead(camera->x, camera->y, g.trail.dx(), g.trail.dy(), ahead);
    const GroundSquare* soonest = nullptr;
    for (int i = 0; i < n; ++i) {
        if (!Canvas_Has(KeyOf(ahead[i])) && !soonest) soonest = &ahead[i];
    }
    if (!g.begun && !soonest) return;
    const GroundSquare at = g.begun ? g.begun->square : *soonest;
    const int kept = g.begun ? g.begun->kept : KeptPatches(at.column, at.row);
    Laid laid;
    if (LayMore(g, at, kept, kPatchesAFrame, laid)) g.work.laidAhead = laid.drawn;
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
    Meeting m{std::max(SquareOf(p.left) - s.column0, 0), std::min(SquareOf(p.right - 1) - s.column0, s.columns - 1),
              std::max(SquareOf(p.top) - s.row0, 0), std::min(SquareOf(p.bottom - 1) - s.row0, s.rows - 1)};
    for (int r = m.r0; r <= m.r1; ++r) {
        for (int c = m.c0; c <= m.c1; ++c) m.keeping += place < s.kept[r][c];
    }
    return m;
}

}  // namespace

const GroundWork& LastGroundWork() { return State().work; }

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
    g.trail.Follow(camera->x, camera->y);

    Screen s;
    s.column0 = SquareOf(camera->x);
    s.row0 = SquareOf(camera->y);
    s.columns = SquareOf(camera->x + kScreenWidth - 1) - s.column0 + 1;
    s.rows = SquareOf(camera->y + kScreenHeight - 1) - s.row0 + 1;
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

    g.work = {};
    bool missing[kMostRows][kMostColumns];
    for (int r = 0; r < s.rows; ++r) {
        for (int c = 0; c < s.columns; ++c) {
            const GroundSquare at{s.column0 + c, s.row0 + r};
            missing[r][c] = !Canvas_Has(KeyOf(at)) || IsBegun(g, at);
        }
    }
    for (int r = 0; r < s.rows; ++r) {
        for (int c = 0; c < s.columns; ++c) {
            const GroundSquare at{s.column0 + c, s.row0 + r};
            if (missing[r][c] && !BuildSquare(g, at, s.kept[r][c])) return -1;
            Canvas_Draw(KeyOf(at), at.column * kGroundSide, at.row * kGroundSide);
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
                Canvas_Clip((s.column0 + c) * kGroundSide, (s.row0 + r) * kGroundSide, kGroundSide, kGroundSide);
                DrawLitObject(v.objects[i], p.sprite);
                clipped = true;
            }
        }
    }
    if (clipped) Canvas_Unclip();
    if (g.work.built == 0) BuildAhead(g);
    return n;
}
