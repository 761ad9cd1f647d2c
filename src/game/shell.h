// src/game owns the screen flow, the session, tournament rules, profiles,
// options, the race overlay and the command line. It may use every folder
// below it: editor/, gui/, world/, media/ and engine/.
//
// The game's spine: the engine procedures, the 30 ms tick and the screen
// state (gamestate, with the rest of the session in game/session.h).
#pragma once

#include <cstdint>

#include "engine/omega.h"
#include "game/session.h"

enum GameState : uint8_t {
    stRace = 0,
    stMenu = 1,
    stTournament = 2,
    stEditor = 5,
    stProfiles = 6,
    stRaceOver = 7,
    stPaused = 8,
    stSingleRace = 9,
    stOptions = 10,
    stHelp = 11,
};

extern int32_t gearspin;

void GameInit();
void GameDraw();
void GameTick();
void GameQuit();
// The world's part of a race tick: bonuses, the step once the countdown is
// over, effects, and the view with its shadows.
void RaceTick();

// The program: seeds the random generator, registers the procedures and runs
// the engine until the game ends. Returns the program's exit status: 1 when
// start-up could not finish, else 0. `start`, when given, runs at the end of
// GameInit in place of the player's first choices (a race from the command
// line).
int RunGame(uint64_t seed, void (*start)() = nullptr);
