// The menu music: one XM module played from a file, looping, rendered by
// libxmp on a thread of its own (or, with no sound device, on the engine
// clock, so that it still plays for everything that asks about it).
#pragma once

#include <cstdint>
#include <string_view>

// Flags of uFMOD_PlaySong: the song is read from the named file.
inline constexpr int XM_FILE = 2;

// Stops any song, then plays the module in `file` from its beginning, looping
// at its end. A missing or unreadable module starts nothing and says nothing,
// and the same file is not tried again until another has been asked for.
// `length` belongs to songs played from memory and is not used with XM_FILE.
// True when the song plays.
bool uFMOD_PlaySong(std::string_view file, int length, int flags);
// Stops the song and releases the output; does nothing when nothing plays.
void uFMOD_StopSong();
// Peak levels of the block being heard now, left in the high 16 bits and
// right in the low 16 bits; 0 when nothing plays, and for a silent block.
uint32_t uFMOD_GetStats();
// How many times the playing song has gone round from its end; 0 when
// nothing plays.
int Music_Loops();
