// Sound effect files (WAV) are checked before they are decoded: every chunk
// must fit in the file, so a few bytes claiming gigabytes of samples cost
// nothing.
#pragma once

#include <string>
#include <string_view>

// Four times the longest sound the game makes would still be far below this.
inline constexpr size_t kSoundFileLimit = 16u << 20;

// False with the reason in `error` when the bytes cannot be a whole WAV file.
bool CheckWaveFile(std::string_view bytes, std::string& error);
