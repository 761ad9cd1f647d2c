// The byte layouts of the options file (main.cfg) and the profile files
// (prf/<name>). One-byte lines hold the raw byte value, so a progress of 10 or
// 13 is stored as the bytes 0x0A or 0x0D; the readers take the first byte of
// such a line whatever it is and skip to the next line feed.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

struct OptionsRecord {
    uint8_t windowed = 0;
    uint8_t musicoff = 0;
    uint8_t ambientoff = 0;
    std::string country;
    std::string profile;
};

struct ProfileRecord {
    int32_t progress = 0;
    int32_t score = 0;
};

std::string FormatOptions(const OptionsRecord& options);
// Lines missing at the end of the file keep their defaults (full screen,
// music and ambient sound on, no country, no profile).
OptionsRecord ParseOptions(std::string_view bytes);

// A profile as saved by the tournament screen: progress byte and score.
std::string FormatProfile(const ProfileRecord& profile);
// A fresh profile holds the progress line only.
std::string FormatNewProfile();
// A missing score, or one that is not a number, reads as 0.
ProfileRecord ParseProfile(std::string_view bytes);

inline constexpr int kLongestProfileName = 32;  // characters

// Whether a profile name can be a file name in the profile folder and be
// seen in the greeting: up to 32 characters, not "." or "..", no "/" or "\",
// no control or zero-width characters, not only blanks, and never the name
// of a save's temporary file.
bool IsSafeProfileName(std::string_view name);
