// Laying a stamp: panel and lines one by one, or in one pass over the
// software renderer's own pixels through blends measured on that renderer.
#include "engine/stamp.h"

#include <algorithm>

#include "engine/render_target.h"
#include "engine/state.h"

namespace {

constexpr int kBytes = 4;                 // of a screen pixel
constexpr int kBlendSize = kBytes * 256;  // one count's blends
constexpr int kProbeWidth = 258;          // the values 0..255 at x 1..256, clear of a line's ends

void DrawOneByOne(const OE_Stamp& s) {
    Pr2D_Rect(s.x, s.y, s.width, s.height, s.panelColour, s.panelAlpha, 1);
    for (const OE_StampLine& l : s.lines) Pr2D_Line(l.x1, l.y1, l.x2, l.y2, s.lineColour, s.lineAlpha, 0);
}

// The pixels the software renderer draws into, when what Pr2D_Rect and
// Pr2D_Line draw there is what lands on them: no target, no scaling, no
// camera, thin lines, plain blending.
SDL_Surface* DirectScreen() {
    const EngineState& e = Engine();
    SDL_Surface* screen = SoftwareScreen();
    if (!screen) return nullptr;
    SDL_Rect viewport{};
    SDL_RenderGetViewport(e.renderer, &viewport);
    const OE_Camera* c = e.camera;
    if (viewport.x != 0 || viewport.y != 0 || (c && c->enabled && (c->x != 0 || c->y != 0)) || e.draw.lineWidth > 1 ||
        e.draw.blendMode != 0)
        return nullptr;
    return screen->format->BytesPerPixel == kBytes ? screen : nullptr;
}

void Lay(const OE_Stamp& s, uint8_t* pixels, int pitch) {
    const uint8_t* cover = s.cover.data();
    for (int y = 0; y < s.height; ++y) {
        uint32_t* row = reinterpret_cast<uint32_t*>(pixels + static_cast<size_t>(s.y + y) * pitch) + s.x;
        for (int x = 0; x < s.width; ++x) {
            const uint8_t* b = s.blends.data() + static_cast<size_t>(*cover++) * kBlendSize;
            const uint32_t p = row[x];
            row[x] = b[p & 0xFF] | static_cast<uint32_t>(b[256 + ((p >> 8) & 0xFF)]) << 8 |
                     static_cast<uint32_t>(b[512 + ((p >> 16) & 0xFF)]) << 16 |
                     static_cast<uint32_t>(b[768 + (p >> 24)]) << 24;
        }
    }
}

// How many lines cover each pixel, counted by adding 1 per line; returns the
// most, or -1 when a line leaves the panel or a count would overflow.
int CountCover(OE_Stamp& s, int width, int height) {
    if (s.x < 0 || s.y < 0 || s.x + s.width > width || s.y + s.height > height) return -1;
    std::vector<uint32_t> pixels(static_cast<size_t>(width) * height, 0);
    {
        const RenderTarget target(SDL_PIXELFORMAT_ARGB8888, width, height, pixels.data());
        if (!target.ok()) return -1;
        FX_SetBlendMode(1);
        for (const OE_StampLine& l : s.lines) Pr2D_Line(l.x1, l.y1, l.x2, l.y2, 0x010101, 255, 0);
        FX_SetBlendMode(0);
        if (!target.Read(pixels)) return -1;
    }
    s.cover.assign(static_cast<size_t>(s.width) * s.height, 0);
    int most = 0;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const int count = pixels[static_cast<size_t>(y) * width + x] & 0xFF;
            if (count == 0) continue;
            const bool inside = x >= s.x && y >= s.y && x < s.x + s.width && y < s.y + s.height;
            if (!inside || count == 255) return -1;
            s.cover[static_cast<size_t>(y - s.y) * s.width + (x - s.x)] = static_cast<uint8_t>(count);
            if (count > most) most = count;
        }
    }
    return most;
}

// Each byte value of a pixel after the panel and 0..most lines, drawn by the
// renderer itself over a row holding every value.
bool MeasureBlends(OE_Stamp& s, int most) {
    std::vector<uint32_t> row(kProbeWidth);
    for (int x = 0; x < kProbeWidth; ++x) row[x] = static_cast<uint32_t>(std::clamp(x - 1, 0, 255)) * 0x01010101u;
    const RenderTarget target(s.format, kProbeWidth, 1, row.data());
    if (!target.ok()) return false;
    s.blends.assign(static_cast<size_t>(most + 1) * kBlendSize, 0);
    Pr2D_Rect(0, 0, kProbeWidth, 1, s.panelColour, s.panelAlpha, 1);
    for (int count = 0;; ++count) {
        if (!target.Read(row)) return false;
        uint8_t* b = s.blends.data() + static_cast<size_t>(count) * kBlendSize;
        for (int value = 0; value < 256; ++value) {
            for (int byte = 0; byte < kBytes; ++byte) b[byte * 256 + value] = (row[value + 1] >> (8 * byte)) & 0xFF;
        }
        if (count == most) return true;
        Pr2D_Line(0, 0, kProbeWidth - 1, 0, s.lineColour, s.lineAlpha, 0);
    }
}

// Whether one pass gives what drawing one by one gives over a screen of
// varied pixels.
bool LaysAsDrawn(const OE_Stamp& s, int width, int height) {
    std::vector<uint32_t> laid(static_cast<size_t>(width) * height), drawn;
    FillVaried(laid);
    {
        const RenderTarget target(s.format, width, height, laid.data());
        if (!target.ok()) return false;
        DrawOneByOne(s);
        if (!target.Read(drawn)) return false;
    }
    Lay(s, reinterpret_cast<uint8_t*>(laid.data()), width * kBytes);
    return laid == drawn;
}

void Measure(OE_Stamp& s, const SDL_Surface* screen) {
    s.format = screen->format->format;
    const int most = CountCover(s, screen->w, screen->h);
    const bool onePass = most >= 0 && MeasureBlends(s, most) && LaysAsDrawn(s, screen->w, screen->h);
    s.laid = onePass ? OE_Stamp::Laid::OnePass : OE_Stamp::Laid::LineByLine;
    if (!onePass) {
        s.cover = {};
        s.blends = {};
    }
}

}  // namespace

void Stamp_Draw(OE_Stamp& stamp) {
    SDL_Surface* screen = DirectScreen();
    if (screen && (stamp.laid == OE_Stamp::Laid::Unmeasured || stamp.format != screen->format->format))
        Measure(stamp, screen);
    if (!screen || stamp.laid != OE_Stamp::Laid::OnePass || SDL_RenderFlush(Engine().renderer) != 0 ||
        SDL_LockSurface(screen) != 0) {
        DrawOneByOne(stamp);
        return;
    }
    Lay(stamp, static_cast<uint8_t*>(screen->pixels), screen->pitch);
    SDL_UnlockSurface(screen);
}
