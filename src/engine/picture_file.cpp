#include "engine/picture_file.h"

#include <SDL_image.h>

#include <algorithm>
#include <cctype>
#include <climits>
#include <filesystem>
#include <fstream>

#include "engine/files.h"

namespace {

enum class Format { Png, Jpeg, Tga, Unknown };

uint32_t BigEndian(std::string_view b, size_t at, int bytes) {
    uint32_t v = 0;
    for (int i = 0; i < bytes; ++i) v = (v << 8) | static_cast<uint8_t>(b[at + i]);
    return v;
}

uint32_t LittleEndian16(std::string_view b, size_t at) {
    return static_cast<uint8_t>(b[at]) | (static_cast<uint32_t>(static_cast<uint8_t>(b[at + 1])) << 8);
}

bool EndsWithTga(std::string_view name) {
    if (name.size() < 4) return false;
    std::string ext(name.substr(name.size() - 4));
    std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return std::tolower(c); });
    return ext == ".tga";
}

Format FormatOf(std::string_view bytes, std::string_view name) {
    if (bytes.substr(0, 8) == std::string_view("\x89PNG\r\n\x1a\n", 8)) return Format::Png;
    if (bytes.substr(0, 2) == "\xFF\xD8") return Format::Jpeg;
    return EndsWithTga(name) ? Format::Tga : Format::Unknown;
}

bool PngSize(std::string_view b, uint32_t& w, uint32_t& h) {
    if (b.size() < 24 || b.substr(12, 4) != "IHDR") return false;
    w = BigEndian(b, 16, 4);
    h = BigEndian(b, 20, 4);
    return true;
}

// Walks the segments up to the frame header, as the decoder does.
bool JpegSize(std::string_view b, uint32_t& w, uint32_t& h) {
    size_t pos = 2;
    while (pos < b.size()) {
        if (static_cast<uint8_t>(b[pos]) != 0xFF) return false;
        while (pos < b.size() && static_cast<uint8_t>(b[pos]) == 0xFF) ++pos;
        if (pos >= b.size()) return false;
        const uint8_t marker = static_cast<uint8_t>(b[pos++]);
        if (marker == 0x01 || marker == 0xD8 || (marker >= 0xD0 && marker <= 0xD7)) continue;
        if (marker == 0xD9 || marker == 0xDA || pos + 2 > b.size()) return false;  // no frame before the scan
        const uint32_t length = BigEndian(b, pos, 2);
        if (length < 2) return false;
        const bool frame = marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
        if (frame) {
            if (length < 8 || pos + 7 > b.size()) return false;
            h = BigEndian(b, pos + 3, 2);
            w = BigEndian(b, pos + 5, 2);
            return true;
        }
        pos += length;
    }
    return false;
}

// Also refuses a file that cannot hold the pixels it claims: an uncompressed
// picture needs every pixel, a run-length one at least a packet per 128.
bool TgaSize(std::string_view b, uint64_t fileSize, uint32_t& w, uint32_t& h, std::string& error) {
    if (b.size() < 18) return false;
    const uint32_t type = static_cast<uint8_t>(b[2]);
    const uint64_t pixelBytes = (static_cast<uint8_t>(b[16]) + 7) / 8;
    const uint64_t colourMap =
        static_cast<uint8_t>(b[1]) ? LittleEndian16(b, 5) * ((static_cast<uint8_t>(b[7]) + 7ull) / 8) : 0;
    w = LittleEndian16(b, 12);
    h = LittleEndian16(b, 14);
    if (w == 0 || h == 0 || w > kPictureSideLimit || h > kPictureSideLimit) return true;  // said by the caller
    const uint64_t pixels = uint64_t{w} * h;
    const uint64_t need = 18 + static_cast<uint8_t>(b[0]) + colourMap +
                          ((type & 8) ? (pixels + 127) / 128 * (1 + pixelBytes) : pixels * pixelBytes);
    if (fileSize < need) {
        error = "it is cut short";
        return false;
    }
    return true;
}

// The header of a picture begins `head`, the first bytes of a file of
// `fileSize` bytes.
bool CheckHeader(std::string_view head, uint64_t fileSize, std::string_view name, PictureSize& size,
                 std::string& error) {
    uint32_t w = 0, h = 0;
    bool read = false;
    error.clear();
    switch (FormatOf(head, name)) {
        case Format::Png: read = PngSize(head, w, h); break;
        case Format::Jpeg: read = JpegSize(head, w, h); break;
        case Format::Tga: read = TgaSize(head, fileSize, w, h, error); break;
        case Format::Unknown: error = "not a PNG, JPEG or TGA picture"; return false;
    }
    if (!read) {
        if (error.empty()) error = "its header is damaged";
        return false;
    }
    if (w == 0 || h == 0 || w > kPictureSideLimit || h > kPictureSideLimit) {
        error = "it claims " + std::to_string(w) + " x " + std::to_string(h) + " pixels";
        return false;
    }
    size = {static_cast<int>(w), static_cast<int>(h)};
    return true;
}

// No picture within the limit is bigger than its pixels uncompressed.
bool TooLarge(uintmax_t fileSize, std::string& error) {
    constexpr uintmax_t kFileLimit = uintmax_t{kPictureSideLimit} * kPictureSideLimit * 4 + (1u << 20);
    if (fileSize <= kFileLimit) return false;
    error = "the file is too large for a picture";
    return true;
}

bool ReadPictureFile(const std::string& path, std::string& bytes, std::string& error) {
    std::error_code ec;
    const uintmax_t fileSize = std::filesystem::file_size(PathOf(path), ec);
    if (!ec && TooLarge(fileSize, error)) return false;
    if (!ReadWholeFile(path, bytes)) {
        error = "it cannot be read";
        return false;
    }
    return true;
}

}  // namespace

bool CheckPictureHeader(std::string_view bytes, std::string_view name, PictureSize& size, std::string& error) {
    return CheckHeader(bytes, bytes.size(), name, size, error);
}

SDL_Surface* DecodePicture(std::string_view bytes, std::string_view name, std::string& error) {
    PictureSize size;
    if (!CheckPictureHeader(bytes, name, size, error)) return nullptr;
    if (bytes.size() > INT_MAX) {
        error = "the file is too large for a picture";
        return nullptr;
    }
    SDL_RWops* rw = SDL_RWFromConstMem(bytes.data(), static_cast<int>(bytes.size()));
    if (!rw) {
        error = SDL_GetError();
        return nullptr;
    }
    SDL_Surface* surface = nullptr;
    switch (FormatOf(bytes, name)) {
        case Format::Png: surface = IMG_LoadPNG_RW(rw); break;
        case Format::Jpeg: surface = IMG_LoadJPG_RW(rw); break;
        default: surface = IMG_LoadTGA_RW(rw); break;
    }
    SDL_RWclose(rw);
    if (!surface) error = IMG_GetError();
    return surface;
}

SDL_Surface* LoadPicture(const std::string& path, std::string& error) {
    std::string bytes;
    return ReadPictureFile(path, bytes, error) ? DecodePicture(bytes, path, error) : nullptr;
}

bool ReadPictureSize(const std::string& path, PictureSize& size, std::string& error) {
    // Enough for the header of every picture the game makes.
    constexpr uintmax_t kHeadBytes = 4096;
    std::error_code ec;
    const uintmax_t fileSize = std::filesystem::file_size(PathOf(path), ec);
    std::ifstream in(PathOf(path), std::ios::binary);
    std::string head(ec ? 0 : std::min(fileSize, kHeadBytes), '\0');
    if (ec || !in || !in.read(head.data(), static_cast<std::streamsize>(head.size()))) {
        error = "it cannot be read";
        return false;
    }
    if (TooLarge(fileSize, error)) return false;
    if (CheckHeader(head, fileSize, path, size, error)) return true;
    if (head.size() == fileSize) return false;
    // A JPEG's frame header may come after long metadata.
    std::string bytes;
    return ReadPictureFile(path, bytes, error) && CheckPictureHeader(bytes, path, size, error);
}
