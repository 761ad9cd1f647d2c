// Drawings kept between frames give exactly the pixels of drawing afresh,
// over any screen: the stamp of a panel and many lines, laid in one pass (or
// line by line where it cannot be), and the kept black turned silhouettes
// of sprites (the shadows).
#include <gtest/gtest.h>

#include <vector>

#include "engine/host.h"
#include "engine/omega.h"
#include "engine/stamp.h"
#include "engine/state.h"
#include "support.h"

namespace {

class KeptDrawing : public ::testing::Test {
  protected:
    void SetUp() override { Host_OpenHeadless(); }
    void TearDown() override { Host_Shutdown(); }

    // A screen of 4 x 4 blocks in every shade, different in each channel.
    static void Backdrop() {
        Host_BeginTestFrame();
        for (int y = 0; y < 600; y += 4) {
            for (int x = 0; x < 800; x += 4) {
                const int i = x / 4 + y / 4 * 200;
                Pr2D_Rect(x, y, 4, 4, ((i * 37) & 0xFF) | ((i * 11) & 0xFF) << 8 | ((i * 5 + 3) & 0xFF) << 16, 255, 1);
            }
        }
    }

    static std::vector<uint32_t> Drawn(OE_Stamp& stamp) {
        Backdrop();
        Stamp_Draw(stamp);
        return Host_ReadScreen();
    }

    static std::vector<uint32_t> DrawnOneByOne(const OE_Stamp& s) {
        Backdrop();
        Pr2D_Rect(s.x, s.y, s.width, s.height, s.panelColour, s.panelAlpha, 1);
        for (const OE_StampLine& l : s.lines) Pr2D_Line(l.x1, l.y1, l.x2, l.y2, s.lineColour, s.lineAlpha, 0);
        return Host_ReadScreen();
    }

    // A panel with a star of lines, each drawn at many small offsets.
    static OE_Stamp Star(int x, int y, int size) {
        OE_Stamp s;
        s.x = x;
        s.y = y;
        s.width = size;
        s.height = size;
        s.panelColour = 0x102030;
        s.panelAlpha = 64;
        s.lineColour = 0xAAAAAA;
        s.lineAlpha = 64;
        const int c = size / 2;
        for (int oy = -4; oy <= 4; ++oy) {
            for (int ox = -4; ox <= 4; ++ox) {
                s.lines.push_back({x + 8 + ox, y + c + oy, x + size - 8 + ox, y + c + oy});
                s.lines.push_back({x + c + ox, y + 8 + oy, x + c + ox, y + size - 8 + oy});
                s.lines.push_back({x + 8 + ox, y + 8 + oy, x + size - 8 + ox, y + size - 8 + oy});
                s.lines.push_back({x + c + ox, y + c + oy, x + c + ox, y + c + oy});  // a point
            }
        }
        return s;
    }
};

}  // namespace

TEST_F(KeptDrawing, StampInOnePassGivesThePixelsOfDrawingOneByOne) {
    OE_Stamp stamp = Star(600, 400, 120);
    const std::vector<uint32_t> expected = DrawnOneByOne(stamp);
    EXPECT_EQ(Drawn(stamp), expected);
    EXPECT_EQ(stamp.laid, OE_Stamp::Laid::OnePass);
    EXPECT_EQ(Drawn(stamp), expected);  // and again from what it measured

    // Another panel colour is a stamp of its own.
    OE_Stamp opaque = Star(10, 10, 90);
    opaque.panelAlpha = 255;
    opaque.lineAlpha = 200;
    EXPECT_EQ(Drawn(opaque), DrawnOneByOne(opaque));
    EXPECT_EQ(opaque.laid, OE_Stamp::Laid::OnePass);
}

TEST_F(KeptDrawing, StampLinesOutsideThePanelOrTheCameraDrawOneByOne) {
    OE_Stamp spilling = Star(600, 400, 120);
    spilling.lines.push_back({590, 390, 700, 450});  // starts outside the panel
    EXPECT_EQ(Drawn(spilling), DrawnOneByOne(spilling));
    EXPECT_EQ(spilling.laid, OE_Stamp::Laid::LineByLine);

    OE_Stamp offScreen = Star(740, 540, 120);  // the panel runs off the screen
    EXPECT_EQ(Drawn(offScreen), DrawnOneByOne(offScreen));
    EXPECT_EQ(offScreen.laid, OE_Stamp::Laid::LineByLine);

    // Through a moved camera both panel and lines move: nothing is measured.
    OE_Camera* camera = Cam2D_Create();
    Cam2D_Set(camera);
    camera->enabled = true;
    camera->x = 30;
    OE_Stamp moved = Star(300, 300, 100);
    EXPECT_EQ(Drawn(moved), DrawnOneByOne(moved));
    EXPECT_EQ(moved.laid, OE_Stamp::Laid::Unmeasured);
    Cam2D_Set(nullptr);
}

// Shadows of real sprites, turned and raised as the world draws them, in
// various places (some off the screen's edge), each drawn twice so that the
// second comes from the kept silhouette; compared with SDL turning the
// sprite itself on every draw.
TEST_F(KeptDrawing, SilhouettesGiveThePixelsOfTurningTheSprite) {
    const std::string folder = TestDataFolder() + "/gfx/obj/";
    for (const char* name : {"birch1.tga", "barrel1.tga"}) {
        const OE_Texture* sprite = Tex_LoadFromFile(folder + name, -1, 266);
        ASSERT_TRUE(sprite && sprite->data) << name;
        SDL_Texture* texture = sprite->data->Decoded().texture;
        const int w = sprite->width, h = sprite->height;
        for (const float angle : {37.5f, 90.0f, 180.0f, -123.25f, 271.0f}) {
            for (const int shadow : {128, 70}) {
                const int x = angle > 100 ? 780 - w / 2 : 200, y = angle < 0 ? -h / 3 : 300;
                const int raise = shadow - 128;
                Backdrop();
                SDL_Renderer* r = Engine().renderer;
                SDL_SetTextureBlendMode(texture, SDL_BLENDMODE_BLEND);
                SDL_SetTextureColorMod(texture, 0, 0, 0);
                SDL_SetTextureAlphaMod(texture, static_cast<Uint8>(shadow));
                const SDL_FRect dst{float(x), float(y + raise), float(w), float(h - raise)};
                const SDL_FPoint centre{w / 2.0f, h / 2.0f - raise};
                SDL_RenderCopyExF(r, texture, nullptr, &dst, angle, &centre, SDL_FLIP_NONE);
                const std::vector<uint32_t> turned = Host_ReadScreen();
                for (int time = 0; time < 2; ++time) {
                    Backdrop();
                    FX_SetColorMix(0);
                    FX_SetVertexes(0, raise, 0, raise, 0, 0, 0, 0);
                    SSprite_Draw(sprite, x, y, w, h, shadow, angle, FX_PLAIN | FX_COLORMIX | FX_VERTEXOFFSET);
                    EXPECT_EQ(Host_ReadScreen(), turned) << name << " at " << angle << " shadow " << shadow;
                }
            }
        }
    }
}
