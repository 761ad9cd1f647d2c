#include "game/language_choice.h"

#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>

#include "engine/files.h"
#include "engine/paths.h"
#include "game/settings.h"
#include "game/tournament.h"
#include "gui/screens.h"
#include "gui/widgets.h"

namespace {

std::optional<Language> requested;

constexpr const char* kSettingKey = "lang";

}  // namespace

void RequestLanguage(std::optional<Language> language) { requested = language; }

Language StartingLanguage() {
    if (requested) return *requested;
    const std::string_view saved = SettingValue(settings, kSettingKey, "");
    Language language;
    if (LanguageFromCode(saved, language)) return language;
    if (!saved.empty()) {
        std::fprintf(stderr, "kolvetra: settings.cfg names an unknown language \"%.*s\"; the desktop's is used\n",
                     static_cast<int>(saved.size()), saved.data());
    }
    return LocaleLanguage(std::getenv("LC_ALL"), std::getenv("LC_MESSAGES"), std::getenv("LANG"));
}

void LoadTranslations() {
    for (int i = 0; i < kLanguageCount; ++i) {
        const auto language = static_cast<Language>(i);
        if (language == Language::Russian) continue;  // the game's own texts
        const std::string path = DataPath("po/" + std::string(kLanguageCodes[i]) + ".po");
        std::string text, error;
        Translations table;
        if (!ReadWholeFile(path, text)) {
            std::fprintf(stderr, "kolvetra: cannot read %s; those texts stay in Russian\n", path.c_str());
        } else if (!ParsePo(text, table, error)) {
            std::fprintf(stderr, "kolvetra: %s: %s; those texts stay in Russian\n", path.c_str(), error.c_str());
            table.clear();
        }
        SetTranslations(language, std::move(table));
    }
}

void ApplyLanguage(Language language) {
    const Language previous = CurrentLanguage();
    SetLanguage(language);
    if (Elements.count() == 0) return;
    RetranslateScreens(previous);
    // A chosen difficulty is the game's caption, not the catalogue's.
    for (const char* button : {"btn_pow", "btn_pow2"}) {
        std::string& caption = ElementNamed(button).caption;
        for (const char* name : difficultynames) {
            if (caption == TrIn(previous, name)) {
                caption = Tr(name);
                break;
            }
        }
    }
    ElementNamed("chk_ru").checked = language == Language::Russian;
    ElementNamed("chk_en").checked = language == Language::English;
}

void ChooseLanguage(Language language) {
    ApplyLanguage(language);
    if (SetSetting(settings, kSettingKey, LanguageCode(language))) SaveSettings();
}
