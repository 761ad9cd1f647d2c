// The grid of square pictures the still ground is kept in, and which of
// them to build before the screen reaches them: the camera follows a car, so
// the squares just past the screen's edge the way it goes are met a few
// frames later, and building one of them a frame spares the frame that meets
// them from building them all at once.
#pragma once

#include <cstdint>
#include <span>

#include "engine/omega.h"

// A patch lands on the same pixels of its square wherever the camera stands.
// The game's ground tiles lie on a grid of this side.
inline constexpr int kGroundSide = 256;
// The most squares the screen meets across and down.
inline constexpr int kMostColumns = (kScreenWidth + kGroundSide - 2) / kGroundSide + 1;
inline constexpr int kMostRows = (kScreenHeight + kGroundSide - 2) / kGroundSide + 1;
// The squares ahead lie within a square's side of the screen: one more
// column, one more row and their corner at most.
inline constexpr int kMostAhead = kMostColumns + kMostRows + 1;

// The square holding a pixel, along either axis.
inline int SquareOf(int pixel) {
    return pixel >= 0 ? pixel / kGroundSide : -((-pixel + kGroundSide - 1) / kGroundSide);
}

// The number a square is kept under among the kept pictures.
inline uint64_t GroundSquareKey(int column, int row) {
    return (static_cast<uint64_t>(static_cast<uint32_t>(column)) << 32) | static_cast<uint32_t>(row);
}

struct GroundSquare {
    int column = 0, row = 0;
};

// Where the camera stood over the last frames, for how fast it goes.
class CameraTrail {
  public:
    // Once a frame.
    void Follow(int x, int y);
    void Forget() { count_ = 0; }
    // Pixels a frame, on average over the trail.
    float dx() const { return Pace(x_); }
    float dy() const { return Pace(y_); }

  private:
    static constexpr int kFrames = 8;
    float Pace(const int (&at)[kFrames]) const;
    int x_[kFrames] = {}, y_[kFrames] = {};
    int count_ = 0, newest_ = 0;
};

// The squares off the screen of a camera at (x, y) that it meets within a
// lead of frames going (dx, dy) pixels a frame, the soonest met first;
// returns how many were put in `out`.
int SquaresAhead(int x, int y, float dx, float dy, std::span<GroundSquare, kMostAhead> out);
