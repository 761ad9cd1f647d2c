// Drawing the world, the minimap and the waypoints, read back pixel by pixel.
#include "world/draw_world.h"
#include "world/minimap.h"
#include "world_support.h"

namespace {

int Channel(uint32_t colour, int shift) { return static_cast<int>((colour >> shift) & 0xFF); }

class WorldDraw : public WorldTest {
  protected:
    void SetUp() override {
        WorldTest::SetUp();
        Texture(ObjectTextures, "fallback", 4, 4, 0xFF00FF);
        Pr2D_Rect(0, 0, 800, 600, 0xFFFFFF, 255, 1);
    }
    void ExpectGrey(int x, int y, int level) {
        const uint32_t p = Host_ReadPixel(x, y);
        for (int shift : {0, 8, 16}) EXPECT_NEAR(Channel(p, shift), level, 2) << x << "," << y;
    }
};

}  // namespace

TEST_F(WorldDraw, MinimapScalesTheWaypointsOneToFifteenInTheCorner) {
    MinimapLayout m;
    EXPECT_FALSE(MinimapLayoutOf(*w, m));
    DrawMinimap(*w);  // without waypoints: nothing at all
    EXPECT_EQ(Host_ReadPixel(700, 550), 0xFFFFFFu);
    EXPECT_EQ(Host_ReadPixel(790, 590), 0xFFFFFFu);

    for (auto [x, y] : {std::pair{100, 200}, {1600, 200}, {1600, 1100}}) WorldAddWaypoint(*w, x, y);
    ASSERT_TRUE(MinimapLayoutOf(*w, m));
    EXPECT_EQ(m.width, 132);
    EXPECT_EQ(m.height, 92);
    EXPECT_EQ(m.left, 652);
    EXPECT_EQ(m.top, 492);

    Texture(ObjectTextures, "jeep_wh13", 8, 8, 0x000000);
    Texture(ObjectTextures, "jeep_tp13", 8, 8, 0xFFFFFF);
    Texture(ObjectTextures, "tree1", 8, 8, 0x000000);
    tminimal& car = Add(*w, "jeep", 850, 650);
    car.frame = 13.0f;
    car.color = 0x3366CC;
    Add(*w, "tree", 1000, 1000);  // only cars and the start line are shown
    DrawMinimap(*w);
    const int panel = 191;  // white under black at alpha 64
    ExpectGrey(652, 492, panel);
    ExpectGrey(783, 583, panel);
    EXPECT_EQ(Host_ReadPixel(651, 492), 0xFFFFFFu);
    EXPECT_EQ(Host_ReadPixel(784, 583), 0xFFFFFFu);
    EXPECT_EQ(Host_ReadPixel(652, 491), 0xFFFFFFu);
    // The track line: the top edge of the loop runs along y 508 from x 668.
    EXPECT_LT(Channel(Host_ReadPixel(720, 508), 0), panel - 5);
    ExpectGrey(680, 560, panel);
    // The car at (781 - 132 + 750 / 15, 581 - 92 + 450 / 15), 32 x 32, tinted.
    EXPECT_EQ(Host_ReadPixel(699 + 16, 519 + 16), 0x3366CCu);
    const int tree = (1000 - 100) / 15;
    ExpectGrey(781 - 132 + tree + 16, 581 - 92 + (1000 - 200) / 15 + 16, panel);
}

TEST_F(WorldDraw, LitObjectsShadowsAndTheCamera) {
    Texture(ObjectTextures, "box1", 40, 100, 0xFFFFFF);
    camera->x = 100;
    camera->y = 50;
    tminimal& o = Add(*w, "box", 400, 400);  // drawn from (280, 250) to (320, 350) on screen
    o.cornercolor = {0x808080, 0x808080, 0x808080, 0x808080};
    o.shadow = 128;  // strongest, straight down, not raised
    DrawWorld(*w);
    EXPECT_FALSE(camera->enabled);
    ExpectGrey(300, 300, 128);
    ExpectGrey(300, 360, 127);  // the shadow reaches 30 px below the foot
    EXPECT_EQ(Host_ReadPixel(300, 385), 0xFFFFFFu);
    EXPECT_EQ(Host_ReadPixel(300, 235), 0xFFFFFFu);

    // A fainter shadow is raised by 128 - shadow above the object's top.
    Pr2D_Rect(0, 0, 800, 600, 0xFFFFFF, 255, 1);
    o.shadow = 64;
    DrawWorld(*w);
    ExpectGrey(300, 235, 191);
    ExpectGrey(300, 360, 191);

    // Nothing is drawn for a slot without a name.
    Pr2D_Rect(0, 0, 800, 600, 0xFFFFFF, 255, 1);
    o.name.clear();
    DrawWorld(*w);
    EXPECT_EQ(Host_ReadPixel(300, 300), 0xFFFFFFu);
}

TEST_F(WorldDraw, CarsBounceInTwoLayersAndWaterWobbles) {
    Texture(ObjectTextures, "car_wh5", 20, 20, 0x000000);
    Texture(ObjectTextures, "car_tp5", 20, 20, 0xFFFFFF);
    Texture(ObjectTextures, "lnd_water1", 40, 40, 0xFF0000);
    camera->x = 0;
    camera->y = 0;
    tminimal& car = Add(*w, "car", 100, 100);
    car.frame = 4.6f;  // rounds to sprite 5
    car.shake = 1;
    car.color = 0x00FF00;
    tminimal& water = Add(*w, "lnd_water", 300, 100);
    water.cornercolor = {0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF};
    for (CornerOffset& c : water.wateroffset) c = {6, 0};
    DrawWorld(*w);
    // Wheels one pixel up (rows 79..98), body one down (rows 81..100).
    EXPECT_EQ(Host_ReadPixel(100, 79), 0x000000u);
    EXPECT_EQ(Host_ReadPixel(100, 90), 0x00FF00u);
    EXPECT_EQ(Host_ReadPixel(100, 100), 0x00FF00u);
    EXPECT_EQ(Host_ReadPixel(100, 78), 0xFFFFFFu);
    // The water patch (280..319) moved 6 px right.
    EXPECT_EQ(Host_ReadPixel(282, 80), 0xFFFFFFu);
    EXPECT_EQ(Host_ReadPixel(323, 80), 0xFF0000u);
}

TEST_F(WorldDraw, LampsGlowAndBonusesShine) {
    Texture(ObjectTextures, "lamp1", 2, 2, 0x000000);
    Texture(ObjectTextures, "bn_spd1", 2, 2, 0x000000);
    Texture(SharedTextures, "light", 16, 16, 0xFFFFFF);
    Pr2D_Rect(0, 0, 800, 600, 0x000000, 255, 1);
    camera->x = 0;
    camera->y = 0;
    Add(*w, "lamp", 200, 300);
    Add(*w, "bn_spd", 600, 300);
    DrawWorld(*w);
    ExpectGrey(200 - 128 + 10, 300 - 230 + 10, 200);  // additive white at alpha 200
    const uint32_t halo = Host_ReadPixel(600 - 64 + 10, 300 - 80 + 10);
    EXPECT_NEAR(Channel(halo, 0), 200, 2);  // red of 0x00AAFF
    EXPECT_NEAR(Channel(halo, 8), 0xAA * 200 / 255, 2);
    EXPECT_EQ(Channel(halo, 16), 0);
}

TEST_F(WorldDraw, WaypointsAreCirclesOfTheReachRadius) {
    camera->x = -100;
    camera->y = 0;
    WorldAddWaypoint(*w, 200, 300);
    DrawWaypoints(*w);
    EXPECT_FALSE(camera->enabled);
    EXPECT_EQ(Host_ReadPixel(300 + 120, 300), 0x00FF00u);
    EXPECT_EQ(Host_ReadPixel(300, 300 - 120), 0x00FF00u);
    EXPECT_EQ(Host_ReadPixel(300 + 60, 300), 0xFFFFFFu);
}
