// The engine binding: maths, sprites and their flags, text, input edges and
// the tick cadence, all on the headless offscreen screen.
#include <SDL_image.h>
#include <gtest/gtest.h>

#include <cmath>

#include "engine/host.h"
#include "engine/omega.h"
#include "support.h"

namespace {

class EngineTest : public ::testing::Test {
  protected:
    void SetUp() override {
        Host_OpenHeadless();
        Host_BeginTestFrame();
    }
    void TearDown() override { Host_Shutdown(); }

    OE_Texture* Solid(int w, int h, uint32_t colour, uint8_t alpha = 255) {
        const std::string path = scratch / ("t" + std::to_string(counter++) + ".tga");
        WriteSolidTga(path, w, h, colour, alpha);
        return Tex_LoadFromFile(path, -1, 266);
    }

    ScratchFolder scratch;
    int counter = 0;
};

int Channel(uint32_t colour, int shift) { return (colour >> shift) & 0xFF; }

// How many lines of `said` name `path`.
int TimesSaid(const std::string& said, const std::string& path) {
    int times = 0;
    for (size_t at = said.find(path); at != std::string::npos; at = said.find(path, at + 1)) ++times;
    return times;
}

// A JPEG of `w` x `h` pixels whose header is whole up to its frame header,
// followed by bytes that are no picture.
std::string JpegWithDamagedBody(const std::string& folder, int w, int h) {
    WriteSolidTga(folder + "/whole.tga", w, h, 0x336699);
    SDL_Surface* surface = IMG_Load((folder + "/whole.tga").c_str());
    EXPECT_NE(surface, nullptr);
    EXPECT_EQ(IMG_SaveJPG(surface, (folder + "/whole.jpg").c_str(), 90), 0);
    SDL_FreeSurface(surface);
    const std::string whole = ReadFile(folder + "/whole.jpg");
    const size_t frame = whole.find("\xFF\xC0");
    EXPECT_NE(frame, std::string::npos);
    const size_t length = static_cast<uint8_t>(whole[frame + 2]) * 256 + static_cast<uint8_t>(whole[frame + 3]);
    return whole.substr(0, frame + 2 + length) + std::string(300, 'x');
}

}  // namespace

TEST(Maths, RoundHalvesToEven) {
    EXPECT_EQ(M_Round(0.5), 0);
    EXPECT_EQ(M_Round(1.5), 2);
    EXPECT_EQ(M_Round(2.5), 2);
    EXPECT_EQ(M_Round(-0.5), 0);
    EXPECT_EQ(M_Round(-1.5), -2);
    EXPECT_EQ(M_Round(2.4999), 2);
    EXPECT_EQ(M_Round(-2.6), -3);
    EXPECT_EQ(M_Round(1e12), 2147483647);
}

TEST(Maths, FindAnglePointsFromSecondPointTowardsFirst) {
    struct Case {
        float x1, y1, x2, y2;
    };
    // One point in every quadrant around (100, 100), and the four axes.
    const Case cases[] = {{150, 100, 100, 100}, {100, 150, 100, 100}, {50, 100, 100, 100}, {100, 50, 100, 100},
                          {130, 140, 100, 100}, {70, 140, 100, 100},  {70, 60, 100, 100},  {130, 60, 100, 100}};
    for (const Case& c : cases) {
        const float a = M_FindAngle(c.x1, c.y1, c.x2, c.y2);
        EXPECT_GE(a, 0.0f);
        EXPECT_LT(a, 360.0f);
        const float len = M_Distance(c.x1, c.y1, c.x2, c.y2);
        EXPECT_NEAR(M_Cos(a), (c.x1 - c.x2) / len, 1e-4) << c.x1 << "," << c.y1;
        EXPECT_NEAR(M_Sin(a), (c.y1 - c.y2) / len, 1e-4) << c.x1 << "," << c.y1;
    }
    EXPECT_NEAR(M_FindAngle(100, 150, 100, 100), 90.0f, 1e-4);  // straight down the screen
}

TEST(Maths, PointInCircleAndDistance) {
    EXPECT_FLOAT_EQ(M_Distance(0, 0, 3, 4), 5.0f);
    EXPECT_TRUE(Col_PointInCircle(10, 10, {12, 12, 5}));
    EXPECT_FALSE(Col_PointInCircle(20, 10, {12, 12, 5}));
    EXPECT_EQ(U_IntToStr(-42), "-42");
}

TEST_F(EngineTest, PlainSpriteAndMissingTexture) {
    OE_Texture* t = Solid(8, 8, 0x00FF00);
    EXPECT_EQ(t->width, 8);
    EXPECT_EQ(t->height, 8);
    SSprite_Draw(t, 10, 10, 16, 16, 255, 0, FX_PLAIN);
    EXPECT_EQ(Host_ReadPixel(12, 12), 0x00FF00u);
    EXPECT_EQ(Host_ReadPixel(30, 30), 0x000000u);

    testing::internal::CaptureStderr();
    OE_Texture* missing = Tex_LoadFromFile(scratch / "none.tga", -1, 266);
    EXPECT_EQ(TimesSaid(testing::internal::GetCapturedStderr(), scratch / "none.tga"), 1);  // at load
    EXPECT_EQ(missing->data, nullptr);
    EXPECT_EQ(missing->width, 0);
    EXPECT_EQ(missing->height, 0);
    SSprite_Draw(missing, 40, 40, 16, 16, 255, 0, FX_PLAIN);  // draws nothing, no crash
    SSprite_Draw(nullptr, 40, 40, 16, 16, 255, 0, FX_PLAIN);
    EXPECT_EQ(Host_ReadPixel(45, 45), 0x000000u);
}

// A picture is read at load only for its size: the pixels drawn are those
// its file holds at the first draw, and they stay as decoded then.
TEST_F(EngineTest, PicturesAreDecodedWhenFirstDrawn) {
    const std::string path = scratch / "late.tga";
    WriteSolidTga(path, 8, 8, 0x0000FF);
    OE_Texture* t = Tex_LoadFromFile(path, -1, 266);
    ASSERT_NE(t->data, nullptr);
    WriteSolidTga(path, 4, 4, 0x00FF00, 128);
    EXPECT_EQ(t->width, 8);  // the size read at load
    Pr2D_Rect(0, 0, 100, 40, 0x000080, 255, 1);
    SSprite_Draw(t, 10, 10, 8, 8, 255, 0, FX_PLAIN);
    // Half-transparent green over dark red: blended, since the picture
    // drawn is not opaque.
    EXPECT_NEAR(Channel(Host_ReadPixel(12, 12), 0), 64, 3);
    EXPECT_NEAR(Channel(Host_ReadPixel(12, 12), 8), 128, 3);

    WriteSolidTga(path, 8, 8, 0xFF0000);
    SSprite_Draw(t, 30, 10, 8, 8, 255, 0, FX_PLAIN);
    EXPECT_EQ(Host_ReadPixel(32, 12), Host_ReadPixel(12, 12));
}

// A picture with a sound header loads with the header's size; when its body
// turns out damaged, or its file is gone by the first draw, it is said once
// and draws nothing, however often it is drawn and in whatever way.
TEST_F(EngineTest, PicturesThatFailAtTheirFirstDrawAreSaidOnceAndDrawNothing) {
    const std::string damaged = scratch / "damaged.jpg", gone = scratch / "gone.tga";
    WriteFile(damaged, JpegWithDamagedBody(scratch.path().string(), 16, 12));
    WriteSolidTga(gone, 8, 8, 0xFFFFFF);
    OE_Texture* broken = Tex_LoadFromFile(damaged, -1, 266);
    OE_Texture* lost = Tex_LoadFromFile(gone, -1, 266);
    ASSERT_NE(broken->data, nullptr);
    EXPECT_EQ(broken->width, 16);
    EXPECT_EQ(broken->height, 12);
    std::filesystem::remove(gone);

    testing::internal::CaptureStderr();
    FX_SetVCA(0x0000FF, 0x00FF00, 0xFF0000, 0xFFFFFF, 255, 255, 255, 255);
    for (OE_Texture* t : {broken, lost}) {
        SSprite_Draw(t, 10, 10, 16, 16, 255, 0, FX_PLAIN);
        SSprite_Draw(t, 40, 10, 16, 16, 255, 30, FX_PLAIN | FX_VERTEXCOLOR);
        SSprite_Draw(t, 70, 10, 16, 16, 255, 0, FX_PLAIN);
    }
    const std::string said = testing::internal::GetCapturedStderr();
    EXPECT_EQ(TimesSaid(said, damaged), 1) << said;
    EXPECT_EQ(TimesSaid(said, gone), 1) << said;
    for (int x : {12, 17, 45, 75}) EXPECT_EQ(Host_ReadPixel(x, 15), 0x000000u) << x;
}

TEST_F(EngineTest, ColourMixMultipliesTheTexture) {
    OE_Texture* grey = Solid(8, 8, 0x808080);
    FX_SetColorMix(0x0000FF);
    SSprite_Draw(grey, 0, 0, 8, 8, 255, 0, FX_PLAIN | FX_COLORMIX);
    const uint32_t p = Host_ReadPixel(4, 4);
    EXPECT_NEAR(Channel(p, 0), 128, 2);  // red kept at the texture's level
    EXPECT_EQ(Channel(p, 8), 0);
    EXPECT_EQ(Channel(p, 16), 0);
    // Without the flag the mix is ignored.
    SSprite_Draw(grey, 20, 0, 8, 8, 255, 0, FX_PLAIN);
    EXPECT_NEAR(Channel(Host_ReadPixel(24, 4), 16), 128, 2);
}

TEST_F(EngineTest, AlphaAndAdditiveBlending) {
    OE_Texture* green = Solid(8, 8, 0x00FF00);
    Pr2D_Rect(0, 0, 40, 20, 0x000080, 255, 1);
    SSprite_Draw(green, 0, 0, 8, 8, 128, 0, FX_PLAIN);  // half over dark red
    const uint32_t blended = Host_ReadPixel(4, 4);
    EXPECT_NEAR(Channel(blended, 0), 64, 3);
    EXPECT_NEAR(Channel(blended, 8), 128, 3);

    FX_SetBlendMode(1);
    SSprite_Draw(green, 20, 0, 8, 8, 255, 0, FX_PLAIN);  // additive keeps the red
    FX_SetBlendMode(0);
    EXPECT_EQ(Host_ReadPixel(24, 4), 0x00FF80u);
}

TEST_F(EngineTest, CornerColoursShadeEachCorner) {
    OE_Texture* white = Solid(64, 64, 0xFFFFFF);
    FX_SetVCA(0x0000FF, 0x00FF00, 0xFF0000, 0xFFFFFF, 255, 255, 255, 255);
    SSprite_Draw(white, 100, 100, 64, 64, 255, 0, FX_PLAIN | FX_VERTEXCOLOR);
    const uint32_t tl = Host_ReadPixel(101, 101), tr = Host_ReadPixel(162, 101), br = Host_ReadPixel(162, 162);
    EXPECT_GT(Channel(tl, 0), 200);
    EXPECT_LT(Channel(tl, 8), 40);
    EXPECT_GT(Channel(tr, 8), 200);
    EXPECT_LT(Channel(tr, 0), 40);
    EXPECT_GT(Channel(br, 16), 200);
    EXPECT_LT(Channel(br, 8), 40);
    // The corner alphas fade the sprite.
    FX_SetVCA(0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0, 0, 0, 0);
    SSprite_Draw(white, 200, 100, 64, 64, 255, 0, FX_PLAIN | FX_VERTEXCOLOR);
    EXPECT_EQ(Host_ReadPixel(230, 130), 0x000000u);
}

TEST_F(EngineTest, LitSpritesKeepTheirColoursAlphaAndShapeThroughTheShadedCopy) {
    OE_Texture* glass = Solid(100, 100, 0xFFFFFF, 128);
    Pr2D_Rect(0, 0, 800, 600, 0xFFFFFF, 255, 1);
    FX_SetVCA(0x0000FF, 0x00FF00, 0xFF0000, 0x000000, 255, 255, 255, 255);
    for (int x : {100, 300}) {  // the second draw comes from the shaded copy made by the first
        SSprite_Draw(glass, x, 100, 100, 100, 255, 0, FX_PLAIN | FX_VERTEXCOLOR);
        const uint32_t tl = Host_ReadPixel(x, 100), centre = Host_ReadPixel(x + 50, 150);
        // Half-transparent red over white at the top-left corner.
        EXPECT_NEAR(Channel(tl, 0), 255, 3) << x;
        EXPECT_NEAR(Channel(tl, 8), 127, 3) << x;
        EXPECT_NEAR(Channel(tl, 16), 127, 3) << x;
        // The middle of the diagonal mixes the top-left and bottom-right corners.
        EXPECT_NEAR(Channel(centre, 0), 191, 4) << x;
        EXPECT_NEAR(Channel(centre, 8), 127, 4) << x;
        EXPECT_NEAR(Channel(centre, 16), 191, 4) << x;
    }
    // Drawn at another size and turned, the shaded copy follows like the sprite would.
    Pr2D_Rect(0, 0, 800, 600, 0x000000, 255, 1);
    OE_Texture* white = Solid(40, 8, 0xFFFFFF);
    FX_SetVCA(0xFFFFFF, 0xFFFFFF, 0x808080, 0x808080, 255, 255, 255, 255);
    SSprite_Draw(white, 500, 96, 40, 8, 255, 90, FX_PLAIN | FX_VERTEXCOLOR);
    EXPECT_NE(Host_ReadPixel(520, 85), 0x000000u);
    EXPECT_EQ(Host_ReadPixel(505, 100), 0x000000u);
    // A raised shadow, turned: a black rectangle stretched upwards by the
    // offset, about the centre of the unraised sprite.
    Pr2D_Rect(0, 0, 800, 600, 0xFFFFFF, 255, 1);
    FX_SetColorMix(0);
    FX_SetVertexes(0, -40, 0, -40, 0, 0, 0, 0);
    SSprite_Draw(white, 600, 300, 40, 8, 128, 90, FX_PLAIN | FX_COLORMIX | FX_VERTEXOFFSET);
    // Unturned it would cover x 600..640, y 260..308; turned by 90 about
    // (620, 304) it covers x 616..664, y 284..324.
    EXPECT_NEAR(Channel(Host_ReadPixel(660, 304), 0), 127, 3);
    EXPECT_NEAR(Channel(Host_ReadPixel(620, 290), 0), 127, 3);
    EXPECT_EQ(Host_ReadPixel(610, 304), 0xFFFFFFu);
    EXPECT_EQ(Host_ReadPixel(668, 304), 0xFFFFFFu);
}

TEST_F(EngineTest, CornerOffsetsMoveTheCorners) {
    OE_Texture* white = Solid(32, 32, 0xFFFFFF);
    FX_SetVertexes(0, -20, 0, -20, 0, 0, 0, 0);  // top raised by 20
    SSprite_Draw(white, 100, 100, 32, 32, 255, 0, FX_PLAIN | FX_VERTEXOFFSET);
    EXPECT_EQ(Host_ReadPixel(116, 85), 0xFFFFFFu);
    EXPECT_EQ(Host_ReadPixel(116, 125), 0xFFFFFFu);
    // The offsets only count with their flag.
    SSprite_Draw(white, 200, 100, 32, 32, 255, 0, FX_PLAIN);
    EXPECT_EQ(Host_ReadPixel(216, 85), 0x000000u);
    // Independently moved corners (wobbling water) still cover the quad.
    FX_SetVertexes(-6, 6, 5, -4, 6, 6, -3, -5);
    SSprite_Draw(white, 300, 100, 32, 32, 255, 0, FX_PLAIN | FX_VERTEXOFFSET);
    EXPECT_EQ(Host_ReadPixel(316, 116), 0xFFFFFFu);
}

TEST_F(EngineTest, RotationTurnsAboutTheCentreClockwise) {
    OE_Texture* bar = Solid(40, 8, 0xFFFFFF);
    SSprite_Draw(bar, 100, 96, 40, 8, 255, 90, FX_PLAIN);  // centre (120, 100)
    EXPECT_EQ(Host_ReadPixel(120, 85), 0xFFFFFFu);
    EXPECT_EQ(Host_ReadPixel(120, 115), 0xFFFFFFu);
    EXPECT_EQ(Host_ReadPixel(105, 100), 0x000000u);
    // Through the per-corner path the same turn gives the same result.
    FX_SetVCA(0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 255, 255, 255, 255);
    SSprite_Draw(bar, 200, 96, 40, 8, 255, 90, FX_PLAIN | FX_VERTEXCOLOR);
    EXPECT_EQ(Host_ReadPixel(220, 85), 0xFFFFFFu);
    EXPECT_EQ(Host_ReadPixel(205, 100), 0x000000u);
    // Clockwise on screen: a right-pointing arrow tip turned by 90 points down.
    OE_Texture* tip = Solid(8, 8, 0x0000FF);
    FX_SetVertexes(0, 0, 0, 0, 0, 0, 0, 0);
    SSprite_Draw(tip, 300, 100, 8, 8, 255, 0, FX_PLAIN);
    SSprite_Draw(tip, 320, 92, 8, 8, 255, 0, FX_PLAIN);
    EXPECT_EQ(Host_ReadPixel(304, 104), 0x0000FFu);
}

TEST_F(EngineTest, CameraShiftsEverythingWhileEnabled) {
    OE_Camera* cam = Cam2D_Create();
    Cam2D_Set(cam);
    cam->x = 100;
    cam->y = 50;
    OE_Texture* white = Solid(8, 8, 0xFFFFFF);
    SSprite_Draw(white, 150, 100, 8, 8, 255, 0, FX_PLAIN);  // disabled: drawn where asked
    EXPECT_EQ(Host_ReadPixel(154, 104), 0xFFFFFFu);
    cam->enabled = true;
    SSprite_Draw(white, 150, 100, 8, 8, 255, 0, FX_PLAIN);
    Pr2D_Rect(300, 300, 4, 4, 0x00FF00, 255, 1);
    cam->enabled = false;
    EXPECT_EQ(Host_ReadPixel(54, 54), 0xFFFFFFu);
    EXPECT_EQ(Host_ReadPixel(201, 251), 0x00FF00u);
}

TEST_F(EngineTest, PrimitivesWithAlpha) {
    Pr2D_Rect(10, 10, 20, 20, 0xFFFFFF, 255, 0);  // outline
    EXPECT_EQ(Host_ReadPixel(10, 20), 0xFFFFFFu);
    EXPECT_EQ(Host_ReadPixel(20, 20), 0x000000u);
    Pr2D_Rect(50, 10, 20, 20, 0xFFFFFF, 64, 1);
    EXPECT_NEAR(Channel(Host_ReadPixel(60, 20), 0), 64, 2);
    Pr2D_LineWidth(4);
    Pr2D_Line(100, 50, 200, 50, 0x00FF00, 255, 2);
    EXPECT_EQ(Host_ReadPixel(150, 51), 0x00FF00u);
    Pr2D_LineWidth(1);
    Pr2D_Circle(300, 300, 50, 0xFF0000, 255, 32, 0);
    EXPECT_EQ(Host_ReadPixel(350, 300), 0xFF0000u);
    EXPECT_EQ(Host_ReadPixel(300, 300), 0x000000u);
}

TEST_F(EngineTest, TextWidthFollowsTheScale) {
    const std::string data = TestDataFolder();
    OE_Font* f = Text_LoadFontFromFile(data + "/fnt/font.tga", data + "/fnt/font.ofi", -1, 266);
    ASSERT_NE(f->data, nullptr);
    const int w1 = Text_GetWidth(f, "Kolvetra", 1.0f, 0);
    EXPECT_GT(w1, 40);
    EXPECT_EQ(Text_GetWidth(f, "Kolvetra", 2.0f, 0), 2 * w1);
    EXPECT_EQ(Text_GetWidth(f, "Kolvetra", 1.0f, 1), w1 + 8);  // spacing per character
    // Cyrillic letters are one character each, with their own widths.
    EXPECT_GT(Text_GetWidth(f, "Ж", 1.0f, 0), Text_GetWidth(f, "i", 1.0f, 0));
    EXPECT_EQ(Text_GetWidth(f, "", 1.0f, 0), 0);
    Text_Draw(f, 10, 10, "Ж", 1.0f, 0, 255, 0xFFFFFF);
    bool lit = false;
    for (int y = 10; y < 42 && !lit; ++y)
        for (int x = 10; x < 30 && !lit; ++x) lit = Host_ReadPixel(x, y) != 0;
    EXPECT_TRUE(lit);
}

TEST_F(EngineTest, MissingFontGoesOnWithoutText) {
    OE_Font* f = Text_LoadFontFromFile(scratch / "font.tga", scratch / "font.ofi", -1, 266);
    EXPECT_EQ(Text_GetWidth(f, "abc", 1.0f, 0), 0);
    Text_Draw(f, 0, 0, "abc", 1.0f, 0, 255, 0xFFFFFF);
}

namespace {
int ticks = 0;
int tickClicks = 0;
int frameClicks = 0;
void CountTick() {
    ++ticks;
    if (Mouse_Click(MB_LEFT)) ++tickClicks;
}
void CountFrame() {
    if (Mouse_Click(MB_LEFT)) ++frameClicks;
}
}  // namespace

TEST_F(EngineTest, VirtualClockRunsThirtyThreeTicksPerSecond) {
    ticks = 0;
    Timer_Create(CountTick, 30, 1);
    for (int i = 0; i < 60; ++i) Host_RunFrame();
    EXPECT_EQ(ticks, 33);
    EXPECT_NEAR(U_GetTime(), 1000.0, 1e-6);
}

TEST_F(EngineTest, StalledFrameCatchesUpBoundedly) {
    ticks = 0;
    OE_Timer* t = Timer_Create(CountTick, 30, 1);
    Host_AdvanceClock(3000);  // a 3 s stall
    Host_RunFrame();
    EXPECT_EQ(ticks, 5);
    EXPECT_DOUBLE_EQ(t->lastRun, U_GetTime());  // the backlog is dropped
    t->enabled = false;                         // a world load stops the timer
    Host_AdvanceClock(300);
    Host_RunFrame();
    EXPECT_EQ(ticks, 5);
}

TEST_F(EngineTest, ClickBetweenTicksIsSeenOnceByTickAndFrame) {
    ticks = tickClicks = frameClicks = 0;
    OE_Timer* t = Timer_Create(CountTick, 30, 1);
    OE_RegProcedure(OE_PROC_DRAW, CountFrame);
    Host_MouseButton(MB_LEFT, true);
    Host_MouseButton(MB_LEFT, false);
    for (int i = 0; i < 10; ++i) Host_RunFrame();
    EXPECT_GE(ticks, 4);
    EXPECT_EQ(tickClicks, 1);
    EXPECT_EQ(frameClicks, 1);
    EXPECT_FALSE(Mouse_Down(MB_LEFT));

    // A held key stays down; auto-repeat is not a new press.
    Host_KeyEvent(VK_UP, true);
    Host_RunTick(t);
    EXPECT_TRUE(Key_Down(VK_UP));
    Host_KeyEvent(VK_UP, true);
    Host_KeyEvent(VK_UP, false);
    EXPECT_FALSE(Key_Down(VK_UP));
}

namespace {
int tickPresses = 0;
void CountPress() {
    if (Key_Press(VK_ESCAPE)) ++tickPresses;
}
}  // namespace

TEST_F(EngineTest, KeyPressEdgeIsSeenByOneTickOnly) {
    tickPresses = 0;
    OE_Timer* t = Timer_Create(CountPress, 30, 1);
    Host_KeyEvent(VK_ESCAPE, true);
    Host_RunTick(t);
    Host_RunTick(t);
    Host_KeyEvent(VK_ESCAPE, true);  // still held: no new press
    Host_RunTick(t);
    EXPECT_EQ(tickPresses, 1);
    EXPECT_TRUE(Key_Down(VK_ESCAPE));
}

TEST_F(EngineTest, TypedTextIsCollectedOnlyWhileReading) {
    Host_TypeText("lost");
    Key_BeginReadText("");
    Host_TypeText("При");
    Host_TypeText("вет");
    EXPECT_EQ(Key_EndReadText(), "Привет");
    Host_TypeText("also lost");
    Key_BeginReadText("x");
    EXPECT_EQ(Key_EndReadText(), "x");
}

TEST_F(EngineTest, InputScriptDrivesFrames) {
    const std::string script = scratch / "input.txt";
    WriteFile(script, "# a click and a key\n2 move 100 200\n3 click 300 400\n3 keydown 38\n5 keyup 38\n");
    std::string error;
    ASSERT_TRUE(Host_LoadInputScript(script, error)) << error;
    Host_RunFrame();
    Host_RunFrame();
    Host_RunFrame();
    EXPECT_EQ(Mouse_X(), 100);
    Host_RunFrame();
    EXPECT_EQ(Mouse_X(), 300);
    EXPECT_TRUE(Key_Down(VK_UP));
    Host_RunFrame();
    Host_RunFrame();
    EXPECT_FALSE(Key_Down(VK_UP));

    WriteFile(script, "1 jump 3\n");
    EXPECT_FALSE(Host_LoadInputScript(script, error));
    EXPECT_NE(error.find(":1:"), std::string::npos);
}
