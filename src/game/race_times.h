// The stopwatch on screen: the lap times over the race, the race's times and
// records in a panel under the result window, and the track's records on the
// single-race and tournament screens. All of it only while the player has
// turned the stopwatch on in the options ("times" in settings.cfg); the
// records are kept either way.
#pragma once

#include <string>
#include <string_view>

#include "game/records.h"

inline constexpr const char* kLapTimeText = "Круг ";
inline constexpr const char* kBestLapText = "Лучший круг ";
inline constexpr const char* kRaceTimeText = "Время гонки ";
inline constexpr const char* kNewRecordText = "  Рекорд трассы!";
inline constexpr const char* kRecordLapText = "Рекорд круга ";
inline constexpr const char* kRecordRaceText = "Рекорд гонки ";

bool TimesShown();
// Over the race screen, under the lap counter.
void DrawRaceTimes();
// The result panel, filled from the stopwatch of the race just ended.
void ShowRaceTimes(const RecordNews& news);
void HideRaceTimes();
// The track's records into the screen's two texts (hidden without records
// or with the stopwatch off).
void ShowTrackRecords(std::string_view track, const char* lapText, const char* raceText);
// Today as yyyy-mm-dd, the date records are kept with.
std::string TodayText();
