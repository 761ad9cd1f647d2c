#include "synth.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "engine/files.h"

Noise::Noise(uint64_t seed) : state_(seed * 6364136223846793005ULL + 1442695040888963407ULL) {}

uint32_t Noise::Bits() {
    const uint64_t old = state_;
    state_ = old * 6364136223846793005ULL + 1442695040888963407ULL;
    const uint32_t xorshifted = static_cast<uint32_t>(((old >> 18) ^ old) >> 27);
    const uint32_t rot = static_cast<uint32_t>(old >> 59);
    return (xorshifted >> rot) | (xorshifted << ((32 - rot) & 31));
}

double Noise::Uniform() { return Bits() / 4294967296.0; }

Filter::Filter(double cutoffHz, double resonance, int rate) : rate_(rate), k_(1.0 / resonance) { Tune(cutoffHz); }

void Filter::Tune(double cutoffHz) {
    const double g = std::tan(kPi * std::clamp(cutoffHz, 1.0, rate_ * 0.49) / rate_);
    a1_ = 1.0 / (1.0 + g * (g + k_));
    a2_ = g * a1_;
    a3_ = g * a2_;
}

Filter::Out Filter::Step(double x) {
    const double v3 = x - ic2_;
    const double v1 = a1_ * ic1_ + a2_ * v3;
    const double v2 = ic2_ + a2_ * ic1_ + a3_ * v3;
    ic1_ = 2 * v1 - ic1_;
    ic2_ = 2 * v2 - ic2_;
    return {v2, v1, x - k_ * v1 - v2};
}

namespace {

double Pick(const Filter::Out& o, Pass pass) {
    switch (pass) {
        case Pass::kLow: return o.low;
        case Pass::kBand: return o.band;
        case Pass::kHigh: return o.high;
    }
    return o.low;
}

}  // namespace

void Apply(Wave& w, Filter f, Pass pass) {
    for (double& x : w) x = Pick(f.Step(x), pass);
}

void ApplyLooped(Wave& w, Filter f, Pass pass, const std::function<double(size_t)>& cutoff) {
    for (int round = 0; round < 2; ++round) {
        for (size_t n = 0; n < w.size(); ++n) {
            if (cutoff) f.Tune(cutoff(n));
            const double y = Pick(f.Step(w[n]), pass);
            if (round == 1) w[n] = y;
        }
    }
}

Wave WhiteNoise(Noise& rng, size_t n) {
    Wave w(n);
    for (double& x : w) x = rng.Signed();
    return w;
}

void AddPartials(Wave& w, int64_t loop, const std::vector<Partial>& partials, size_t attackEnd) {
    for (const Partial& p : partials) {
        const int64_t step = ((p.cycles % loop) + loop) % loop;
        int64_t at = 0;  // cycles * n mod loop, kept exact so every loop repeats bit for bit
        for (size_t n = 0; n < w.size(); ++n) {
            double amp = p.amp;
            if (n < attackEnd) {
                const double left = 1.0 - static_cast<double>(n) / attackEnd;
                amp += p.attack * left * left * left;
            }
            w[n] += amp * std::sin(2 * kPi * static_cast<double>(at) / loop + p.phase);
            at += step;
            if (at >= loop) at -= loop;
        }
    }
}

void Normalise(Wave& w) {
    double sum = 0;
    for (double x : w) sum += x * x;
    const double rms = std::sqrt(sum / std::max<size_t>(w.size(), 1));
    if (rms > 0) {
        for (double& x : w) x /= rms;
    }
}

void Mix(Wave& into, const Wave& layer, double weight) {
    for (size_t i = 0; i < into.size() && i < layer.size(); ++i) into[i] += weight * layer[i];
}

void AddStrike(Wave& w, size_t at, double hz, const std::vector<TonePartial>& partials) {
    for (const TonePartial& p : partials) {
        const double step = 2 * kPi * hz * p.ratio / kSampleRate;
        if (hz * p.ratio >= kSampleRate / 2) continue;
        for (size_t k = 0; at + k < w.size(); ++k) {
            const double t = static_cast<double>(k) / kSampleRate;
            w[at + k] += p.amp * std::exp(-t / p.decay) * std::sin(step * k);
        }
    }
}

void AddSweep(Wave& w, size_t at, double fromHz, double toHz, double glide, double amp, double decay) {
    double phase = 0;
    for (size_t k = 0; at + k < w.size(); ++k) {
        const double t = static_cast<double>(k) / kSampleRate;
        const double hz = toHz + (fromHz - toHz) * std::exp(-t / glide);
        phase += 2 * kPi * hz / kSampleRate;
        w[at + k] += amp * std::exp(-t / decay) * std::sin(phase);
    }
}

void AddBurst(Wave& w, Noise& rng, size_t at, size_t length, double amp, double decay, Filter f, Pass pass) {
    Wave burst = WhiteNoise(rng, length);
    Apply(burst, f, pass);
    for (size_t k = 0; k < length && at + k < w.size(); ++k) {
        w[at + k] += amp * std::exp(-static_cast<double>(k) / kSampleRate / decay) * burst[k];
    }
}

void FadeEnds(Wave& w, size_t in, size_t out) {
    const size_t n = w.size();
    for (size_t i = 0; i < in && i < n; ++i) w[i] *= static_cast<double>(i) / in;
    for (size_t i = 0; i < out && i < n; ++i) w[n - 1 - i] *= static_cast<double>(i) / out;
}

void RemoveOffset(Wave& w) {
    if (w.empty()) return;
    double sum = 0;
    for (double x : w) sum += x;
    const double mean = sum / w.size();
    for (double& x : w) x -= mean;
}

void Saturate(Wave& w, double drive) {
    double top = 0;
    for (double x : w) top = std::max(top, std::fabs(x));
    if (top == 0) return;
    for (double& x : w) x = std::tanh(drive * x / top) / std::tanh(drive);
}

std::vector<int16_t> ToPcm16(const Wave& w, double peak) {
    double top = 0;
    for (double x : w) top = std::max(top, std::fabs(x));
    const double scale = top > 0 ? peak * 32767.0 / top : 0.0;
    std::vector<int16_t> pcm(w.size());
    for (size_t i = 0; i < w.size(); ++i) {
        pcm[i] = static_cast<int16_t>(std::clamp(std::lround(w[i] * scale), -32767L, 32767L));
    }
    return pcm;
}

bool WriteFileBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
    std::string error;
    if (WriteFileAtomically(path, std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()), error)) {
        return true;
    }
    std::fprintf(stderr, "kolvetra-datagen: %s\n", error.c_str());
    return false;
}

void PutU8(std::vector<uint8_t>& out, unsigned v) { out.push_back(static_cast<uint8_t>(v)); }

void PutU16(std::vector<uint8_t>& out, unsigned v) {
    out.push_back(static_cast<uint8_t>(v & 0xFF));
    out.push_back(static_cast<uint8_t>((v >> 8) & 0xFF));
}

void PutU32(std::vector<uint8_t>& out, uint32_t v) {
    PutU16(out, v & 0xFFFF);
    PutU16(out, v >> 16);
}

void PutText(std::vector<uint8_t>& out, const std::string& text, size_t n, char pad) {
    for (size_t i = 0; i < n; ++i) out.push_back(static_cast<uint8_t>(i < text.size() ? text[i] : pad));
}
