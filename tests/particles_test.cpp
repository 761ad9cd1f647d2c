// The particle system: the update order with its skipped effect, falling,
// fading out, removal, capacity, drawing, and the circle gap test.
#include "media/particles.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "engine/host.h"
#include "engine/random.h"
#include "game/shell.h"
#include "media/texture_base.h"
#include "support.h"

namespace {

void Emit(Tpart_sys& s, const char* kind, int fade, float x = 0, float y = 0, float dx = 0, float dy = 0) {
    EmitEffect(s, kind, fade, x, y, dx, dy, 10, 0xFFFFFF);
}

}  // namespace

TEST(Particles, EffectBehindASpentOneIsNotAdvancedInThatPass) {
    auto s = std::make_unique<Tpart_sys>();
    Emit(*s, "light", 255, 0, 0, 1, 0);  // A: spent on its first update
    Emit(*s, "smoke", 1, 100, 0, 1, 0);  // B
    Emit(*s, "smoke", 1, 200, 0, 1, 0);  // C
    UpdateEffects(*s);
    ASSERT_EQ(s->count, 2);
    EXPECT_FLOAT_EQ(s->effects[0].x, 100);  // B slid into A's slot after A's update
    EXPECT_EQ(s->effects[0].alpha, 255);
    EXPECT_FLOAT_EQ(s->effects[1].x, 201);  // C was advanced
    UpdateEffects(*s);
    EXPECT_FLOAT_EQ(s->effects[0].x, 101);  // B from the next pass on
    EXPECT_FLOAT_EQ(s->effects[1].x, 202);
}

// The pass as the slots themselves move: each visit updates what stands in
// its slot, then the first spent effect is taken out and the rest move down.
void UpdateSlidingOneByOne(Tpart_sys& s) {
    const int n = s.count;
    for (int i = 0; i < n; ++i) {
        if (i < s.count) UpdateEffect(s.effects[i]);
        for (int k = 0; k < s.count; ++k) {
            if (s.effects[k].kind != "delete") continue;
            std::rotate(s.effects.begin() + k, s.effects.begin() + k + 1, s.effects.begin() + s.count);
            --s.count;
            break;
        }
    }
}

TEST(Particles, PassMatchesTheSlotsMovingDownOneByOne) {
    Randomize(5);
    auto fast = std::make_unique<Tpart_sys>();
    auto slow = std::make_unique<Tpart_sys>();
    const char* kinds[] = {"smoke", "blow", "light"};
    int removed = 0;
    for (int pass = 0; pass < 400; ++pass) {
        // Bursts of effects that die within a few passes, some at once.
        for (int k = Random(12); k > 0; --k) {
            const char* kind = kinds[Random(3)];
            const int fade = Random(4) == 0 ? 255 : 20 + Random(120);
            const float x = static_cast<float>(Random(1000)), dx = static_cast<float>(Random(7)) - 3;
            Emit(*fast, kind, fade, x, 0, dx, 1);
            Emit(*slow, kind, fade, x, 0, dx, 1);
        }
        const int before = fast->count;
        UpdateEffects(*fast);
        UpdateSlidingOneByOne(*slow);
        removed += before - fast->count;
        ASSERT_EQ(fast->count, slow->count) << pass;
        for (int i = 0; i < fast->count; ++i) {
            const TEffect2d &a = fast->effects[i], &b = slow->effects[i];
            ASSERT_TRUE(a.kind == b.kind && a.x == b.x && a.y == b.y && a.alpha == b.alpha && a.fall == b.fall)
                << pass << " " << i;
        }
    }
    EXPECT_GT(removed, 500);
}

TEST(Particles, LightsFallAndSmokeDoesNot) {
    auto s = std::make_unique<Tpart_sys>();
    Emit(*s, "light", 1, 0, 0, 0, 0);
    Emit(*s, "smoke", 1, 0, 0, 0.5f, -1);
    const float falls[] = {0.4f, 1.2f, 2.4f};
    for (float y : falls) {
        UpdateEffects(*s);
        EXPECT_NEAR(s->effects[0].y, y, 1e-5);
    }
    EXPECT_FLOAT_EQ(s->effects[1].fall, 0);
    EXPECT_FLOAT_EQ(s->effects[1].x, 1.5f);
    EXPECT_FLOAT_EQ(s->effects[1].y, -3);
}

TEST(Particles, BlowIsRemovedOnItsNineteenthUpdate) {
    auto s = std::make_unique<Tpart_sys>();
    Emit(*s, "blow", 14);
    for (int i = 1; i <= 18; ++i) {
        UpdateEffects(*s);
        ASSERT_EQ(s->count, 1) << i;
    }
    EXPECT_EQ(s->effects[0].alpha, 255 - 18 * 14);
    UpdateEffects(*s);
    EXPECT_EQ(s->count, 0);
}

TEST(Particles, RemoveTakesTheFirstOfAKindAndAFullSystemDropsNewEffects) {
    auto s = std::make_unique<Tpart_sys>();
    Emit(*s, "smoke", 1, 1);
    Emit(*s, "light", 1, 2);
    Emit(*s, "smoke", 1, 3);
    RemoveEffect(*s, "fog");
    EXPECT_EQ(s->count, 3);
    RemoveEffect(*s, "smoke");
    ASSERT_EQ(s->count, 2);
    EXPECT_EQ(s->effects[0].kind, "light");
    EXPECT_FLOAT_EQ(s->effects[1].x, 3);

    while (s->count < kEffectCapacity) Emit(*s, "smoke", 1, 7);
    Emit(*s, "light", 1, 9);
    EXPECT_EQ(s->count, 4097);
    EXPECT_FLOAT_EQ(s->effects[4096].x, 7);
}

TEST(Particles, CirclesOverlapOnlyWhenCloserThanTheirRadii) {
    float gap = -1;
    EXPECT_FALSE(CirclesOverlap(0, 0, 30, 40, 20, 30, gap));  // touching
    EXPECT_FLOAT_EQ(gap, 0);
    EXPECT_TRUE(CirclesOverlap(0, 0, 30, 40, 25, 30, gap));
    EXPECT_FLOAT_EQ(gap, 5);
    EXPECT_FALSE(CirclesOverlap(0, 0, 30, 40, 10, 10, gap));
    EXPECT_FLOAT_EQ(gap, 30);
}

TEST(Particles, DrawnWithTheirSpriteBlendAndCamera) {
    Host_OpenHeadless();
    ScratchFolder dir;
    WriteSolidTga(dir / "light.tga", 8, 8, 0xFFFFFF);
    WriteSolidTga(dir / "smoke.tga", 8, 8, 0xFFFFFF);
    LoadTextureFolder(SharedTextures, dir.path().string() + "/");
    OE_Camera* camera = Cam2D_Create();
    Cam2D_Set(camera);
    camera->x = 100;
    camera->y = 50;
    Host_BeginTestFrame();
    auto s = std::make_unique<Tpart_sys>();
    EmitEffect(*s, "light", 4, 40, 40, 0, 0, 10, 0x0000FF);    // screen: x centred, y the top edge
    EmitEffect(*s, "smoke", 4, 400, 300, 0, 0, 10, 0x00FF00);  // world, centred
    EmitEffect(*s, "blow", 4, 500, 300, 0, 0, 10, 0x404040);
    EmitEffect(*s, "delete", 4, 600, 300, 0, 0, 10, 0xFFFFFF);
    DrawEffects(*s);
    EXPECT_EQ(Host_ReadPixel(36, 41), 0x0000FFu);
    EXPECT_EQ(Host_ReadPixel(36, 38), 0x000000u);
    EXPECT_EQ(Host_ReadPixel(296, 246), 0x00FF00u);
    EXPECT_EQ(Host_ReadPixel(396, 246), 0x404040u);
    EXPECT_EQ(Host_ReadPixel(496, 246), 0x000000u);  // spent effects are not drawn
    SharedTextures = TBase{};
    Host_Shutdown();
}
