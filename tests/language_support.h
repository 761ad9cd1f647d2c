// What the language tests look for in the texts drawn.
#pragma once

#include <string_view>

// A Cyrillic letter: UTF-8 lead bytes D0..D3 (U+0400..U+04FF).
inline bool HasCyrillic(std::string_view text) {
    return text.find_first_of("\xD0\xD1\xD2\xD3") != std::string_view::npos;
}
