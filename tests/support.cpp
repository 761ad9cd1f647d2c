#include "support.h"

#include <SDL.h>
#include <SDL_image.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
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

namespace {

void Put(std::string& bytes, uint32_t value, int size) {
    for (int i = 0; i < size; ++i) bytes.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

void PutText(std::string& bytes, const std::string& text, size_t size) {
    std::string field = text.substr(0, size);
    field.resize(size, '\0');
    bytes += field;
}

}  // namespace

void WriteWav(const std::string& path, int rate, int channels, const std::vector<int16_t>& samples) {
    std::string bytes = "RIFF....WAVEfmt ";
    const uint32_t dataBytes = static_cast<uint32_t>(samples.size() * 2);
    Put(bytes, 16, 4);
    Put(bytes, 1, 2);  // PCM
    Put(bytes, channels, 2);
    Put(bytes, rate, 4);
    Put(bytes, rate * channels * 2, 4);
    Put(bytes, channels * 2, 2);
    Put(bytes, 16, 2);
    bytes += "data";
    Put(bytes, dataBytes, 4);
    for (int16_t v : samples) Put(bytes, static_cast<uint16_t>(v), 2);
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

std::string TestXmModule() {
    std::string m;
    PutText(m, "Extended Module: ", 17);
    PutText(m, "test tune", 20);
    m.push_back(0x1A);
    PutText(m, "kolvetra tests", 20);
    Put(m, 0x0104, 2);
    Put(m, 276, 4);
    Put(m, 1, 2);         // song length
    Put(m, 0, 2);         // restart position
    Put(m, 2, 2);         // channels
    Put(m, 1, 2);         // patterns
    Put(m, 1, 2);         // instruments
    Put(m, 1, 2);         // linear frequencies
    Put(m, 3, 2);         // ticks per row
    Put(m, 125, 2);       // BPM
    m.append(256, '\0');  // order table: pattern 0

    const std::string cells = {'\x83', 49, 1, '\x80', '\x80', '\x80', '\x80', '\x80', '\x80', '\x80'};
    Put(m, 9, 4);
    m.push_back(0);
    Put(m, 4, 2);  // rows
    Put(m, static_cast<uint32_t>(cells.size()), 2);
    m += cells;

    const size_t instrument = m.size();
    Put(m, 263, 4);
    PutText(m, "square", 22);
    m.push_back(0);
    Put(m, 1, 2);   // samples
    Put(m, 40, 4);  // sample header size
    m.resize(instrument + 263, '\0');

    constexpr int kLength = 64;
    Put(m, kLength, 4);
    Put(m, 0, 4);
    Put(m, kLength, 4);  // loop length: the whole sample
    m.push_back(64);     // volume
    m.push_back(0);      // finetune
    m.push_back(1);      // forward loop, 8-bit
    m.push_back(static_cast<char>(128));
    m.push_back(0);  // relative note
    m.push_back(0);
    PutText(m, "square", 22);
    int previous = 0;
    for (int i = 0; i < kLength; ++i) {
        const int value = (i / 16) % 2 == 0 ? 100 : -100;
        m.push_back(static_cast<char>(value - previous));  // delta-coded
        previous = value;
    }
    return m;
}

void WriteFile(const std::string& path, const std::string& bytes) { std::ofstream(path, std::ios::binary) << bytes; }

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

void Fnv1a::Add(const void* bytes, size_t size) {
    const auto* b = static_cast<const unsigned char*>(bytes);
    for (size_t i = 0; i < size; ++i) {
        hash_ ^= b[i];
        hash_ *= 0x100000001b3ULL;
    }
}

std::string Fnv1a::Hex() const {
    char text[17];
    std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(hash_));
    return text;
}

std::string PixelFingerprint(const std::vector<uint32_t>& pixels) {
    Fnv1a hash;
    hash.Add(pixels.data(), pixels.size() * sizeof(uint32_t));
    return hash.Hex();
}

std::string PictureFingerprint(const std::string& path) {
    SDL_Surface* loaded = IMG_Load(path.c_str());
    if (!loaded) return "unreadable";
    SDL_Surface* argb = SDL_ConvertSurfaceFormat(loaded, SDL_PIXELFORMAT_ARGB8888, 0);
    SDL_FreeSurface(loaded);
    if (!argb) return "unreadable";
    std::vector<uint32_t> pixels(static_cast<size_t>(argb->w) * argb->h);
    for (int y = 0; y < argb->h; ++y) {
        const auto* row = static_cast<const uint32_t*>(argb->pixels) + static_cast<size_t>(y) * argb->pitch / 4;
        std::copy(row, row + argb->w, pixels.begin() + static_cast<size_t>(y) * argb->w);
    }
    SDL_FreeSurface(argb);
    return PixelFingerprint(pixels);
}
