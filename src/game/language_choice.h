// Which language the game speaks: chosen on the command line, in the options
// window (kept in settings.cfg as `lang`), or by the desktop's locale.
#pragma once

#include <optional>

#include "engine/language.h"

// --lang, given before the game starts; it wins over everything else.
void RequestLanguage(std::optional<Language> language);
// --lang, else settings.cfg's `lang`, else the locale variables. A `lang`
// that names no language of the game gets a message and counts as unset.
Language StartingLanguage();
// Every language's translations from the data folder's po/<code>.po; a
// missing or damaged file gets a message and leaves those texts in Russian.
void LoadTranslations();
// Speaks `language` from now on: the screens' captions and pictures change at
// once, and the options' language boxes show it.
void ApplyLanguage(Language language);
// The options' language boxes: apply at once and keep the choice.
void ChooseLanguage(Language language);
