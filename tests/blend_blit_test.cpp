// Sprites blended by the game's own code give exactly the pixels SDL's own
// blits and the software renderer give: plain, tinted, scaled and clipped.
#include "engine/blend_blit.h"

#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <random>
#include <vector>

#include "engine/host.h"
#include "engine/state.h"

namespace {

// Sprite-like pixels: runs of clear, of opaque and of any alpha.
void FillSprite(SDL_Surface* s, std::mt19937& rng) {
    uint32_t kind = 0;
    int run = 0;
    for (int y = 0; y < s->h; ++y) {
        uint32_t* row = reinterpret_cast<uint32_t*>(static_cast<uint8_t*>(s->pixels) + y * s->pitch);
        for (int x = 0; x < s->w; ++x, --run) {
            if (run <= 0) {
                kind = rng() % 3;
                run = 1 + static_cast<int>(rng() % 9);
            }
            const uint32_t alpha = kind == 0 ? 0 : kind == 1 ? 255 : rng() & 0xFF;
            row[x] = alpha << 24 | (rng() & 0xFFFFFF);
        }
    }
}

void FillAny(SDL_Surface* s, std::mt19937& rng) {
    for (int y = 0; y < s->h; ++y) {
        uint32_t* row = reinterpret_cast<uint32_t*>(static_cast<uint8_t*>(s->pixels) + y * s->pitch);
        for (int x = 0; x < s->w; ++x) row[x] = rng();
    }
}

std::vector<uint32_t> PixelsOf(const SDL_Surface* s) {
    std::vector<uint32_t> out(static_cast<size_t>(s->w) * s->h);
    for (int y = 0; y < s->h; ++y)
        std::memcpy(out.data() + static_cast<size_t>(y) * s->w, static_cast<const uint8_t*>(s->pixels) + y * s->pitch,
                    s->w * 4);
    return out;
}

SDL_Color Tint(std::mt19937& rng, int kind) {
    const auto any = [&] { return static_cast<Uint8>(rng() & 0xFF); };
    switch (kind) {
        case 0: return {255, 255, 255, 255};  // plain
        case 1: return {255, 255, 255, any()};
        case 2: return {0, 0, 0, any()};  // a shadow
        case 3: return {any(), any(), any(), 255};
        default: return {any(), any(), any(), any()};
    }
}

TEST(BlendBlit, DividesBy255AsIntegersDo) {
    for (uint32_t x = 0; x < 65536; ++x) ASSERT_EQ(DivideBy255(x), x / 255) << x;
}

// Random sprites of odd sizes over random screens of both formats, tinted
// five ways, blended or added, kept or scaled up and down, whole and
// clipped on every side.
TEST(BlendBlit, LaysWhatSdlBlits) {
    std::mt19937 rng(20261209);
    int laid = 0, scaledLaid = 0;
    for (const Uint32 format : {SDL_PIXELFORMAT_ARGB8888, SDL_PIXELFORMAT_RGB888}) {
        for (int round = 0; round < 300; ++round) {
            const int w = 1 + static_cast<int>(rng() % 37), h = 1 + static_cast<int>(rng() % 23);
            SDL_Surface* sprite = SDL_CreateRGBSurfaceWithFormat(0, w, h, 32, SDL_PIXELFORMAT_ARGB8888);
            SDL_Surface* sdl = SDL_CreateRGBSurfaceWithFormat(0, 64, 48, 32, format);
            SDL_Surface* ours = SDL_CreateRGBSurfaceWithFormat(0, 64, 48, 32, format);
            ASSERT_TRUE(sprite && sdl && ours);
            FillSprite(sprite, rng);
            FillAny(sdl, rng);
            SDL_SetSurfaceBlendMode(sdl, SDL_BLENDMODE_NONE);
            SDL_BlitSurface(sdl, nullptr, ours, nullptr);
            const SDL_Color mod = Tint(rng, round % 5);
            const SDL_BlendMode blend = round % 7 < 2 ? SDL_BLENDMODE_ADD : SDL_BLENDMODE_BLEND;
            SDL_SetSurfaceBlendMode(sprite, blend);
            SDL_SetSurfaceColorMod(sprite, mod.r, mod.g, mod.b);
            SDL_SetSurfaceAlphaMod(sprite, mod.a);
            const bool scaled = round % 3 == 2;
            const int dw = scaled ? 1 + static_cast<int>(rng() % 60) : w,
                      dh = scaled ? 1 + static_cast<int>(rng() % 40) : h;
            const SDL_Rect dst{static_cast<int>(rng() % 90) - 20, static_cast<int>(rng() % 70) - 15, dw, dh};
            if (round % 4 == 1) {
                const SDL_Rect clip{5, 7, 41, 29};
                SDL_SetClipRect(sdl, &clip);
                SDL_SetClipRect(ours, &clip);
            }
            SDL_Rect at = dst;
            ASSERT_EQ(scaled ? SDL_BlitScaled(sprite, nullptr, sdl, &at) : SDL_BlitSurface(sprite, nullptr, sdl, &at),
                      0);
            const BlitPixels source{static_cast<const uint32_t*>(sprite->pixels), sprite->pitch};
            const std::vector<uint32_t> before = PixelsOf(ours);
            if (Blit_Lay(source, w, h, mod, blend, dst, ours)) {
                ++laid;
                scaledLaid += scaled;
                EXPECT_EQ(PixelsOf(ours), PixelsOf(sdl)) << "round " << round << " format " << format;
            } else {
                EXPECT_EQ(PixelsOf(ours), before);
                SDL_Rect on;
                // Kept size, it is laid wherever any of it shows.
                EXPECT_TRUE(scaled || !SDL_IntersectRect(&dst, &ours->clip_rect, &on)) << "round " << round;
            }
            SDL_FreeSurface(sprite);
            SDL_FreeSurface(sdl);
            SDL_FreeSurface(ours);
        }
    }
    EXPECT_GT(laid, 250);
    EXPECT_GT(scaledLaid, 20);
}

// Through the renderer, with a viewport and a clip rectangle: a sprite whose
// pixels are read in place, whole or a part of it, is drawn as one SDL draws
// from its own copy, also once the game's own laying is trusted.
TEST(BlendBlit, CopiesAsTheRendererDraws) {
    Host_OpenHeadless();
    SDL_Renderer* r = Engine().renderer;
    SDL_Surface* screen = Engine().offscreen;
    ASSERT_TRUE(r && screen);
    std::mt19937 rng(7);
    SDL_Surface* picture = SDL_CreateRGBSurfaceWithFormat(0, 45, 31, 32, SDL_PIXELFORMAT_ARGB8888);
    FillSprite(picture, rng);
    BlitPixels readable;
    SDL_Texture* ours = Blit_CreateTexture(r, picture, readable);
    SDL_Texture* theirs = SDL_CreateTextureFromSurface(r, picture);
    ASSERT_TRUE(ours && theirs && readable.pixels);

    std::array<int, 4> copied{};  // plain, tinted, scaled, added
    for (int round = 0; round < 360; ++round) {
        const SDL_Rect viewport{round % 2 ? 30 : 0, round % 3 ? 20 : 0, 700, 500};
        const SDL_Rect clip{40, 25, 300, 200};
        SDL_RenderSetViewport(r, &viewport);
        SDL_RenderSetClipRect(r, round % 4 == 3 ? &clip : nullptr);
        const SDL_Color mod = Tint(rng, round % 5);
        const bool scaled = round % 3 == 0;
        // Whole, or a part of it (a glyph of a font) placed off whole pixels.
        const bool whole = round % 4 == 0;
        const SDL_Rect part = whole ? SDL_Rect{0, 0, 45, 31}
                                    : SDL_Rect{static_cast<int>(rng() % 10), static_cast<int>(rng() % 8),
                                               1 + static_cast<int>(rng() % 35), 1 + static_cast<int>(rng() % 23)};
        const auto fraction = [&] { return whole ? 0.0f : static_cast<float>(rng() % 4) * 0.25f; };
        const SDL_Rect dst{static_cast<int>(rng() % 760) - 40, static_cast<int>(rng() % 560) - 30,
                           scaled ? 20 + static_cast<int>(rng() % 60) : part.w,
                           scaled ? 10 + static_cast<int>(rng() % 50) : part.h};
        const SDL_FRect to{dst.x + fraction(), dst.y + fraction(), dst.w + fraction(), dst.h + fraction()};
        const bool added = round % 7 < 2;
        for (SDL_Texture* t : {ours, theirs}) {
            SDL_SetTextureBlendMode(t, added ? SDL_BLENDMODE_ADD : SDL_BLENDMODE_BLEND);
            SDL_SetTextureColorMod(t, mod.r, mod.g, mod.b);
            SDL_SetTextureAlphaMod(t, mod.a);
        }
        ASSERT_EQ(SDL_RenderFlush(r), 0);
        FillAny(screen, rng);
        const std::vector<uint32_t> under = PixelsOf(screen);
        if (whole ? Blit_Copy(ours, readable, dst) : Blit_CopyPart(ours, readable, part, to)) {
            ++copied[added ? 3 : scaled ? 2 : (mod.r & mod.g & mod.b & mod.a) == 255 ? 0 : 1];
        } else {
            SDL_RenderCopyF(r, ours, &part, &to);
        }
        ASSERT_EQ(SDL_RenderFlush(r), 0);
        const std::vector<uint32_t> laid = PixelsOf(screen);
        for (int y = 0; y < screen->h; ++y)
            std::memcpy(static_cast<uint8_t*>(screen->pixels) + y * screen->pitch, under.data() + y * screen->w,
                        screen->w * 4);
        SDL_RenderCopyF(r, theirs, &part, &to);
        ASSERT_EQ(SDL_RenderFlush(r), 0);
        ASSERT_EQ(laid, PixelsOf(screen)) << "round " << round;
    }
    // Each way is still laid here past its first few checks.
    for (int way = 0; way < 4; ++way) EXPECT_GT(copied[way], 12) << way;
    SDL_DestroyTexture(ours);
    SDL_DestroyTexture(theirs);
    SDL_FreeSurface(picture);
    Host_Shutdown();
}

}  // namespace
