#include "support.h"

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

void WriteFile(const std::string& path, const std::string& bytes) { std::ofstream(path, std::ios::binary) << bytes; }

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}
