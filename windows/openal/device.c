/* Devices and contexts: SDL's audio device, or the loopback device that a
 * program mixes by hand, and the names of the functions by which extensions
 * are reached. */
#include "device.h"

#include <string.h>

static ALCdevice device;
static ALCcontext context;
static ALCcontext* current;

enum { kOutputRate = 44100, kOutputFrames = 1024 };

ALCdevice* Enter(void) {
    if (!current) return NULL;
    SDL_LockMutex(current->device->lock);
    return current->device;
}

void Leave(ALCdevice* d) { SDL_UnlockMutex(d->lock); }

void Fail(ALCdevice* d, ALenum error) {
    if (d->error == AL_NO_ERROR) d->error = error;
}

int GiveNames(ALCdevice* d, ALsizei n, const int* used, size_t stride, int capacity, ALuint* names) {
    int free = 0;
    for (int i = 0; i < capacity; ++i) free += !*(const int*)((const char*)used + i * stride);
    if (n < 0 || n > free) {
        Fail(d, n < 0 ? AL_INVALID_VALUE : AL_OUT_OF_MEMORY);
        return 0;
    }
    for (int i = 0, given = 0; given < n; ++i) {
        if (!*(const int*)((const char*)used + i * stride)) names[given++] = (ALuint)i + 1;
    }
    return 1;
}

AL_API ALenum AL_APIENTRY alGetError(void) {
    ALCdevice* d = Enter();
    if (!d) return AL_INVALID_OPERATION;
    const ALenum error = d->error;
    d->error = AL_NO_ERROR;
    Leave(d);
    return error;
}

static void SDLCALL Play(void* user, Uint8* stream, int bytes) {
    ALCdevice* d = user;
    SDL_LockMutex(d->lock);
    Mix(d, (float*)stream, bytes / (int)(2 * sizeof(float)));
    SDL_UnlockMutex(d->lock);
}

static ALCdevice* Open(int loopback) {
    if (device.open) return NULL;
    memset(&device, 0, sizeof device);
    device.lock = SDL_CreateMutex();
    if (!device.lock) return NULL;
    device.open = 1;
    device.loopback = loopback;
    return &device;
}

static void Close(ALCdevice* d) {
    for (int i = 0; i < kMaxBuffers; ++i) SDL_free(d->buffers[i].samples);
    SDL_DestroyMutex(d->lock);
    memset(d, 0, sizeof *d);
}

ALC_API ALCdevice* ALC_APIENTRY alcOpenDevice(const ALCchar* name) {
    if (device.open || SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return NULL;
    ALCdevice* d = Open(0);
    SDL_AudioSpec want = {.freq = kOutputRate, .format = AUDIO_F32SYS, .channels = 2, .samples = kOutputFrames};
    want.callback = Play;
    want.userdata = d;
    SDL_AudioSpec have;
    if (d) d->output = SDL_OpenAudioDevice(name, 0, &want, &have, SDL_AUDIO_ALLOW_FREQUENCY_CHANGE);
    if (!d || !d->output) {
        if (d) Close(d);
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return NULL;
    }
    d->rate = have.freq;
    return d;
}

ALC_API ALCdevice* ALC_APIENTRY alcLoopbackOpenDeviceSOFT(const ALCchar* name) { return name ? NULL : Open(1); }

ALC_API ALCboolean ALC_APIENTRY alcCloseDevice(ALCdevice* d) {
    if (d != &device || !d->open || d->hasContext) return ALC_FALSE;
    if (d->output) {
        SDL_CloseAudioDevice(d->output);
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
    }
    Close(d);
    return ALC_TRUE;
}

/* The loopback device mixes 32-bit float stereo at the rate it is asked
 * for; SDL's device mixes as it was opened. */
static int Configure(ALCdevice* d, const ALCint* attributes) {
    int channels = 0, type = 0, rate = 0;
    for (int i = 0; attributes && attributes[i]; i += 2) {
        if (attributes[i] == ALC_FORMAT_CHANNELS_SOFT) channels = attributes[i + 1];
        if (attributes[i] == ALC_FORMAT_TYPE_SOFT) type = attributes[i + 1];
        if (attributes[i] == ALC_FREQUENCY) rate = attributes[i + 1];
    }
    if (!d->loopback) return 1;
    if (channels != ALC_STEREO_SOFT || type != ALC_FLOAT_SOFT || rate < 1) return 0;
    d->rate = rate;
    return 1;
}

ALC_API ALCcontext* ALC_APIENTRY alcCreateContext(ALCdevice* d, const ALCint* attributes) {
    if (d != &device || !d->open || d->hasContext || !Configure(d, attributes)) return NULL;
    SDL_LockMutex(d->lock);
    d->hasContext = 1;
    d->error = AL_NO_ERROR;
    SDL_UnlockMutex(d->lock);
    context.device = d;
    if (d->output) SDL_PauseAudioDevice(d->output, 0);
    return &context;
}

ALC_API void ALC_APIENTRY alcDestroyContext(ALCcontext* c) {
    if (c != &context || !c->device) return;
    ALCdevice* d = c->device;
    if (d->output) SDL_PauseAudioDevice(d->output, 1);
    SDL_LockMutex(d->lock);
    for (int i = 0; i < kMaxSources; ++i) {
        if (d->sources[i].used) ReleaseQueue(d, &d->sources[i]);
        d->sources[i].used = 0;
    }
    d->hasContext = 0;
    d->deferring = 0;
    SDL_UnlockMutex(d->lock);
    if (current == c) current = NULL;
    c->device = NULL;
}

ALC_API ALCboolean ALC_APIENTRY alcMakeContextCurrent(ALCcontext* c) {
    if (c && (c != &context || !c->device)) return ALC_FALSE;
    current = c;
    return ALC_TRUE;
}

ALC_API void ALC_APIENTRY alcRenderSamplesSOFT(ALCdevice* d, ALCvoid* out, ALCsizei frames) {
    if (d != &device || !d->loopback || frames < 0) return;
    SDL_LockMutex(d->lock);
    Mix(d, out, frames);
    SDL_UnlockMutex(d->lock);
}

#define ENTRY(function) \
    { #function, (void*)function }
static const struct {
    const char* name;
    void* address;
} kFunctions[] = {
    ENTRY(alcOpenDevice),
    ENTRY(alcCloseDevice),
    ENTRY(alcCreateContext),
    ENTRY(alcDestroyContext),
    ENTRY(alcMakeContextCurrent),
    ENTRY(alcGetProcAddress),
    ENTRY(alcRenderSamplesSOFT),
    ENTRY(alcLoopbackOpenDeviceSOFT),
    ENTRY(alGetError),
    ENTRY(alGetProcAddress),
    ENTRY(alGenBuffers),
    ENTRY(alDeleteBuffers),
    ENTRY(alBufferData),
    ENTRY(alGenSources),
    ENTRY(alDeleteSources),
    ENTRY(alSourcei),
    ENTRY(alSourcef),
    ENTRY(alGetSourcei),
    ENTRY(alSourcePlay),
    ENTRY(alSourceStop),
    ENTRY(alSourcePlayv),
    ENTRY(alSourceStopv),
    ENTRY(alSourceQueueBuffers),
    ENTRY(alSourceUnqueueBuffers),
    ENTRY(alDeferUpdatesSOFT),
    ENTRY(alProcessUpdatesSOFT),
};

AL_API void* AL_APIENTRY alGetProcAddress(const ALchar* name) {
    for (size_t i = 0; name && i < sizeof kFunctions / sizeof kFunctions[0]; ++i) {
        if (strcmp(kFunctions[i].name, name) == 0) return kFunctions[i].address;
    }
    return NULL;
}

ALC_API void* ALC_APIENTRY alcGetProcAddress(ALCdevice* d, const ALCchar* name) {
    (void)d;
    return alGetProcAddress(name);
}
