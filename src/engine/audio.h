// The audio device shared by the engine's sound effects and streams.
#pragma once

#include <AL/al.h>
#include <AL/alc.h>

// True while an OpenAL context is current: the sound card, or the loopback
// device that the tests mix by hand.
bool Audio_Ready();
// True when the device is the loopback device: nothing mixes on its own, and
// the streams are refilled on the thread that asks for the mix.
bool Audio_Loopback();

// Refills every open stream from its renderer (the loopback device's mixing
// step calls it).
void Stream_ServiceAll();
// Closes every stream, joining their threads; the device closes after this.
void Stream_CloseAll();
