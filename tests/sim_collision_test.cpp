// Collisions, pushing, bonus pick-up and the bonus spawner.
#include "sim_support.h"
#include "world/view.h"

namespace {

class Collisions : public SimTest {
  protected:
    // The camera centred on (x, y), as the race puts it on the player.
    void LookAt(int x, int y) {
        camera->x = x - 400;
        camera->y = y - 300;
    }
    // The same start for every race of a test: seed, no effects, no laps,
    // the camera on (500, 500) and the throttle held.
    void StartDriving() {
        Randomize(11);
        Particles.count = 0;
        ResetRaceProgress();
        LookAt(500, 500);
        raceinput = RaceInput{};
        raceinput.up = true;
    }
    // The step's grid over the world as it stands now.
    CollisionGrid& Grid() {
        static CollisionGrid grid;
        GridBuild(grid, *w);
        return grid;
    }
    // Bonuses, water, walls and barrels spread over spread x spread px,
    // never two on one spot, with a car among every fifty and a square loop
    // of waypoints.
    void Crowd(int spread) {
        const int side = 8;
        for (int k = 0; k < side; ++k) {
            EXPECT_TRUE(WorldAddWaypoint(*w, 300 + 60 * k, 300));
            EXPECT_TRUE(WorldAddWaypoint(*w, 300 + 60 * side, 300 + 60 * k));
        }
        for (int k = side - 1; k >= 0; --k) EXPECT_TRUE(WorldAddWaypoint(*w, 300 + 60 * k, 300 + 60 * side));
        for (int n = 0; n < 400; ++n) {
            const int x = 150 + n * 37 % spread, y = 150 + n * 53 % spread, pick = Random(8);
            if (pick == 0) {
                AddObject("bn_spd", x, y, 32, 1);
            } else if (pick == 1) {
                AddObject("lnd_water", x, y, 128);
            } else if (pick == 2) {
                AddObject("wall", x, y, 48 + Random(64));
            } else {
                AddObject("barrel", x, y, 16 + Random(48), 1);
            }
            if (n % 50 == 0) AddCar(x + 1, y, n == 0 ? 0 : 1, 10 + Random(10), vehiclenames[n / 50 % 4]);
        }
        LookAt(500, 500);
    }
    // The objects of `a` begin `b`, in the same places and moving alike.
    static void ExpectSameObjects(const tworld& a, const tworld& b) {
        ASSERT_LE(a.count, b.count);
        for (int i = 0; i < a.count; ++i) {
            EXPECT_EQ(a.objects[i].name, b.objects[i].name) << i;
            EXPECT_EQ(a.objects[i].x, b.objects[i].x) << i;
            EXPECT_EQ(a.objects[i].y, b.objects[i].y) << i;
            EXPECT_EQ(a.objects[i].speed, b.objects[i].speed) << i;
        }
    }
    int Named(const char* name) const {
        int n = 0;
        for (int i = 0; i < w->count; ++i) n += w->objects[i].name == name;
        return n;
    }
};

}  // namespace

TEST_F(Collisions, BonusIsTakenWithin49PixelsButNot50) {
    const int car = AddCar(1000, 1000, 0);
    AddObject("bn_spd", 1050, 1000, 32, 1);
    AddObject("bn_spd", 1000, 1049, 32, 1);
    LookAt(1000, 1000);
    VehicleAgainstObjects(*w, car, Grid());
    EXPECT_EQ(w->count, 2);
    EXPECT_EQ(At(1).x, 1050);
    EXPECT_EQ(score, 80);
    EXPECT_EQ(Heard("get"), 1);
    ASSERT_EQ(Particles.count, 11);
    for (int k = 0; k < 11; ++k) {
        const TEffect2d& e = Particles.effects[k];
        EXPECT_EQ(e.kind, "blow");
        EXPECT_EQ(e.color, 0xFF00FF);
        EXPECT_EQ(e.x, 1000);
        EXPECT_EQ(e.y, 1049);
        EXPECT_GE(e.dy, -4.0f);
        EXPECT_LE(e.dy, 0.0f);
    }
}

TEST_F(Collisions, ComputerCarsCollectWithoutPointsAndUnheardOffScreen) {
    const int car = AddCar(1000, 1000, 1);
    AddObject("bn_oil", 1010, 1040, 32, 1);
    LookAt(5000, 5000);
    VehicleAgainstObjects(*w, car, Grid());
    EXPECT_EQ(Named("bn_oil"), 0);
    EXPECT_EQ(score, 0);
    EXPECT_EQ(Heard("get"), 0);
    EXPECT_EQ(Particles.count, 11);
}

TEST_F(Collisions, ConsecutiveBonusesInTestingOrderAreBothTaken) {
    const int car = AddCar(1000, 1000, 0);
    AddObject("bn_slw", 1040, 1000, 32, 1);
    AddObject("bn_oil", 1000, 1040, 32, 1);
    VehicleAgainstObjects(*w, car, Grid());
    EXPECT_EQ(w->count, 1);
    EXPECT_EQ(score, 160);
}

TEST_F(Collisions, ConsecutiveBonusesAgainstTestingOrderTakeTwoSteps) {
    const int car = AddCar(1000, 1000, 0);
    AddObject("bn_oil", 1000, 1040, 32, 1);
    AddObject("bn_slw", 1040, 1000, 32, 1);
    VehicleAgainstObjects(*w, car, Grid());
    EXPECT_EQ(score, 150);
    ASSERT_EQ(w->count, 2);
    EXPECT_EQ(At(1).name, "bn_slw");
    VehicleAgainstObjects(*w, car, Grid());
    EXPECT_EQ(score, 160);
    EXPECT_EQ(w->count, 1);
}

TEST_F(Collisions, CarKeepsItsTurnWhenABonusBeforeItIsTaken) {
    AddObject("bn_spd", 1000, 1040, 32, 1);
    AddObject("tree", 3000, 3000, 64);
    const int car = AddCar(1000, 1000, 0);
    EXPECT_EQ(VehicleAgainstObjects(*w, car, Grid()), car - 1);
    EXPECT_EQ(At(car - 1).name, "jeep");
    EXPECT_EQ(At(0).x, 3000);  // the tree was not treated as the car
    WorldStep(*w);
    EXPECT_EQ(camera->x, At(1).x - 400);
}

TEST_F(Collisions, FixedObstaclePutsTheCarBackAndBumpsAboveSpeedNine) {
    const int car = AddCar(1000, 1000, 0);
    const int tree = AddObject("tree", 1030, 1000, 64);
    At(car).speed = 9.5f;
    VehicleAgainstObjects(*w, car, Grid());
    // Centres 30 apart, radii 2 x 16 and 16: 18 px deep, pushed straight back.
    EXPECT_EQ(At(car).x, 982);
    EXPECT_EQ(At(car).y, 1000);
    EXPECT_FLOAT_EQ(At(car).speed, 8.55f);
    EXPECT_EQ(At(tree).x, 1030);
    EXPECT_EQ(Heard("bum"), 1);
    At(car).x = 1000;
    At(car).speed = 9.0f;
    VehicleAgainstObjects(*w, car, Grid());
    EXPECT_FLOAT_EQ(At(car).speed, 8.1f);
    EXPECT_EQ(Heard("bum"), 1);
    At(car).ai = 1;  // computer cars crash silently
    At(car).x = 1000;
    At(car).speed = 12.0f;
    VehicleAgainstObjects(*w, car, Grid());
    EXPECT_EQ(Heard("bum"), 1);
}

TEST_F(Collisions, MovableObjectsGiveWayByDepthOverRadius) {
    const int car = AddCar(1000, 1000, 0);
    const int barrel = AddObject("barrel", 1030, 1000, 64, 1);
    const int speck = AddObject("speck", 1000, 1030, 2, 1);  // radius 0
    VehicleAgainstObjects(*w, car, Grid());
    EXPECT_EQ(At(barrel).x, 1034);  // 1030 + 4 x 18 / 16 = 1034.5, halves to even
    EXPECT_EQ(At(barrel).y, 1000);
    EXPECT_EQ(At(speck).x, 1000);
    EXPECT_EQ(At(speck).y, 1030);
}

TEST_F(Collisions, PropsShoveMovableObjectsOnScreenOnly) {
    const int a = AddObject("barrel", 500, 500, 64, 1);
    const int b = AddObject("barrel", 530, 500, 64, 1);
    const int wall = AddObject("wall", 470, 500, 64, 0);
    const int c = AddObject("barrel", 5000, 5000, 64, 1);
    const int d = AddObject("barrel", 5030, 5000, 64, 1);
    const int patch = AddObject("lnd_grass", 510, 500, 64, 1);
    // Off screen on the left, but touching a barrel on screen by its margin.
    const int outside = AddObject("barrel", 10, 700, 64, 1);
    const int edge = AddObject("barrel", 40, 700, 64, 1);
    LookAt(500, 500);
    CollisionGrid& grid = Grid();
    DynamicAgainstObjects(*w, a, grid);
    EXPECT_EQ(At(a).x, 500);  // the pusher stays
    EXPECT_EQ(At(b).x, 534);
    EXPECT_EQ(At(wall).x, 470);
    EXPECT_EQ(At(patch).x, 510);
    DynamicAgainstObjects(*w, c, grid);
    EXPECT_EQ(At(d).x, 5030);
    ASSERT_FALSE(WorldOnScreen(*w, outside));
    ASSERT_TRUE(WorldOnScreen(*w, edge));
    DynamicAgainstObjects(*w, outside, grid);
    EXPECT_EQ(At(edge).x, 44);
}

TEST_F(Collisions, SpawnerStopsAtSixBonuses) {
    w->waypointcount = 40;
    for (int k = 0; k < 40; ++k) w->waypoints[k] = {k * 200, 0};
    for (int k = 0; k < 6; ++k) AddObject("bn_slw", k * 200, 3000, 32, 1);
    for (int tick = 0; tick < 500; ++tick) SpawnBonuses(*w);
    EXPECT_EQ(w->count, 6);
    // With five out, one tick may add several.
    w->count = 5;
    int most = 0;
    for (int tick = 0; tick < 300; ++tick) {
        const int before = w->count;
        SpawnBonuses(*w);
        most = std::max(most, w->count - before);
        for (int i = 5; i < w->count; ++i) {
            const tminimal& b = w->objects[i];
            const Waypoint& p = w->waypoints[b.x / 200 + (b.x % 200 > 100)];
            EXPECT_TRUE(b.name == "bn_spd" || b.name == "bn_oil" || b.name == "bn_slw") << b.name;
            EXPECT_GE(b.x, p.x - 16);
            EXPECT_LE(b.x, p.x + 15);
            EXPECT_GE(b.y, p.y - 16);
            EXPECT_LE(b.y, p.y + 15);
            EXPECT_EQ(b.width, 32);
            EXPECT_EQ(b.radius, 8);
            EXPECT_EQ(b.dynamic, 1);
        }
        w->count = 5;
    }
    EXPECT_GE(most, 2);
}

TEST_F(Collisions, SpawnerLeavesTakenWaypointsAlone) {
    w->waypointcount = 1;
    w->waypoints[0] = {100, 100};
    AddObject("bn_oil", 120, 120, 32, 1);  // 28 px away
    for (int tick = 0; tick < 200; ++tick) SpawnBonuses(*w);
    EXPECT_EQ(w->count, 1);
    At(0).x = 130;  // 36 px away: free again
    for (int tick = 0; tick < 200 && w->count == 1; ++tick) SpawnBonuses(*w);
    EXPECT_EQ(w->count, 2);
}

// The grid only narrows down who is met: a crowded world steps exactly as
// the same world does when one far-off patch makes every test scan it whole.
TEST_F(Collisions, GridStepsTheCrowdAsTheWholeScanDoes) {
    Crowd(700);
    LookAt(500, 500);
    const auto far = std::make_unique<tworld>(*w);
    tminimal patch;
    patch.name = "lnd_sand";
    patch.x = 1 << 23;
    ASSERT_TRUE(WorldAppend(*far, patch));
    ASSERT_TRUE(Grid().usable);
    static CollisionGrid check;
    GridBuild(check, *far);
    ASSERT_FALSE(check.usable);

    const auto run = [this](tworld& world) {
        StartDriving();
        for (int tick = 0; tick < 300; ++tick) WorldStep(world);
    };
    const auto barrels = [](const tworld& world) {
        std::vector<Waypoint> found;
        for (int i = 0; i < world.count; ++i) {
            if (world.objects[i].name == "barrel") found.push_back({world.objects[i].x, world.objects[i].y});
        }
        return found;
    };
    const std::vector<Waypoint> placed = barrels(*w);
    run(*w);
    run(*far);
    ASSERT_EQ(far->count, w->count + 1);
    EXPECT_LT(w->count, 409);  // bonuses were taken
    ExpectSameObjects(*w, *far);
    const std::vector<Waypoint> shoved = barrels(*w);
    int moved = 0;
    for (size_t k = 0; k < placed.size(); ++k) moved += placed[k].x != shoved[k].x || placed[k].y != shoved[k].y;
    EXPECT_GT(moved, 20);
}

// The grid is kept from tick to tick and follows every move, spawn and
// pick-up: the race goes exactly as when it is filed afresh every time, and
// the view holds exactly what the whole world's scan finds on screen.
TEST_F(Collisions, GridKeptBetweenTicksRacesAsOneFiledAfresh) {
    Crowd(2000);
    const auto fresh = std::make_unique<tworld>(*w);
    const auto seen = std::make_unique<tworld>();
    const auto drawn = std::make_unique<tworld>();
    const auto race = [this, &seen, &drawn](tworld& world, bool forget) {
        StartDriving();
        int views = 0;
        for (int tick = 0; tick < 300; ++tick) {
            if (forget) world.revision = 0;
            SpawnBonuses(world);
            if (forget) world.revision = 0;
            WorldStep(world);
            if (forget) continue;
            BuildView(*seen, world);
            std::vector<int> onScreen;
            for (int i = 0; i < world.count; ++i) {
                if (WorldOnScreen(world, i)) onScreen.push_back(i);
            }
            EXPECT_EQ(seen->count, static_cast<int>(onScreen.size())) << tick;
            for (int k = 0; k < std::min<int>(seen->count, onScreen.size()); ++k) {
                const tminimal &a = seen->objects[k], &b = world.objects[onScreen[k]];
                EXPECT_TRUE(a.name == b.name && a.x == b.x && a.y == b.y) << tick << " " << k;
            }
            views += seen->count > 0 && seen->count < world.count;
            // Ordered on the world's slots, the view comes out as sorting
            // the copies would leave it.
            SortView(*seen);
            RebuildView(*drawn, world);
            EXPECT_EQ(drawn->count, seen->count);
            for (int k = 0; k < std::min(seen->count, drawn->count); ++k) {
                const tminimal &a = seen->objects[k], &b = drawn->objects[k];
                EXPECT_TRUE(a.name == b.name && a.x == b.x && a.y == b.y && a.speed == b.speed &&
                            a.wateroffset[0].dx == b.wateroffset[0].dx && a.wateroffset[3].dy == b.wateroffset[3].dy)
                    << tick << " " << k;
            }
        }
        return views;
    };
    EXPECT_GT(race(*w, false), 0);
    race(*fresh, true);
    ASSERT_EQ(w->count, fresh->count);
    ExpectSameObjects(*w, *fresh);
    int bonuses = 0;
    for (int i = 0; i < w->count; ++i) bonuses += HasPrefix(w->objects[i].name, "bn");
    EXPECT_GT(bonuses, 0);
}
