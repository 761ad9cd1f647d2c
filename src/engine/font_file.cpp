#include "engine/font_file.h"

#include <fstream>
#include <sstream>

#include "engine/files.h"
#include "engine/quote.h"

bool ReadFontMetrics(const std::string& path, FontMetrics& metrics, std::string& error) {
    std::ifstream in(PathOf(path));
    if (!in) {
        error = "cannot open font metrics " + path;
        return false;
    }
    metrics = FontMetrics{};
    std::string line;
    int lineNo = 0;
    bool header = false;
    while (std::getline(in, line)) {
        ++lineNo;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.empty()) continue;
        std::istringstream fields(line);
        std::string tag;
        fields >> tag;
        if (tag == "kolvetra-font") {
            int version = 0;
            fields >> version;
            header = version == 1;
        } else if (tag == "line") {
            fields >> metrics.lineHeight >> metrics.atlasWidth >> metrics.atlasHeight;
        } else if (tag == "glyph") {
            FontGlyph g;
            unsigned long cp = 0;
            fields >> cp >> g.x >> g.y >> g.w >> g.h >> g.xoffset >> g.yoffset >> g.advance;
            g.codepoint = static_cast<char32_t>(cp);
            if (fields.fail()) {
                error = path + ":" + std::to_string(lineNo) + ": malformed glyph line";
                return false;
            }
            metrics.glyphs.push_back(g);
        } else {
            error = path + ":" + std::to_string(lineNo) + ": unknown record " + Quote(tag);
            return false;
        }
        if (fields.fail()) {
            error = path + ":" + std::to_string(lineNo) + ": malformed line";
            return false;
        }
    }
    if (!header || metrics.lineHeight <= 0) {
        error = path + ": not a kolvetra font metrics file";
        return false;
    }
    return true;
}

bool WriteFontMetrics(const std::string& path, const FontMetrics& metrics) {
    std::ofstream out(PathOf(path), std::ios::binary);
    if (!out) return false;
    out << "kolvetra-font 1\n";
    out << "line " << metrics.lineHeight << ' ' << metrics.atlasWidth << ' ' << metrics.atlasHeight << '\n';
    for (const FontGlyph& g : metrics.glyphs) {
        out << "glyph " << static_cast<unsigned long>(g.codepoint) << ' ' << g.x << ' ' << g.y << ' ' << g.w << ' '
            << g.h << ' ' << g.xoffset << ' ' << g.yoffset << ' ' << g.advance << '\n';
    }
    return static_cast<bool>(out);
}

char32_t DecodeUtf8(std::string_view text, size_t& pos) {
    const auto byte = [&](size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(pos);
    int extra = 0;
    char32_t cp = 0;
    if (lead < 0x80) {
        ++pos;
        return lead;
    } else if ((lead & 0xE0) == 0xC0) {
        extra = 1;
        cp = lead & 0x1F;
    } else if ((lead & 0xF0) == 0xE0) {
        extra = 2;
        cp = lead & 0x0F;
    } else if ((lead & 0xF8) == 0xF0) {
        extra = 3;
        cp = lead & 0x07;
    } else {
        ++pos;
        return 0xFFFD;
    }
    if (pos + extra >= text.size()) {
        ++pos;
        return 0xFFFD;
    }
    for (int i = 1; i <= extra; ++i) {
        if ((byte(pos + i) & 0xC0) != 0x80) {
            ++pos;
            return 0xFFFD;
        }
        cp = (cp << 6) | (byte(pos + i) & 0x3F);
    }
    pos += extra + 1;
    return cp;
}
