// Helpers shared by the tests: scratch folders and small pictures.
#pragma once

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

// A fresh, empty folder under the system's temporary folder, removed when
// the object goes.
class ScratchFolder {
  public:
    ScratchFolder();
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;
    const std::filesystem::path& path() const { return path_; }
    std::string operator/(const std::string& name) const { return (path_ / name).string(); }

  private:
    std::filesystem::path path_;
};

// Writes a w x h TGA filled with one 0xBBGGRR colour and alpha.
void WriteSolidTga(const std::string& path, int w, int h, uint32_t colour, uint8_t alpha = 255);
// Writes a 16-bit PCM WAV; `samples` holds `channels` values per frame.
void WriteWav(const std::string& path, int rate, int channels, const std::vector<int16_t>& samples);
// Mono samples of a sine tone.
std::vector<int16_t> SineSamples(int rate, double hz, int frames, int amplitude = 16000);
// An XM module of one 4-row pattern (240 ms) holding one note of a looped
// square wave from its first row on: never silent while it plays.
std::string TestXmModule();
// Writes a text file with exactly these bytes.
void WriteFile(const std::string& path, const std::string& bytes);
std::string ReadFile(const std::string& path);

inline std::string TestDataFolder() { return KOLVETRA_DATA_DIR; }

// FNV-1a, 64 bits, as 16 hex digits.
class Fnv1a {
  public:
    void Add(const void* bytes, size_t size);
    std::string Hex() const;

  private:
    uint64_t hash_ = 0xcbf29ce484222325ULL;
};

// The hash of a picture's pixels as 0xAARRGGBB words, row by row, whatever
// the file's own encoding: the same image always hashes the same.
std::string PixelFingerprint(const std::vector<uint32_t>& pixels);
// The same of a picture file; "unreadable" when it cannot be loaded.
std::string PictureFingerprint(const std::string& path);
