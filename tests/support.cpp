#include "support.h"

#include <cmath>
#include <fstream>
#include <random>
#include <sstream>
#include <vector>

ScratchFolder::ScratchFolder() {
    std::random_device rd;
    path_ = std::filesystem::temp_directory_path() / ("kolvetra-test-" + std::to_string(rd()) + std::to_string(rd()));
    std::filesystem::create_directories(path_);
}

ScratchFolder::~ScratchFolder() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
}

void WriteSolidTga(const std::string& path, int w, int h, uint32_t colour, uint8_t alpha) {
    std::vector<uint8_t> bytes(18 + static_cast<size_t>(w) * h * 4);
    bytes[2] = 2;
    bytes[12] = w & 0xFF;
    bytes[13] = w >> 8;
    bytes[14] = h & 0xFF;
    bytes[15] = h >> 8;
    bytes[16] = 32;
    bytes[17] = 0x28;
    for (size_t i = 18; i < bytes.size(); i += 4) {
        bytes[i] = (colour >> 16) & 0xFF;  // blue
        bytes[i + 1] = (colour >> 8) & 0xFF;
        bytes[i + 2] = colour & 0xFF;  // red
        bytes[i + 3] = alpha;
    }
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), bytes.size());
}

void WriteWav(const std::string& path, int rate, int channels, const std::vector<int16_t>& samples) {
    std::string bytes = "RIFF....WAVEfmt ";
    auto put = [&bytes](uint32_t value, int size) {
        for (int i = 0; i < size; ++i) bytes.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
    };
    const uint32_t dataBytes = static_cast<uint32_t>(samples.size() * 2);
    put(16, 4);
    put(1, 2);  // PCM
    put(channels, 2);
    put(rate, 4);
    put(rate * channels * 2, 4);
    put(channels * 2, 2);
    put(16, 2);
    bytes += "data";
    put(dataBytes, 4);
    for (int16_t v : samples) put(static_cast<uint16_t>(v), 2);
    const uint32_t riff = static_cast<uint32_t>(bytes.size() - 8);
    for (int i = 0; i < 4; ++i) bytes[4 + i] = static_cast<char>((riff >> (8 * i)) & 0xFF);
    WriteFile(path, bytes);
}

std::vector<int16_t> SineSamples(int rate, double hz, int frames, int amplitude) {
    std::vector<int16_t> samples(static_cast<size_t>(frames));
    for (int i = 0; i < frames; ++i) {
        samples[i] = static_cast<int16_t>(amplitude * std::sin(2 * 3.14159265358979 * hz * i / rate));
    }
    return samples;
}

void WriteFile(const std::string& path, const std::string& bytes) { std::ofstream(path, std::ios::binary) << bytes; }

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}
