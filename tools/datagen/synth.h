// Building blocks of the generated sound effects and instrument samples:
// seeded noise, filters, tones that repeat exactly over a loop, and the
// conversion to 16-bit samples.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

constexpr double kPi = 3.14159265358979323846;
constexpr int kSampleRate = 22050;

// A signal as floating-point samples, nominally in [-1, 1].
using Wave = std::vector<double>;

// A small generator of its own (PCG32), so the same seed always gives the
// same noise on every run.
class Noise {
  public:
    explicit Noise(uint64_t seed);
    uint32_t Bits();
    double Uniform();                                  // [0, 1)
    double Signed() { return 2.0 * Uniform() - 1.0; }  // [-1, 1)
    double Between(double lo, double hi) { return lo + (hi - lo) * Uniform(); }

  private:
    uint64_t state_;
};

// A resonant state-variable filter (trapezoidal, stable up to Nyquist)
// with low-pass, band-pass and high-pass outputs.
class Filter {
  public:
    struct Out {
        double low, band, high;
    };
    Filter(double cutoffHz, double resonance = 0.7071, int rate = kSampleRate);
    void Tune(double cutoffHz);
    Out Step(double x);

  private:
    double rate_, k_, a1_ = 0, a2_ = 0, a3_ = 0;
    double ic1_ = 0, ic2_ = 0;
};

enum class Pass { kLow, kBand, kHigh };

// Filters a signal in place.
void Apply(Wave& w, Filter f, Pass pass);
// Filters a signal that is heard as an endless loop: the filter runs over it
// twice and keeps the second pass, so its state at the start is the state it
// has at the end and the join stays seamless. `cutoff`, when given, sweeps
// the filter: the cutoff in Hz at each sample, repeating with the loop.
void ApplyLooped(Wave& w, Filter f, Pass pass, const std::function<double(size_t)>& cutoff = nullptr);

// White noise of n samples.
Wave WhiteNoise(Noise& rng, size_t n);

// One sine component of a tone that repeats exactly every `loop` samples: it
// runs a whole number of cycles per loop, so any stretch of `loop` samples
// joins onto itself without a seam. `attack` is extra amplitude at the start
// that dies away completely by the end of the attack.
struct Partial {
    int64_t cycles;
    double amp;
    double phase = 0;
    double attack = 0;
};

// Adds the partials into w (all of it), each repeating over `loop` samples;
// the attack amplitudes fall to nothing over the first `attackEnd` samples.
void AddPartials(Wave& w, int64_t loop, const std::vector<Partial>& partials, size_t attackEnd);

// Seconds to a sample count at the generated rate.
inline size_t Samples(double seconds) { return static_cast<size_t>(seconds * kSampleRate + 0.5); }

// Scales a signal to unit RMS, so layers can be mixed by plain weights.
void Normalise(Wave& w);
// Adds `weight` times `layer` into `into`, as far as both reach.
void Mix(Wave& into, const Wave& layer, double weight);

// One partial of a struck tone: its frequency as a multiple of the
// fundamental, its level, and the seconds it takes to fall to 1/e.
struct TonePartial {
    double ratio, amp, decay;
};

// Adds a struck tone from sample `at` on: each partial dies away on its own.
void AddStrike(Wave& w, size_t at, double hz, const std::vector<TonePartial>& partials);

// Adds a sine whose pitch glides exponentially from `fromHz` to `toHz` over
// `glide` seconds while its level dies away over `decay` seconds.
void AddSweep(Wave& w, size_t at, double fromHz, double toHz, double glide, double amp, double decay);

// Adds filtered noise of `length` samples that dies away from sample `at` on.
void AddBurst(Wave& w, Noise& rng, size_t at, size_t length, double amp, double decay, Filter f, Pass pass);

// Fades the first `in` and the last `out` samples linearly from and to zero,
// so a one-shot sound starts and ends without a click.
void FadeEnds(Wave& w, size_t in, size_t out);

// Removes the average, so a loop carries no offset.
void RemoveOffset(Wave& w);

// Saturation that adds grit without hard clipping: the peak maps to 1 and
// `drive` says how hard the loud parts are squeezed.
void Saturate(Wave& w, double drive);

// Scales the signal so its largest magnitude is `peak` of full scale and
// rounds it to 16-bit samples.
std::vector<int16_t> ToPcm16(const Wave& w, double peak);

// Writes bytes to a temporary file beside `path` and renames it into place,
// so a half-written file never stands under the final name.
bool WriteFileBytes(const std::string& path, const std::vector<uint8_t>& bytes);

// Appends little-endian integers to a byte buffer.
void PutU8(std::vector<uint8_t>& out, unsigned v);
void PutU16(std::vector<uint8_t>& out, unsigned v);
void PutU32(std::vector<uint8_t>& out, uint32_t v);
// Appends text padded with `pad` (or cut) to exactly n bytes.
void PutText(std::vector<uint8_t>& out, const std::string& text, size_t n, char pad = 0);
