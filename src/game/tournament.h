// The tournament: sixteen tracks in a fixed order, the vehicles and tracks
// it unlocks, the difficulty, and the tournament and single-race screens.
#pragma once

#include <array>

inline constexpr std::array<const char*, 16> tracknames{
    "beach1", "beach2", "beach1r", "beach2r", "forest1", "forest2", "forest1r", "forest2r",
    "icy1",   "icy2",   "icy1r",   "icy2r",   "city1",   "city2",   "city1r",   "city2r"};
inline constexpr std::array<const char*, 4> landscapetexts{
    "Это ваши первые заезды, вы должны быть первым!",
    "Forestville - прекрасный лес с замечательными цветами и деревьями.", "Ice Land очень холодное место...",
    "Это последние трассы, кубок почти у вас в руках!"};
inline constexpr std::array<const char*, 3> difficultynames{"легко", "норма", "трудно"};
inline constexpr int kTournamentTracks = 16;

// Vehicle v opens with every four tournament races won.
bool VehicleLocked(int vehicle, int progress);
// A single race may be run on any track the tournament has reached.
bool TrackLocked(int track, int progress);

// What the tournament screen shows before it opens: the profile is saved, and
// the next track's picture and start button, or the cup and "Еще игры".
void PrepareTournamentScreen();
// The per-tick refresh of the two race screens.
void RefreshTournamentScreen();
void RefreshSingleRaceScreen();

void StartTournamentRace();
void StartSingleRace();
void CycleDifficulty();
