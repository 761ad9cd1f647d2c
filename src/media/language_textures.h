// Interface pictures with words on them come in one version per language, in
// gfx/share/<code>/ beside the common ones; the rest are shared by all.
#pragma once

#include <string_view>

#include "engine/language.h"
#include "media/texture_base.h"

extern std::array<TBase, kLanguageCount> LanguageTextures;

// Loads gfx/share/<code>/ of every language from `shareFolder` ("gfx/share/").
void LoadLanguageTextures(std::string_view shareFolder);
// The language's own picture of that name, else the common one.
OE_Texture* FindSharedTexture(Language language, std::string_view name);
inline OE_Texture* FindSharedTexture(std::string_view name) { return FindSharedTexture(CurrentLanguage(), name); }
