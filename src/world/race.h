// Race progress: the race's own globals, the start countdown and the
// hand-off of the result to whoever runs the race.
#pragma once

#include <cstdint>
#include <string_view>

#include "engine/omega.h"
#include "world/world.h"

// A race is this many laps.
inline constexpr int kRaceLaps = 4;
// A computer car moves its aim on to the next waypoint within this many px
// of it (the editor draws each waypoint this size).
inline constexpr int kComputerWaypointReach = 120;
// The player's car counts a waypoint as reached within this many px.
inline constexpr int kPlayerWaypointReach = 160;

// What a race is set up with: the player's vehicle (index into
// vehiclenames), its colour (index into palette) and the difficulty.
struct RaceSetup {
    int vehicle = 0;
    int colour = 0;
    int difficulty = 1;
};

// What the player asks of the car in one tick: taken once per tick (and once
// per frame, for worlds loaded by a click) from the keys and the pads, and
// handed to the world step, which reads no device itself.
struct RaceInput {
    bool up = false, down = false, left = false, right = false;
};
extern RaceInput raceinput;
// The arrow keys and the pads as they are now.
RaceInput SampleRaceInput();

extern RaceSetup racesetup;   // the race being run, as its world was loaded
extern int playerlaps;        // laps completed by the player
extern int winner;            // index in `world` of the first car to finish; -1 none yet
extern int playerx, playery;  // the player's car as last seen, for the other cars' engines
extern double racestart;      // when the world was loaded: the countdown starts
extern double racenow;        // the time of the race's last tick
extern OE_Camera* camera;     // follows the player's car; null draws from the origin
// The 30 ms update tick the race runs on. Whoever loads a world restarts it
// at racestart (RestartRaceTick), so the first tick comes a full 30 ms later.
extern OE_Timer* ticktimer;

// The player's car i has done four laps and rolled to rest; called on every
// step while so. The game decides whether a race is on and what the result
// means (ClaimFinish, windows, points). Null: nothing happens.
extern void (*FinishHook)(tworld& w, int car);
// Points the player's car earned (bonuses); null keeps no score.
extern void (*PointsHook)(int points);

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
// The update tick starts afresh at racestart.
void RestartRaceTick();

// Reports the finish through FinishHook once the player's car i has done
// four laps and rolled to rest.
void CheckPlayerFinish(tworld& w, int i);
// The finish taken: car i wins unless another car finished first (a car
// pushed over the line at rest stops before its own controls could claim the
// win), and the finish sounds.
void ClaimFinish(int i);
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
