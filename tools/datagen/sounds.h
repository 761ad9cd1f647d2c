// The game's sound effects, synthesised: engines, pick-ups, crashes, the
// countdown, the ambient loop, fireworks and the interface ticks.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Writes every sound effect as a mono 16-bit WAV into `folder` (which must
// exist). False, with a message, when a file cannot be written.
bool MakeSounds(const std::string& folder);

// The bytes of a mono 16-bit PCM WAV file.
std::vector<uint8_t> WavBytes(const std::vector<int16_t>& pcm, int rate);
