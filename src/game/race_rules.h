// What a race means to the game: starting one from the player's choices,
// the points, and the tournament's rules when the player's car finishes.
#pragma once

#include <cstdint>
#include <string_view>

#include "world/race.h"

// The player's current choices as a race set-up.
RaceSetup ChosenSetup();
// A race on wld/<track>.wld: the race globals reset, the world loaded with
// the player's choices (the player's own copy of the track first), the
// update tick restarted, the race state entered. `mode` is 0 for a
// tournament race, 1 for a single race. False, with the state left as it
// was, when the track cannot be loaded.
bool StartRace(std::string_view track, uint8_t mode);
// Once the player's car i has done four laps and rolled to rest: the result
// window, the tournament progress or the lost points, and the race-over state.
// Only while a race runs, so that loading a track in the editor after a race
// takes no second result.
void ApplyFinish(tworld& w, int i);
// Points won (or lost, when negative) go to the score, held at the limits of
// its 32 bits.
void AddScore(int points);
// Points the world's hooks at the two above.
void InstallRaceRules();
