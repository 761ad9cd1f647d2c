// The race screen: the world, its effects, the minimap, the countdown and
// the head-up display with the lap counter, the bonus pictures and the score.
#pragma once

#include <string>

// The display's texts, written into `out`: "1/4 Круг" at the start, "Очки: 0"
// with no points.
void LapText(std::string& out, int laps);
void ScoreText(std::string& out, int points);

void DrawRaceScreen();
