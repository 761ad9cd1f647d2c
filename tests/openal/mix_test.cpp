// The Windows package's sound library, mixed through its loopback device:
// levels, rates, loops, queues and states as the game's engine relies on.
#define AL_ALEXT_PROTOTYPES
#include <AL/alext.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace {

constexpr int kRate = 44100;

class Mixer : public ::testing::Test {
  protected:
    void SetUp() override {
        device = alcLoopbackOpenDeviceSOFT(nullptr);
        ASSERT_NE(device, nullptr);
        const ALCint attributes[] = {
            ALC_FORMAT_CHANNELS_SOFT, ALC_STEREO_SOFT, ALC_FORMAT_TYPE_SOFT, ALC_FLOAT_SOFT, ALC_FREQUENCY, kRate, 0};
        context = alcCreateContext(device, attributes);
        ASSERT_NE(context, nullptr);
        ASSERT_TRUE(alcMakeContextCurrent(context));
    }
    void TearDown() override {
        alcMakeContextCurrent(nullptr);
        alcDestroyContext(context);
        EXPECT_TRUE(alcCloseDevice(device));
    }

    // A buffer of `frames` frames at `rate`, the left side at `left`, the
    // right at `right` (as parts of full scale), or a ramp when `ramp`.
    ALuint Buffer(int frames, float left, float right, int rate = kRate, bool ramp = false) {
        std::vector<int16_t> samples(2 * frames);
        for (int i = 0; i < frames; ++i) {
            samples[2 * i] = static_cast<int16_t>((ramp ? 800 + i * 8 : left * 32768));
            samples[2 * i + 1] = static_cast<int16_t>(right * 32768);
        }
        ALuint buffer = 0;
        alGenBuffers(1, &buffer);
        alBufferData(buffer, AL_FORMAT_STEREO16, samples.data(), frames * 4, rate);
        EXPECT_EQ(alGetError(), AL_NO_ERROR);
        return buffer;
    }

    ALuint Source(ALuint buffer) {
        ALuint source = 0;
        alGenSources(1, &source);
        alSourcei(source, AL_BUFFER, static_cast<ALint>(buffer));
        alSourcei(source, AL_SOURCE_RELATIVE, AL_TRUE);
        alSourcei(source, AL_DIRECT_CHANNELS_SOFT, AL_TRUE);
        alSourcef(source, AL_ROLLOFF_FACTOR, 0);
        EXPECT_EQ(alGetError(), AL_NO_ERROR);
        return source;
    }

    std::vector<float> Render(int frames) {
        std::vector<float> out(2 * frames, 99.0f);
        alcRenderSamplesSOFT(device, out.data(), frames);
        return out;
    }

    static ALint Get(ALuint source, ALenum param) {
        ALint value = -1;
        alGetSourcei(source, param, &value);
        return value;
    }

    // Frames from the first that is silent on the left to the end of the mix.
    static int SilentFrom(const std::vector<float>& mix) {
        int n = static_cast<int>(mix.size() / 2);
        while (n > 0 && mix[2 * (n - 1)] == 0.0f) --n;
        return n;
    }

    ALCdevice* device = nullptr;
    ALCcontext* context = nullptr;
};

}  // namespace

TEST_F(Mixer, GainScalesEachSideAndIsHeldToFullLevel) {
    const ALuint source = Source(Buffer(1000, 0.5f, -0.25f));
    alSourcef(source, AL_GAIN, 0.5f);
    alSourcePlay(source);
    std::vector<float> mix = Render(100);
    EXPECT_FLOAT_EQ(mix[0], 0.25f);
    EXPECT_FLOAT_EQ(mix[1], -0.125f);
    EXPECT_FLOAT_EQ(mix[198], 0.25f);
    alSourcef(source, AL_GAIN, 4.0f);  // above 1 plays at full level
    mix = Render(100);
    EXPECT_FLOAT_EQ(mix[0], 0.5f);
    alSourcef(source, AL_GAIN, -1.0f);
    EXPECT_EQ(alGetError(), AL_INVALID_VALUE);
    alSourcef(source, AL_GAIN, 0.0f);
    EXPECT_EQ(Render(100)[0], 0.0f);
    EXPECT_EQ(Get(source, AL_SOURCE_STATE), AL_PLAYING);
}

TEST_F(Mixer, PitchAndTheBufferRateSetTheLengthAndLinesJoinTheSamples) {
    const ALuint fast = Source(Buffer(1000, 0.5f, 0.5f));
    alSourcef(fast, AL_PITCH, 2.0f);
    alSourcePlay(fast);
    EXPECT_EQ(SilentFrom(Render(2000)), 500);
    EXPECT_EQ(Get(fast, AL_SOURCE_STATE), AL_STOPPED);

    // Half the device's rate: twice as long, each new frame halfway along
    // the line between two of the buffer's.
    const ALuint slow = Source(Buffer(1000, 0, 0.5f, kRate / 2, true));
    alSourcePlay(slow);
    const std::vector<float> mix = Render(3000);
    EXPECT_FLOAT_EQ(mix[2 * 20], (800 + 10 * 8) / 32768.0f);
    EXPECT_FLOAT_EQ(mix[2 * 21], (800 + 10.5f * 8) / 32768.0f);
    EXPECT_FLOAT_EQ(mix[2 * 1001 + 1], 0.5f);
    EXPECT_EQ(mix[2 * 2000 + 1], 0.0f);
    EXPECT_NE(mix[2 * 1999 + 1], 0.0f);
}

TEST_F(Mixer, LoopingRepeatsUntilTurnedOffThenEndsItsPass) {
    // At half speed, so that the end of each pass is drawn on to its start.
    const ALuint source = Source(Buffer(300, 0, 0, kRate, true));
    alSourcei(source, AL_LOOPING, AL_TRUE);
    alSourcef(source, AL_PITCH, 0.5f);
    alSourcePlay(source);
    const std::vector<float> mix = Render(2000);
    for (int i = 0; i < 1400; ++i) ASSERT_EQ(mix[2 * i], mix[2 * (i + 600)]) << i;
    EXPECT_FLOAT_EQ(mix[2 * 599], (800 + 299 * 4) / 32768.0f);
    EXPECT_EQ(Get(source, AL_SAMPLE_OFFSET), 100);  // 1000 frames into a 300-frame loop
    alSourcei(source, AL_LOOPING, AL_FALSE);
    EXPECT_EQ(SilentFrom(Render(1000)), 400);
    EXPECT_EQ(Get(source, AL_SOURCE_STATE), AL_STOPPED);
    EXPECT_EQ(Get(source, AL_SAMPLE_OFFSET), 0);
}

TEST_F(Mixer, QueuedBuffersPlayInOrderAndAreReturnedWhenHeard) {
    const ALuint buffers[3] = {Buffer(100, 0.125f, 0), Buffer(100, 0.25f, 0), Buffer(100, 0.375f, 0)};
    ALuint source = 0;
    alGenSources(1, &source);
    alSourceQueueBuffers(source, 3, buffers);
    EXPECT_EQ(Get(source, AL_BUFFERS_QUEUED), 3);
    EXPECT_EQ(Get(source, AL_BUFFERS_PROCESSED), 0);
    alSourcePlay(source);
    std::vector<float> mix = Render(150);
    EXPECT_FLOAT_EQ(mix[2 * 99], 0.125f);
    EXPECT_FLOAT_EQ(mix[2 * 100], 0.25f);
    EXPECT_EQ(Get(source, AL_BUFFERS_PROCESSED), 1);
    EXPECT_EQ(Get(source, AL_SAMPLE_OFFSET), 150);

    // The heard buffer is taken off, refilled and queued again behind the others.
    ALuint back[3] = {};
    alSourceUnqueueBuffers(source, 2, back);
    EXPECT_EQ(alGetError(), AL_INVALID_VALUE);  // only one is heard yet
    alSourceUnqueueBuffers(source, 1, back);
    EXPECT_EQ(back[0], buffers[0]);
    alBufferData(back[0], AL_FORMAT_STEREO16, std::vector<int16_t>(200, 1 << 14).data(), 400, kRate);
    alSourceQueueBuffers(source, 1, back);
    EXPECT_EQ(alGetError(), AL_NO_ERROR);
    mix = Render(300);
    EXPECT_FLOAT_EQ(mix[2 * 49], 0.25f);
    EXPECT_FLOAT_EQ(mix[2 * 50], 0.375f);
    EXPECT_FLOAT_EQ(mix[2 * 150], 0.5f);
    EXPECT_EQ(SilentFrom(mix), 250);

    // Run dry: stopped, everything heard, and given back in queue order.
    EXPECT_EQ(Get(source, AL_SOURCE_STATE), AL_STOPPED);
    EXPECT_EQ(Get(source, AL_BUFFERS_PROCESSED), 3);
    alSourceUnqueueBuffers(source, 3, back);
    EXPECT_EQ(back[0], buffers[1]);
    EXPECT_EQ(back[1], buffers[2]);
    EXPECT_EQ(back[2], buffers[0]);
    EXPECT_EQ(Get(source, AL_BUFFERS_QUEUED), 0);

    // Stopped halfway, every buffer counts as heard.
    alSourceQueueBuffers(source, 2, buffers);
    alSourcePlay(source);
    Render(10);
    EXPECT_EQ(Get(source, AL_BUFFERS_PROCESSED), 0);
    alSourceStop(source);
    EXPECT_EQ(Get(source, AL_BUFFERS_PROCESSED), 2);
}

TEST_F(Mixer, StatesAndStoppedSourcesAreSilent) {
    const ALuint buffer = Buffer(1000, 0.5f, 0.5f);
    ALuint sources[2] = {Source(buffer), Source(buffer)};
    EXPECT_EQ(Get(sources[0], AL_SOURCE_STATE), AL_INITIAL);
    alSourcePlayv(2, sources);
    std::vector<float> mix = Render(10);
    EXPECT_FLOAT_EQ(mix[0], 1.0f);  // both together, held at full scale
    EXPECT_EQ(Get(sources[1], AL_SOURCE_STATE), AL_PLAYING);
    alSourceStopv(2, sources);
    EXPECT_EQ(Get(sources[0], AL_SOURCE_STATE), AL_STOPPED);
    for (float v : Render(100)) ASSERT_EQ(v, 0.0f);
    // A source in use keeps its buffer.
    alDeleteBuffers(1, &buffer);
    EXPECT_EQ(alGetError(), AL_INVALID_OPERATION);
    alSourcePlay(sources[0]);  // again from the start
    EXPECT_FLOAT_EQ(Render(10)[0], 0.5f);
    EXPECT_EQ(Get(sources[0], AL_SAMPLE_OFFSET), 10);
    alDeleteSources(2, sources);
    alDeleteBuffers(1, &buffer);
    EXPECT_EQ(alGetError(), AL_NO_ERROR);
    alSourcePlay(sources[0]);
    EXPECT_EQ(alGetError(), AL_INVALID_NAME);
    for (float v : Render(10)) ASSERT_EQ(v, 0.0f);
}

TEST_F(Mixer, DeferredChangesReachTheMixTogether) {
    ALuint sources[2] = {Source(Buffer(1000, 0.5f, 0)), Source(Buffer(1000, 0, 0.5f))};
    alSourcePlayv(2, sources);
    auto defer = reinterpret_cast<LPALDEFERUPDATESSOFT>(alGetProcAddress("alDeferUpdatesSOFT"));
    auto process = reinterpret_cast<LPALPROCESSUPDATESSOFT>(alGetProcAddress("alProcessUpdatesSOFT"));
    ASSERT_TRUE(defer && process);
    defer();
    alSourcef(sources[0], AL_GAIN, 0.5f);
    alSourcef(sources[1], AL_GAIN, 0.5f);
    std::vector<float> mix = Render(10);
    EXPECT_FLOAT_EQ(mix[0], 0.5f);
    EXPECT_FLOAT_EQ(mix[1], 0.5f);
    process();
    mix = Render(10);
    EXPECT_FLOAT_EQ(mix[0], 0.25f);
    EXPECT_FLOAT_EQ(mix[1], 0.25f);
}

TEST_F(Mixer, OnlyWhatTheGameUsesIsAccepted) {
    ALuint buffer = 0;
    alGenBuffers(1, &buffer);
    const int16_t samples[4] = {};
    alBufferData(buffer, AL_FORMAT_MONO16, samples, sizeof samples, kRate);
    EXPECT_EQ(alGetError(), AL_INVALID_ENUM);
    alBufferData(buffer, AL_FORMAT_STEREO16, samples, 6, kRate);  // not whole frames
    EXPECT_EQ(alGetError(), AL_INVALID_VALUE);
    // A queue plays at one rate.
    const ALuint other = Buffer(10, 0, 0, kRate / 2);
    alBufferData(buffer, AL_FORMAT_STEREO16, samples, sizeof samples, kRate);
    ALuint source = 0;
    alGenSources(1, &source);
    const ALuint both[2] = {buffer, other};
    alSourceQueueBuffers(source, 2, both);
    EXPECT_EQ(alGetError(), AL_INVALID_OPERATION);
    EXPECT_EQ(Get(source, AL_BUFFERS_QUEUED), 0);
    EXPECT_NE(alcGetProcAddress(nullptr, "alcRenderSamplesSOFT"), nullptr);
    EXPECT_EQ(alcGetProcAddress(nullptr, "alcCaptureOpenDevice"), nullptr);
    // One device at a time.
    EXPECT_EQ(alcLoopbackOpenDeviceSOFT(nullptr), nullptr);
}

TEST(Output, SdlsAudioDeviceOpensAndClosesAfterItsContext) {
    ALCdevice* device = alcOpenDevice(nullptr);  // SDL's dummy driver in the tests
    ASSERT_NE(device, nullptr);
    ALCcontext* context = alcCreateContext(device, nullptr);
    ASSERT_NE(context, nullptr);
    ASSERT_TRUE(alcMakeContextCurrent(context));
    ALuint source = 0;
    alGenSources(1, &source);
    EXPECT_EQ(alGetError(), AL_NO_ERROR);
    EXPECT_FALSE(alcCloseDevice(device));
    alcMakeContextCurrent(nullptr);
    alcDestroyContext(context);
    EXPECT_EQ(alGetError(), AL_INVALID_OPERATION);  // no context
    EXPECT_TRUE(alcCloseDevice(device));
}
