/* Buffers: the samples sources play, 16-bit stereo at a rate of their own. */
#include "device.h"

Buffer* FindBuffer(ALCdevice* d, ALuint name) {
    if (name == 0 || name > kMaxBuffers || !d->buffers[name - 1].used) return NULL;
    return &d->buffers[name - 1];
}

AL_API void AL_APIENTRY alGenBuffers(ALsizei n, ALuint* names) {
    ALCdevice* d = Enter();
    if (!d) return;
    if (GiveNames(d, n, &d->buffers[0].used, sizeof(Buffer), kMaxBuffers, names)) {
        for (ALsizei i = 0; i < n; ++i) d->buffers[names[i] - 1] = (Buffer){.used = 1, .rate = 1};
    }
    Leave(d);
}

AL_API void AL_APIENTRY alDeleteBuffers(ALsizei n, const ALuint* names) {
    ALCdevice* d = Enter();
    if (!d) return;
    ALenum error = n < 0 ? AL_INVALID_VALUE : AL_NO_ERROR;
    for (ALsizei i = 0; !error && i < n; ++i) {
        const Buffer* b = FindBuffer(d, names[i]);
        if (names[i] != 0 && !b) error = AL_INVALID_NAME;
        if (b && b->holders > 0) error = AL_INVALID_OPERATION;
    }
    if (error) {
        Fail(d, error);
    } else {
        for (ALsizei i = 0; i < n; ++i) {
            Buffer* b = FindBuffer(d, names[i]);
            if (!b) continue;
            SDL_free(b->samples);
            *b = (Buffer){0};
        }
    }
    Leave(d);
}

AL_API void AL_APIENTRY alBufferData(ALuint name, ALenum format, const ALvoid* data, ALsizei size, ALsizei rate) {
    ALCdevice* d = Enter();
    if (!d) return;
    Buffer* b = FindBuffer(d, name);
    const ALsizei frames = size / 4;
    if (!b) {
        Fail(d, AL_INVALID_NAME);
    } else if (b->holders > 0) {
        Fail(d, AL_INVALID_OPERATION);
    } else if (format != AL_FORMAT_STEREO16) {
        Fail(d, AL_INVALID_ENUM);
    } else if (size < 0 || size % 4 != 0 || rate < 1 || (size > 0 && !data)) {
        Fail(d, AL_INVALID_VALUE);
    } else {
        if (frames > b->capacity) {
            int16_t* grown = SDL_realloc(b->samples, (size_t)size);
            if (!grown) {
                Fail(d, AL_OUT_OF_MEMORY);
                Leave(d);
                return;
            }
            b->samples = grown;
            b->capacity = frames;
        }
        if (size > 0) SDL_memcpy(b->samples, data, (size_t)size);
        b->frames = frames;
        b->rate = rate;
    }
    Leave(d);
}
