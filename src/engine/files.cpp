#include "engine/files.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

bool WriteFileAtomically(const std::string& path, std::string_view bytes, std::string& error) {
    namespace fs = std::filesystem;
    std::error_code ec;
    const fs::path target(path);
    if (target.has_parent_path()) fs::create_directories(target.parent_path(), ec);
    const std::string temp = path + ".tmp";
    {
        std::FILE* f = std::fopen(temp.c_str(), "wb");
        if (!f) {
            error = "cannot write " + path + ": " + std::strerror(errno);
            return false;
        }
        const bool written = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
        const bool flushed = std::fflush(f) == 0;
        const bool closed = std::fclose(f) == 0;
        if (!written || !flushed || !closed) {
            error = "cannot write " + path + ": " + std::strerror(errno);
            fs::remove(temp, ec);
            return false;
        }
    }
    fs::rename(temp, target, ec);
    if (ec) {
        error = "cannot write " + path + ": " + ec.message();
        fs::remove(temp, ec);
        return false;
    }
    return true;
}

bool ReadWholeFile(const std::string& path, std::string& bytes) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    std::ostringstream s;
    s << in.rdbuf();
    bytes = s.str();
    return !in.bad();
}
