// Sound effects on OpenAL Soft.
//
// A sound loaded with n buffers has n copies that can sound at once, all
// playing the one sample. A copy is a pair of sources started together, one
// on a left-only and one on a right-only stereo buffer, so that volume and
// pan are exact cuts in hundredths of a decibel on each side.
//
// The game asks for a continuous sound (an engine, the ambience) again on
// every 30 ms tick. Requests come in rounds, one per tick and one per frame:
// the k-th request of a sound in a round goes to the copy that answered the
// k-th request in the previous round of the same kind, which is re-tuned and
// loops on while it is asked for; any further request takes a free copy from
// its beginning and plays it once. At the start of a round, a copy that was
// not asked for in the round before stops looping and ends with its current
// pass; so does one that was, unless its pass ends too soon for this round's
// request to come first.
//
// Every copy is also followed on the engine clock, so with no device
// (headless, or no sound card) the game runs silently in the same state.
#include <AL/alext.h>
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <vector>

#include "engine/audio.h"
#include "engine/files.h"
#include "engine/sound_file.h"
#include "engine/state.h"

namespace {

// A pass of a held copy that ends sooner than this after a round starts keeps
// looping: the round's own request might come too late to keep it going.
constexpr double kWrapGuardMs = 25;
constexpr int kMaxPitch = 255;  // OpenAL Soft's limit on the playback speed
constexpr int kMinLevel = -10000;
constexpr int kMaxCopies = 64;

struct SoundCopy {
    ALuint sources[2]{};  // left side, right side; 0 without a device
    bool playing = false;
    bool looping = false;
    bool endless = false;  // the caller asked for a loop until stopped
    int rate = 0;
    int volume = 0;
    int pan = 0;
    int starts = 0;
    double position = 0;  // frames into the current pass
    double clock = 0;     // engine time the position stands for
    int holder = -1;      // the kind of round that asked for it last, while it is held
    int lastHolder = -1;  // the kind of round that last held it going, until it restarts
};

}  // namespace

struct OE_SoundData {
    int fileRate = 0;
    int frames = 0;
    ALuint buffers[2]{};  // left-only, right-only
    std::vector<SoundCopy> copies;
    // Copies asked for in the current and the previous round of each kind,
    // in the order they were asked for.
    std::array<std::vector<int>, 2> asked, askedBefore;
};

namespace {

struct Audio {
    ALCdevice* device = nullptr;
    ALCcontext* context = nullptr;
    bool loopback = false;
    LPALCRENDERSAMPLESSOFT renderSamples = nullptr;
    LPALDEFERUPDATESSOFT deferUpdates = nullptr;
    LPALPROCESSUPDATESSOFT processUpdates = nullptr;
    int round = static_cast<int>(InputContext::Frame);  // the kind of round now running
    std::vector<std::unique_ptr<OE_Sound>> sounds;
    std::vector<std::unique_ptr<OE_SoundData>> data;
    bool recording = false;
    std::vector<HostSoundPlay> log;
};

Audio& A() {
    static Audio audio;
    return audio;
}

bool HasSources(const SoundCopy& c) { return Audio_Ready() && c.sources[0] != 0; }

// Changes made between these two calls reach the mixer together, so both
// sides of a copy keep the same pitch and stay in step.
void HoldMixer() {
    if (Audio_Ready() && A().deferUpdates) A().deferUpdates();
}
void ReleaseMixer() {
    if (Audio_Ready() && A().processUpdates) A().processUpdates();
}

bool Contains(const std::vector<int>& list, int index) {
    return std::find(list.begin(), list.end(), index) != list.end();
}

// Brings the copy up to `now`: from the device when it plays on one,
// otherwise by running its sample on at its rate.
void Refresh(const OE_SoundData& d, SoundCopy& c, double now) {
    if (HasSources(c)) {
        ALint state[2] = {0, 0};
        alGetSourcei(c.sources[0], AL_SOURCE_STATE, &state[0]);
        alGetSourcei(c.sources[1], AL_SOURCE_STATE, &state[1]);
        const int side = state[0] == AL_PLAYING ? 0 : (state[1] == AL_PLAYING ? 1 : -1);
        c.playing = side >= 0;
        ALint offset = 0;
        if (c.playing) alGetSourcei(c.sources[side], AL_SAMPLE_OFFSET, &offset);
        c.position = offset;
    } else if (c.playing) {
        c.position += (now - c.clock) * c.rate / 1000.0;
        if (c.position >= d.frames) {
            if (c.looping) {
                c.position = std::fmod(c.position, static_cast<double>(d.frames));
            } else {
                c.playing = false;
                c.position = 0;
            }
        }
    }
    c.clock = now;
}

double RemainingMs(const OE_SoundData& d, const SoundCopy& c) {
    return c.rate > 0 ? (d.frames - c.position) * 1000.0 / c.rate : 0;
}

void SetLooping(SoundCopy& c, bool looping) {
    c.looping = looping;
    if (!HasSources(c)) return;
    for (ALuint s : c.sources) alSourcei(s, AL_LOOPING, looping ? AL_TRUE : AL_FALSE);
}

float GainOf(int level) { return std::pow(10.0f, static_cast<float>(std::clamp(level, kMinLevel, 0)) / 2000.0f); }

void Tune(const OE_SoundData& d, SoundCopy& c, int pan, int volume, int hz) {
    const int rate = hz > 0 ? hz : d.fileRate;
    c.rate = std::min(rate, d.fileRate * kMaxPitch);
    c.volume = std::clamp(volume, kMinLevel, 0);
    c.pan = std::clamp(pan, kMinLevel, -kMinLevel);
    if (!HasSources(c)) return;
    // A pan to the left takes its decibels off the right side, and so on.
    alSourcef(c.sources[0], AL_GAIN, GainOf(c.volume - std::max(0, c.pan)));
    alSourcef(c.sources[1], AL_GAIN, GainOf(c.volume - std::max(0, -c.pan)));
    const float pitch = static_cast<float>(c.rate) / static_cast<float>(d.fileRate);
    for (ALuint s : c.sources) alSourcef(s, AL_PITCH, pitch);
}

void StopCopy(SoundCopy& c) {
    if (HasSources(c)) alSourceStopv(2, c.sources);
    c.playing = false;
    c.looping = false;
    c.endless = false;
    c.position = 0;
}

bool Claimed(const OE_SoundData& d, int index) {
    for (int kind = 0; kind < 2; ++kind) {
        if (Contains(d.asked[kind], index)) return true;
        if (d.copies[index].holder == kind && Contains(d.askedBefore[kind], index)) return true;
    }
    return false;
}

int FreeCopy(OE_SoundData& d, double now) {
    for (int i = 0; i < static_cast<int>(d.copies.size()); ++i) {
        Refresh(d, d.copies[i], now);
        if (!d.copies[i].playing && !Claimed(d, i)) return i;
    }
    return -1;
}

// With no copy free, a request may pick up a copy that the same kind of round
// kept going until a round or two ago and that still plays: a continuous
// sound that missed a tick goes on instead of falling silent.
int ResumableCopy(OE_SoundData& d, int kind, double now) {
    for (int i = 0; i < static_cast<int>(d.copies.size()); ++i) {
        SoundCopy& c = d.copies[i];
        Refresh(d, c, now);
        if (c.playing && c.lastHolder == kind && !Claimed(d, i)) return i;
    }
    return -1;
}

void MakeSources(const OE_SoundData& d, SoundCopy& c) {
    if (!Audio_Ready() || !d.buffers[0]) return;
    alGetError();
    alGenSources(2, c.sources);
    if (alGetError() != AL_NO_ERROR) {
        c.sources[0] = c.sources[1] = 0;  // out of sources: this copy stays silent
        return;
    }
    for (int side = 0; side < 2; ++side) {
        const ALuint s = c.sources[side];
        alSourcei(s, AL_BUFFER, static_cast<ALint>(d.buffers[side]));
        alSourcei(s, AL_SOURCE_RELATIVE, AL_TRUE);
        alSourcei(s, AL_DIRECT_CHANNELS_SOFT, AL_TRUE);
        alSourcef(s, AL_ROLLOFF_FACTOR, 0);
    }
}

void DeleteSources(SoundCopy& c) {
    if (HasSources(c)) {
        alSourceStopv(2, c.sources);
        alDeleteSources(2, c.sources);
    }
    c.sources[0] = c.sources[1] = 0;
}

void ForgetCopiesFrom(OE_SoundData& d, int first) {
    for (auto* lists : {&d.asked, &d.askedBefore}) {
        for (auto& list : *lists) std::erase_if(list, [first](int i) { return i >= first; });
    }
}

void SetCopyCount(OE_SoundData& d, int n) {
    n = std::clamp(n, 1, kMaxCopies);
    if (d.frames == 0) return;  // nothing to play
    while (static_cast<int>(d.copies.size()) > n) {
        DeleteSources(d.copies.back());
        d.copies.pop_back();
    }
    ForgetCopiesFrom(d, n);
    while (static_cast<int>(d.copies.size()) < n) {
        d.copies.emplace_back();
        MakeSources(d, d.copies.back());
    }
}

// The sample as two stereo buffers, one holding only its left channel and one
// only its right (a mono sample goes into both).
bool MakeBuffers(OE_SoundData& d, const SDL_AudioSpec& spec, Uint8* samples, Uint32 length) {
    SDL_AudioCVT cvt;
    if (SDL_BuildAudioCVT(&cvt, spec.format, spec.channels, spec.freq, AUDIO_S16SYS, 2, spec.freq) < 0) return false;
    std::vector<Uint8> work(static_cast<size_t>(length) * std::max(1, cvt.len_mult));
    std::copy(samples, samples + length, work.begin());
    cvt.buf = work.data();
    cvt.len = static_cast<int>(length);
    if (cvt.needed && SDL_ConvertAudio(&cvt) != 0) return false;
    const size_t frames = static_cast<size_t>(cvt.needed ? cvt.len_cvt : cvt.len) / 4;
    const auto* stereo = reinterpret_cast<const int16_t*>(work.data());
    std::vector<int16_t> left(frames * 2, 0), right(frames * 2, 0);
    for (size_t i = 0; i < frames; ++i) {
        left[2 * i] = stereo[2 * i];
        right[2 * i + 1] = stereo[2 * i + 1];
    }
    alGetError();
    alGenBuffers(2, d.buffers);
    if (alGetError() != AL_NO_ERROR) {
        d.buffers[0] = d.buffers[1] = 0;
        return false;
    }
    const auto bytes = static_cast<ALsizei>(frames * 4);
    alBufferData(d.buffers[0], AL_FORMAT_STEREO16, left.data(), bytes, spec.freq);
    alBufferData(d.buffers[1], AL_FORMAT_STEREO16, right.data(), bytes, spec.freq);
    d.frames = static_cast<int>(frames);
    return alGetError() == AL_NO_ERROR;
}

bool LoadSample(OE_SoundData& d, const std::string& path) {
    std::string bytes, error;
    std::error_code ec;
    const uintmax_t size = std::filesystem::file_size(PathOf(path), ec);
    if (ec || size > kSoundFileLimit || !ReadWholeFile(path, bytes) || !CheckWaveFile(bytes, error)) {
        SDL_SetError("%s", error.empty() ? "the file cannot be read, or is too large for a sound" : error.c_str());
        return false;
    }
    SDL_AudioSpec spec;
    Uint8* samples = nullptr;
    Uint32 length = 0;
    SDL_RWops* rw = SDL_RWFromConstMem(bytes.data(), static_cast<int>(bytes.size()));
    if (!rw || !SDL_LoadWAV_RW(rw, 1, &spec, &samples, &length)) return false;
    d.fileRate = spec.freq;
    const int frameBytes = static_cast<int>(SDL_AUDIO_BITSIZE(spec.format) / 8) * spec.channels;
    d.frames = frameBytes > 0 ? static_cast<int>(length / frameBytes) : 0;
    const bool ok = !Audio_Ready() || d.frames == 0 || MakeBuffers(d, spec, samples, length);
    SDL_FreeWAV(samples);
    return ok;
}

// ALSA and OpenAL Soft describe a missing sound card at length on stderr; a
// game without sound says nothing.
ALCdevice* OpenDeviceQuietly() {
    std::fflush(stderr);
    const int saved = dup(STDERR_FILENO);
    const int null = open("/dev/null", O_WRONLY);
    if (saved >= 0 && null >= 0) dup2(null, STDERR_FILENO);
    ALCdevice* device = alcOpenDevice(nullptr);
    if (saved >= 0) {
        dup2(saved, STDERR_FILENO);
        close(saved);
    }
    if (null >= 0) close(null);
    return device;
}

bool StartContext(ALCdevice* device, const ALCint* attributes) {
    Audio& a = A();
    a.context = alcCreateContext(device, attributes);
    if (!a.context || !alcMakeContextCurrent(a.context)) {
        if (a.context) alcDestroyContext(a.context);
        alcCloseDevice(device);
        a.context = nullptr;
        return false;
    }
    a.device = device;
    a.deferUpdates = reinterpret_cast<LPALDEFERUPDATESSOFT>(alGetProcAddress("alDeferUpdatesSOFT"));
    a.processUpdates = reinterpret_cast<LPALPROCESSUPDATESSOFT>(alGetProcAddress("alProcessUpdatesSOFT"));
    return true;
}

}  // namespace

bool Audio_Ready() { return A().context != nullptr; }
bool Audio_Loopback() { return A().loopback; }

void Snd_Init() {
    Audio& a = A();
    if (a.device || Engine().config.headless) return;
    if (ALCdevice* device = OpenDeviceQuietly()) StartContext(device, nullptr);
}

OE_Sound* Snd_LoadFromFile(std::string_view file, int buffers) {
    Audio& a = A();
    a.sounds.push_back(std::make_unique<OE_Sound>());
    OE_Sound* sound = a.sounds.back().get();
    const std::string path(file);
    auto data = std::make_unique<OE_SoundData>();
    if (!LoadSample(*data, path)) {
        std::fprintf(stderr, "kolvetra: cannot load the sound %s: %s\n", path.c_str(), SDL_GetError());
        return sound;
    }
    SetCopyCount(*data, buffers);
    sound->data = data.get();
    a.data.push_back(std::move(data));
    return sound;
}

void Snd_SetBuffersCount(OE_Sound* sound, int buffers) {
    if (sound && sound->data) SetCopyCount(*sound->data, buffers);
}

void Snd_Play(OE_Sound* sound, int pan, int volume, int hz, bool loop) {
    if (A().recording) A().log.push_back({sound, pan, volume, hz, loop});
    if (!sound || !sound->data || sound->data->copies.empty()) return;
    OE_SoundData& d = *sound->data;
    const int kind = A().round;
    const double now = U_GetTime();
    const size_t k = d.asked[kind].size();
    int index = -1;
    if (k < d.askedBefore[kind].size() && d.copies[d.askedBefore[kind][k]].holder == kind) {
        index = d.askedBefore[kind][k];
    }
    bool held = index >= 0;
    if (!held) index = FreeCopy(d, now);
    if (index < 0) {
        index = ResumableCopy(d, kind, now);
        held = index >= 0;
    }
    if (index < 0) return;  // every copy is busy: this one is not heard
    SoundCopy& c = d.copies[index];
    Refresh(d, c, now);
    c.holder = kind;
    c.lastHolder = held ? kind : -1;
    d.asked[kind].push_back(index);
    c.endless = loop;

    HoldMixer();
    Tune(d, c, pan, volume, hz);
    const bool start = !(held && c.playing);
    SetLooping(c, loop || held);
    ReleaseMixer();
    if (start) {
        if (HasSources(c)) alSourcePlayv(2, c.sources);
        c.playing = true;
        c.position = 0;
        ++c.starts;
    }
}

void Snd_Stop(OE_Sound* sound) {
    if (!sound || !sound->data) return;
    OE_SoundData& d = *sound->data;
    for (SoundCopy& c : d.copies) {
        StopCopy(c);
        c.holder = -1;
        c.lastHolder = -1;
    }
    for (auto* lists : {&d.asked, &d.askedBefore}) {
        for (auto& list : *lists) list.clear();
    }
}

void Sound_BeginRound(InputContext context) {
    Audio& a = A();
    const int kind = static_cast<int>(context);
    a.round = kind;
    const double now = U_GetTime();
    HoldMixer();
    for (auto& data : a.data) {
        OE_SoundData& d = *data;
        for (const auto* list : {&d.askedBefore[kind], &d.asked[kind]}) {
            for (int i : *list) {
                SoundCopy& c = d.copies[i];
                if (c.holder != kind) continue;
                Refresh(d, c, now);
                const bool stillAsked = Contains(d.asked[kind], i);
                const bool keep = c.endless || (stillAsked && c.looping && RemainingMs(d, c) < kWrapGuardMs);
                if (c.looping != keep) SetLooping(c, keep);
            }
        }
        for (int i : d.askedBefore[kind]) {
            if (d.copies[i].holder == kind && !Contains(d.asked[kind], i)) d.copies[i].holder = -1;
        }
        d.askedBefore[kind].swap(d.asked[kind]);
        d.asked[kind].clear();
    }
    ReleaseMixer();
}

void Sound_Shutdown() {
    Audio& a = A();
    Stream_CloseAll();
    for (auto& d : a.data) {
        for (SoundCopy& c : d->copies) DeleteSources(c);
        if (Audio_Ready() && d->buffers[0]) alDeleteBuffers(2, d->buffers);
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
    a.loopback = false;
    a.renderSamples = nullptr;
    a.round = static_cast<int>(InputContext::Frame);
}

// ---------------------------------------------------------------- host

void Host_RecordSounds(bool on) {
    A().recording = on;
    A().log.clear();
}

const std::vector<HostSoundPlay>& Host_SoundLog() { return A().log; }

std::vector<SoundCopyState> Host_SoundCopies(const OE_Sound* sound) {
    std::vector<SoundCopyState> states;
    if (!sound || !sound->data) return states;
    OE_SoundData& d = *sound->data;
    const double now = U_GetTime();
    for (SoundCopy& c : d.copies) {
        Refresh(d, c, now);
        states.push_back({c.playing, c.looping, c.rate, c.volume, c.pan, c.starts, c.position});
    }
    return states;
}

bool Host_OpenLoopbackAudio(int rate) {
    Audio& a = A();
    if (a.device) return a.loopback;
    auto openLoopback =
        reinterpret_cast<LPALCLOOPBACKOPENDEVICESOFT>(alcGetProcAddress(nullptr, "alcLoopbackOpenDeviceSOFT"));
    a.renderSamples = reinterpret_cast<LPALCRENDERSAMPLESSOFT>(alcGetProcAddress(nullptr, "alcRenderSamplesSOFT"));
    ALCdevice* device = openLoopback ? openLoopback(nullptr) : nullptr;
    if (!device || !a.renderSamples) return false;
    const ALCint attributes[] = {
        ALC_FORMAT_CHANNELS_SOFT, ALC_STEREO_SOFT, ALC_FORMAT_TYPE_SOFT, ALC_FLOAT_SOFT, ALC_FREQUENCY, rate, 0};
    a.loopback = StartContext(device, attributes);
    return a.loopback;
}

std::vector<float> Host_RenderAudio(int frames) {
    Audio& a = A();
    std::vector<float> out(static_cast<size_t>(std::max(0, frames)) * 2, 0.0f);
    if (!a.loopback || frames <= 0) return out;
    Stream_ServiceAll();
    a.renderSamples(a.device, out.data(), frames);
    return out;
}
