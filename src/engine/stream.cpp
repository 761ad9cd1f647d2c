// Sound streams for the music player: a source fed from a small queue of
// buffers by a thread of the stream's own, or, with no device, blocks
// rendered as the engine clock reaches them.
#include "engine/stream.h"

#include <AL/alext.h>

#include <atomic>
#include <chrono>
#include <cmath>
#include <condition_variable>
#include <deque>
#include <map>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "engine/audio.h"
#include "engine/omega.h"

namespace {

constexpr int kQueuedBlocks = 4;
// Without a device, a caller that stops asking for a long while does not get
// the whole gap rendered at once: the stream skips ahead, as if paused.
constexpr long kMaxCatchUpBlocks = 64;
constexpr auto kServicePeriod = std::chrono::milliseconds(5);

struct Stream {
    int rate = 0;
    StreamRenderer renderer;
    std::vector<int16_t> block = std::vector<int16_t>(kStreamBlockFrames * 2);

    // With a device.
    ALuint source = 0;
    ALuint buffers[kQueuedBlocks]{};
    std::deque<uint32_t> queuedTags;  // in queue order: the front one is being heard
    std::atomic<uint32_t> heard{0};
    std::thread thread;
    std::mutex mutex;
    std::condition_variable wake;
    bool stop = false;

    // Without one.
    double start = 0;
    long rendered = 0;
    uint32_t lastTag = 0;
};

struct Streams {
    std::map<int, std::unique_ptr<Stream>> open;
    int nextId = 1;
};

Streams& S() {
    static Streams streams;
    return streams;
}

void Fill(Stream& s, ALuint buffer) {
    const uint32_t tag = s.renderer(s.block.data(), kStreamBlockFrames);
    alBufferData(buffer, AL_FORMAT_STEREO16, s.block.data(), kStreamBlockFrames * 4, s.rate);
    alSourceQueueBuffers(s.source, 1, &buffer);
    s.queuedTags.push_back(tag);
}

// Refills the buffers the device has played and notes which block is heard.
void Service(Stream& s) {
    ALint processed = 0;
    alGetSourcei(s.source, AL_BUFFERS_PROCESSED, &processed);
    for (; processed > 0; --processed) {
        ALuint buffer = 0;
        alSourceUnqueueBuffers(s.source, 1, &buffer);
        if (!s.queuedTags.empty()) s.queuedTags.pop_front();
        Fill(s, buffer);
    }
    ALint state = 0;
    alGetSourcei(s.source, AL_SOURCE_STATE, &state);
    if (state != AL_PLAYING) alSourcePlay(s.source);  // ran dry: go on with the refilled queue
    s.heard = s.queuedTags.empty() ? 0 : s.queuedTags.front();
}

void Run(Stream& s) {
    std::unique_lock lock(s.mutex);
    while (!s.stop) {
        lock.unlock();
        Service(s);
        lock.lock();
        s.wake.wait_for(lock, kServicePeriod, [&s] { return s.stop; });
    }
}

bool StartOnDevice(Stream& s) {
    alGetError();
    alGenSources(1, &s.source);
    if (alGetError() != AL_NO_ERROR) {
        s.source = 0;
        return false;
    }
    alGenBuffers(kQueuedBlocks, s.buffers);
    if (alGetError() != AL_NO_ERROR) {
        alDeleteSources(1, &s.source);
        s.source = 0;
        return false;
    }
    alSourcei(s.source, AL_SOURCE_RELATIVE, AL_TRUE);
    alSourcei(s.source, AL_DIRECT_CHANNELS_SOFT, AL_TRUE);
    alSourcef(s.source, AL_ROLLOFF_FACTOR, 0);
    for (ALuint buffer : s.buffers) Fill(s, buffer);
    alSourcePlay(s.source);
    s.heard = s.queuedTags.front();
    if (!Audio_Loopback()) s.thread = std::thread(Run, std::ref(s));
    return true;
}

uint32_t HeardOnClock(Stream& s) {
    const double frames = (U_GetTime() - s.start) * s.rate / 1000.0;
    const long index = static_cast<long>(std::floor(frames / kStreamBlockFrames));
    if (index - s.rendered >= kMaxCatchUpBlocks) s.rendered = index - kMaxCatchUpBlocks + 1;
    for (; s.rendered <= index; ++s.rendered) s.lastTag = s.renderer(s.block.data(), kStreamBlockFrames);
    return s.lastTag;
}

void Close(Stream& s) {
    if (s.thread.joinable()) {
        {
            std::lock_guard lock(s.mutex);
            s.stop = true;
        }
        s.wake.notify_all();
        s.thread.join();
    }
    if (s.source && Audio_Ready()) {
        alSourceStop(s.source);
        alSourcei(s.source, AL_BUFFER, 0);
        alDeleteSources(1, &s.source);
        alDeleteBuffers(kQueuedBlocks, s.buffers);
    }
}

}  // namespace

int Stream_Open(int rate, StreamRenderer renderer) {
    Streams& all = S();
    auto stream = std::make_unique<Stream>();
    Stream& s = *stream;
    s.rate = rate;
    s.renderer = std::move(renderer);
    if (!Audio_Ready() || !StartOnDevice(s)) s.start = U_GetTime();
    const int id = all.nextId++;
    all.open.emplace(id, std::move(stream));
    return id;
}

uint32_t Stream_Heard(int id) {
    const auto it = S().open.find(id);
    if (it == S().open.end()) return 0;
    Stream& s = *it->second;
    return s.source ? s.heard.load() : HeardOnClock(s);
}

void Stream_Close(int id) {
    const auto it = S().open.find(id);
    if (it == S().open.end()) return;
    Close(*it->second);
    S().open.erase(it);
}

void Stream_ServiceAll() {
    for (auto& [id, s] : S().open) {
        if (s->source) Service(*s);
    }
}

void Stream_CloseAll() {
    for (auto& [id, s] : S().open) Close(*s);
    S().open.clear();
}
