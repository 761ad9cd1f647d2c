// The generated sounds and menu music: valid files, clean loops, a tune that
// never falls silent, and the same bytes on every run of the generator.
#include <gtest/gtest.h>
#include <xmp.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "support.h"

namespace {

const char* const kGameSounds[] = {"eng", "eng_e", "get", "bum", "start", "bad", "amb", "fw", "click", "select"};
const char* const kLoops[] = {"eng", "eng_e", "amb"};

struct Pcm {
    int rate = 0;
    std::vector<int16_t> samples;
};

uint32_t U32(const std::string& b, size_t at) {
    return static_cast<uint8_t>(b[at]) | static_cast<uint8_t>(b[at + 1]) << 8 | static_cast<uint8_t>(b[at + 2]) << 16 |
           static_cast<uint32_t>(static_cast<uint8_t>(b[at + 3])) << 24;
}
uint16_t U16(const std::string& b, size_t at) {
    return static_cast<uint16_t>(static_cast<uint8_t>(b[at]) | static_cast<uint8_t>(b[at + 1]) << 8);
}

// Reads a RIFF WAV, insisting on mono 16-bit PCM; failures are reported
// through gtest and leave the result empty.
Pcm ReadMono16(const std::string& path) {
    Pcm pcm;
    const std::string b = ReadFile(path);
    if (b.size() < 12 || b.compare(0, 4, "RIFF") || b.compare(8, 4, "WAVE")) {
        ADD_FAILURE() << path << " is not a RIFF WAVE file";
        return pcm;
    }
    EXPECT_EQ(U32(b, 4), b.size() - 8) << path;
    bool format = false;
    for (size_t at = 12; at + 8 <= b.size();) {
        const std::string id = b.substr(at, 4);
        const uint32_t size = U32(b, at + 4);
        if (at + 8 + size > b.size()) {
            ADD_FAILURE() << path << ": chunk " << id << " runs past the end";
            return {};
        }
        if (id == "fmt ") {
            EXPECT_EQ(U16(b, at + 8), 1) << path << " is not PCM";
            EXPECT_EQ(U16(b, at + 10), 1) << path << " is not mono";
            pcm.rate = static_cast<int>(U32(b, at + 12));
            EXPECT_EQ(U32(b, at + 16), static_cast<uint32_t>(pcm.rate) * 2) << path;
            EXPECT_EQ(U16(b, at + 20), 2) << path;
            EXPECT_EQ(U16(b, at + 22), 16) << path << " is not 16-bit";
            format = true;
        } else if (id == "data" && format) {
            EXPECT_EQ(size % 2, 0u) << path;
            pcm.samples.resize(size / 2);
            std::memcpy(pcm.samples.data(), b.data() + at + 8, pcm.samples.size() * 2);
        }
        at += 8 + size + (size & 1);
    }
    EXPECT_TRUE(format && !pcm.samples.empty()) << path << " lacks a format or data chunk";
    return pcm;
}

std::string SoundPath(const std::string& name) { return TestDataFolder() + "/sfx/" + name + ".wav"; }

bool IsLoop(const std::string& name) {
    return std::find(std::begin(kLoops), std::end(kLoops), name) != std::end(kLoops);
}

int Peak(const std::vector<int16_t>& s, size_t from, size_t to) {
    int peak = 0;
    for (size_t i = from; i < to && i < s.size(); ++i) peak = std::max(peak, std::abs(static_cast<int>(s[i])));
    return peak;
}

}  // namespace

TEST(GameSounds, EverySoundIsAMono16BitWavOfSaneLengthAndLevel) {
    for (const char* name : kGameSounds) {
        SCOPED_TRACE(name);
        const Pcm pcm = ReadMono16(SoundPath(name));
        ASSERT_FALSE(pcm.samples.empty());
        EXPECT_TRUE(pcm.rate == 22050 || pcm.rate == 44100) << pcm.rate;
        const double seconds = static_cast<double>(pcm.samples.size()) / pcm.rate;
        EXPECT_GE(seconds, 0.02);
        EXPECT_LE(seconds, 8.0);
        const int peak = Peak(pcm.samples, 0, pcm.samples.size());
        EXPECT_GT(peak, 32768 / 10) << "too quiet";
        EXPECT_LT(peak, 32767) << "clipped";
    }
    // The game's engine pitch assumes the engine was recorded at 22050 Hz.
    EXPECT_EQ(ReadMono16(SoundPath("eng")).rate, 22050);
    EXPECT_EQ(ReadMono16(SoundPath("eng_e")).rate, 22050);
}

TEST(GameSounds, OneShotsStartAndEndWithoutAClick) {
    for (const char* name : kGameSounds) {
        if (IsLoop(name)) continue;
        SCOPED_TRACE(name);
        const Pcm pcm = ReadMono16(SoundPath(name));
        ASSERT_FALSE(pcm.samples.empty());
        EXPECT_LT(std::abs(pcm.samples.front()), 328);
        EXPECT_LT(std::abs(pcm.samples.back()), 328);
    }
    // The countdown asks for its beep every frame of a 100 ms stretch: the
    // beep must outlast it to sound once, and stay short enough to be a beep.
    const Pcm beep = ReadMono16(SoundPath("start"));
    EXPECT_GT(beep.samples.size(), static_cast<size_t>(beep.rate * 0.12));
    EXPECT_LT(beep.samples.size(), static_cast<size_t>(beep.rate * 0.4));
}

TEST(GameSounds, LoopedSoundsJoinSeamlesslyAtFullLevel) {
    for (const char* name : kLoops) {
        SCOPED_TRACE(name);
        const Pcm pcm = ReadMono16(SoundPath(name));
        const std::vector<int16_t>& s = pcm.samples;
        ASSERT_GT(s.size(), 1000u);
        std::vector<int> steps;
        for (size_t i = 1; i < s.size(); ++i) steps.push_back(std::abs(s[i] - s[i - 1]));
        std::sort(steps.begin(), steps.end());
        const int typical = steps[steps.size() * 99 / 100];
        EXPECT_LE(std::abs(s.back() - s.front()), typical) << "the join jumps";
        // No fade at either end: a faded loop would pump once per repeat.
        const size_t edge = static_cast<size_t>(pcm.rate / 50);
        const int whole = Peak(s, 0, s.size());
        EXPECT_GT(Peak(s, 0, edge), whole / 4);
        EXPECT_GT(Peak(s, s.size() - edge, s.size()), whole / 4);
    }
}

// The game restarts the menu music whenever the level it hears is zero, so
// the tune must run a full pass of over a minute, and on through its loop
// point, without a silent frame.
TEST(MenuMusic, PlaysOverAMinuteAndLoopsWithoutFallingSilent) {
    const std::string path = TestDataFolder() + "/sfx/menu.xm";
    xmp_test_info test;
    ASSERT_EQ(xmp_test_module(const_cast<char*>(path.c_str()), &test), 0);
    EXPECT_STREQ(test.type, "Fast Tracker II");  // libxmp's name for its XM loader

    xmp_context ctx = xmp_create_context();
    ASSERT_EQ(xmp_load_module(ctx, const_cast<char*>(path.c_str())), 0);
    xmp_module_info info;
    xmp_get_module_info(ctx, &info);
    EXPECT_GE(info.mod->chn, 4);
    EXPECT_GE(info.mod->ins, 4);
    for (int i = 0; i < info.mod->smp; ++i) EXPECT_GT(info.mod->xxs[i].len, 0) << "sample " << i;

    constexpr int kRate = 44100;
    ASSERT_EQ(xmp_start_player(ctx, kRate, 0), 0);
    xmp_frame_info frame;
    double passSeconds = 0, afterLoop = 0;
    int quietestFrame = 32767;
    while (afterLoop < 2.0 && xmp_play_frame(ctx) == 0) {
        xmp_get_frame_info(ctx, &frame);
        const auto* pcm = static_cast<const int16_t*>(frame.buffer);
        const size_t values = static_cast<size_t>(frame.buffer_size) / 2;
        const double seconds = static_cast<double>(values / 2) / kRate;
        (frame.loop_count == 0 ? passSeconds : afterLoop) += seconds;
        int peak = 0;
        for (size_t i = 0; i < values; ++i) peak = std::max(peak, std::abs(static_cast<int>(pcm[i])));
        quietestFrame = std::min(quietestFrame, peak);
        if (passSeconds > 600) break;  // never loops: fails below
    }
    xmp_end_player(ctx);
    xmp_release_module(ctx);
    xmp_free_context(ctx);

    EXPECT_GT(passSeconds, 60.0);
    EXPECT_LT(passSeconds, 600.0) << "the tune never loops";
    EXPECT_GE(afterLoop, 2.0);
    EXPECT_GT(quietestFrame, 32768 / 100) << "a silent stretch would restart the tune";
}

TEST(DataGenerator, TwoRunsWriteIdenticalSoundsAndMusic) {
    ScratchFolder first, second;
    for (const ScratchFolder* run : {&first, &second}) {
        const std::string command = std::string("ASAN_OPTIONS=detect_leaks=0 '") + KOLVETRA_DATAGEN + "' --out '" +
                                    run->path().string() + "' > /dev/null";
        ASSERT_EQ(std::system(command.c_str()), 0) << command;
    }
    int compared = 0;
    for (const auto& entry : std::filesystem::directory_iterator(first.path() / "sfx")) {
        const std::string name = entry.path().filename().string();
        SCOPED_TRACE(name);
        const std::filesystem::path twin = second.path() / "sfx" / name;
        ASSERT_TRUE(std::filesystem::exists(twin));
        EXPECT_TRUE(ReadFile(entry.path().string()) == ReadFile(twin.string())) << "differs between runs";
        ++compared;
    }
    EXPECT_EQ(compared, static_cast<int>(std::size(kGameSounds)) + 1);  // and menu.xm
}
