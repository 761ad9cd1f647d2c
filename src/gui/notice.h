// A short message to the player at the foot of the screen, over every
// window, for a few seconds: a save that failed, a track that cannot be
// raced, a player's folder that cannot be used. Up to two lines.
#pragma once

#include <string_view>

// About eight seconds of update ticks.
inline constexpr int kNoticeTicks = 270;

// What the notices say, in the game's own words; ShowNotice shows them in
// the player's language.
inline constexpr const char* kProfileNotSaved = "Профиль не сохранён";
inline constexpr const char* kProfileNotCreated = "Профиль не создан";
inline constexpr const char* kOptionsNotSaved = "Опции не сохранены";
inline constexpr const char* kSettingsNotSaved = "Настройки не сохранены";
inline constexpr const char* kFolderText = "Папка: ";
inline constexpr const char* kBadProfileName = "Такое имя не подходит";
inline constexpr const char* kProfileNameRule = "До 32 видимых знаков, без / и \\";
inline constexpr const char* kFolderUnusable = "Папка игрока недоступна, ничего не сохранится:";
inline constexpr const char* kBadTrackName = "Такое имя трассы не подходит";
inline constexpr const char* kTrackNotSaved = "Трасса не сохранена";
inline constexpr const char* kTrackFewWaypoints = "Трасса сохранена, но в ней меньше двух точек пути:";
inline constexpr const char* kTrackUnfinishable = "гонку на ней не закончить";
inline constexpr const char* kTrackNotLoaded = "Трасса не загружена";
inline constexpr const char* kTrackWontLoad = "Трасса не загружается";
inline constexpr const char* kRecordsSetAside = "Файл рекордов испорчен и отложен:";
inline constexpr const char* kRecordsNotSaved = "Рекорды не сохранены";
inline constexpr const char* kReplayNotSaved = "Повтор не сохранён";
inline constexpr const char* kReplayUnreadable = "Повтор не читается и оставлен как есть:";
inline constexpr const char* kNoticeTexts[] = {
    kProfileNotSaved, kProfileNotCreated, kOptionsNotSaved, kSettingsNotSaved, kFolderText,        kBadProfileName,
    kProfileNameRule, kFolderUnusable,    kBadTrackName,    kTrackNotSaved,    kTrackFewWaypoints, kTrackUnfinishable,
    kTrackNotLoaded,  kTrackWontLoad,     kRecordsSetAside, kRecordsNotSaved,  kReplayNotSaved,    kReplayUnreadable};

// Each line is shown translated when it is one of the texts above (or starts
// with kFolderText); anything else, a file name say, as it stands.
void ShowNotice(std::string_view line, std::string_view second = {});
// Counts the notice's time down and takes it away at the end; once per
// update tick.
void NoticeTick();
