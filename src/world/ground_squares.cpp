#include "world/ground_squares.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>

namespace {

// A square ahead is laid over a few frames, and the screen may have ten
// ahead of it: the lead leaves them all time enough, and at the cars' few
// pixels a frame stays within a square's side.
constexpr float kLeadFrames = 32;

// The squares along one axis from the screen's first pixel `low` across
// `size` pixels, stretched the way the camera goes by its lead.
struct Reach {
    int first, last;
};

Reach Along(int low, int size, float v) {
    const int lead = static_cast<int>(std::min(std::fabs(v) * kLeadFrames, static_cast<float>(kGroundSide)));
    return {SquareOf(v < 0 ? low - lead : low), SquareOf(v > 0 ? low + size + lead - 1 : low + size - 1)};
}

// The frames between which the screen spanning `size` pixels from `low`,
// going `v` a frame, meets square `s` along one axis.
struct Meeting {
    float from, until;
};

Meeting Meet(int s, int low, int size, float v) {
    // The two overlap while the camera has moved more than `start` pixels
    // and less than `end`.
    const float start = static_cast<float>(s * kGroundSide - low - size);
    const float end = static_cast<float>((s + 1) * kGroundSide - low);
    if (v == 0) return {0, start < 0 && end > 0 ? std::numeric_limits<float>::infinity() : 0};
    return v > 0 ? Meeting{std::max(start / v, 0.0f), end / v} : Meeting{std::max(end / v, 0.0f), start / v};
}

}  // namespace

void CameraTrail::Follow(int x, int y) {
    // A camera put somewhere else (a new race, the editor) has not driven there.
    if (count_ > 0 && (std::abs(x - x_[newest_]) > kGroundSide || std::abs(y - y_[newest_]) > kGroundSide)) count_ = 0;
    newest_ = (newest_ + 1) % kFrames;
    x_[newest_] = x;
    y_[newest_] = y;
    count_ = std::min(count_ + 1, kFrames);
}

float CameraTrail::Pace(const int (&at)[kFrames]) const {
    if (count_ < 2) return 0;
    const int oldest = (newest_ - count_ + 1 + kFrames) % kFrames;
    return static_cast<float>(at[newest_] - at[oldest]) / static_cast<float>(count_ - 1);
}

int SquaresAhead(int x, int y, float dx, float dy, std::span<GroundSquare, kMostAhead> out) {
    const Reach across = Along(x, kScreenWidth, dx), down = Along(y, kScreenHeight, dy);
    const int column0 = SquareOf(x), column1 = SquareOf(x + kScreenWidth - 1);
    const int row0 = SquareOf(y), row1 = SquareOf(y + kScreenHeight - 1);
    float soon[kMostAhead];
    int n = 0;
    for (int row = down.first; row <= down.last; ++row) {
        for (int column = across.first; column <= across.last; ++column) {
            if (column >= column0 && column <= column1 && row >= row0 && row <= row1) continue;
            const Meeting a = Meet(column, x, kScreenWidth, dx), d = Meet(row, y, kScreenHeight, dy);
            const float frames = std::max(a.from, d.from);
            // Squares the screen passes by before it gets there are not met.
            if (frames >= std::min(a.until, d.until)) continue;
            int at = n++;
            for (; at > 0 && soon[at - 1] > frames; --at) {
                soon[at] = soon[at - 1];
                out[at] = out[at - 1];
            }
            soon[at] = frames;
            out[at] = {column, row};
        }
    }
    return n;
}
