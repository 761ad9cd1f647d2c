// What the fuzz targets share: the game's data folder and a scratch file for
// readers that take a path, as the game calls them.
#pragma once

#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>

inline std::string FuzzDataFolder() { return KOLVETRA_DATA_DIR "/"; }

// Writes the input to a file of that name in this process's own folder, in
// memory when the system has /dev/shm: a disk would make every run wait.
inline std::string ScratchFile(const uint8_t* data, size_t size, const std::string& name) {
    struct Folder {
        std::filesystem::path path;
        Folder() {
            std::error_code ec;
            const auto base = std::filesystem::is_directory("/dev/shm", ec) ? std::filesystem::path("/dev/shm")
                                                                            : std::filesystem::temp_directory_path();
            path = base / ("kolvetra-fuzz-" + std::to_string(getpid()));
            std::filesystem::create_directories(path);
        }
        ~Folder() {
            std::error_code ec;
            std::filesystem::remove_all(path, ec);
        }
    };
    static const Folder folder;
    const std::string path = (folder.path / name).string();
    std::ofstream(path, std::ios::binary | std::ios::trunc).write(reinterpret_cast<const char*>(data), size);
    return path;
}
