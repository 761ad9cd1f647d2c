#include "engine/language.h"

#include <utility>

namespace {

Language current = Language::Russian;
std::array<Translations, kLanguageCount> translations;

}  // namespace

const char* LanguageCode(Language language) { return kLanguageCodes[static_cast<int>(language)]; }

bool LanguageFromCode(std::string_view code, Language& out) {
    for (int i = 0; i < kLanguageCount; ++i) {
        if (code == kLanguageCodes[i]) {
            out = static_cast<Language>(i);
            return true;
        }
    }
    return false;
}

Language LocaleLanguage(const char* lcAll, const char* lcMessages, const char* lang) {
    for (const char* value : {lcAll, lcMessages, lang}) {
        const std::string_view v = value ? value : "";
        // The C locale is the system's default, not a language the player chose.
        if (v.empty() || v == "C" || v.starts_with("C.") || v == "POSIX") continue;
        return v.starts_with("ru") ? Language::Russian : Language::English;
    }
    return Language::Russian;
}

void SetTranslations(Language language, Translations table) {
    translations[static_cast<int>(language)] = std::move(table);
}

void SetLanguage(Language language) { current = language; }
Language CurrentLanguage() { return current; }

const char* TrIn(Language language, const char* russian) {
    const Translations& table = translations[static_cast<int>(language)];
    const auto it = table.find(std::string_view(russian));
    return it == table.end() ? russian : it->second.c_str();
}
