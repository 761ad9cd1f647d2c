// Shaded copies laid without the renderer give exactly the pixels of the
// software renderer drawing the sprite with its four corner colours.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/host.h"
#include "engine/picture_file.h"
#include "engine/state.h"
#include "support.h"

namespace {

class Shading : public ::testing::Test {
  protected:
    void SetUp() override { Host_OpenHeadless(); }
    void TearDown() override { Host_Shutdown(); }

    // The renderer's own drawing of `texture` (w x h) with the corners, onto
    // transparent black, replacing.
    static std::vector<uint32_t> Drawn(SDL_Texture* texture, int w, int h, const std::array<SDL_Color, 4>& c) {
        SDL_Renderer* r = Engine().renderer;
        SDL_Texture* target = SDL_CreateTexture(r, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_TARGET, w, h);
        EXPECT_EQ(SDL_SetRenderTarget(r, target), 0);
        SDL_SetRenderDrawBlendMode(r, SDL_BLENDMODE_NONE);
        SDL_SetRenderDrawColor(r, 0, 0, 0, 0);
        SDL_RenderClear(r);
        SDL_SetTextureBlendMode(texture, SDL_BLENDMODE_NONE);
        const float fw = static_cast<float>(w), fh = static_cast<float>(h);
        const SDL_Vertex v[4] = {
            {{0, 0}, c[0], {0, 0}}, {{fw, 0}, c[1], {1, 0}}, {{fw, fh}, c[2], {1, 1}}, {{0, fh}, c[3], {0, 1}}};
        static const int indices[6] = {0, 1, 2, 0, 2, 3};
        SDL_RenderGeometry(r, texture, v, 4, indices, 6);
        std::vector<uint32_t> pixels(static_cast<size_t>(w) * h);
        EXPECT_EQ(SDL_RenderReadPixels(r, nullptr, SDL_PIXELFORMAT_ARGB8888, pixels.data(), w * 4), 0);
        SDL_SetRenderTarget(r, nullptr);
        SDL_DestroyTexture(target);
        return pixels;
    }
};

// Real pictures, whole and cut to odd sizes down to a single column, under
// corners lit alike but for one, in gradients, dark, and partly transparent.
TEST_F(Shading, LaysThePixelsTheRendererDraws) {
    const std::string data = TestDataFolder() + "/gfx/";
    const std::array<std::array<SDL_Color, 4>, 6> cornerSets{{
        {{{200, 180, 160, 255}, {200, 180, 160, 255}, {200, 180, 160, 255}, {201, 180, 160, 255}}},
        {{{255, 255, 255, 255}, {0, 0, 0, 0}, {255, 255, 255, 255}, {255, 255, 255, 255}}},
        {{{255, 255, 255, 255}, {40, 60, 80, 255}, {0, 0, 0, 255}, {255, 128, 1, 255}}},
        {{{10, 250, 30, 255}, {255, 255, 255, 255}, {255, 255, 255, 255}, {7, 9, 11, 255}}},
        {{{255, 255, 255, 200}, {128, 128, 128, 0}, {90, 200, 255, 77}, {255, 255, 255, 255}}},
        {{{3, 4, 5, 1}, {250, 251, 252, 254}, {99, 98, 97, 128}, {0, 0, 0, 0}}},
    }};
    for (const char* name : {"share/light.tga", "obj/birch1.tga", "obj/barrel1.tga"}) {
        std::string error;
        SDL_Surface* picture = LoadPicture(data + name, error);
        ASSERT_TRUE(picture) << name << ": " << error;
        SDL_Surface* argb = SDL_ConvertSurfaceFormat(picture, SDL_PIXELFORMAT_ARGB8888, 0);
        SDL_FreeSurface(picture);
        ASSERT_TRUE(argb);
        for (const auto& [w, h] : {std::pair{argb->w, argb->h}, std::pair{37, 53}, std::pair{1, 9}, std::pair{64, 3}}) {
            SDL_Surface* cut = SDL_CreateRGBSurfaceWithFormat(0, w, h, 32, SDL_PIXELFORMAT_ARGB8888);
            SDL_SetSurfaceBlendMode(argb, SDL_BLENDMODE_NONE);
            const SDL_Rect from{argb->w / 3 - w / 3, argb->h / 3 - h / 3, w, h};
            SDL_BlitSurface(argb, &from, cut, nullptr);
            SDL_Texture* texture = SDL_CreateTextureFromSurface(Engine().renderer, cut);
            ASSERT_TRUE(texture);
            std::vector<uint32_t> source(static_cast<size_t>(w) * h), laid(source.size());
            for (int y = 0; y < h; ++y) {
                const auto* row = reinterpret_cast<const uint32_t*>(static_cast<const uint8_t*>(cut->pixels) +
                                                                    static_cast<size_t>(y) * cut->pitch);
                std::copy(row, row + w, source.begin() + static_cast<ptrdiff_t>(y) * w);
            }
            for (const auto& corners : cornerSets) {
                Shading_Lay(source.data(), w, h, corners, laid.data());
                EXPECT_EQ(laid, Drawn(texture, w, h, corners)) << name << " cut " << w << "x" << h;
            }
            SDL_DestroyTexture(texture);
            SDL_FreeSurface(cut);
        }
        SDL_FreeSurface(argb);
    }
}

}  // namespace
