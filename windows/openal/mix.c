/* The software mixer: every playing source, resampled linearly. */
#include <string.h>

#include "device.h"

static const int16_t kSilence[2] = {0, 0};

static Buffer* EntryBuffer(ALCdevice* d, const Source* s, int entry) { return FindBuffer(d, s->queue[entry]); }

/* The frame after the one being heard, following the queue and its loop:
 * the far end of the line the resampler draws. */
static const int16_t* NextFrame(ALCdevice* d, const Source* s) {
    const Buffer* b = EntryBuffer(d, s, s->current);
    if (s->position + 1 < b->frames) return b->samples + 2 * (s->position + 1);
    int entry = s->current;
    for (int step = 0; step < s->queued; ++step) {
        if (++entry == s->queued) {
            if (!s->heard.looping) return kSilence;
            entry = 0;
        }
        b = EntryBuffer(d, s, entry);
        if (b->frames > 0) return b->samples;
    }
    return kSilence;
}

/* Moves the source on by `frames` whole frames; at the end of its queue it
 * starts it again when looping and stops otherwise. */
static void MoveOn(ALCdevice* d, Source* s, uint32_t frames) {
    s->position += (ALsizei)frames;
    for (;;) {
        const ALsizei length = EntryBuffer(d, s, s->current)->frames;
        if (s->position < length) return;
        s->position -= length;
        if (++s->current == s->queued) {
            if (!s->heard.looping) {
                s->state = AL_STOPPED;
                return;
            }
            s->current = 0;
        }
    }
}

static void MixSource(ALCdevice* d, Source* s, float* out, int frames) {
    /* Every buffer of a queue has the same rate. */
    double speed = s->heard.pitch * EntryBuffer(d, s, 0)->rate / d->rate;
    if (speed > kMaxStep) speed = kMaxStep;
    uint32_t step = (uint32_t)(speed * (1 << kFractionBits) + 0.5);
    if (step == 0) step = 1;
    const float gain = (s->heard.gain < 1.0f ? s->heard.gain : 1.0f) / 32768.0f;
    for (int i = 0; i < frames && s->state == AL_PLAYING; ++i) {
        const int16_t* a = EntryBuffer(d, s, s->current)->samples + 2 * s->position;
        const int16_t* b = NextFrame(d, s);
        const float t = (float)s->fraction / (1 << kFractionBits);
        out[2 * i] += gain * (a[0] + (b[0] - a[0]) * t);
        out[2 * i + 1] += gain * (a[1] + (b[1] - a[1]) * t);
        s->fraction += step;
        const uint32_t whole = s->fraction >> kFractionBits;
        s->fraction &= (1u << kFractionBits) - 1;
        if (whole > 0) MoveOn(d, s, whole);
    }
}

void Mix(ALCdevice* d, float* out, int frames) {
    memset(out, 0, sizeof(float) * 2 * (size_t)frames);
    if (!d->hasContext) return;
    for (int i = 0; i < kMaxSources; ++i) {
        Source* s = &d->sources[i];
        if (s->used && s->state == AL_PLAYING) MixSource(d, s, out, frames);
    }
    for (int i = 0; i < 2 * frames; ++i) {
        if (out[i] > 1.0f) out[i] = 1.0f;
        if (out[i] < -1.0f) out[i] = -1.0f;
    }
}
