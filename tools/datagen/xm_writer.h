// A tracker module in the Extended Module (XM, version 1.04) format, as the
// menu music is stored, and its encoding to bytes.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace xm {

constexpr int kMaxChannels = 32;
constexpr int kMaxRows = 256;
constexpr int kEnvelopePoints = 12;
constexpr uint8_t kKeyOff = 97;

// XM note numbers: 1 is C-0, 49 is C-4, 96 is B-7.
constexpr uint8_t Note(int octave, int semitone) { return static_cast<uint8_t>(1 + octave * 12 + semitone); }
// The volume column's "set volume" entry for a volume of 0..64.
constexpr uint8_t Volume(int v) { return static_cast<uint8_t>(0x10 + v); }

struct Cell {
    uint8_t note = 0;        // 0 none, 1..96, kKeyOff
    uint8_t instrument = 0;  // 1-based, 0 none
    uint8_t volume = 0;      // volume column, 0 none
    uint8_t effect = 0;
    uint8_t param = 0;
};

struct Pattern {
    int rows, channels;
    std::vector<Cell> cells;  // row by row

    Pattern(int rows, int channels) : rows(rows), channels(channels), cells(static_cast<size_t>(rows) * channels) {}
    Cell& At(int row, int channel) { return cells[static_cast<size_t>(row) * channels + channel]; }
};

// A volume envelope: points of (tick, level 0..64), with an optional
// sustain point held while the key is down.
struct Envelope {
    std::vector<std::pair<int, int>> points;
    int sustain = -1;
};

enum class Loop { kNone, kForward };

// One instrument with its one sample, 16-bit.
struct Instrument {
    std::string name;
    std::vector<int16_t> data;
    Loop loop = Loop::kNone;
    uint32_t loopStart = 0, loopLength = 0;  // in samples
    int volume = 64;                         // 0..64
    int panning = 128;                       // 0 left .. 255 right
    int relativeNote = 0;                    // semitones
    int finetune = 0;                        // 1/128 semitone, -128..127
    Envelope envelope;                       // unused when it has no points
    int fadeout = 0;                         // after key-off, per tick, of 65536
    int vibratoDepth = 0, vibratoRate = 0, vibratoSweep = 0;
};

struct Module {
    std::string name;
    int channels = 8;
    int speed = 6;    // ticks per row
    int tempo = 125;  // BPM
    int restart = 0;  // order position played after the last
    std::vector<uint8_t> order;
    std::vector<Pattern> patterns;
    std::vector<Instrument> instruments;
};

// The relative note and finetune that make note C-4 play a sample, recorded
// at `rate` samples per second, at the pitch `toneHz` heard in it sounding
// as middle C (261.63 Hz).
void TuneSample(Instrument& instrument, double rate, double toneHz);

// The module's bytes; empty, with `error` set, when the module breaks a
// limit of the format.
std::vector<uint8_t> Encode(const Module& module, std::string& error);

}  // namespace xm
