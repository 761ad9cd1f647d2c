// The game's sound effects, synthesised: engines, pick-ups, crashes, the
// countdown, the ambient loop, fireworks and the interface ticks.
#pragma once

#include <string>

// Writes every sound effect as a mono 16-bit WAV into `folder` (which must
// exist). False, with a message, when a file cannot be written.
bool MakeSounds(const std::string& folder);
