// A stream of 16-bit stereo sound rendered block by block, for the music
// player. With an audio device a thread of the stream's own keeps a few
// blocks queued ahead of what is heard; without one, the blocks are rendered
// as the engine clock passes the time at which they would be heard, whenever
// the stream is asked what is being heard. Either way every block carries a
// tag given by its renderer, and the stream answers with the tag of the block
// that is being heard now.
#pragma once

#include <cstdint>
#include <functional>

// Fills `frames` stereo frames (left, right interleaved) and returns the
// block's tag. With a device it is called on the stream's thread, except for
// the first blocks, which Stream_Open renders before it returns; without one,
// on the thread that calls Stream_Heard.
using StreamRenderer = std::function<uint32_t(int16_t* samples, int frames)>;

inline constexpr int kStreamBlockFrames = 1024;

// Starts playing at once. Returns an id, never 0.
int Stream_Open(int rate, StreamRenderer renderer);
// The tag of the block being heard now; 0 for a closed or unknown stream.
uint32_t Stream_Heard(int id);
// Stops the sound and, with a device, the stream's thread. Unknown ids are
// ignored, so closing twice is harmless.
void Stream_Close(int id);
