#include "music.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <sstream>

#include "synth.h"
#include "xm_writer.h"

namespace {

// ---- Instruments -----------------------------------------------------------

enum Instrument : uint8_t { kKick = 1, kSnare, kHat, kOpenHat, kBass, kLead, kPluck, kPad };

constexpr double kMiddleC = 261.6256;

xm::Instrument Sampled(const char* name, const Wave& wave, int volume, double toneHz) {
    xm::Instrument in;
    in.name = name;
    in.data = ToPcm16(wave, 0.9);
    in.volume = volume;
    xm::TuneSample(in, kSampleRate, toneHz);
    return in;
}

// A sustained instrument whose sample holds an attack and then one loop of
// `periods` periods of a tone repeating exactly (see AddPartials: partial
// cycles count per loop), looped from there on. The tone's period is a whole
// number of samples, and the tuning makes C-4 play it as middle C.
xm::Instrument Looped(const char* name, const std::vector<Partial>& partials, int period, int periods, size_t attack,
                      int volume) {
    const int64_t loop = static_cast<int64_t>(period) * periods;
    Wave wave(attack + static_cast<size_t>(loop), 0.0);
    AddPartials(wave, loop, partials, attack);
    xm::Instrument in = Sampled(name, wave, volume, static_cast<double>(kSampleRate) / period);
    in.loop = xm::Loop::kForward;
    in.loopStart = static_cast<uint32_t>(attack);
    in.loopLength = static_cast<uint32_t>(loop);
    return in;
}

xm::Instrument KickDrum() {
    Wave w(Samples(0.3), 0.0);
    Noise rng(0x4B1C);
    AddSweep(w, 0, 180, 48, 0.025, 1.0, 0.11);
    AddBurst(w, rng, 0, Samples(0.01), 0.3, 0.002, Filter(4000, 0.7), Pass::kLow);
    FadeEnds(w, 0, Samples(0.03));
    return Sampled("kick", w, 64, kMiddleC);
}

xm::Instrument SnareDrum() {
    Wave w(Samples(0.25), 0.0);
    Noise rng(0x5A4E);
    AddStrike(w, 0, 185, {{1, 0.7, 0.05}, {1.6, 0.3, 0.03}});
    AddBurst(w, rng, 0, w.size(), 1.0, 0.07, Filter(3500, 0.6), Pass::kBand);
    FadeEnds(w, Samples(0.0005), Samples(0.03));
    return Sampled("snare", w, 44, kMiddleC);
}

xm::Instrument HiHat(const char* name, double seconds, double decay, int volume) {
    Wave w(Samples(seconds), 0.0);
    Noise rng(0x4A7);
    AddBurst(w, rng, 0, w.size(), 1.0, decay, Filter(7000, 0.8), Pass::kHigh);
    AddBurst(w, rng, 0, w.size(), 0.5, decay, Filter(9000, 4.0), Pass::kBand);
    FadeEnds(w, Samples(0.0005), Samples(seconds / 4));
    return Sampled(name, w, volume, kMiddleC);
}

// A round, plucky bass: a mellow sawtooth with extra bite at the start.
xm::Instrument Bass() {
    const int period = 168;  // 131.25 Hz, close to C-3
    const int periods = 4;
    std::vector<Partial> partials;
    for (int h = 1; h * static_cast<double>(kSampleRate) / period < 5000; ++h) {
        const double mellow = 1.0 / (1.0 + (h / 5.0) * (h / 5.0));
        partials.push_back({h * periods, mellow / h, 0, h > 1 ? 0.9 / h : 0});
    }
    xm::Instrument in = Looped("bass", partials, period, periods, Samples(0.15), 46);
    in.envelope = {{{0, 64}, {6, 50}, {30, 42}}, 2};
    in.fadeout = 0x400;
    return in;
}

// The lead: a hollow pulse wave with a light chorus and a delayed vibrato.
xm::Instrument Lead() {
    const int period = 84;   // 262.5 Hz, close to C-4
    const int periods = 63;  // the chorus voice runs one more cycle per loop
    std::vector<Partial> partials;
    for (int h = 1; h <= 14; ++h) {
        const double pulse = std::sin(kPi * h * 0.3) / h;
        partials.push_back({h * periods, pulse, 0, 0});
        partials.push_back({h * (periods + 1), 0.35 * pulse, 1.0 + h, 0});  // out of step
    }
    xm::Instrument in = Looped("lead", partials, period, periods, Samples(0.02), 52);
    in.envelope = {{{0, 64}, {8, 52}}, 1};
    in.fadeout = 0x300;
    in.vibratoSweep = 48;
    in.vibratoDepth = 3;
    in.vibratoRate = 12;
    return in;
}

// A bright plucked saw for the arpeggios.
xm::Instrument Pluck() {
    Wave w(Samples(0.4), 0.0);
    std::vector<TonePartial> partials;
    for (int h = 1; h <= 16; ++h) partials.push_back({static_cast<double>(h), 1.0 / h, 0.3 / std::sqrt(h)});
    AddStrike(w, 0, kMiddleC, partials);
    FadeEnds(w, Samples(0.001), Samples(0.05));
    xm::Instrument in = Sampled("pluck", w, 30, kMiddleC);
    in.panning = 168;
    return in;
}

// A warm pad: three sawtooths a few cents apart, swelling in.
xm::Instrument Pad() {
    const int period = 84;
    const int periods = 131;
    Noise rng(0x9AD);
    std::vector<Partial> partials;
    for (int detune = -1; detune <= 1; ++detune) {
        for (int h = 1; h <= 22; ++h) {
            const double warm = 1.0 / (1.0 + (h / 4.0) * (h / 4.0));
            partials.push_back({h * (periods + detune), warm / h, rng.Uniform() * 2 * kPi, 0});
        }
    }
    xm::Instrument in = Looped("pad", partials, period, periods, 0, 24);
    in.envelope = {{{0, 0}, {10, 48}, {24, 40}}, 2};
    in.fadeout = 0x200;
    return in;
}

// ---- Score -----------------------------------------------------------------

enum Channel { kDrumKick, kDrumSnare, kDrumHat, kBassLine, kMelody, kArp, kPadLow, kPadHigh, kChannels };

constexpr int kRows = 64;
constexpr int kRowsPerBar = 16;

struct Chord {
    int root;  // semitone above C
    bool minor;
};

enum class Drums { kFull, kHalfTime };

struct Section {
    const char* chords;  // one per bar
    const char* melody;  // bars separated by '|', notes as "C#5:4" (rows; 2 when left out)
    Drums drums;
    bool openHats;
    bool fill;  // a snare run through the last bar's second half
};

int Semitone(char letter) {
    switch (letter) {
        case 'C': return 0;
        case 'D': return 2;
        case 'E': return 4;
        case 'F': return 5;
        case 'G': return 7;
        case 'A': return 9;
        case 'B': return 11;
        default: return -1;
    }
}

bool ParseChords(const char* text, std::vector<Chord>& chords) {
    std::istringstream in(text);
    std::string word;
    while (in >> word) {
        const int root = Semitone(word[0]);
        if (root < 0 || word.size() > 2 || (word.size() == 2 && word[1] != 'm')) return false;
        chords.push_back({root, word.size() == 2});
    }
    return chords.size() * kRowsPerBar == kRows;
}

// "G#5" to an XM note; 0 when it is not a note.
uint8_t ParseNote(const std::string& name) {
    if (name.size() < 2 || name.size() > 3) return 0;
    int semitone = Semitone(name[0]);
    size_t at = 1;
    if (name[at] == '#') {
        ++semitone;
        ++at;
    }
    if (semitone < 0 || at + 1 != name.size() || name[at] < '0' || name[at] > '7') return 0;
    return xm::Note(name[at] - '0', semitone);
}

// Writes a melody into one channel; false when a note is malformed or a bar
// does not add up to a whole bar.
bool WriteMelody(xm::Pattern& p, int channel, const char* melody) {
    std::istringstream bars(melody);
    std::string bar;
    int row = 0;
    while (std::getline(bars, bar, '|')) {
        std::istringstream notes(bar);
        std::string token;
        const int barStart = row;
        while (notes >> token) {
            const size_t colon = token.find(':');
            const uint8_t note = ParseNote(token.substr(0, colon));
            const int length = colon == std::string::npos ? 2 : std::atoi(token.c_str() + colon + 1);
            if (!note || length < 1 || row + length > kRows) return false;
            p.At(row, channel) = {note, kLead, 0, 0, 0};
            row += length;
        }
        if (row - barStart != kRowsPerBar) return false;
    }
    return row == kRows;
}

void Hit(xm::Pattern& p, int row, int channel, uint8_t instrument, int volume) {
    p.At(row, channel) = {xm::Note(4, 0), instrument, xm::Volume(volume), 0, 0};
}

void WriteDrums(xm::Pattern& p, const Section& s) {
    for (int bar = 0; bar < kRows / kRowsPerBar; ++bar) {
        const int at = bar * kRowsPerBar;
        const bool fillBar = s.fill && bar == kRows / kRowsPerBar - 1;
        for (int r = 0; r < kRowsPerBar; ++r) {
            const bool offbeat = r % 4 == 2;
            if (offbeat && s.openHats) {
                Hit(p, at + r, kDrumHat, kOpenHat, 26);
            } else {
                Hit(p, at + r, kDrumHat, kHat, r % 4 == 0 ? 26 : offbeat ? 36 : 16);
            }
        }
        if (s.drums == Drums::kFull) {
            for (int r = 0; r < kRowsPerBar; r += 4) Hit(p, at + r, kDrumKick, kKick, 64);
            Hit(p, at + 4, kDrumSnare, kSnare, 60);
            Hit(p, at + 12, kDrumSnare, kSnare, 60);
        } else {
            Hit(p, at, kDrumKick, kKick, 64);
            Hit(p, at + 10, kDrumKick, kKick, 52);
            Hit(p, at + 8, kDrumSnare, kSnare, 60);
        }
        if (fillBar) {
            const int run[] = {8, 10, 12, 13, 14, 15};
            int volume = 36;
            for (int r : run) {
                Hit(p, at + r, kDrumSnare, kSnare, volume);
                volume += 4;
            }
        }
    }
}

// Bass, arpeggio and pads follow the chords, one chord per bar.
void WriteHarmony(xm::Pattern& p, const std::vector<Chord>& chords, Drums drums) {
    for (size_t bar = 0; bar < chords.size(); ++bar) {
        const Chord c = chords[bar];
        const int at = static_cast<int>(bar) * kRowsPerBar;
        const int third = c.minor ? 3 : 4;
        // Keep the bass between E-2 and D#-3.
        const uint8_t bass = xm::Note(c.root >= 4 ? 2 : 3, c.root);
        for (int r = 0; r < kRowsPerBar; r += 2) {
            const bool pump = drums == Drums::kFull && r % 4 == 2;  // octave jumps on the off-beats
            p.At(at + r, kBassLine) = {static_cast<uint8_t>(bass + (pump ? 12 : 0)), kBass,
                                       xm::Volume(r % 4 == 0 ? 48 : 40), 0, 0};
        }
        const uint8_t root = xm::Note(4, c.root);
        const int climb[] = {0, third, 7, 12, 7, third, 7, 12};
        for (int r = 0; r < kRowsPerBar; ++r) {
            p.At(at + r, kArp) = {static_cast<uint8_t>(root + climb[r % 8]), kPluck, xm::Volume(r % 2 ? 18 : 26), 0, 0};
        }
        const uint8_t low = xm::Note(3, c.root);
        // The two pad voices sit apart, left and right (effect 8: set panning).
        p.At(at, kPadLow) = {static_cast<uint8_t>(low + third), kPad, 0, 0x08, 0x50};
        p.At(at, kPadHigh) = {static_cast<uint8_t>(low + 7), kPad, 0, 0x08, 0xB0};
    }
}

bool Compose(const Section& s, xm::Pattern& p, std::string& error) {
    std::vector<Chord> chords;
    if (!ParseChords(s.chords, chords)) {
        error = std::string("chords \"") + s.chords + "\"";
        return false;
    }
    WriteDrums(p, s);
    WriteHarmony(p, chords, s.drums);
    if (s.melody && !WriteMelody(p, kMelody, s.melody)) {
        error = std::string("melody \"") + s.melody + "\"";
        return false;
    }
    return true;
}

}  // namespace

bool MakeMusic(const std::string& folder) {
    // A minor at 140 beats a minute: six ticks a row at 140 BPM, four rows a
    // beat, four bars a pattern. Every row has drums, bass and arpeggio
    // sounding, so the tune never falls silent, not even where it loops.
    const Section sections[] = {
        // 0: intro, the band without the tune
        {"Am F C G", nullptr, Drums::kFull, false, false},
        // 1, 2: verse
        {"Am F C G",
         "E5:4 A5:2 G5:2 E5:4 C5:2 D5:2 | F5:4 E5:2 C5:2 A4:4 C5:4 | G4:4 C5:2 E5:2 G5:4 E5:2 C5:2 | D5:6 B4:2 D5:4 "
         "G5:4",
         Drums::kFull, false, false},
        {"Am F C G",
         "A5:4 G5:2 E5:2 A5:4 B5:2 C6:2 | A5:6 F5:2 C5:4 F5:4 | E5:4 G5:4 C6:4 G5:2 E5:2 | D5:4 B4:4 G4:4 B4:2 D5:2",
         Drums::kFull, false, false},
        // 3, 4: chorus
        {"F G Em Am", "C6:6 A5:2 F5:4 A5:4 | B5:6 G5:2 D5:4 G5:4 | B5:4 G5:4 E5:4 G5:2 B5:2 | A5:12 E5:2 G5:2",
         Drums::kFull, true, false},
        {"F G Em Am", "C6:4 D6:2 C6:2 A5:4 F5:4 | D6:4 E6:2 D6:2 B5:4 G5:4 | E6:6 D6:2 B5:4 G5:4 | A5:8 E5:4 A5:4",
         Drums::kFull, true, true},
        // 5, 6: bridge, half time
        {"Dm Am F E", "F5:4 E5:4 D5:4 A4:4 | C5:4 B4:4 A4:8 | A4:4 C5:4 F5:4 E5:4 | E5:8 G#5:4 B5:4", Drums::kHalfTime,
         false, false},
        {"Dm Am F E", "D5:2 F5:2 A5:4 G5:4 F5:4 | E5:4 C5:4 A4:4 C5:4 | F5:4 A5:4 C6:4 A5:4 | G#5:8 B5:4 D6:4",
         Drums::kHalfTime, false, true},
        // 7: turnaround back into the verse
        {"Am F G E", "A5:4 E5:4 C5:4 E5:4 | F5:4 C5:4 A4:4 C5:4 | G5:4 D5:4 B4:4 D5:4 | E5:4 G#5:4 B5:4 E6:4",
         Drums::kFull, true, true},
    };

    xm::Module m;
    m.name = "Kolvetra";
    m.channels = kChannels;
    m.speed = 6;
    m.tempo = 140;
    m.order = {0, 1, 2, 3, 4, 5, 6, 3, 4, 7};  // 10 patterns of 6.9 s: over a minute
    m.restart = 1;                             // loops back to the verse
    m.instruments = {
        KickDrum(), SnareDrum(), HiHat("hat", 0.06, 0.015, 64), HiHat("open hat", 0.3, 0.1, 64), Bass(), Lead(),
        Pluck(),    Pad()};
    std::string error;
    for (const Section& s : sections) {
        m.patterns.emplace_back(kRows, kChannels);
        if (!Compose(s, m.patterns.back(), error)) {
            std::fprintf(stderr, "kolvetra-datagen: menu music: bad %s\n", error.c_str());
            return false;
        }
    }
    const std::vector<uint8_t> bytes = xm::Encode(m, error);
    if (bytes.empty()) {
        std::fprintf(stderr, "kolvetra-datagen: menu music: %s\n", error.c_str());
        return false;
    }
    return WriteFileBytes(folder + "/menu.xm", bytes);
}
