// What the fuzz targets share: the game's data folder and a scratch file for
// readers that take a path, as the game calls them.
#pragma once

#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>

inline std::string FuzzDataFolder() { return KOLVETRA_DATA_DIR "/"; }

// Writes the input to a file of that name in this process's own folder.
inline std::string ScratchFile(const uint8_t* data, size_t size, const std::string& name) {
    static const std::filesystem::path folder = [] {
        auto path = std::filesystem::temp_directory_path() / ("kolvetra-fuzz-" + std::to_string(getpid()));
        std::filesystem::create_directories(path);
        return path;
    }();
    const std::string path = (folder / name).string();
    std::ofstream(path, std::ios::binary | std::ios::trunc).write(reinterpret_cast<const char*>(data), size);
    return path;
}
