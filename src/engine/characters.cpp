#include "engine/characters.h"

#include <iterator>

namespace {

struct Range {
    char32_t first, last;
};

bool InAny(char32_t c, const Range* ranges, int count) {
    for (int i = 0; i < count; ++i) {
        if (c >= ranges[i].first && c <= ranges[i].last) return true;
    }
    return false;
}

// Control characters, format characters that take no width (soft hyphen,
// zero-width spaces and joiners, direction marks, word joiner, variation
// selectors, byte-order mark, tags), fillers that look blank, surrogates and
// what decodes from broken UTF-8.
constexpr Range kUnseen[] = {
    {0x0000, 0x001F}, {0x007F, 0x009F}, {0x00AD, 0x00AD},   {0x034F, 0x034F},       {0x061C, 0x061C},
    {0x115F, 0x1160}, {0x17B4, 0x17B5}, {0x180B, 0x180F},   {0x200B, 0x200F},       {0x2028, 0x202E},
    {0x2060, 0x206F}, {0x3164, 0x3164}, {0xD800, 0xDFFF},   {0xFE00, 0xFE0F},       {0xFEFF, 0xFEFF},
    {0xFFA0, 0xFFA0}, {0xFFF0, 0xFFFD}, {0xE0000, 0xE0FFF}, {0x110000, 0xFFFFFFFF},
};

constexpr Range kBlank[] = {{0x0020, 0x0020}, {0x00A0, 0x00A0}, {0x1680, 0x1680}, {0x2000, 0x200A},
                            {0x202F, 0x202F}, {0x205F, 0x205F}, {0x3000, 0x3000}};

}  // namespace

bool IsUnseenCharacter(char32_t c) { return InAny(c, kUnseen, static_cast<int>(std::size(kUnseen))); }
bool IsBlankCharacter(char32_t c) { return InAny(c, kBlank, static_cast<int>(std::size(kBlank))); }
