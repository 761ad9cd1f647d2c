/* Sources: what plays, how loud, how fast, and where it has got to. */
#include <math.h>

#include "device.h"

Source* FindSource(ALCdevice* d, ALuint name) {
    if (name == 0 || name > kMaxSources || !d->sources[name - 1].used) return NULL;
    return &d->sources[name - 1];
}

void ReleaseQueue(ALCdevice* d, Source* s) {
    for (int i = 0; i < s->queued; ++i) FindBuffer(d, s->queue[i])->holders--;
    s->queued = 0;
}

static ALsizei QueuedFrames(ALCdevice* d, const Source* s) {
    ALsizei frames = 0;
    for (int i = 0; i < s->queued; ++i) frames += FindBuffer(d, s->queue[i])->frames;
    return frames;
}

/* Buffers of the queue heard to their end: all of them once stopped, none
 * before the start or while looping (a loop comes back to them). */
static int Processed(const Source* s) {
    if (s->type != AL_STREAMING || s->heard.looping || s->state == AL_INITIAL) return 0;
    return s->state == AL_STOPPED ? s->queued : s->current;
}

static void Play(ALCdevice* d, Source* s) {
    s->current = 0;
    s->position = 0;
    s->fraction = 0;
    if (QueuedFrames(d, s) == 0) {
        s->state = AL_STOPPED;
        return;
    }
    s->state = AL_PLAYING;
    while (FindBuffer(d, s->queue[s->current])->frames == 0) s->current++;
}

static void Stop(Source* s) {
    if (s->state != AL_INITIAL) s->state = AL_STOPPED;
}

/* Runs `action` on every source of the list, or on none when a name is wrong. */
static void ForEach(ALsizei n, const ALuint* names, void (*action)(ALCdevice*, Source*)) {
    ALCdevice* d = Enter();
    if (!d) return;
    if (n < 0) {
        Fail(d, AL_INVALID_VALUE);
        Leave(d);
        return;
    }
    for (ALsizei i = 0; i < n; ++i) {
        if (!FindSource(d, names[i])) {
            Fail(d, AL_INVALID_NAME);
            Leave(d);
            return;
        }
    }
    for (ALsizei i = 0; i < n; ++i) action(d, FindSource(d, names[i]));
    Leave(d);
}

static void StopSource(ALCdevice* d, Source* s) {
    (void)d;
    Stop(s);
}

static void DeleteSource(ALCdevice* d, Source* s) {
    ReleaseQueue(d, s);
    s->used = 0;
}

AL_API void AL_APIENTRY alGenSources(ALsizei n, ALuint* names) {
    ALCdevice* d = Enter();
    if (!d) return;
    if (GiveNames(d, n, &d->sources[0].used, sizeof(Source), kMaxSources, names)) {
        const Tuning tuning = {1.0f, 1.0f, AL_FALSE};
        for (ALsizei i = 0; i < n; ++i) {
            d->sources[names[i] - 1] =
                (Source){.used = 1, .state = AL_INITIAL, .type = AL_UNDETERMINED, .set = tuning, .heard = tuning};
        }
    }
    Leave(d);
}

AL_API void AL_APIENTRY alDeleteSources(ALsizei n, const ALuint* names) { ForEach(n, names, DeleteSource); }
AL_API void AL_APIENTRY alSourcePlayv(ALsizei n, const ALuint* names) { ForEach(n, names, Play); }
AL_API void AL_APIENTRY alSourceStopv(ALsizei n, const ALuint* names) { ForEach(n, names, StopSource); }
AL_API void AL_APIENTRY alSourcePlay(ALuint name) { alSourcePlayv(1, &name); }
AL_API void AL_APIENTRY alSourceStop(ALuint name) { alSourceStopv(1, &name); }

static void Retune(ALCdevice* d, Source* s) {
    if (!d->deferring) s->heard = s->set;
}

/* Takes the buffer as the source's only one, or none for 0. */
static void SetBuffer(ALCdevice* d, Source* s, ALint name) {
    Buffer* b = name == 0 ? NULL : FindBuffer(d, (ALuint)name);
    if (name != 0 && !b) {
        Fail(d, AL_INVALID_VALUE);
    } else if (s->state == AL_PLAYING) {
        Fail(d, AL_INVALID_OPERATION);
    } else {
        ReleaseQueue(d, s);
        s->type = b ? AL_STATIC : AL_UNDETERMINED;
        if (b) {
            s->queue[s->queued++] = (ALuint)name;
            b->holders++;
        }
    }
}

AL_API void AL_APIENTRY alSourcei(ALuint name, ALenum param, ALint value) {
    ALCdevice* d = Enter();
    if (!d) return;
    Source* s = FindSource(d, name);
    const int flag = value == AL_TRUE || value == AL_FALSE;
    if (!s) {
        Fail(d, AL_INVALID_NAME);
    } else if (param == AL_BUFFER) {
        SetBuffer(d, s, value);
    } else if (param == AL_LOOPING && flag) {
        s->set.looping = (ALboolean)value;
        Retune(d, s);
    } else if (param == AL_SOURCE_RELATIVE || param == AL_DIRECT_CHANNELS_SOFT) {
        /* Nothing is placed in space and stereo always plays straight to
         * the speakers, so both only need to be valid. */
        if (!flag) Fail(d, AL_INVALID_VALUE);
    } else {
        Fail(d, param == AL_LOOPING ? AL_INVALID_VALUE : AL_INVALID_ENUM);
    }
    Leave(d);
}

AL_API void AL_APIENTRY alSourcef(ALuint name, ALenum param, ALfloat value) {
    ALCdevice* d = Enter();
    if (!d) return;
    Source* s = FindSource(d, name);
    if (!s) {
        Fail(d, AL_INVALID_NAME);
    } else if (param != AL_GAIN && param != AL_PITCH && param != AL_ROLLOFF_FACTOR) {
        Fail(d, AL_INVALID_ENUM);
    } else if (!(value >= 0.0f) || isinf(value)) {
        Fail(d, AL_INVALID_VALUE);
    } else if (param == AL_GAIN) {
        s->set.gain = value;
        Retune(d, s);
    } else if (param == AL_PITCH) {
        s->set.pitch = value;
        Retune(d, s);
    }
    Leave(d);
}

AL_API void AL_APIENTRY alGetSourcei(ALuint name, ALenum param, ALint* value) {
    ALCdevice* d = Enter();
    if (!d) return;
    Source* s = FindSource(d, name);
    if (!s) {
        Fail(d, AL_INVALID_NAME);
    } else if (param == AL_SOURCE_STATE) {
        *value = s->state;
    } else if (param == AL_SAMPLE_OFFSET) {
        ALsizei before = 0;
        for (int i = 0; s->state == AL_PLAYING && i < s->current; ++i) before += FindBuffer(d, s->queue[i])->frames;
        *value = s->state == AL_PLAYING ? before + s->position : 0;
    } else if (param == AL_BUFFERS_PROCESSED) {
        *value = Processed(s);
    } else if (param == AL_BUFFERS_QUEUED) {
        *value = s->queued;
    } else if (param == AL_LOOPING) {
        *value = s->set.looping;
    } else {
        Fail(d, AL_INVALID_ENUM);
    }
    Leave(d);
}

AL_API void AL_APIENTRY alSourceQueueBuffers(ALuint name, ALsizei n, const ALuint* buffers) {
    ALCdevice* d = Enter();
    if (!d) return;
    Source* s = FindSource(d, name);
    int rate = s && s->queued > 0 ? FindBuffer(d, s->queue[0])->rate : 0;
    ALenum error = !s ? AL_INVALID_NAME : s->type == AL_STATIC ? AL_INVALID_OPERATION : AL_NO_ERROR;
    if (!error && (n < 0 || s->queued + n > kMaxQueue)) error = AL_INVALID_VALUE;
    for (ALsizei i = 0; !error && i < n; ++i) {
        const Buffer* b = buffers[i] ? FindBuffer(d, buffers[i]) : NULL;
        if (!b) {
            error = AL_INVALID_NAME;
        } else if (rate && b->rate != rate) {
            error = AL_INVALID_OPERATION;  // one queue plays at one rate
        } else {
            rate = b->rate;
        }
    }
    if (error) {
        Fail(d, error);
    } else {
        for (ALsizei i = 0; i < n; ++i) {
            FindBuffer(d, buffers[i])->holders++;
            s->queue[s->queued++] = buffers[i];
        }
        s->type = AL_STREAMING;
    }
    Leave(d);
}

AL_API void AL_APIENTRY alSourceUnqueueBuffers(ALuint name, ALsizei n, ALuint* buffers) {
    ALCdevice* d = Enter();
    if (!d) return;
    Source* s = FindSource(d, name);
    if (!s) {
        Fail(d, AL_INVALID_NAME);
    } else if (n < 0 || n > Processed(s)) {
        Fail(d, AL_INVALID_VALUE);
    } else {
        for (ALsizei i = 0; i < n; ++i) {
            buffers[i] = s->queue[i];
            FindBuffer(d, buffers[i])->holders--;
        }
        for (int i = n; i < s->queued; ++i) s->queue[i - n] = s->queue[i];
        s->queued -= n;
        if (s->state == AL_PLAYING) s->current -= n;
    }
    Leave(d);
}

AL_API void AL_APIENTRY alDeferUpdatesSOFT(void) {
    ALCdevice* d = Enter();
    if (!d) return;
    d->deferring = 1;
    Leave(d);
}

AL_API void AL_APIENTRY alProcessUpdatesSOFT(void) {
    ALCdevice* d = Enter();
    if (!d) return;
    d->deferring = 0;
    for (int i = 0; i < kMaxSources; ++i) Retune(d, &d->sources[i]);
    Leave(d);
}
