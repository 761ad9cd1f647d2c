// Every race is kept as it runs: its start (track, choices, the random
// generator) and each tick's controls and player's car. Playing a replay
// turns this round: the replay's controls drive the race, tick by tick, and
// nothing the race does is kept for the player (no points, progress, records
// or replays).
#pragma once

#include <string_view>

#include "game/replay.h"
#include "world/world.h"

// The race now running, or the one run last.
extern Replay racerecording;

// From StartRace, before the world is loaded: a race starts its recording
// and its stopwatch; a replay puts back the random generator it started with.
void BeginRace(std::string_view track, uint8_t mode);
// Whether the world moves on this tick: in a race once the countdown's four
// seconds have passed; in a replay when it moved in the race recorded.
bool WorldRunsThisTick();
// After each race tick, with whether the world moved.
void EndRaceTick(const tworld& w, bool worldRan);
// Ticks of the race run so far.
int RaceTicksNow();

// A replay's race: the choices, points and generator of the replay, the
// profile left alone from here on. False when the track cannot be loaded.
bool StartReplayRace(const Replay& replay);
bool ReplayPlaying();
// The recorded controls of the tick about to run; none past the end.
RaceInput ReplayControlsNow();

// Once the player's race has its result: the times go to the records, the
// replay to replays/last.rpl, and to replays/<track>.rpl with a new best race.
// Returns what was improved.
struct RecordNews;
RecordNews KeepRaceResult(const std::string& profile, const std::string& date);
// A race stopped before its result (a command-line run out of ticks) is
// kept as replays/last.rpl all the same.
void KeepUnfinishedRace();
