// The metrics file of the game's bitmap font (fnt/font.ofi). The glyphs
// themselves are an atlas picture (fnt/font.tga, white on transparent).
//
// A text file, one record per line:
//   kolvetra-font 1
//   line <lineHeight> <atlasWidth> <atlasHeight>
//   glyph <codepoint> <x> <y> <w> <h> <xoffset> <yoffset> <advance>
//   ...
// A glyph is drawn from the atlas rectangle (x, y, w, h) at the pen position
// plus (xoffset, yoffset), then the pen moves right by `advance`. The pen's y
// is the top of the line; lineHeight is the height of a text line at scale 1.
#pragma once

#include <string>
#include <string_view>
#include <vector>

struct FontGlyph {
    char32_t codepoint = 0;
    int x = 0, y = 0, w = 0, h = 0;
    int xoffset = 0, yoffset = 0;
    int advance = 0;
};

struct FontMetrics {
    int lineHeight = 0;
    int atlasWidth = 0;
    int atlasHeight = 0;
    std::vector<FontGlyph> glyphs;
};

// False with a message in `error` when the file is missing or malformed.
bool ReadFontMetrics(const std::string& path, FontMetrics& metrics, std::string& error);
bool WriteFontMetrics(const std::string& path, const FontMetrics& metrics);

// Decodes one UTF-8 character at `pos`, advancing it; malformed bytes decode
// as U+FFFD one byte at a time.
char32_t DecodeUtf8(std::string_view text, size_t& pos);
