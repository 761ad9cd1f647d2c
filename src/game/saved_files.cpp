#include "game/saved_files.h"

#include <algorithm>
#include <charconv>
#include <cstdint>

#include "engine/characters.h"
#include "engine/files.h"
#include "engine/font_file.h"

namespace {

constexpr std::string_view kLineEnd = "\r\n";

class LineReader {
  public:
    explicit LineReader(std::string_view bytes) : bytes_(bytes) {}

    // The first byte of the line whatever it is, then past the next LF.
    bool readByte(uint8_t& value) {
        if (pos_ >= bytes_.size()) return false;
        value = static_cast<uint8_t>(bytes_[pos_++]);
        skipPastLineFeed();
        return true;
    }

    // Up to the line's CR or LF, then past the line break.
    bool readText(std::string& text) {
        if (pos_ >= bytes_.size()) return false;
        const size_t end = bytes_.find_first_of("\r\n", pos_);
        text.assign(bytes_.substr(pos_, end == std::string_view::npos ? std::string_view::npos : end - pos_));
        pos_ = end == std::string_view::npos ? bytes_.size() : end;
        if (pos_ < bytes_.size() && bytes_[pos_] == '\r') ++pos_;
        if (pos_ < bytes_.size() && bytes_[pos_] == '\n') ++pos_;
        return true;
    }

    // A signed decimal after blanks and line breaks; 0 when there is none,
    // and the nearest 32-bit value when it lies beyond them.
    int32_t readNumber() {
        while (pos_ < bytes_.size() &&
               (bytes_[pos_] == ' ' || bytes_[pos_] == '\t' || bytes_[pos_] == '\r' || bytes_[pos_] == '\n')) {
            ++pos_;
        }
        long long value = 0;
        const char* begin = bytes_.data() + pos_;
        const auto [ptr, ec] = std::from_chars(begin, bytes_.data() + bytes_.size(), value);
        if (ec == std::errc::result_out_of_range) return *begin == '-' ? INT32_MIN : INT32_MAX;
        if (ec != std::errc()) return 0;
        return static_cast<int32_t>(std::clamp<long long>(value, INT32_MIN, INT32_MAX));
    }

  private:
    void skipPastLineFeed() {
        const size_t lf = bytes_.find('\n', pos_);
        pos_ = lf == std::string_view::npos ? bytes_.size() : lf + 1;
    }

    std::string_view bytes_;
    size_t pos_ = 0;
};

}  // namespace

std::string FormatOptions(const OptionsRecord& o) {
    std::string bytes;
    for (uint8_t flag : {o.windowed, o.musicoff, o.ambientoff}) {
        bytes += static_cast<char>(flag);
        bytes += kLineEnd;
    }
    bytes += o.country;
    bytes += kLineEnd;
    bytes += o.profile;
    bytes += kLineEnd;
    return bytes;
}

OptionsRecord ParseOptions(std::string_view bytes) {
    OptionsRecord o;
    LineReader in(bytes);
    in.readByte(o.windowed) && in.readByte(o.musicoff) && in.readByte(o.ambientoff) && in.readText(o.country) &&
        in.readText(o.profile);
    return o;
}

std::string FormatProfile(const ProfileRecord& p) {
    std::string bytes;
    bytes += static_cast<char>(p.progress & 0xFF);
    bytes += kLineEnd;
    bytes += std::to_string(p.score);
    bytes += kLineEnd;
    return bytes;
}

std::string FormatNewProfile() { return std::string(1, '\0') + std::string(kLineEnd); }

ProfileRecord ParseProfile(std::string_view bytes) {
    ProfileRecord p;
    LineReader in(bytes);
    uint8_t progress = 0;
    if (in.readByte(progress)) {
        p.progress = progress;
        p.score = in.readNumber();
    }
    return p;
}

bool IsSafeProfileName(std::string_view name) {
    if (name == "." || name == ".." || IsTemporaryFileName(name)) return false;
    int characters = 0;
    bool seen = false;
    for (size_t pos = 0; pos < name.size();) {
        if (name[pos] == '/' || name[pos] == '\\') return false;
        const char32_t c = DecodeUtf8(name, pos);
        if (IsUnseenCharacter(c) || ++characters > kLongestProfileName) return false;
        seen = seen || !IsBlankCharacter(c);
    }
    return seen;
}
