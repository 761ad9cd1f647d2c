#include "engine/quote.h"

#include <cstdio>

std::string Quote(std::string_view text, size_t limit) {
    bool cut = false;
    if (text.size() > limit) {
        // Back to the start of the character that would be split.
        size_t end = limit;
        while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) --end;
        text = text.substr(0, end);
        cut = true;
    }
    std::string out = "\"";
    for (const char c : text) {
        const auto u = static_cast<unsigned char>(c);
        if (u < 0x20 || u == 0x7F || c == '"' || c == '\\') {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\x%02X", u);
            out += escaped;
        } else {
            out += c;
        }
    }
    out += cut ? "\"..." : "\"";
    return out;
}
