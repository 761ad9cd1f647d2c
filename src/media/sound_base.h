// Sound effects found by name: every WAV of sfx/, loaded once at start-up.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "engine/omega.h"
#include "media/name_index.h"

struct TS_Item {
    OE_Sound* handle = nullptr;
    std::string name;  // file name without folder and extension
};

struct TS_List {
    std::vector<TS_Item> items;
    int count = 0;
    NameIndex index;
};

extern TS_List Sounds;

void LoadSoundFolder(TS_List& base, std::string_view folder, std::string_view pattern);
void SetSoundCapacity(TS_List& base, int n);
// Loads the file with the number of simultaneous copies its name calls for.
void AddSound(TS_List& base, std::string_view name, std::string_view path);
// How many copies of a sound may play at once.
int BuffersFor(std::string_view name);

// Lookups use the first sound of that name, or the base's first sound.
void PlaySound(TS_List& base, std::string_view name, bool loop);
void PlaySoundEx(TS_List& base, std::string_view name, int pan, int volume, bool loop, int frequency);
OE_Sound* FindSound(const TS_List& base, std::string_view name);
void StopSound(TS_List& base, std::string_view name);
