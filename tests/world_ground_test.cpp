// The ground laid from kept squares against the same view drawn patch by
// patch over the backdrop, with the game's own sprites, read back pixel by
// pixel: water meeting sand, patches laid over water, squares met again,
// worlds changed under them.
#include "media/texture_base.h"
#include "world/draw_world.h"
#include "world/ground.h"
#include "world/landscape_drawing.h"
#include "world/lighting.h"
#include "world/view.h"
#include "world/world_file.h"
#include "world_support.h"

namespace {

class GroundSquares : public WorldTest {
  protected:
    void SetUp() override {
        WorldTest::SetUp();
        LoadTextureFolder(ObjectTextures, TestDataFolder() + "/gfx/obj/");
    }

    std::vector<uint32_t> Shot(int x, int y, bool squares) {
        camera->x = x;
        camera->y = y;
        RebuildView(view, *w);
        Pr2D_Rect(0, 0, 800, 600, 0xFF00FF, 255, 1);  // the last frame, to be covered
        if (squares) {
            DrawScene(*w, view);
        } else {
            DrawBackdrop();
            DrawWorld(view);
        }
        return Host_ReadScreen();
    }

    // The number of pixels that differ, the first of them reported.
    void ExpectSame(int x, int y, bool laid = true) {
        const std::vector<uint32_t> patches = Shot(x, y, false), squares = Shot(x, y, true);
        ASSERT_EQ(patches.size(), squares.size());
        int differ = 0;
        for (size_t i = 0; i < patches.size(); ++i) {
            if (patches[i] == squares[i]) continue;
            if (differ++ == 0) {
                ADD_FAILURE() << "from " << x << "," << y << " pixel " << i % 800 << "," << i / 800 << ": " << std::hex
                              << patches[i] << " drawn, " << squares[i] << " from squares";
            }
        }
        EXPECT_EQ(differ, 0) << "from " << x << "," << y;
        camera->enabled = true;
        EXPECT_EQ(DrawGround(*w, view), laid ? Landscape() : -1) << "from " << x << "," << y;
        camera->enabled = false;
    }

    static int Landscape() {
        int n = 0;
        while (n < view.count && view.objects[n].name.starts_with("lnd")) ++n;
        return n;
    }

    void Light() {
        MeasureObjects(*w);
        LightCorners(*w);
    }
};

TEST_F(GroundSquares, BeachWaterAndSandAreLaidAsDrawn) {
    ASSERT_TRUE(WorldLoad(*w, TestDataFolder() + "/wld/beach1.wld").ok);
    int waters = 0;
    for (int i = 0; i < w->count; ++i) {
        tminimal& water = w->objects[i];
        if (water.name != "lnd_water") continue;
        ++waters;
        // Off every edge of the squares, with the corners wobbling apart.
        for (auto [dx, dy] : {std::pair{-400, -500}, {-123, -377}, {-700, -100}, {-10, -590}}) {
            for (int k = 0; k < 4; ++k) water.wateroffset[k] = {(k * 5 + dx) % 7 - 1, (k * 3 + dy) % 6};
            ExpectSame(water.x + dx, water.y + dy);
        }
    }
    EXPECT_GT(waters, 0);
}

TEST_F(GroundSquares, PatchesOverWaterAndChangedWorlds) {
    // Sand, water across a square's corner, then wet sand partly over the
    // water; lamps light the corners unevenly; all left of and above the origin.
    for (int x = -1536; x < 0; x += 256) {
        for (int y = -1024; y < 256; y += 256) Add(*w, "lnd_sand", x, y);
    }
    Add(*w, "lnd_water", -500, -480);
    Add(*w, "lnd_wetsand", -420, -300);
    Add(*w, "lnd_wetsand", -1100, -700);
    Add(*w, "lnd_water", -1000, -100);
    Add(*w, "lnd_road", -520, -200);
    Add(*w, "lnd_dirt", -1560, -800);
    Add(*w, "lamp", -800, -600);
    Add(*w, "lamp", -200, 0);
    Light();
    for (auto [x, y] : {std::pair{-900, -800}, {-800, -700}, {-1300, -400}, {-900, -800}, {-512, -512}}) {
        ExpectSame(x, y);
    }
    // A patch off screen in a square on screen, then gone: the square goes too.
    ExpectSame(-1300, -600);
    WorldRemoveNamed(*w, "lnd_dirt");
    Light();
    ExpectSame(-1600, -1000);
    // Edited: a patch gone, another moved, the lamps lighting anew.
    WorldRemoveAt(*w, 3);
    w->objects[10].x += 40;
    Light();
    ExpectSame(-900, -800);
    // A world that was never lit anew still shows what it holds on screen.
    w->objects[5].y -= 30;
    ExpectSame(-900, -800);
}

TEST_F(GroundSquares, GroundMostlyOverWaterIsDrawnPatchByPatch) {
    Add(*w, "lnd_sand", 0, 0);
    Add(*w, "lnd_water", 100, 50);
    for (int k = 0; k < 4; ++k) Add(*w, "lnd_wetsand", k * 90, 100 + k * 40);
    Light();
    ExpectSame(-300, -400, false);
    // Away from it the squares lay the backdrop alone.
    ExpectSame(-1400, -400);
}

}  // namespace
