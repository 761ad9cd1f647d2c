// Captions with a number in them, rebuilt every tick or frame: written into
// the caller's string so that its buffer is reused and nothing is allocated.
#pragma once

#include <charconv>
#include <string>
#include <string_view>

inline void NumberText(std::string& out, std::string_view before, int number, std::string_view after = {}) {
    char digits[12];
    const auto end = std::to_chars(digits, digits + sizeof digits, number).ptr;
    out.assign(before);
    out.append(digits, end);
    out.append(after);
}
