// Sound effects on OpenAL Soft. With no audio device (or headless) the game
// goes on silently.
#include <AL/al.h>
#include <AL/alc.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

#include "engine/state.h"

struct OE_SoundData {
    ALuint buffer = 0;
    std::vector<ALuint> sources;
};

namespace {

struct Audio {
    ALCdevice* device = nullptr;
    ALCcontext* context = nullptr;
    std::vector<std::unique_ptr<OE_Sound>> sounds;
    std::vector<std::unique_ptr<OE_SoundData>> data;
    bool recording = false;
    std::vector<HostSoundPlay> log;
};

Audio& A() {
    static Audio audio;
    return audio;
}

bool Ready() { return A().context != nullptr; }

void SetSourceCount(OE_SoundData& d, int n) {
    if (n < 1) n = 1;
    while (static_cast<int>(d.sources.size()) > n) {
        alDeleteSources(1, &d.sources.back());
        d.sources.pop_back();
    }
    while (static_cast<int>(d.sources.size()) < n) {
        ALuint s = 0;
        alGenSources(1, &s);
        if (alGetError() != AL_NO_ERROR) break;
        alSourcei(s, AL_BUFFER, static_cast<ALint>(d.buffer));
        alSourcei(s, AL_SOURCE_RELATIVE, AL_TRUE);
        d.sources.push_back(s);
    }
}

}  // namespace

void Snd_Init() {
    Audio& a = A();
    if (a.device || Engine().config.headless) return;
    a.device = alcOpenDevice(nullptr);
    if (!a.device) return;  // no sound card: silent
    a.context = alcCreateContext(a.device, nullptr);
    if (!a.context || !alcMakeContextCurrent(a.context)) {
        if (a.context) alcDestroyContext(a.context);
        alcCloseDevice(a.device);
        a.context = nullptr;
        a.device = nullptr;
    }
}

OE_Sound* Snd_LoadFromFile(std::string_view file, int buffers) {
    Audio& a = A();
    a.sounds.push_back(std::make_unique<OE_Sound>());
    OE_Sound* sound = a.sounds.back().get();
    if (!Ready()) return sound;
    SDL_AudioSpec spec;
    Uint8* samples = nullptr;
    Uint32 length = 0;
    const std::string path(file);
    if (!SDL_LoadWAV(path.c_str(), &spec, &samples, &length)) {
        std::fprintf(stderr, "kolvetra: cannot load the sound %s: %s\n", path.c_str(), SDL_GetError());
        return sound;
    }
    const bool stereo = spec.channels == 2;
    const bool wide = SDL_AUDIO_BITSIZE(spec.format) == 16;
    const ALenum format =
        stereo ? (wide ? AL_FORMAT_STEREO16 : AL_FORMAT_STEREO8) : (wide ? AL_FORMAT_MONO16 : AL_FORMAT_MONO8);
    auto data = std::make_unique<OE_SoundData>();
    alGenBuffers(1, &data->buffer);
    alBufferData(data->buffer, format, samples, static_cast<ALsizei>(length), spec.freq);
    SDL_FreeWAV(samples);
    SetSourceCount(*data, buffers);
    sound->data = data.get();
    a.data.push_back(std::move(data));
    return sound;
}

void Snd_SetBuffersCount(OE_Sound* sound, int buffers) {
    if (sound && sound->data && Ready()) SetSourceCount(*sound->data, buffers);
}

void Host_RecordSounds(bool on) {
    A().recording = on;
    A().log.clear();
}

const std::vector<HostSoundPlay>& Host_SoundLog() { return A().log; }

void Snd_Play(OE_Sound* sound, int pan, int volume, int hz, bool loop) {
    if (A().recording) A().log.push_back({sound, pan, volume, hz, loop});
    if (!sound || !sound->data || !Ready()) return;
    OE_SoundData& d = *sound->data;
    ALuint source = 0;
    for (ALuint s : d.sources) {
        ALint state = 0;
        alGetSourcei(s, AL_SOURCE_STATE, &state);
        if (state != AL_PLAYING) {
            source = s;
            break;
        }
    }
    if (!source) return;
    ALint rate = 0;
    alGetBufferi(d.buffer, AL_FREQUENCY, &rate);
    alSourcef(source, AL_GAIN, std::pow(10.0f, (volume > 0 ? 0 : volume) / 2000.0f));
    alSourcef(source, AL_PITCH, hz > 0 && rate > 0 ? static_cast<float>(hz) / rate : 1.0f);
    alSource3f(source, AL_POSITION, std::clamp(pan / 10000.0f, -1.0f, 1.0f), 0, -1);
    alSourcei(source, AL_LOOPING, loop ? AL_TRUE : AL_FALSE);
    alSourcePlay(source);
}

void Snd_Stop(OE_Sound* sound) {
    if (!sound || !sound->data || !Ready()) return;
    for (ALuint s : sound->data->sources) alSourceStop(s);
}

void Sound_BeginRound(InputContext) {}

void Sound_Shutdown() {
    Audio& a = A();
    for (auto& d : a.data) {
        if (!d->sources.empty()) alDeleteSources(static_cast<ALsizei>(d->sources.size()), d->sources.data());
        if (d->buffer) alDeleteBuffers(1, &d->buffer);
    }
    a.data.clear();
    a.sounds.clear();
    a.recording = false;
    a.log.clear();
    if (a.context) {
        alcMakeContextCurrent(nullptr);
        alcDestroyContext(a.context);
    }
    if (a.device) alcCloseDevice(a.device);
    a.context = nullptr;
    a.device = nullptr;
}
