#include "xm_writer.h"

#include <cmath>

#include "synth.h"

namespace xm {

namespace {

constexpr uint32_t kHeaderSize = 276;  // counted from the header-size field on
constexpr uint32_t kInstrumentSize = 263;
constexpr uint32_t kSampleHeaderSize = 40;
constexpr double kMiddleC = 261.6256;
constexpr double kC4Rate = 8363;  // C-4 with no relative note or finetune

bool PackPattern(const Pattern& p, std::vector<uint8_t>& out) {
    std::vector<uint8_t> packed;
    for (const Cell& c : p.cells) {
        const uint8_t fields[5] = {c.note, c.instrument, c.volume, c.effect, c.param};
        uint8_t mask = 0;
        for (int i = 0; i < 5; ++i) {
            if (fields[i]) mask |= static_cast<uint8_t>(1 << i);
        }
        if (mask == 0x1F) {  // every field set: the plain five bytes are shortest
            packed.insert(packed.end(), fields, fields + 5);
            continue;
        }
        packed.push_back(0x80 | mask);
        for (int i = 0; i < 5; ++i) {
            if (fields[i]) packed.push_back(fields[i]);
        }
    }
    if (packed.size() > 0xFFFF) return false;
    PutU32(out, 9);
    PutU8(out, 0);
    PutU16(out, static_cast<unsigned>(p.rows));
    PutU16(out, static_cast<unsigned>(packed.size()));
    out.insert(out.end(), packed.begin(), packed.end());
    return true;
}

void PutInstrument(const Instrument& in, std::vector<uint8_t>& out) {
    PutU32(out, kInstrumentSize);
    PutText(out, in.name, 22);
    PutU8(out, 0);
    PutU16(out, 1);  // one sample
    PutU32(out, kSampleHeaderSize);
    PutText(out, "", 96);  // every key plays sample 0

    const Envelope& env = in.envelope;
    for (int i = 0; i < kEnvelopePoints; ++i) {
        const bool used = i < static_cast<int>(env.points.size());
        PutU16(out, used ? static_cast<unsigned>(env.points[i].first) : 0);
        PutU16(out, used ? static_cast<unsigned>(env.points[i].second) : 0);
    }
    PutText(out, "", kEnvelopePoints * 4);  // no panning envelope
    PutU8(out, static_cast<unsigned>(env.points.size()));
    PutU8(out, 0);
    PutU8(out, env.sustain >= 0 ? static_cast<unsigned>(env.sustain) : 0);
    PutU8(out, 0);  // volume loop start, end
    PutU8(out, 0);
    PutU8(out, 0);  // panning sustain, loop start, end
    PutU8(out, 0);
    PutU8(out, 0);
    unsigned type = 0;
    if (!env.points.empty()) type |= 1;
    if (env.sustain >= 0) type |= 2;
    PutU8(out, type);
    PutU8(out, 0);  // panning envelope off
    PutU8(out, 0);  // vibrato: sine
    PutU8(out, static_cast<unsigned>(in.vibratoSweep));
    PutU8(out, static_cast<unsigned>(in.vibratoDepth));
    PutU8(out, static_cast<unsigned>(in.vibratoRate));
    PutU16(out, static_cast<unsigned>(in.fadeout));
    PutText(out, "", kInstrumentSize - 241);

    PutU32(out, static_cast<uint32_t>(in.data.size() * 2));
    PutU32(out, in.loop == Loop::kNone ? 0 : in.loopStart * 2);
    PutU32(out, in.loop == Loop::kNone ? 0 : in.loopLength * 2);
    PutU8(out, static_cast<unsigned>(in.volume));
    PutU8(out, static_cast<uint8_t>(static_cast<int8_t>(in.finetune)));
    PutU8(out, (in.loop == Loop::kForward ? 1u : 0u) | 0x10u);  // 16-bit
    PutU8(out, static_cast<unsigned>(in.panning));
    PutU8(out, static_cast<uint8_t>(static_cast<int8_t>(in.relativeNote)));
    PutU8(out, 0);
    PutText(out, in.name, 22);

    // Sample data goes as differences from the previous value.
    int16_t previous = 0;
    for (int16_t s : in.data) {
        PutU16(out, static_cast<uint16_t>(s - previous));
        previous = s;
    }
}

std::string CheckInstrument(const Instrument& in) {
    if (in.data.empty()) return in.name + ": no sample data";
    if (in.loop != Loop::kNone && (in.loopLength == 0 || in.loopStart + in.loopLength > in.data.size())) {
        return in.name + ": loop outside the sample";
    }
    if (in.volume < 0 || in.volume > 64 || in.panning < 0 || in.panning > 255) return in.name + ": volume or panning";
    if (in.relativeNote < -96 || in.relativeNote > 95 || in.finetune < -128 || in.finetune > 127) {
        return in.name + ": tuning out of range";
    }
    const Envelope& env = in.envelope;
    if (env.points.size() > kEnvelopePoints || env.sustain >= static_cast<int>(env.points.size())) {
        return in.name + ": envelope";
    }
    for (size_t i = 0; i < env.points.size(); ++i) {
        const auto [tick, level] = env.points[i];
        if (level < 0 || level > 64 || tick < 0 || tick > 0xFFFF || (i > 0 && tick <= env.points[i - 1].first)) {
            return in.name + ": envelope";
        }
    }
    if (in.fadeout < 0 || in.fadeout > 0xFFF) return in.name + ": fadeout";
    return "";
}

}  // namespace

void TuneSample(Instrument& instrument, double rate, double toneHz) {
    const double semitones = 12.0 * std::log2(kMiddleC * rate / (toneHz * kC4Rate));
    instrument.relativeNote = static_cast<int>(std::lround(semitones));
    instrument.finetune = static_cast<int>(std::lround((semitones - instrument.relativeNote) * 128.0));
}

std::vector<uint8_t> Encode(const Module& m, std::string& error) {
    error.clear();
    if (m.channels < 2 || m.channels > kMaxChannels || m.channels % 2) error = "channel count";
    if (m.order.empty() || m.order.size() > 256) error = "song length";
    if (m.restart < 0 || m.restart >= static_cast<int>(m.order.size())) error = "restart position";
    if (m.patterns.empty() || m.patterns.size() > 256 || m.instruments.size() > 128) error = "too many parts";
    if (m.speed < 1 || m.speed > 31 || m.tempo < 32 || m.tempo > 255) error = "speed or tempo";
    for (uint8_t o : m.order) {
        if (o >= m.patterns.size()) error = "order names a missing pattern";
    }
    for (const Pattern& p : m.patterns) {
        if (p.rows < 1 || p.rows > kMaxRows || p.channels != m.channels ||
            p.cells.size() != static_cast<size_t>(p.rows) * p.channels) {
            error = "pattern shape";
        }
        for (const Cell& c : p.cells) {
            if ((c.note > 96 && c.note != kKeyOff) || c.instrument > m.instruments.size()) error = "bad cell";
        }
    }
    for (const Instrument& in : m.instruments) {
        if (const std::string e = CheckInstrument(in); !e.empty()) error = e;
    }
    if (!error.empty()) return {};

    std::vector<uint8_t> out;
    PutText(out, "Extended Module: ", 17);
    PutText(out, m.name, 20);
    PutU8(out, 0x1A);
    PutText(out, "kolvetra-datagen", 20);
    PutU16(out, 0x0104);
    PutU32(out, kHeaderSize);
    PutU16(out, static_cast<unsigned>(m.order.size()));
    PutU16(out, static_cast<unsigned>(m.restart));
    PutU16(out, static_cast<unsigned>(m.channels));
    PutU16(out, static_cast<unsigned>(m.patterns.size()));
    PutU16(out, static_cast<unsigned>(m.instruments.size()));
    PutU16(out, 1);  // linear frequency table
    PutU16(out, static_cast<unsigned>(m.speed));
    PutU16(out, static_cast<unsigned>(m.tempo));
    for (size_t i = 0; i < 256; ++i) PutU8(out, i < m.order.size() ? m.order[i] : 0);

    for (const Pattern& p : m.patterns) {
        if (!PackPattern(p, out)) {
            error = "pattern too large";
            return {};
        }
    }
    for (const Instrument& in : m.instruments) PutInstrument(in, out);
    return out;
}

}  // namespace xm
