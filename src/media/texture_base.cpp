#include "media/texture_base.h"

#include "engine/string_list.h"

TBase SharedTextures;
TBase ObjectTextures;
OE_Font* font = nullptr;

void LoadTextureFolder(TBase& base, std::string_view folder) {
    for (const char* pattern : {"*.tga", "*.jpg"}) {
        const TF_list names = ListFiles(std::string(folder) + pattern);
        if (names.count == 0 || names.items[0].empty()) continue;
        for (int i = 0; i < names.count; ++i) LoadTexture(base, std::string(folder) + names.items[i]);
    }
}

void LoadTexture(TBase& base, std::string_view path) {
    if (base.count >= kTextureCapacity) return;
    const size_t slash = path.find_last_of("/\\");
    const std::string name = StripExtension(slash == std::string_view::npos ? path : path.substr(slash + 1));
    OE_Texture* handle = Tex_LoadFromFile(path, -1, 266);
    if (!handle || !handle->data) return;  // an unreadable picture is as good as absent
    _PTexture& entry = base.items[base.count];
    entry.handle = handle;
    entry.name = name;
    base.index.add(name, base.count);
    ++base.count;
}

OE_Texture* FindTexture(const TBase& base, std::string_view name) {
    const int slot = base.index.find(name);
    if (slot >= 0) return base.items[slot].handle;
    return base.count > 0 ? base.items[0].handle : nullptr;
}
