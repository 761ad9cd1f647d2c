// The language the game speaks. Every text the player sees is written in the
// code in Russian, the game's own language, and shown through Tr(), which
// gives the chosen language's translation of it.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "engine/po_file.h"

enum class Language : uint8_t { Russian, English };
inline constexpr int kLanguageCount = 2;
// The codes of --lang, settings.cfg and the translation files ("en.po").
inline constexpr std::array<const char*, kLanguageCount> kLanguageCodes{"ru", "en"};

const char* LanguageCode(Language language);
// False when the code names no language of the game.
bool LanguageFromCode(std::string_view code, Language& out);
// The desktop's language from the locale variables, the first one set
// winning: Russian for "ru...", English for any other, Russian for none
// (the C and POSIX locales count as none).
Language LocaleLanguage(const char* lcAll, const char* lcMessages, const char* lang);

// Replaces the translations of a language (Russian needs none).
void SetTranslations(Language language, Translations translations);
void SetLanguage(Language language);
Language CurrentLanguage();

// The text in `language`: its translation, or the text itself when it has
// none. The pointer stays valid until that language's translations change.
const char* TrIn(Language language, const char* russian);
inline const char* Tr(const char* russian) { return TrIn(CurrentLanguage(), russian); }
