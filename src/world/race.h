// Race progress: the globals a race shares with the game flow, the start
// countdown and the hand-off of the result.
#pragma once

#include <cstdint>
#include <string_view>

#include "world/world.h"

extern int playerlaps;        // laps completed by the player
extern int winner;            // index in `world` of the first car to finish; -1 none yet
extern int playerx, playery;  // the player's car as last seen, for the other cars' engines

// Shows a window by name; the game shell points it at the GUI. Null shows
// nothing, which keeps the world usable without any windows.
extern void (*ShowWindowHook)(std::string_view name);
// Hears every sound the race plays (name, pan, volume, frequency) after it
// went to the sound base; null for none.
// The player's car bumped into something or took a bonus; strength 0..1.
extern void (*PlayerJoltHook)(float strength);
extern void (*RaceSoundHook)(std::string_view name, int pan, int volume, int frequency);

void ShowWindow(std::string_view name);
// The race's sounds: through the sound base, then to RaceSoundHook.
void RaceSound(std::string_view name);
void RaceSoundEx(std::string_view name, int pan, int volume, int frequency);

// The state of the race globals before a race: no laps, no winner.
void ResetRaceProgress();
// A race on wld/<track>.wld: the race globals reset, the world loaded (the
// player's own copy of the track first), the race state entered. `mode` is
// 0 for a tournament race, 1 for a single race. False, with the state left
// as it was, when the track cannot be loaded.
bool StartRace(std::string_view track, uint8_t mode);

// Once the player's car i has done four laps and rolled to rest: the result
// window, the tournament progress or the lost points, and the race-over state.
// Only while a race runs, so that loading a track in the editor after a race
// takes no second result.
void CheckPlayerFinish(tworld& w, int i);
// Points won (or lost, when negative), held at the limits of the 32-bit score.
void AddScore(int points);
// Whether the race's winner is the player's car.
bool PlayerWon(const tworld& w);

struct CountdownPhase {
    const char* text = nullptr;  // null: nothing to show
    int tint = 0;
    bool beep = false;  // the last 100 ms of the second
};
// The countdown shown `elapsed` ms after the start of the race.
CountdownPhase CountdownAt(double elapsed);
// The countdown over the race screen: 3, 2, 1, go.
void DrawCountdown();
