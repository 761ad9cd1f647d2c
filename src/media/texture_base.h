// src/media owns what the game loads by name: textures, sounds, music,
// particle effects and the pictures of each language. It may use engine/.
//
// Named textures loaded from whole folders: the interface pictures and
// effects (SharedTextures, gfx/share/) and the world's objects
// (ObjectTextures, gfx/obj/).
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "engine/omega.h"
#include "media/name_index.h"

inline constexpr int kTextureCapacity = 4097;

struct _PTexture {
    std::string name;  // file name without folder and extension
    OE_Texture* handle = nullptr;
};

struct TBase {
    std::array<_PTexture, kTextureCapacity> items;
    int count = 0;
    NameIndex index;
};

extern TBase SharedTextures;
extern TBase ObjectTextures;
// The game's one font, loaded at start-up with the textures.
extern OE_Font* font;

// Appends every TGA of the folder, then every JPG, each in listing order.
void LoadTextureFolder(TBase& base, std::string_view folder);
// Loads one file and appends it; a picture the engine cannot load is left
// out, so its name finds the first texture as an absent file's does. A full
// base stays as it is.
void LoadTexture(TBase& base, std::string_view path);
// The first texture of that exact name; the base's first texture when none
// has it; the empty handle when the base is empty.
OE_Texture* FindTexture(const TBase& base, std::string_view name);
