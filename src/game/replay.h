// Replays: everything that decides a race, kept so that the race can be run
// again tick for tick. The world is deterministic given the track, the
// choices, the random generator at the start and the controls of every tick;
// the player's position per tick comes along for the ghost.
//
// The file (replays/<track>.rpl, replays/last.rpl in the player's folder) is
// UTF-8 text: the version line "kolvetra-replay 1", one `key value` line per
// field in a fixed order, then one line per tick, "controls x y frame":
// controls the sum of 1 up, 2 down, 4 left, 8 right and 16 when the world
// moved on that tick (the countdown over), x and y the player's car after
// the tick, frame its direction in thousandths.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "engine/random.h"
#include "world/race.h"

inline constexpr std::string_view kReplayTag = "kolvetra-replay 1";
// An hour of racing; a longer race is not kept.
inline constexpr int kMaxReplayTicks = 120000;

// Positions kept are within this; a car pushed farther out is kept at it.
inline constexpr int32_t kReplayPositionLimit = 400000000;

enum ReplayControl : uint8_t { kUp = 1, kDown = 2, kLeft = 4, kRight = 8, kWorldRuns = 16 };

struct ReplayTick {
    uint8_t controls = 0;  // ReplayControl bits
    int32_t x = 0, y = 0;  // the player's car after the tick
    int32_t frame = 0;     // its direction frame, in thousandths
};

struct Replay {
    std::string track;       // wld/<track>.wld
    uint64_t trackHash = 0;  // TrackHash of the track file's bytes
    RaceSetup setup;         // vehicle, colour, difficulty
    uint8_t mode = 1;        // 0 tournament, 1 single race
    int32_t score = 0;       // the player's points when the race started
    RandomState random;      // the generator before the world was loaded
    std::vector<ReplayTick> ticks;
};

// Whether races on a track of this name are kept (replays, records): a plain
// file name of up to 128 bytes without blanks or control characters, not
// starting with '.'.
bool KeptTrackName(std::string_view name);

// FNV-1a, 64 bits.
uint64_t TrackHash(std::string_view bytes);
// The hash of the track file a race on `track` loads; 0 when unreadable.
uint64_t TrackFileHash(std::string_view track);

uint8_t ControlBits(const RaceInput& in, bool worldRuns);
RaceInput ControlsOf(uint8_t bits);

std::string FormatReplay(const Replay& r);
// False, with what is wrong in `fault`, for anything but a whole replay of
// this version whose every field is in range.
bool ParseReplay(std::string_view text, Replay& out, std::string& fault);
// Reads and checks a replay file, and that its track is still the one it
// was driven on; `fault` names the file and what is wrong.
bool LoadReplay(const std::string& path, Replay& out, std::string& fault);
// replays/<name>.rpl in the player's folder.
std::string ReplayPath(std::string_view name);
