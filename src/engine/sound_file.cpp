#include "engine/sound_file.h"

#include <cstdint>

namespace {

uint32_t LittleEndian32(std::string_view b, size_t at) {
    uint32_t v = 0;
    for (int i = 3; i >= 0; --i) v = (v << 8) | static_cast<uint8_t>(b[at + i]);
    return v;
}

}  // namespace

bool CheckWaveFile(std::string_view bytes, std::string& error) {
    if (bytes.size() > kSoundFileLimit) {
        error = "the file is too large for a sound";
        return false;
    }
    if (bytes.size() < 12 || bytes.substr(0, 4) != "RIFF" || bytes.substr(8, 4) != "WAVE") {
        error = "not a WAV file";
        return false;
    }
    for (size_t pos = 12; pos + 8 <= bytes.size();) {
        const uint64_t length = LittleEndian32(bytes, pos + 4);
        if (length > bytes.size() - pos - 8) {
            error = "a chunk claims " + std::to_string(length) + " bytes the file does not hold";
            return false;
        }
        pos += 8 + length + (length & 1);
    }
    return true;
}
