#include "sounds.h"

#include <cmath>
#include <functional>

#include "synth.h"

namespace {

// A smooth pulse that rises over `rise` seconds and dies away after it.
double Puff(double t, double rise) { return t <= 0 ? 0.0 : (t / rise) * std::exp(1.0 - t / rise); }

// ---- Engines ---------------------------------------------------------------

// An engine at steady revs: a train of exhaust puffs, one per firing, through
// the resonances of the exhaust, with combustion noise riding on each puff.
// The loop holds a whole number of firings and of cylinder rounds, and every
// layer wraps around it, so the sound repeats without a seam when looped.
struct EngineVoice {
    size_t loop;       // samples in the loop
    int firings;       // firings per loop; a multiple of `cylinders`
    int cylinders;     // the uneven strength of the cylinders gives the burble
    double puffRise;   // seconds
    double bodyHz;     // the low thump
    double exhaustHz;  // the exhaust's ring
    double hissHz;     // the combustion noise band
    double exhaustMix, hissMix;
    double cutoffHz;  // overall brightness
    double drive;     // saturation for grit
    uint64_t seed;
};

// The sum of puffs of one shape at every firing, wrapped around the loop.
Wave FiringTrain(const EngineVoice& v, double rise, const std::vector<double>& strength,
                 const std::vector<double>& timing) {
    Wave w(v.loop, 0.0);
    const double period = static_cast<double>(v.loop) / v.firings;
    const int64_t loop = static_cast<int64_t>(v.loop);
    const int64_t span = static_cast<int64_t>(period * 3);  // three firings overlap
    for (int i = 0; i < v.firings; ++i) {
        const double start = i * period + timing[i];  // the first may fall just before 0
        const int64_t first = static_cast<int64_t>(std::floor(start));
        for (int64_t n = first; n <= first + span; ++n) {
            const double t = (static_cast<double>(n) - start) / kSampleRate;
            w[static_cast<size_t>((n % loop + loop) % loop)] += strength[i] * Puff(t, rise);
        }
    }
    return w;
}

Wave Engine(const EngineVoice& v) {
    Noise rng(v.seed);
    std::vector<double> cylinder(v.cylinders);
    for (double& c : cylinder) c = rng.Between(0.75, 1.0);
    std::vector<double> strength(v.firings), timing(v.firings);
    const double period = static_cast<double>(v.loop) / v.firings;
    for (int i = 0; i < v.firings; ++i) {
        strength[i] = cylinder[i % v.cylinders] * rng.Between(0.9, 1.1);
        timing[i] = rng.Signed() * 0.02 * period;
    }

    Wave pulses = FiringTrain(v, v.puffRise, strength, timing);
    RemoveOffset(pulses);
    Wave body = pulses;
    ApplyLooped(body, Filter(v.bodyHz, 1.2), Pass::kLow);
    Normalise(body);
    Wave exhaust = pulses;
    ApplyLooped(exhaust, Filter(v.exhaustHz, 2.5), Pass::kBand);
    Normalise(exhaust);

    // Combustion noise, loudest just after each firing.
    const Wave envelope = FiringTrain(v, v.puffRise * 3, strength, timing);
    Wave hiss = WhiteNoise(rng, v.loop);
    for (size_t i = 0; i < v.loop; ++i) hiss[i] *= envelope[i];
    ApplyLooped(hiss, Filter(v.hissHz, 0.9), Pass::kBand);
    Normalise(hiss);

    Wave out = body;
    Mix(out, exhaust, v.exhaustMix);
    Mix(out, hiss, v.hissMix);
    Saturate(out, v.drive);
    ApplyLooped(out, Filter(v.cutoffHz, 0.8), Pass::kLow);
    RemoveOffset(out);
    return out;
}

// ---- Ambience --------------------------------------------------------------

// A slow wobble that repeats over the loop: the sum of sines with whole
// numbers of cycles per loop, in 0..1.
double Sway(size_t n, size_t loop, const std::vector<std::pair<int, double>>& cycles) {
    double s = 0, total = 0;
    for (const auto& [c, phase] : cycles) {
        s += std::sin(2 * kPi * static_cast<double>(c) * n / loop + phase);
        total += 1;
    }
    return 0.5 + 0.5 * s / total;
}

// Outdoors: wind with gusts, a distant surf and now and then a bird.
Wave Ambience() {
    const size_t loop = Samples(6.0);
    Noise rng(0xA3B1E);

    Wave wind = WhiteNoise(rng, loop);
    ApplyLooped(wind, Filter(400, 1.1), Pass::kBand, [&](size_t n) {
        return 220 + 520 * Sway(n, loop, {{1, 0.3}, {2, 1.9}, {5, 4.0}});
    });
    Normalise(wind);
    for (size_t n = 0; n < loop; ++n) wind[n] *= 0.35 + 0.65 * Sway(n, loop, {{1, 1.2}, {3, 0.2}, {4, 2.6}});

    Wave surf = WhiteNoise(rng, loop);
    ApplyLooped(surf, Filter(700, 0.6), Pass::kLow);
    ApplyLooped(surf, Filter(120, 0.7), Pass::kHigh);
    Normalise(surf);
    for (size_t n = 0; n < loop; ++n) {
        const double swell = 0.5 - 0.5 * std::cos(2 * kPi * 2.0 * n / loop);  // two waves per loop
        surf[n] *= 0.25 + 0.75 * swell * swell;
    }

    // Birds: short chirps gliding in pitch, in little groups.
    Wave birds(loop, 0.0);
    for (int group = 0; group < 5; ++group) {
        size_t at = static_cast<size_t>(rng.Between(0.1, 0.9) * loop / 5) + group * loop / 5;
        const int chirps = 2 + static_cast<int>(rng.Bits() % 3);
        const double from = rng.Between(2600, 3600), to = from * rng.Between(1.15, 1.45);
        const double level = rng.Between(0.5, 1.0);
        for (int c = 0; c < chirps; ++c) {
            const size_t len = Samples(rng.Between(0.05, 0.09));
            double phase = 0;
            for (size_t k = 0; k < len; ++k) {
                const double u = static_cast<double>(k) / len;
                const double hz = from + (to - from) * u;
                phase += 2 * kPi * hz / kSampleRate;
                const double window = std::sin(kPi * u);
                birds[(at + k) % loop] += level * window * window * std::sin(phase);
            }
            at += len + Samples(rng.Between(0.03, 0.07));
        }
    }

    Wave out(loop, 0.0);
    Mix(out, wind, 0.55);
    Mix(out, surf, 0.4);
    Mix(out, birds, 0.4);
    RemoveOffset(out);
    return out;
}

// ---- One-shots -------------------------------------------------------------

// A bright two-note chime for a bonus.
Wave Chime() {
    Wave w(Samples(0.8), 0.0);
    const std::vector<TonePartial> bell = {{1, 1.0, 0.3}, {2, 0.35, 0.16}, {3, 0.18, 0.1}, {4.2, 0.12, 0.05}};
    AddStrike(w, 0, 1318.5, bell);               // E6
    AddStrike(w, Samples(0.075), 1975.5, bell);  // B6
    FadeEnds(w, Samples(0.001), Samples(0.03));
    return w;
}

// A heavy crash thud: a falling boom, a dull knock and a little crunch.
Wave Thud() {
    Wave w(Samples(0.55), 0.0);
    Noise rng(0xB00B);
    AddSweep(w, 0, 130, 38, 0.06, 1.0, 0.14);
    AddBurst(w, rng, 0, w.size(), 0.9, 0.05, Filter(500, 0.9), Pass::kLow);
    AddBurst(w, rng, Samples(0.004), Samples(0.12), 0.25, 0.025, Filter(2200, 1.5), Pass::kBand);
    Saturate(w, 1.8);
    FadeEnds(w, Samples(0.001), Samples(0.05));
    return w;
}

// The countdown beep: a clear, slightly square tone.
Wave Beep() {
    Wave w(Samples(0.22), 0.0);
    for (size_t k = 0; k < w.size(); ++k) {
        const double p = 2 * kPi * 880.0 * k / kSampleRate;
        w[k] = std::sin(p) + 0.25 * std::sin(3 * p) + 0.08 * std::sin(5 * p);
    }
    FadeEnds(w, Samples(0.004), Samples(0.04));
    return w;
}

// A band-limited sawtooth: harmonics up to `limitHz`.
double Saw(double phase, double hz, double limitHz) {
    double s = 0;
    for (int h = 1; h * hz < limitHz; ++h) s += std::sin(h * phase) / h;
    return s;
}

// The refusal: a low, rough buzz of two saws a little apart.
Wave Buzz() {
    Wave w(Samples(0.32), 0.0);
    for (size_t k = 0; k < w.size(); ++k) {
        const double t = static_cast<double>(k) / kSampleRate;
        const double tremolo = 0.8 + 0.2 * std::sin(2 * kPi * 18 * t);
        w[k] = tremolo * (Saw(2 * kPi * 98 * t, 98, 3000) + Saw(2 * kPi * 104 * t, 104, 3000));
    }
    Apply(w, Filter(1400, 0.9), Pass::kLow);
    FadeEnds(w, Samples(0.005), Samples(0.04));
    return w;
}

// A firework: a sharp bang with a boom, then crackles thinning out and a
// rumbling tail.
Wave Firework() {
    Wave w(Samples(1.8), 0.0);
    Noise rng(0xF12E);
    AddBurst(w, rng, 0, Samples(0.4), 1.0, 0.03, Filter(3500, 0.7), Pass::kLow);
    AddSweep(w, 0, 90, 45, 0.1, 0.8, 0.25);
    AddBurst(w, rng, 0, w.size(), 0.2, 0.45, Filter(300, 0.8), Pass::kLow);
    for (int i = 0; i < 70; ++i) {
        const double u = rng.Uniform();
        const size_t at = Samples(0.2 + 1.3 * u * u);  // denser early
        const double level = rng.Between(0.15, 0.5) * (1.2 - 0.7 * u);
        AddBurst(w, rng, at, Samples(0.006), level, 0.0015, Filter(rng.Between(2500, 6000), 1.2), Pass::kBand);
    }
    Saturate(w, 1.5);
    FadeEnds(w, Samples(0.0005), Samples(0.1));
    return w;
}

// A short dry tick for a button.
Wave Click() {
    Wave w(Samples(0.03), 0.0);
    Noise rng(0xC11C);
    AddStrike(w, 0, 2400, {{1, 0.8, 0.004}, {2.3, 0.3, 0.002}});
    AddBurst(w, rng, 0, w.size(), 0.5, 0.0015, Filter(3000, 0.7), Pass::kHigh);
    FadeEnds(w, Samples(0.0005), Samples(0.008));
    return w;
}

// A soft rising two-note blip for a choice made.
Wave Select() {
    Wave w(Samples(0.09), 0.0);
    const std::vector<TonePartial> blip = {{1, 1.0, 0.03}, {2, 0.2, 0.015}};
    AddStrike(w, 0, 1046.5, blip);               // C6
    AddStrike(w, Samples(0.035), 1568.0, blip);  // G6
    FadeEnds(w, Samples(0.002), Samples(0.02));
    return w;
}

// The bytes of a mono 16-bit PCM WAV file.
std::vector<uint8_t> WavBytes(const std::vector<int16_t>& pcm, int rate) {
    const uint32_t dataBytes = static_cast<uint32_t>(pcm.size() * 2);
    std::vector<uint8_t> out;
    out.reserve(44 + dataBytes);
    PutText(out, "RIFF", 4);
    PutU32(out, 36 + dataBytes);
    PutText(out, "WAVE", 4);
    PutText(out, "fmt ", 4);
    PutU32(out, 16);
    PutU16(out, 1);  // PCM
    PutU16(out, 1);  // mono
    PutU32(out, static_cast<uint32_t>(rate));
    PutU32(out, static_cast<uint32_t>(rate) * 2);
    PutU16(out, 2);
    PutU16(out, 16);
    PutText(out, "data", 4);
    PutU32(out, dataBytes);
    for (int16_t s : pcm) PutU16(out, static_cast<uint16_t>(s));
    return out;
}

}  // namespace

bool MakeSounds(const std::string& folder) {
    // The player's engine at full revs: 88 firings in half a second, 176 Hz,
    // so the game's pitch of 1500 Hz per unit of speed runs from a slow
    // rumble at a crawl to this roar at top speed.
    const EngineVoice player = {Samples(0.5), 88, 4, 0.0007, 320, 900, 2400, 0.8, 0.35, 5200, 1.6, 0xE1};
    // The other cars: a deeper, smoother three-cylinder, duller as if heard
    // from a distance.
    const EngineVoice other = {Samples(0.5), 72, 3, 0.0009, 260, 650, 1800, 0.6, 0.25, 2600, 1.3, 0xE2};

    const struct {
        const char* name;
        std::function<Wave()> make;
        double peak;
    } sounds[] = {
        {"eng", [&] { return Engine(player); }, 0.7},
        {"eng_e", [&] { return Engine(other); }, 0.7},
        {"amb", Ambience, 0.45},
        {"get", Chime, 0.6},
        {"bum", Thud, 0.9},
        {"start", Beep, 0.5},
        {"bad", Buzz, 0.5},
        {"fw", Firework, 0.9},
        {"click", Click, 0.5},
        {"select", Select, 0.45},
    };
    for (const auto& s : sounds) {
        const std::vector<int16_t> pcm = ToPcm16(s.make(), s.peak);
        if (!WriteFileBytes(folder + "/" + s.name + ".wav", WavBytes(pcm, kSampleRate))) return false;
    }
    return true;
}
