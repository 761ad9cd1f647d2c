#include "game/settings.h"

#include <algorithm>

#include "engine/files.h"
#include "engine/paths.h"
#include "game/profiles.h"
#include "gui/element.h"
#include "gui/notice.h"

SettingsRecord settings;

namespace {

constexpr std::string_view kFile = "settings.cfg";

std::string_view Trim(std::string_view s) {
    const size_t start = s.find_first_not_of(" \t\r");
    if (start == std::string_view::npos) return {};
    return s.substr(start, s.find_last_not_of(" \t\r") - start + 1);
}

std::pair<std::string, std::string>* Find(SettingsRecord& settings, std::string_view key) {
    auto it = std::find_if(settings.entries.begin(), settings.entries.end(),
                           [key](const auto& entry) { return entry.first == key; });
    return it == settings.entries.end() ? nullptr : &*it;
}

}  // namespace

SettingsRecord ParseSettings(std::string_view text) {
    SettingsRecord settings;
    while (!text.empty()) {
        const size_t end = text.find('\n');
        const std::string_view line = Trim(text.substr(0, end));
        text = end == std::string_view::npos ? std::string_view{} : text.substr(end + 1);
        const size_t eq = line.find('=');
        if (line.empty() || line.front() == '#' || eq == std::string_view::npos) continue;
        SetSetting(settings, Trim(line.substr(0, eq)), Trim(line.substr(eq + 1)));
    }
    return settings;
}

std::string FormatSettings(const SettingsRecord& settings) {
    std::string text = "# Kolvetra settings\n";
    for (const auto& [key, value] : settings.entries) text += key + "=" + value + "\n";
    return text;
}

std::string_view SettingValue(const SettingsRecord& settings, std::string_view key, std::string_view fallback) {
    for (const auto& [k, v] : settings.entries) {
        if (k == key) return v;
    }
    return fallback;
}

bool SetSetting(SettingsRecord& settings, std::string_view key, std::string_view value) {
    const auto breaksLine = [](std::string_view s) { return s.find_first_of("\r\n") != std::string_view::npos; };
    if (key.empty() || key.find('=') != std::string_view::npos || breaksLine(key) || breaksLine(value)) return false;
    if (auto* entry = Find(settings, key)) {
        entry->second = value;
    } else {
        settings.entries.emplace_back(key, value);
    }
    return true;
}

void LoadSettings() {
    std::string text;
    settings = ReadWholeFile(UserPath(kFile), text) ? ParseSettings(text) : SettingsRecord{};
}

bool SaveSettings() { return SavePlayerFile(UserPath(kFile), FormatSettings(settings), kSettingsNotSaved); }

bool RumbleEnabled() { return SettingValue(settings, "rumble", "1") != "0"; }

void ShowSwitch(const char* onBox, const char* offBox, bool on) {
    ElementNamed(onBox).checked = on ? 1 : 0;
    ElementNamed(offBox).checked = on ? 0 : 1;
}

void AcceptSwitch(const char* key, const char* onBox) {
    const char* value = ElementNamed(onBox).checked ? "1" : "0";
    if (SettingValue(settings, key, "") == value) return;
    SetSetting(settings, key, value);
    SaveSettings();
}
