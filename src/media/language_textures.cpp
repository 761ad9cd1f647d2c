#include "media/language_textures.h"

#include <string>

std::array<TBase, kLanguageCount> LanguageTextures;

void LoadLanguageTextures(std::string_view shareFolder) {
    for (int i = 0; i < kLanguageCount; ++i) {
        LoadTextureFolder(LanguageTextures[i], std::string(shareFolder) + kLanguageCodes[i] + "/");
    }
}

OE_Texture* FindSharedTexture(Language language, std::string_view name) {
    const TBase& own = LanguageTextures[static_cast<int>(language)];
    const int slot = own.index.find(name);
    return slot >= 0 ? own.items[slot].handle : FindTexture(SharedTextures, name);
}
