#include <charconv>
#include <cinttypes>
#include <cstdio>

#include "engine/files.h"
#include "engine/paths.h"
#include "game/replay.h"
#include "world/world.h"

namespace {

// Lines of a text, one at a time, with or without carriage returns.
class Lines {
  public:
    explicit Lines(std::string_view text) : text_(text) {}
    bool Next(std::string_view& line) {
        if (text_.empty()) return false;
        const size_t end = text_.find('\n');
        line = text_.substr(0, end);
        text_ = end == std::string_view::npos ? std::string_view{} : text_.substr(end + 1);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        return true;
    }
    bool Done() const { return text_.empty(); }

  private:
    std::string_view text_;
};

// The next space-separated word of `line`, taken off it.
std::string_view Word(std::string_view& line) {
    const size_t start = line.find_first_not_of(' ');
    if (start == std::string_view::npos) {
        line = {};
        return {};
    }
    line.remove_prefix(start);
    const size_t end = line.find(' ');
    const std::string_view word = line.substr(0, end);
    line = end == std::string_view::npos ? std::string_view{} : line.substr(end);
    return word;
}

template <typename T>
bool Number(std::string_view word, T& value, T low, T high, int base = 10) {
    T v{};
    auto [ptr, ec] = std::from_chars(word.data(), word.data() + word.size(), v, base);
    if (ec != std::errc() || ptr != word.data() + word.size() || word.empty() || v < low || v > high) return false;
    value = v;
    return true;
}

bool Hex64(std::string_view word, uint64_t& value) {
    return word.size() == 16 && Number<uint64_t>(word, value, 0, UINT64_MAX, 16);
}

// One `key value...` line whose key must be `key`; the rest in `rest`.
bool Field(Lines& lines, std::string_view key, std::string_view& rest, std::string& fault) {
    std::string_view line;
    if (!lines.Next(line) || Word(line) != key) {
        fault = "no " + std::string(key) + " line";
        return false;
    }
    rest = line;
    return true;
}

template <typename T>
bool NumberField(Lines& lines, std::string_view key, T& value, T low, T high, std::string& fault) {
    std::string_view rest;
    if (!Field(lines, key, rest, fault)) return false;
    if (!Number(Word(rest), value, low, high) || !Word(rest).empty()) {
        fault = "bad " + std::string(key);
        return false;
    }
    return true;
}

bool ParseTick(std::string_view line, ReplayTick& t) {
    constexpr int32_t kLimit = kReplayPositionLimit;
    return Number<uint8_t>(Word(line), t.controls, 0, 31) && Number<int32_t>(Word(line), t.x, -kLimit, kLimit) &&
           Number<int32_t>(Word(line), t.y, -kLimit, kLimit) && Number<int32_t>(Word(line), t.frame, -100000, 100000) &&
           Word(line).empty();
}

}  // namespace

bool KeptTrackName(std::string_view name) {
    if (name.empty() || name.size() > 128 || name.front() == '.') return false;
    for (const char c : name) {
        if (static_cast<unsigned char>(c) <= ' ' || c == '/' || c == '\\' || c == 0x7F) return false;
    }
    return true;
}

uint64_t TrackHash(std::string_view bytes) {
    uint64_t hash = 0xcbf29ce484222325ULL;
    for (const char c : bytes) {
        hash ^= static_cast<unsigned char>(c);
        hash *= 0x100000001b3ULL;
    }
    return hash;
}

uint64_t TrackFileHash(std::string_view track) {
    std::string bytes;
    return ReadWholeFile(WorldPath(track), bytes) ? TrackHash(bytes) : 0;
}

uint8_t ControlBits(const RaceInput& in, bool worldRuns) {
    return static_cast<uint8_t>((in.up ? kUp : 0) | (in.down ? kDown : 0) | (in.left ? kLeft : 0) |
                                (in.right ? kRight : 0) | (worldRuns ? kWorldRuns : 0));
}

RaceInput ControlsOf(uint8_t bits) {
    return RaceInput{(bits & kUp) != 0, (bits & kDown) != 0, (bits & kLeft) != 0, (bits & kRight) != 0};
}

std::string FormatReplay(const Replay& r) {
    std::string text(kReplayTag);
    text += "\ntrack " + r.track;
    char line[160];
    std::snprintf(line, sizeof line,
                  "\ntrack-hash %016" PRIx64 "\nvehicle %d\ncolour %d\ndifficulty %d\nmode %d\nscore %" PRId32
                  "\nrandom %016" PRIx64 " %016" PRIx64 "\nticks %zu\n",
                  r.trackHash, r.setup.vehicle, r.setup.colour, r.setup.difficulty, r.mode, r.score, r.random.state,
                  r.random.inc, r.ticks.size());
    text += line;
    text.reserve(text.size() + r.ticks.size() * 20);
    for (const ReplayTick& t : r.ticks) {
        std::snprintf(line, sizeof line, "%d %" PRId32 " %" PRId32 " %" PRId32 "\n", t.controls, t.x, t.y, t.frame);
        text += line;
    }
    return text;
}

bool ParseReplay(std::string_view text, Replay& out, std::string& fault) {
    Lines lines(text);
    std::string_view line, rest;
    if (!lines.Next(line) || line != kReplayTag) {
        fault = "not a replay of this version of the game";
        return false;
    }
    Replay r;
    if (!Field(lines, "track", rest, fault)) return false;
    const std::string_view track = Word(rest);
    if (!KeptTrackName(track) || !Word(rest).empty()) {
        fault = "bad track name";
        return false;
    }
    r.track = track;
    if (!Field(lines, "track-hash", rest, fault)) return false;
    if (!Hex64(Word(rest), r.trackHash) || !Word(rest).empty()) {
        fault = "bad track-hash";
        return false;
    }
    int mode = 0;
    size_t count = 0;
    if (!NumberField(lines, "vehicle", r.setup.vehicle, 0, static_cast<int>(vehiclenames.size()) - 1, fault) ||
        !NumberField(lines, "colour", r.setup.colour, 0, static_cast<int>(palette.size()) - 1, fault) ||
        !NumberField(lines, "difficulty", r.setup.difficulty, 0, 2, fault) ||
        !NumberField(lines, "mode", mode, 0, 1, fault) ||
        !NumberField(lines, "score", r.score, INT32_MIN, INT32_MAX, fault)) {
        return false;
    }
    r.mode = static_cast<uint8_t>(mode);
    if (!Field(lines, "random", rest, fault)) return false;
    if (!Hex64(Word(rest), r.random.state) || !Hex64(Word(rest), r.random.inc) || (r.random.inc & 1u) == 0 ||
        !Word(rest).empty()) {
        fault = "bad random";
        return false;
    }
    if (!NumberField<size_t>(lines, "ticks", count, 0, kMaxReplayTicks, fault)) return false;
    r.ticks.resize(count);
    for (size_t i = 0; i < count; ++i) {
        if (!lines.Next(line)) {
            fault = "cut short at tick " + std::to_string(i + 1);
            return false;
        }
        if (!ParseTick(line, r.ticks[i])) {
            fault = "bad tick " + std::to_string(i + 1);
            return false;
        }
    }
    while (lines.Next(line)) {
        if (!line.empty()) {
            fault = "more ticks than it says";
            return false;
        }
    }
    out = std::move(r);
    return true;
}

bool LoadReplay(const std::string& path, Replay& out, std::string& fault) {
    std::string bytes;
    if (!ReadWholeFile(path, bytes)) {
        fault = path + ": cannot be read";
        return false;
    }
    if (!ParseReplay(bytes, out, fault)) {
        fault = path + ": " + fault;
        return false;
    }
    if (TrackFileHash(out.track) != out.trackHash) {
        fault = path + ": the track " + out.track + " has changed since the race, or is missing";
        return false;
    }
    return true;
}

std::string ReplayPath(std::string_view name) { return UserPath("replays/" + std::string(name) + ".rpl"); }
