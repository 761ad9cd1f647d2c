// Sizes from sprites, corner lighting and shadows from the nearest lamp.
#include "engine/random.h"
#include "world/lighting.h"
#include "world_support.h"

using WorldLighting = WorldTest;

TEST_F(WorldLighting, MeasureTakesTheFirstSprite) {
    Texture(ObjectTextures, "fallback", 8, 8, 0);
    Texture(ObjectTextures, "tree1", 96, 128, 0);
    Texture(ObjectTextures, "jeep_wh1", 64, 48, 0);
    Texture(ObjectTextures, "jeep1", 10, 10, 0);
    Add(*w, "tree", 0, 0);
    Add(*w, "jeep", 0, 0);
    Add(*w, "unknown", 0, 0);
    MeasureObjects(*w);
    EXPECT_EQ(w->objects[0].width, 96);
    EXPECT_EQ(w->objects[0].height, 128);
    EXPECT_EQ(w->objects[0].radius, 24);
    EXPECT_EQ(w->objects[1].width, 64);
    EXPECT_EQ(w->objects[1].height, 48);
    EXPECT_EQ(w->objects[2].width, 8);  // the base's first texture stands in
}

TEST_F(WorldLighting, CornersStepDownOneGreyPer50PixelsFromTheShiftedLamp) {
    Add(*w, "lamp", 1000, 1000);
    // Each corner is measured from the point 128 px up and left of it, so an
    // object at (1128 + d, 1128) has its first corner d px from the lamp.
    const std::pair<int, int> steps[] = {{0, 0xFFFFFF},    {99, 0xFFFFFF},  {100, 0xEEEEEE}, {149, 0xEEEEEE},
                                         {150, 0xDDDDDD},  {700, 0x222222}, {749, 0x222222}, {750, 0x111111},
                                         {5000, 0x111111}, {-350, 0x999999}};
    for (const auto& [d, grey] : steps) {
        tminimal& o = Add(*w, "tree", 1128 + d, 1128);
        o.width = 0;
        o.height = 0;
    }
    tminimal& wide = Add(*w, "tree", 1128, 1128);
    wide.width = 200;  // corners 0 and 3 at the lamp point, 1 and 2 200 px right
    wide.height = 0;
    LightCorners(*w);
    for (int i = 0; i < 10; ++i) {
        for (int k = 0; k < 4; ++k) EXPECT_EQ(w->objects[i + 1].cornercolor[k], steps[i].second) << steps[i].first;
    }
    EXPECT_EQ(wide.cornercolor[0], 0xFFFFFF);
    EXPECT_EQ(wide.cornercolor[1], 0xCCCCCC);
    EXPECT_EQ(wide.cornercolor[2], 0xCCCCCC);
    EXPECT_EQ(wide.cornercolor[3], 0xFFFFFF);

    auto dark = std::make_unique<tworld>();
    Add(*dark, "tree", 5000, 5000).cornercolor = {1, 2, 3, 4};
    LightCorners(*dark);
    EXPECT_EQ(dark->objects[0].cornercolor[2], 0xFFFFFF);  // no lamps: white
}

TEST_F(WorldLighting, ShadowStrengthFallsWithTheLampDistance) {
    Add(*w, "lamp", 0, 0);
    const std::pair<int, int> cases[] = {{300, 28}, {0, 128}, {383, 1}, {384, 0}, {2000, 0}};
    for (const auto& [d, shadow] : cases) {
        tminimal& o = Add(*w, "tree", d, 0);
        o.height = 100;
    }
    tminimal& moving = Add(*w, "rock", 300, 0, 1);
    moving.shadow = -7;
    tminimal& prop = Add(*w, "limit", 300, 0);
    prop.shadow = -7;
    tminimal& ground = Add(*w, "lnd_road", 300, 0);
    ground.shadow = -7;
    CastShadows(*w, 0);
    for (int i = 0; i < 5; ++i) EXPECT_EQ(w->objects[i + 1].shadow, cases[i].second) << cases[i].first;
    EXPECT_EQ(moving.shadow, -7);  // only fixed objects at load
    EXPECT_EQ(prop.shadow, -7);
    EXPECT_EQ(ground.shadow, -7);
    // Right of the lamp: the shadow turns by 90 degrees, (0, 30) rotated.
    const tminimal& tree = w->objects[1];
    EXPECT_EQ(tree.shadowangle, 90);
    EXPECT_NEAR(tree.shadowdx, -30.0f, 1e-4);
    EXPECT_NEAR(tree.shadowdy, 0.0f, 1e-4);

    CastShadows(*w, 1);
    EXPECT_EQ(moving.shadow, 28);
    EXPECT_EQ(w->objects[0].shadow, 0);  // lamps cast none
}

TEST_F(WorldLighting, NearestLampMatchesTheWholeWorldSearch) {
    // Lamps on a grid give many exact ties; the lowest index must win them
    // as it does in WorldNearest.
    Randomize(5);
    for (int i = 0; i < 300; ++i) {
        if (i % 3 == 0) {
            Add(*w, "lamp", Random(20) * 100, Random(20) * 100);
        } else {
            // Halfway between grid lamps: equally near to two or four of them.
            tminimal& o = Add(*w, "tree", Random(44) * 50 - 100, Random(44) * 50 - 100, i % 2);
            o.width = Random(4) * 50;
            o.height = Random(4) * 50 + 28;
        }
    }
    CastShadows(*w, 0);
    CastShadows(*w, 1);
    LightCorners(*w);
    for (int i = 0; i < w->count; ++i) {
        const tminimal& o = w->objects[i];
        if (o.name == "lamp") continue;
        const NearestResult lamp = WorldNearest(*w, "lamp", o.x, o.y);
        EXPECT_EQ(o.shadow, std::max(128 - lamp.distance / 3, 0)) << i;
        const tminimal& l = w->objects[lamp.index];
        EXPECT_EQ(o.shadowangle, M_Round(M_FindAngle(o.x, o.y, l.x, l.y) + 90)) << i;
        const int d = WorldNearest(*w, "lamp", o.x + o.width - 128, o.y + o.height - 128).distance;
        EXPECT_EQ(o.cornercolor[2], std::min((std::max(15 - d / 50, 0) + 1) * 0x111111, 0xFFFFFF)) << i;
    }

    // Without lamps, the shadow is full and points away from the first object.
    auto noLamps = std::make_unique<tworld>();
    Add(*noLamps, "rock", 0, 0, 1);
    Add(*noLamps, "rock", 0, 100, 1).height = 40;
    CastShadows(*noLamps, 1);
    EXPECT_EQ(noLamps->objects[1].shadow, 128);
    EXPECT_EQ(noLamps->objects[1].shadowangle, 180);
}
