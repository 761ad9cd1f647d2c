// The sound base and the engine's sound copies: lookups, buffers per name,
// the argument order of PlaySoundEx, and sounds asked for tick after tick.
// The copies are inspected on the virtual clock with no device, and what is
// really mixed is checked through the loopback device.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>

#include "engine/host.h"
#include "engine/sound_file.h"
#include "media/sound_base.h"
#include "support.h"

using namespace std::string_literals;

namespace {

constexpr int kFileRate = 22050;
constexpr int kToneFrames = 10000;  // 200 whole periods of 441 Hz: 453.5 ms at the file's rate
constexpr double kToneMs = kToneFrames * 1000.0 / kFileRate;

std::function<void()> tickWork;
void Tick() {
    if (tickWork) tickWork();
}

class SoundTest : public ::testing::Test {
  protected:
    void SetUp() override {
        Host_OpenHeadless();
        timer = Timer_Create(Tick, 30, 1);
    }
    void TearDown() override {
        tickWork = nullptr;
        Host_Shutdown();
    }

    void LoadTones(std::initializer_list<const char*> names) {
        for (const char* name : names) {
            WriteWav(dir / (std::string(name) + ".wav"), kFileRate, 1, SineSamples(kFileRate, 441, kToneFrames));
        }
        LoadSoundFolder(base, dir.path().string() + "/", "*.wav");
    }

    // One 30 ms tick doing `work`, on the virtual clock.
    void RunTick(const std::function<void()>& work) {
        Host_AdvanceClock(30);
        tickWork = work;
        Host_RunTick(timer);
        tickWork = nullptr;
    }

    std::vector<SoundCopyState> Copies(const char* name) { return Host_SoundCopies(FindSound(base, name)); }

    static int Playing(const std::vector<SoundCopyState>& copies) {
        int n = 0;
        for (const SoundCopyState& c : copies) n += c.playing ? 1 : 0;
        return n;
    }

    static int Starts(const std::vector<SoundCopyState>& copies) {
        int n = 0;
        for (const SoundCopyState& c : copies) n += c.starts;
        return n;
    }

    ScratchFolder dir;
    TS_List base;
    OE_Timer* timer = nullptr;
};

}  // namespace

TEST_F(SoundTest, LookupsFallBackToTheFirstSoundAndTellCaseApart) {
    LoadTones({"amb", "Eng", "eng"});
    ASSERT_EQ(base.count, 3);
    EXPECT_EQ(base.items[0].name, "amb");
    EXPECT_NE(FindSound(base, "Eng"), FindSound(base, "eng"));
    EXPECT_EQ(FindSound(base, "ENG"), base.items[0].handle);

    PlaySound(base, "missing", false);
    EXPECT_EQ(Playing(Copies("amb")), 1);
    StopSound(base, "also missing");
    EXPECT_EQ(Playing(Copies("amb")), 0);
}

TEST_F(SoundTest, BuffersPerNameAndAFolderLoadedTwice) {
    LoadTones({"bad", "bum", "eng", "eng_e", "fw"});
    EXPECT_EQ(Copies("bad").size(), 4u);
    EXPECT_EQ(Copies("fw").size(), 4u);
    EXPECT_EQ(Copies("eng_e").size(), 4u);
    EXPECT_EQ(Copies("bum").size(), 2u);
    EXPECT_EQ(Copies("eng").size(), 1u);
    Snd_SetBuffersCount(FindSound(base, "eng"), 3);
    EXPECT_EQ(Copies("eng").size(), 3u);

    ScratchFolder more;
    WriteWav(more / "click.wav", kFileRate, 1, SineSamples(kFileRate, 441, 100));
    LoadSoundFolder(base, more.path().string() + "/", "*.wav");
    ASSERT_EQ(base.count, 6);  // the sounds loaded before are kept
    EXPECT_EQ(base.items[0].name, "bad");
    EXPECT_EQ(base.items[5].name, "click");
    EXPECT_EQ(Copies("bad").size(), 4u);
}

TEST_F(SoundTest, FolderWithoutSoundsGivesOneEmptyNamedSound) {
    LoadSoundFolder(base, dir.path().string() + "/", "*.wav");
    ASSERT_EQ(base.count, 1);
    EXPECT_EQ(base.items[0].name, "");
    PlaySound(base, "click", false);  // nothing to hear, and nothing breaks
    EXPECT_TRUE(Copies("click").empty());
}

TEST_F(SoundTest, PlaySoundExReachesTheEngineInItsOwnOrder) {
    LoadTones({"eng"});
    RunTick([&] { PlaySoundEx(base, "eng", -400, -50, false, 11025); });
    std::vector<SoundCopyState> c = Copies("eng");
    ASSERT_EQ(Playing(c), 1);
    EXPECT_EQ(c[0].pan, -400);
    EXPECT_EQ(c[0].volume, -50);
    EXPECT_EQ(c[0].rate, 11025);
    EXPECT_FALSE(c[0].looping);

    StopSound(base, "eng");
    RunTick([&] { PlaySoundEx(base, "eng", 20000, 300, true, 0); });
    c = Copies("eng");
    EXPECT_EQ(c[0].pan, 10000);       // pan stops at one side
    EXPECT_EQ(c[0].volume, 0);        // louder than full is full
    EXPECT_EQ(c[0].rate, kFileRate);  // 0 keeps the file's own rate
    EXPECT_TRUE(c[0].looping);
}

TEST_F(SoundTest, SoundAskedForEveryTickIsOneUninterruptedCopy) {
    LoadTones({"eng"});
    double expected = 0;             // where the copy should be in its sample, in frames
    for (int i = 0; i < 100; ++i) {  // 3 s, longer than six passes of the sample
        const int rate = 20000 + 50 * i;
        RunTick([&] { PlaySoundEx(base, "eng", 0, 0, false, rate); });
        const std::vector<SoundCopyState> c = Copies("eng");
        ASSERT_TRUE(c[0].playing) << "tick " << i;
        ASSERT_EQ(c[0].starts, 1) << "tick " << i;
        ASSERT_EQ(c[0].rate, rate);
        ASSERT_NEAR(c[0].position, expected, 1e-6) << "tick " << i;
        expected = std::fmod(expected + 30 * rate / 1000.0, kToneFrames);
    }
    // Once nobody asks, it plays out its pass and stops.
    const double passMs = kToneFrames * 1000.0 / 24950;
    double stoppedAfter = -1;
    for (int t = 30; t <= 1500; t += 30) {
        RunTick([] {});
        const std::vector<SoundCopyState> c = Copies("eng");
        if (!c[0].playing && stoppedAfter < 0) stoppedAfter = t;
        if (stoppedAfter >= 0) {
            ASSERT_FALSE(c[0].playing) << t;
        }
        ASSERT_EQ(c[0].starts, 1);
    }
    ASSERT_GT(stoppedAfter, 0);
    EXPECT_LE(stoppedAfter, passMs + 30 + 25);
}

TEST_F(SoundTest, SoundAskedForOncePlaysOnce) {
    LoadTones({"bad", "eng"});
    RunTick([&] { PlaySound(base, "bad", false); });
    for (int t = 30; t <= 1500; t += 30) {
        RunTick([] {});
        const std::vector<SoundCopyState> c = Copies("bad");
        EXPECT_EQ(Playing(c), t < kToneMs ? 1 : 0) << t;
        EXPECT_EQ(Starts(c), 1);
    }
    // A copy asked for only every other tick is a one-shot each time.
    for (int i = 0; i < 4; ++i) {
        RunTick([&] { PlaySound(base, "eng", false); });
        RunTick([] {});
    }
    const std::vector<SoundCopyState> c = Copies("eng");
    EXPECT_EQ(c[0].starts, 1);  // eng has one copy, still busy with its one pass
    EXPECT_FALSE(c[0].looping);
}

TEST_F(SoundTest, SeveralCarsEachKeepTheirOwnCopy) {
    LoadTones({"eng_e"});
    const int rates[] = {11000, 22050, 30000};
    for (int i = 0; i < 60; ++i) {
        RunTick([&] {
            for (int k = 0; k < 3; ++k) PlaySoundEx(base, "eng_e", 100 * k, -100 * k, false, rates[k]);
        });
    }
    std::vector<SoundCopyState> c = Copies("eng_e");
    ASSERT_EQ(c.size(), 4u);
    EXPECT_EQ(Playing(c), 3);
    EXPECT_EQ(Starts(c), 3);
    for (int k = 0; k < 3; ++k) {
        EXPECT_EQ(c[k].rate, rates[k]);
        EXPECT_EQ(c[k].pan, 100 * k);
        EXPECT_TRUE(c[k].looping);
    }
    // The third car goes out of earshot: the other two go on untouched.
    RunTick([&] {
        for (int k = 0; k < 2; ++k) PlaySoundEx(base, "eng_e", 0, 0, false, rates[k]);
    });
    RunTick([&] {
        for (int k = 0; k < 2; ++k) PlaySoundEx(base, "eng_e", 0, 0, false, rates[k]);
    });
    c = Copies("eng_e");
    EXPECT_TRUE(c[0].looping);
    EXPECT_TRUE(c[1].looping);
    EXPECT_FALSE(c[2].looping);
    EXPECT_EQ(Starts(c), 3);
}

TEST_F(SoundTest, OneShotsOverlapUpToTheBuffersOfTheirName) {
    LoadTones({"bad", "bum"});
    for (int i = 0; i < 5; ++i) {
        RunTick([&] {
            PlaySound(base, "bad", false);
            PlaySound(base, "bum", false);
        });
        RunTick([] {});
    }
    EXPECT_EQ(Playing(Copies("bad")), 4);
    EXPECT_EQ(Starts(Copies("bad")), 4);  // the fifth found every copy busy
    EXPECT_EQ(Playing(Copies("bum")), 2);
    StopSound(base, "bad");
    EXPECT_EQ(Playing(Copies("bad")), 0);
    EXPECT_EQ(Playing(Copies("bum")), 2);
}

// ---------------------------------------------------------------- what is mixed

namespace {

constexpr int kMixRate = 44100;
constexpr int kTickFrames = kMixRate * 30 / 1000;

double Rms(const std::vector<float>& mix, int channel, size_t from = 0, size_t frames = SIZE_MAX) {
    const size_t end = std::min(mix.size() / 2, from + frames);
    double sum = 0;
    for (size_t i = from; i < end; ++i) sum += mix[2 * i + channel] * mix[2 * i + channel];
    return end > from ? std::sqrt(sum / static_cast<double>(end - from)) : 0;
}

double Decibels(double ratio) { return 20 * std::log10(ratio); }

class MixTest : public SoundTest {
  protected:
    void SetUp() override {
        SoundTest::SetUp();
        ASSERT_TRUE(Host_OpenLoopbackAudio(kMixRate));
    }

    // One tick doing `work`, then the 30 ms of sound that follow it.
    std::vector<float> MixTick(const std::function<void()>& work) {
        RunTick(work);
        return Host_RenderAudio(kTickFrames);
    }
};

}  // namespace

TEST_F(MixTest, VolumeAndPanCutDecibelsOffEachSide) {
    LoadTones({"eng"});
    std::vector<float> full = MixTick([&] { PlaySoundEx(base, "eng", 0, 0, false, 0); });
    full = Host_RenderAudio(4410);
    StopSound(base, "eng");
    MixTick([&] { PlaySoundEx(base, "eng", 0, -1900, false, 0); });
    const std::vector<float> quiet = Host_RenderAudio(4410);
    StopSound(base, "eng");
    MixTick([&] { PlaySoundEx(base, "eng", -2500, 0, false, 0); });
    const std::vector<float> left = Host_RenderAudio(4410);

    ASSERT_GT(Rms(full, 0), 0.2);
    EXPECT_NEAR(Rms(full, 0), Rms(full, 1), 1e-4);
    EXPECT_NEAR(Decibels(Rms(full, 0) / Rms(quiet, 0)), 19, 0.1);
    EXPECT_NEAR(Decibels(Rms(full, 1) / Rms(quiet, 1)), 19, 0.1);
    EXPECT_NEAR(Rms(left, 0), Rms(full, 0), 1e-3);  // the near side keeps its level
    EXPECT_NEAR(Decibels(Rms(left, 0) / Rms(left, 1)), 25, 0.1);
}

TEST_F(MixTest, FrequencyIsThePlaybackRate) {
    LoadTones({"eng"});
    auto crossings = [](const std::vector<float>& mix) {
        int n = 0;
        for (size_t i = 1; i < mix.size() / 2; ++i) n += (mix[2 * i - 2] < 0) != (mix[2 * i] < 0) ? 1 : 0;
        return n;
    };
    MixTick([&] { PlaySoundEx(base, "eng", 0, 0, false, 11025); });
    const std::vector<float> half = Host_RenderAudio(kMixRate / 4);  // 0.25 s of a 220.5 Hz tone
    StopSound(base, "eng");
    MixTick([&] { PlaySoundEx(base, "eng", 0, 0, false, 0); });
    const std::vector<float> own = Host_RenderAudio(kMixRate / 4);  // 441 Hz
    EXPECT_NEAR(crossings(half), 110, 2);
    EXPECT_NEAR(crossings(own), 220, 2);
}

TEST_F(MixTest, SoundAskedForEveryTickIsHeardWithoutAGapAndStopsAfterwards) {
    LoadTones({"amb"});
    std::vector<float> heard;
    for (int i = 0; i < 100; ++i) {
        const std::vector<float> block = MixTick([&] { PlaySound(base, "amb", false); });
        heard.insert(heard.end(), block.begin(), block.end());
    }
    // 5 ms windows: a gap or a restart of the tone would show in one of them.
    const size_t window = kMixRate / 200;
    for (size_t from = window; from + window <= heard.size() / 2; from += window) {
        ASSERT_GT(Rms(heard, 0, from, window), 0.25) << "at " << from * 1000.0 / kMixRate << " ms";
    }
    EXPECT_EQ(Copies("amb")[0].starts, 1);

    std::vector<float> after;
    for (int i = 0; i < 30; ++i) {
        const std::vector<float> block = MixTick([] {});
        after.insert(after.end(), block.begin(), block.end());
    }
    const size_t tail = kMixRate / 10;
    EXPECT_EQ(Rms(after, 0, after.size() / 2 - tail, tail), 0.0);
    EXPECT_FALSE(Copies("amb")[0].playing);
}

TEST(SoundFile, ChunksMustFitInTheFile) {
    ScratchFolder dir;
    WriteWav(dir / "tone.wav", kFileRate, 1, SineSamples(kFileRate, 441, 100));
    std::string wav = ReadFile(dir / "tone.wav"), error;
    EXPECT_TRUE(CheckWaveFile(wav, error)) << error;
    // The data chunk's length, after the 12-byte header and the 24-byte format chunk.
    ASSERT_EQ(wav.substr(36, 4), "data");
    for (const std::string& claim : {"\xFF\xFF\xFF\xFF"s, "\x00\xFF\xFF\x7F"s, "\xC9\x00\x00\x00"s}) {
        std::string bad = wav;
        bad.replace(40, 4, claim);
        EXPECT_FALSE(CheckWaveFile(bad, error));
        EXPECT_NE(error.find("claims"), std::string::npos);
        WriteFile(dir / "bad.wav", bad);
        Host_OpenHeadless();
        EXPECT_EQ(Snd_LoadFromFile(dir / "bad.wav", 1)->data, nullptr);
        Host_Shutdown();
    }
    EXPECT_FALSE(CheckWaveFile("RIFX" + wav.substr(4), error));
    EXPECT_FALSE(CheckWaveFile("RIFF", error));
}
