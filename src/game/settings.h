// The player's settings that main.cfg has no line for, in settings.cfg in
// the player's folder: UTF-8 text, one `key=value` a line, `#` starting a
// comment line. Keys this version does not know are kept as they were read,
// so a newer game's settings survive a save by an older one.
//
//   rumble=1     pads shake on bumps and bonuses (0 off)
//   lang=ru      the language chosen in the options (ru, en); unset: the desktop's
//   times=0      the stopwatch on the race screens (1 on)
//   ghost=1      the best race's ghost in single races (0 off)
#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

struct SettingsRecord {
    std::vector<std::pair<std::string, std::string>> entries;  // in file order
};

// Blank lines, comments and lines without '=' are skipped; spaces around
// keys and values are trimmed; a key given twice keeps its last value.
SettingsRecord ParseSettings(std::string_view text);
std::string FormatSettings(const SettingsRecord& settings);

std::string_view SettingValue(const SettingsRecord& settings, std::string_view key, std::string_view fallback);
// Keys and values are single lines: line breaks and '=' in a key are refused.
bool SetSetting(SettingsRecord& settings, std::string_view key, std::string_view value);

// The game's own copy, read at start-up and written when a choice changes.
// A save that fails is told on screen, and returns false.
extern SettingsRecord settings;
void LoadSettings();
bool SaveSettings();
bool RumbleEnabled();
// An on/off pair of option boxes set to `on`.
void ShowSwitch(const char* onBox, const char* offBox, bool on);
// The pair's choice into the settings under `key`, saved when it changed.
void AcceptSwitch(const char* key, const char* onBox);
