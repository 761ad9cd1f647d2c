// The game's words outside the screen catalogue, each shown through Tr(), and
// the list of every text the game shows, which the translations must cover.
#pragma once

#include <string_view>
#include <vector>

inline constexpr const char* kGreetingText = "Привет, ";     // before the profile's name
inline constexpr const char* kLapText = "/4 Круг";           // after the lap number
inline constexpr const char* kScoreText = "Очки: ";          // the race's points
inline constexpr const char* kYourScoreText = "Ваши очки ";  // the tournament's points
inline constexpr const char* kTrackText = "Трасса ";         // before the track number
inline constexpr const char* kVictoryText = "Поздравляем!!! Вы победитель!!!";

// The screen catalogue's captions, the texts above, the landscape
// descriptions, the difficulty names and the countdown's words; each once.
std::vector<std::string_view> GameTexts();
