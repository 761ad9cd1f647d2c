// The centre line of a track: a smooth closed curve through the designer's
// points, sampled at equal steps along its length.
#pragma once

#include <vector>

#include "design.h"

struct CentreLine {
    double step = 0;             // arc length between samples
    std::vector<Point> at;       // sample positions, in driving order
    std::vector<Point> tangent;  // unit driving direction
    std::vector<Point> normal;   // unit vector to the left of the driving direction
    double length = 0;

    int size() const { return static_cast<int>(at.size()); }
    int wrap(int k) const { return ((k % size()) + size()) % size(); }
};

// A centripetal Catmull-Rom loop through `points`, sampled every `step`
// pixels; sample 0 is the first point.
CentreLine SampleLoop(const std::vector<Point>& points, double step);
