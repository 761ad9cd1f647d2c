#include "font.h"

#include <iconv.h>
#include <pango/pangocairo.h>

#include <cmath>
#include <cstdio>
#include <vector>

#include "engine/font_file.h"
#include "image.h"

namespace {

constexpr int kLineHeight = 32;  // widgets centre captions at height / 2 - 16
constexpr const char* kFace = "DejaVu Sans Bold 14px";
constexpr int kAtlasWidth = 1024;
constexpr int kPad = 2;  // room for anti-aliased edges beyond the advance

// Every character of the Windows-1251 code page, plus the replacement mark.
std::vector<char32_t> Repertoire() {
    std::vector<char32_t> cps;
    for (char32_t c = 0x20; c < 0x7F; ++c) cps.push_back(c);
    iconv_t cd = iconv_open("UTF-32LE", "CP1251");
    if (cd == reinterpret_cast<iconv_t>(-1)) return cps;
    for (int b = 0x80; b <= 0xFF; ++b) {
        char in = static_cast<char>(b);
        char32_t out = 0;
        char* inp = &in;
        char* outp = reinterpret_cast<char*>(&out);
        size_t inLeft = 1, outLeft = sizeof out;
        if (iconv(cd, &inp, &inLeft, &outp, &outLeft) != static_cast<size_t>(-1) && out >= 0xA0) cps.push_back(out);
    }
    iconv_close(cd);
    cps.push_back(0xFFFD);
    return cps;
}

std::string Utf8Of(char32_t cp) {
    std::string s;
    if (cp < 0x80) {
        s += static_cast<char>(cp);
    } else if (cp < 0x800) {
        s += static_cast<char>(0xC0 | (cp >> 6));
        s += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        s += static_cast<char>(0xE0 | (cp >> 12));
        s += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        s += static_cast<char>(0x80 | (cp & 0x3F));
    }
    return s;
}

PangoLayout* GlyphLayout(cairo_t* cr, PangoFontDescription* desc, char32_t cp) {
    PangoLayout* layout = pango_cairo_create_layout(cr);
    pango_layout_set_font_description(layout, desc);
    const std::string text = Utf8Of(cp);
    pango_layout_set_text(layout, text.c_str(), static_cast<int>(text.size()));
    return layout;
}

void SetFontOptions(cairo_t* cr) {
    cairo_font_options_t* options = cairo_font_options_create();
    cairo_font_options_set_antialias(options, CAIRO_ANTIALIAS_GRAY);
    cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_SLIGHT);
    cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_ON);
    cairo_set_font_options(cr, options);
    cairo_font_options_destroy(options);
}

}  // namespace

bool MakeFont(const std::string& folder) {
    const std::vector<char32_t> cps = Repertoire();
    PangoFontDescription* desc = pango_font_description_from_string(kFace);

    // Measure every glyph, then lay the cells out in rows.
    cairo_surface_t* scratch = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 1, 1);
    cairo_t* measure = cairo_create(scratch);
    SetFontOptions(measure);
    FontMetrics metrics;
    metrics.lineHeight = kLineHeight;
    metrics.atlasWidth = kAtlasWidth;
    int penX = 0, penY = 0, top = 0;
    for (char32_t cp : cps) {
        PangoLayout* layout = GlyphLayout(measure, desc, cp);
        PangoRectangle logical;
        pango_layout_get_pixel_extents(layout, nullptr, &logical);
        if (top == 0) top = (kLineHeight - logical.height) / 2;
        g_object_unref(layout);
        FontGlyph g;
        g.codepoint = cp;
        g.advance = logical.width;
        g.w = cp == U' ' ? 0 : logical.width + 2 * kPad;
        g.h = g.w ? kLineHeight : 0;
        g.xoffset = -kPad;
        g.yoffset = 0;
        if (penX + g.w > kAtlasWidth) {
            penX = 0;
            penY += kLineHeight;
        }
        g.x = penX;
        g.y = penY;
        penX += g.w;
        metrics.glyphs.push_back(g);
    }
    cairo_destroy(measure);
    cairo_surface_destroy(scratch);
    metrics.atlasHeight = penY + kLineHeight;

    cairo_surface_t* atlas = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, kAtlasWidth, metrics.atlasHeight);
    cairo_t* cr = cairo_create(atlas);
    SetFontOptions(cr);
    cairo_set_source_rgba(cr, 1, 1, 1, 1);
    for (const FontGlyph& g : metrics.glyphs) {
        if (!g.w) continue;
        PangoLayout* layout = GlyphLayout(cr, desc, g.codepoint);
        cairo_save(cr);
        cairo_rectangle(cr, g.x, g.y, g.w, g.h);
        cairo_clip(cr);
        cairo_move_to(cr, g.x + kPad, g.y + top);
        pango_cairo_show_layout(cr, layout);
        cairo_restore(cr);
        g_object_unref(layout);
    }
    cairo_destroy(cr);
    pango_font_description_free(desc);

    const bool ok = WriteTga(atlas, folder + "/font.tga") && WriteFontMetrics(folder + "/font.ofi", metrics);
    cairo_surface_destroy(atlas);
    return ok;
}
