#include "engine/random.h"

namespace {

struct Pcg32 {
    uint64_t state = 0x853c49e6748fea9bULL;
    uint64_t inc = 0xda3e39cb94b95bdbULL;

    uint32_t next() {
        const uint64_t old = state;
        state = old * 6364136223846793005ULL + inc;
        const uint32_t xorshifted = static_cast<uint32_t>(((old >> 18u) ^ old) >> 27u);
        const uint32_t rot = static_cast<uint32_t>(old >> 59u);
        return (xorshifted >> rot) | (xorshifted << ((-rot) & 31));
    }
};

Pcg32 generator;

}  // namespace

void Randomize(uint64_t seed) {
    generator.state = 0;
    generator.inc = (seed << 1u) | 1u;
    generator.next();
    generator.state += seed;
    generator.next();
}

RandomState RandomStateNow() { return RandomState{generator.state, generator.inc}; }

void SetRandomState(const RandomState& r) {
    generator.state = r.state;
    generator.inc = r.inc | 1u;
}

int Random(int n) {
    if (n <= 0) return 0;
    // Lemire's multiply-shift with rejection: unbiased and deterministic.
    const uint32_t bound = static_cast<uint32_t>(n);
    uint64_t m = static_cast<uint64_t>(generator.next()) * bound;
    uint32_t low = static_cast<uint32_t>(m);
    if (low < bound) {
        const uint32_t threshold = (0u - bound) % bound;
        while (low < threshold) {
            m = static_cast<uint64_t>(generator.next()) * bound;
            low = static_cast<uint32_t>(m);
        }
    }
    return static_cast<int>(m >> 32);
}
