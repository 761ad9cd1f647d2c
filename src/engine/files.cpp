#include "engine/files.h"

#include <fstream>
#include <sstream>

#include "engine/files_platform.h"

namespace fs = std::filesystem;

// Where a conversion is needed (Windows) a name that is not UTF-8, such as
// one from a file written in another code page, becomes "?": no file is
// called that, so it reads as missing and cannot be written, instead of
// stopping the game.
fs::path PathOf(std::string_view utf8) {
    try {
        return fs::path(std::u8string(reinterpret_cast<const char8_t*>(utf8.data()), utf8.size()));
    } catch (const std::exception&) {
        return fs::path("?");
    }
}

std::string TextOfPath(const fs::path& path) {
    try {
        const std::u8string text = path.u8string();
        return std::string(reinterpret_cast<const char*>(text.data()), text.size());
    } catch (const std::exception&) {
        return "?";
    }
}

bool WriteFileAtomically(const std::string& path, std::string_view bytes, std::string& error) {
    std::error_code ec;
    const fs::path target = PathOf(path);
    if (target.has_parent_path()) fs::create_directories(target.parent_path(), ec);
    for (int attempt = 0; attempt < 3; ++attempt) {
        const SaveAttempt result = SaveThroughTemporary(target, bytes, error);
        if (result != SaveAttempt::TemporaryVanished) return result == SaveAttempt::Written;
    }
    error = "cannot write " + path + ": its temporary file keeps disappearing";
    return false;
}

bool ReadWholeFile(const std::string& path, std::string& bytes) {
    std::ifstream in(PathOf(path), std::ios::binary);
    if (!in) return false;
    std::ostringstream s;
    s << in.rdbuf();
    bytes = s.str();
    return !in.bad();
}

bool IsTemporaryFileName(std::string_view name) {
    constexpr size_t kSuffix = 6;
    if (name.size() < 2 + 1 + kSuffix || name.front() != '.' || name[name.size() - kSuffix - 1] != '.') return false;
    for (char c : name.substr(name.size() - kSuffix)) {
        if (!((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9'))) return false;
    }
    return true;
}
