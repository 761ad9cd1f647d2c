// A fixed list of up to 1025 strings: list-box items, folder listings and
// the lines of small text files.
#pragma once

#include <array>
#include <string>
#include <string_view>

inline constexpr int kListCapacity = 1025;

struct TF_list {
    std::array<std::string, kListCapacity> items;
    int count = 0;
};

void ClearList(TF_list& list);
// Appends at index count; a full list stays as it is.
void AddItem(TF_list& list, std::string_view text);
// +1: the last item moves to the front; -1: the first item moves to the end;
// anything else, or an empty list, does nothing.
void RotateList(TF_list& list, int direction);
// One item per line (CR LF or LF), empty lines kept. False when the file
// cannot be read; `out` is then left empty.
bool ReadLines(std::string_view file, TF_list& out);
// The files of a folder matching a wildcard, as "prf/*.*" or "gfx/share/*.tga":
// bare names, matched without regard to letter case, sorted the same way,
// never ".", "..", folders or a save's temporary file. When nothing at all matches (a missing folder,
// or no entry fits the pattern) the list holds one empty name, which callers
// rely on; "*.*" on an existing folder always matches its "." entry.
TF_list ListFiles(std::string_view mask);
// "car.tga" gives "car", "a.b.tga" gives "a.b", "car" stays "car".
std::string StripExtension(std::string_view name);
