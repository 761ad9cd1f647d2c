// The game's one random generator (PCG32), seeded once at start-up, so a run
// with a given seed always plays the same.
#pragma once

#include <cstdint>

void Randomize(uint64_t seed);
// A uniform integer in [0, n); 0 when n <= 0.
int Random(int n);
