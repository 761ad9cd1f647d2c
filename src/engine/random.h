// The game's one random generator (PCG32), seeded once at start-up, so a run
// with a given seed always plays the same.
#pragma once

#include <cstdint>

void Randomize(uint64_t seed);

// The generator's whole state: a race kept for replay starts from it again.
// `inc` is always odd.
struct RandomState {
    uint64_t state = 0;
    uint64_t inc = 1;
};
RandomState RandomStateNow();
void SetRandomState(const RandomState& r);
// A uniform integer in [0, n); 0 when n <= 0.
int Random(int n);
