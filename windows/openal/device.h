/* The sound library of the Windows package: the part of OpenAL the game
 * uses, mixed in software and played through SDL's audio device.
 *
 * One device and one context at a time. Buffers hold 16-bit stereo; each
 * side of a buffer goes straight to its own speaker, at the source's gain and
 * resampled linearly to the device's rate at the source's pitch. Positions,
 * listeners and distance play no part. */
#ifndef KOLVETRA_OPENAL_DEVICE_H
#define KOLVETRA_OPENAL_DEVICE_H

#ifdef _WIN32
#define AL_API __declspec(dllexport)
#define ALC_API __declspec(dllexport)
#else
#define AL_API __attribute__((visibility("default")))
#define ALC_API __attribute__((visibility("default")))
#endif
#define AL_ALEXT_PROTOTYPES
#include <AL/al.h>
#include <AL/alc.h>
#include <AL/alext.h>
#include <SDL.h>
#include <stdint.h>

enum {
    kMaxBuffers = 1024,
    kMaxSources = 256,
    kMaxQueue = 16,      // buffers queued on one source
    kFractionBits = 16,  // the fixed-point position inside a frame
    kMaxStep = 255,      // frames of a buffer one frame of the mix may move on
};

typedef struct Buffer {
    int used;
    int16_t* samples;  // left, right, left, right...
    ALsizei frames;
    ALsizei capacity;  // frames the samples can hold, so a refill of the same size allocates nothing
    ALsizei rate;
    int holders;  // sources that have it as their buffer or in their queue
} Buffer;

/* What the mixer reads of a source. */
typedef struct Tuning {
    ALfloat gain;
    ALfloat pitch;
    ALboolean looping;
} Tuning;

typedef struct Source {
    int used;
    ALenum state;  // AL_INITIAL, AL_PLAYING or AL_STOPPED
    ALenum type;   // AL_UNDETERMINED, AL_STATIC or AL_STREAMING
    ALuint queue[kMaxQueue];
    int queued;
    int current;        // the queue entry being heard, while playing
    ALsizei position;   // the frame of it being heard
    uint32_t fraction;  // and how far past that frame, in 1/2^kFractionBits
    Tuning set;         // as the program last set it
    Tuning heard;       // as the mixer uses it: behind `set` while updates are deferred
} Source;

struct ALCdevice_struct {
    int open;
    int loopback;
    SDL_AudioDeviceID output;  // 0 for the loopback device
    SDL_mutex* lock;           // between the program's threads and the audio thread
    int rate;
    int hasContext;
    int deferring;
    ALenum error;
    Buffer buffers[kMaxBuffers];
    Source sources[kMaxSources];
};

struct ALCcontext_struct {
    ALCdevice* device;
};

/* The current context's device, locked, or NULL without a current context. */
ALCdevice* Enter(void);
void Leave(ALCdevice* d);
/* Keeps the first error until alGetError reads it. */
void Fail(ALCdevice* d, ALenum error);

/* Gives out `n` names of unused places in a table whose `used` flags lie
 * `stride` bytes apart, or records why it cannot. */
int GiveNames(ALCdevice* d, ALsizei n, const int* used, size_t stride, int capacity, ALuint* names);

Buffer* FindBuffer(ALCdevice* d, ALuint name);
Source* FindSource(ALCdevice* d, ALuint name);
void ReleaseQueue(ALCdevice* d, Source* s);

/* Mixes `frames` stereo frames of every playing source into `out`. */
void Mix(ALCdevice* d, float* out, int frames);

#endif
