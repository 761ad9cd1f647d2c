#include "media/sound_base.h"

#include <algorithm>

#include "engine/string_list.h"

TS_List Sounds;

void LoadSoundFolder(TS_List& base, std::string_view folder, std::string_view pattern) {
    const TF_list names = ListFiles(std::string(folder) + std::string(pattern));
    SetSoundCapacity(base, base.count + names.count);
    for (int i = 0; i < names.count; ++i) {
        AddSound(base, StripExtension(names.items[i]), std::string(folder) + names.items[i]);
    }
}

// Never below the sounds already loaded: shrinking would lose them.
void SetSoundCapacity(TS_List& base, int n) { base.items.resize(static_cast<size_t>(std::max(n, base.count))); }

int BuffersFor(std::string_view name) {
    if (name == "bad" || name == "fw" || name == "eng_e") return 4;
    if (name == "bum") return 2;
    return 1;
}

void AddSound(TS_List& base, std::string_view name, std::string_view path) {
    if (static_cast<size_t>(base.count) >= base.items.size()) base.items.resize(base.count + 1);
    TS_Item& item = base.items[base.count];
    item.name.assign(name);
    item.handle = Snd_LoadFromFile(path, BuffersFor(name));
    base.index.add(name, base.count);
    ++base.count;
}

OE_Sound* FindSound(const TS_List& base, std::string_view name) {
    if (base.count == 0) return nullptr;
    const int slot = base.index.find(name);
    return base.items[slot >= 0 ? slot : 0].handle;
}

void PlaySound(TS_List& base, std::string_view name, bool loop) { Snd_Play(FindSound(base, name), 0, 0, 0, loop); }

// The engine takes the frequency before the loop flag.
void PlaySoundEx(TS_List& base, std::string_view name, int pan, int volume, bool loop, int frequency) {
    Snd_Play(FindSound(base, name), pan, volume, frequency, loop);
}

void StopSound(TS_List& base, std::string_view name) { Snd_Stop(FindSound(base, name)); }
