// The ground laid from kept squares against the same view drawn patch by
// patch over the backdrop, with the game's own sprites, read back pixel by
// pixel: water meeting sand, patches laid over water, squares met again,
// worlds changed under them, squares laid ahead of a moving camera; and
// which squares lie ahead of it.
#include <array>
#include <map>
#include <utility>

#include "media/texture_base.h"
#include "world/draw_world.h"
#include "world/ground.h"
#include "world/ground_squares.h"
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

    void Draw(int x, int y, bool squares) {
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
    }

    std::vector<uint32_t> Shot(int x, int y, bool squares) {
        Draw(x, y, squares);
        return Host_ReadScreen();
    }

    // The number of pixels that differ, the first of them reported.
    static void ExpectSamePixels(const std::vector<uint32_t>& patches, const std::vector<uint32_t>& squares, int x,
                                 int y) {
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
    }

    void ExpectSame(int x, int y, bool laid = true) {
        const std::vector<uint32_t> patches = Shot(x, y, false), squares = Shot(x, y, true);
        ExpectSamePixels(patches, squares, x, y);
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

TEST_F(GroundSquares, CameraGoingAnyWayFindsTheSquaresAheadReady) {
    // Patches every half square, so each square keeps nine; lamps light
    // their corners unevenly.
    for (int x = -1536; x <= 1536; x += 128) {
        for (int y = -1536; y <= 1536; y += 128) Add(*w, (x + y) % 384 == 0 ? "lnd_road" : "lnd_sand", x, y);
    }
    Add(*w, "lamp", -300, -200);
    Add(*w, "lamp", 500, 300);
    Light();
    constexpr int kStep = 4, kFrames = 50;
    for (int sx = -1; sx <= 1; ++sx) {
        for (int sy = -1; sy <= 1; ++sy) {
            if (sx == 0 && sy == 0) continue;
            // From some way in from the squares' edges.
            int x = -512 + 112, y = -256 + 84;
            Draw(x, y, true);
            // Out past the next squares and back again, the squares ahead
            // turning round with it.
            for (int frame = 1; frame <= 2 * kFrames; ++frame) {
                const int way = frame <= kFrames ? 1 : -1;
                x += way * sx * kStep;
                y += way * sy * kStep;
                const std::string at =
                    "going " + std::to_string(sx) + "," + std::to_string(sy) + " frame " + std::to_string(frame);
                if (frame % 25 == 0) {
                    const std::vector<uint32_t> squares = Shot(x, y, true);
                    ExpectSamePixels(Shot(x, y, false), squares, x, y);
                } else {
                    Draw(x, y, true);
                }
                EXPECT_EQ(LastGroundWork().built, 0) << at;
                EXPECT_LE(LastGroundWork().laidAhead, 16) << at;
            }
        }
    }
    // Rushing into a square begun ahead: the rest of it is laid then. Road
    // and sand piled up in it, more than a frame lays ahead; lit anew, the
    // ground starts with no squares kept.
    for (int k = 0; k < 20; ++k) Add(*w, k % 2 ? "lnd_sand" : "lnd_road", 640, -100);
    Light();
    int x = -512 + 212, y = -256 + 84;
    Draw(x, y, true);
    Draw(x += kStep, y, true);
    EXPECT_GT(LastGroundWork().laidAhead, 0);
    x += 200;
    const std::vector<uint32_t> squares = Shot(x, y, true);
    EXPECT_GT(LastGroundWork().built, 0);
    ExpectSamePixels(Shot(x, y, false), squares, x, y);
}

// The squares a camera meets in the frames to come, against those it is
// given ahead: every square off the screen it meets soon is there, those
// met sooner first, and none further than a square past the screen's edge.
TEST(SquaresAhead, AreThoseTheCameraMeetsNext) {
    std::array<GroundSquare, kMostAhead> ahead;
    const auto onScreen = [](int x, int y, int column, int row) {
        return column >= SquareOf(x) && column <= SquareOf(x + kScreenWidth - 1) && row >= SquareOf(y) &&
               row <= SquareOf(y + kScreenHeight - 1);
    };
    for (auto [x, y] : {std::pair{112, 84}, {-4000, -3000}, {250, 170}, {-1, -1}}) {
        EXPECT_EQ(SquaresAhead(x, y, 0, 0, ahead), 0) << "a camera standing still";
        for (int sx = -1; sx <= 1; ++sx) {
            for (int sy = -1; sy <= 1; ++sy) {
                for (int speed : {3, 6, 40}) {
                    const int dx = sx * speed, dy = sy * speed;
                    // The frame in which each square off the screen is first
                    // met, the camera followed pixel by pixel.
                    std::map<std::pair<int, int>, int> met;
                    for (int p = 60 * speed; p >= 1; --p) {
                        const int mx = x + sx * p, my = y + sy * p;
                        for (int row = SquareOf(my); row <= SquareOf(my + kScreenHeight - 1); ++row) {
                            for (int column = SquareOf(mx); column <= SquareOf(mx + kScreenWidth - 1); ++column) {
                                if (!onScreen(x, y, column, row)) met[{column, row}] = (p + speed - 1) / speed;
                            }
                        }
                    }
                    const int n = SquaresAhead(x, y, static_cast<float>(dx), static_cast<float>(dy), ahead);
                    const std::string going = "from " + std::to_string(x) + "," + std::to_string(y) + " going " +
                                              std::to_string(dx) + "," + std::to_string(dy);
                    int last = 0;
                    for (int i = 0; i < n; ++i) {
                        const auto square = std::pair{ahead[i].column, ahead[i].row};
                        ASSERT_TRUE(met.contains(square))
                            << going << ": square " << square.first << "," << square.second << " is not met";
                        EXPECT_GE(met[square], last) << going << ": met sooner than the one before";
                        last = met[square];
                        const auto [column, row] = square;
                        EXPECT_TRUE(column >= SquareOf(x) - 1 && column <= SquareOf(x + kScreenWidth - 1) + 1 &&
                                    row >= SquareOf(y) - 1 && row <= SquareOf(y + kScreenHeight - 1) + 1)
                            << going << ": square " << square.first << "," << square.second << " is far";
                    }
                    for (const auto& [square, k] : met) {
                        if (k > 8 || k * speed > kGroundSide) continue;
                        EXPECT_TRUE(std::find_if(ahead.begin(), ahead.begin() + n,
                                                 [&](const GroundSquare& a) {
                                                     return a.column == square.first && a.row == square.second;
                                                 }) != ahead.begin() + n)
                            << going << ": square " << square.first << "," << square.second << " met in " << k
                            << " frames is not ahead";
                    }
                }
            }
        }
    }
    // Slowly, a square's side away: not yet.
    EXPECT_EQ(SquaresAhead(112, 84, 1, 0, ahead), 0);
    EXPECT_GT(SquaresAhead(112, 84, 6, 0, ahead), 0);
}

}  // namespace
