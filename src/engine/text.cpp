// Text from the game's bitmap font: a glyph atlas and its metrics file.
#include <SDL.h>

#include <cmath>
#include <cstdio>
#include <unordered_map>

#include "engine/font_file.h"
#include "engine/picture_file.h"
#include "engine/state.h"
#include "engine/text_log.h"

struct OE_FontData {
    SDL_Texture* atlas = nullptr;
    BlitPixels readable;
    int lineHeight = 0;
    std::unordered_map<char32_t, FontGlyph> glyphs;
    FontGlyph fallback;  // drawn for characters the font lacks
};

namespace {

std::vector<std::unique_ptr<OE_Font>>& Fonts() {
    static std::vector<std::unique_ptr<OE_Font>> fonts;
    return fonts;
}
std::vector<std::unique_ptr<OE_FontData>>& FontData() {
    static std::vector<std::unique_ptr<OE_FontData>> data;
    return data;
}

struct TextLog {
    bool on = false;
    std::vector<std::string> texts;
};
TextLog& Log() {
    static TextLog log;
    return log;
}

const FontGlyph& GlyphOf(const OE_FontData& font, char32_t cp) {
    const auto it = font.glyphs.find(cp);
    return it != font.glyphs.end() ? it->second : font.fallback;
}

int ScaledAdvance(const FontGlyph& g, float scale, int spacing) {
    return static_cast<int>(std::lround(g.advance * scale)) + spacing;
}

}  // namespace

OE_Font* Text_LoadFontFromFile(std::string_view atlas, std::string_view metrics, int, int) {
    Screen_Open();
    Fonts().push_back(std::make_unique<OE_Font>());
    OE_Font* font = Fonts().back().get();
    FontMetrics m;
    std::string error;
    if (!ReadFontMetrics(std::string(metrics), m, error)) {
        std::fprintf(stderr, "kolvetra: font unavailable, the game goes on without text: %s\n", error.c_str());
        return font;
    }
    const std::string atlasPath(atlas);
    SDL_Surface* surface = LoadPicture(atlasPath, error);
    if (!surface) {
        std::fprintf(stderr, "kolvetra: font unavailable, the game goes on without text: cannot load %s: %s\n",
                     atlasPath.c_str(), error.c_str());
        return font;
    }
    auto data = std::make_unique<OE_FontData>();
    data->atlas = Blit_CreateTexture(Engine().renderer, surface, data->readable);
    SDL_FreeSurface(surface);
    if (!data->atlas) return font;
    data->lineHeight = m.lineHeight;
    for (const FontGlyph& g : m.glyphs) data->glyphs.emplace(g.codepoint, g);
    data->fallback = GlyphOf(*data, U'?');
    font->data = data.get();
    FontData().push_back(std::move(data));
    return font;
}

void Text_Draw(const OE_Font* font, int x, int y, std::string_view text, float scale, int spacing, int alpha,
               int colour) {
    EngineState& e = Engine();
    if (!font || !font->data || !e.renderer) return;
    if (Log().on) Log().texts.emplace_back(text);
    const OE_FontData& f = *font->data;
    const SDL_Color c = ColourOf(colour, alpha);
    SDL_SetTextureColorMod(f.atlas, c.r, c.g, c.b);
    SDL_SetTextureAlphaMod(f.atlas, c.a);
    SDL_SetTextureBlendMode(f.atlas, e.draw.blendMode == 1 ? SDL_BLENDMODE_ADD : SDL_BLENDMODE_BLEND);
    if (e.camera && e.camera->enabled) {
        x -= e.camera->x;
        y -= e.camera->y;
    }
    float pen = static_cast<float>(x);
    for (size_t pos = 0; pos < text.size();) {
        const FontGlyph& g = GlyphOf(f, DecodeUtf8(text, pos));
        if (g.w > 0 && g.h > 0) {
            const SDL_Rect src{g.x, g.y, g.w, g.h};
            const SDL_FRect dst{pen + g.xoffset * scale, y + g.yoffset * scale, g.w * scale, g.h * scale};
            if (!Blit_CopyPart(f.atlas, f.readable, src, dst)) SDL_RenderCopyF(e.renderer, f.atlas, &src, &dst);
        }
        pen += static_cast<float>(ScaledAdvance(g, scale, spacing));
    }
}

int Text_GetWidth(const OE_Font* font, std::string_view text, float scale, int spacing) {
    if (!font || !font->data) return 0;
    int width = 0;
    for (size_t pos = 0; pos < text.size();)
        width += ScaledAdvance(GlyphOf(*font->data, DecodeUtf8(text, pos)), scale, spacing);
    return width;
}

void Text_Shutdown() {
    for (auto& data : FontData()) {
        if (data->atlas) SDL_DestroyTexture(data->atlas);
    }
    FontData().clear();
    Fonts().clear();
}

void Host_RecordTexts(bool on) {
    Log().on = on;
    Log().texts.clear();
}

const std::vector<std::string>& Host_TextLog() { return Log().texts; }
