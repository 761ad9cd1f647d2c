// The world's object list and the per-tick view: adding, removing, finding
// the nearest, what is on screen and the drawing order.
#include <algorithm>
#include <set>
#include <tuple>
#include <vector>

#include "engine/random.h"
#include "world/view.h"
#include "world_support.h"

using WorldModel = WorldTest;

TEST_F(WorldModel, OnScreenBordersAreStrictWithWidthAndTwiceTheHeight) {
    camera->x = 1000;
    camera->y = -500;
    tminimal& o = Add(*w, "tree", 0, 0);
    o.width = 64;
    o.height = 32;
    struct Case {
        int sx, sy;
        bool visible;
    };
    const Case cases[] = {
        {-64, 100, false}, {-63, 100, true},  // left: one width out
        {864, 100, false}, {863, 100, true},  // right: width + 800
        {100, -32, false}, {100, -31, true},  // top: one height
        {100, 664, false}, {100, 663, true},  // bottom: twice the height + 600
    };
    for (const Case& c : cases) {
        o.x = 1000 + c.sx;
        o.y = -500 + c.sy;
        EXPECT_EQ(WorldOnScreen(*w, 0), c.visible) << c.sx << "," << c.sy;
    }
}

TEST_F(WorldModel, AddObjectRefusesAnOccupiedPointAndAFullWorld) {
    EXPECT_TRUE(WorldAddObject(*w, "tree", 8, 16, 0, 1, 0x123456));
    EXPECT_FALSE(WorldAddObject(*w, "rock", 8, 16, 1, 0, 0));  // same point, other kind
    ASSERT_EQ(w->count, 1);
    EXPECT_EQ(w->objects[0].name, "tree");
    EXPECT_EQ(w->objects[0].dynamic, 1);
    EXPECT_EQ(w->objects[0].color, 0x123456);
    EXPECT_EQ(w->objects[0].cornercolor[3], 0xFFFFFF);
    EXPECT_TRUE(WorldAddObject(*w, "rock", 9, 16, 0, 0, 0));

    // A slot whose name was released does not block its point.
    w->objects[1].name.clear();
    EXPECT_TRUE(WorldAddObject(*w, "rock", 9, 16, 0, 0, 0));

    w->count = kWorldCapacity - 1;
    EXPECT_TRUE(WorldAddObject(*w, "last", -5, -5, 0, 0, 0));
    EXPECT_EQ(w->count, kWorldCapacity);
    EXPECT_FALSE(WorldAddObject(*w, "beyond", -6, -6, 0, 0, 0));
    EXPECT_FALSE(WorldAppend(*w, tminimal{}));
    EXPECT_EQ(w->count, kWorldCapacity);

    w->waypointcount = kWorldCapacity - 1;
    EXPECT_TRUE(WorldAddWaypoint(*w, 1, 2));
    EXPECT_FALSE(WorldAddWaypoint(*w, 3, 4));
    EXPECT_EQ(w->waypointcount, kWorldCapacity);
}

TEST_F(WorldModel, RemoveNamedTakesTheFirstMatchAndShiftsTheRestDown) {
    for (const char* name : {"a", "delete", "b", "delete", "c"}) Add(*w, name, 0, 0);
    for (int i = 0; i < w->count; ++i) w->objects[i].x = i;
    WorldRemoveNamed(*w, "delete");
    ASSERT_EQ(w->count, 4);
    const std::vector<std::pair<std::string, int>> expected{{"a", 0}, {"b", 2}, {"delete", 3}, {"c", 4}};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(w->objects[i].name, expected[i].first);
        EXPECT_EQ(w->objects[i].x, expected[i].second);
    }
    EXPECT_TRUE(w->objects[4].name.empty());  // the freed slot holds no object
    WorldRemoveNamed(*w, "none");
    EXPECT_EQ(w->count, 4);
    WorldClear(*w);
    EXPECT_EQ(w->count, 0);
    EXPECT_TRUE(w->objects[0].name.empty());
}

TEST_F(WorldModel, NearestPrefersTheLowestIndexOnTiesAndIsZeroWhenNoneExists) {
    EXPECT_EQ(WorldNearest(*w, "lamp", 10, 10).distance, 0);
    EXPECT_EQ(WorldNearest(*w, "lamp", 10, 10).index, 0);
    Add(*w, "tree", 100, 0);
    Add(*w, "lamp", 0, 30);
    Add(*w, "lamp", 30, 0);  // as near as the first lamp
    Add(*w, "lamp", 0, -31);
    NearestResult r = WorldNearest(*w, "lamp", 0, 0);
    EXPECT_EQ(r.index, 1);
    EXPECT_EQ(r.distance, 30);
    r = WorldNearest(*w, "lamp", 0, -20);
    EXPECT_EQ(r.index, 3);
    EXPECT_EQ(r.distance, 11);
    // sqrt(10 * 10 + 15 * 15) = 18.03 rounds to 18; the later lamp wins when nearer.
    w->objects[3].x = 40;
    w->objects[3].y = 10;
    r = WorldNearest(*w, "lamp", 50, 25);
    EXPECT_EQ(r.index, 3);
    EXPECT_EQ(r.distance, 18);
    EXPECT_EQ(WorldNearest(*w, "rock", 0, 0).index, 0);
}

TEST_F(WorldModel, BuildViewKeepsWhatIsOnScreenInWorldOrder) {
    camera->x = 0;
    camera->y = 0;
    for (int i = 0; i < 10; ++i) {
        tminimal& o = Add(*w, "o" + std::to_string(i), i % 2 ? 400 : 5000, 300);
        o.width = o.height = 10;
    }
    auto v = std::make_unique<tworld>();
    Add(*v, "stale", 0, 0);
    BuildView(*v, *w);
    ASSERT_EQ(v->count, 5);
    for (int i = 0; i < 5; ++i) EXPECT_EQ(v->objects[i].name, "o" + std::to_string(2 * i + 1));
}

TEST_F(WorldModel, SortViewPutsLandscapeFirstInItsOwnOrderThenSortsByY) {
    Randomize(7);
    auto v = std::make_unique<tworld>();
    std::multiset<std::tuple<int, std::string, int>> before;
    std::vector<std::string> landscapeOrder;
    for (int i = 0; i < 2000; ++i) {
        const bool landscape = Random(4) == 0;
        const std::string name = (landscape ? "lnd_" : "obj") + std::to_string(i);
        tminimal& o = Add(*v, name, i, Random(300) - 100);  // many equal y
        before.insert({o.y, o.name, o.x});
        if (landscape) landscapeOrder.push_back(name);
    }
    SortView(*v);
    ASSERT_EQ(v->count, 2000);
    std::multiset<std::tuple<int, std::string, int>> after;
    for (int i = 0; i < v->count; ++i) after.insert({v->objects[i].y, v->objects[i].name, v->objects[i].x});
    EXPECT_EQ(after, before);  // whole records moved, nothing lost or mixed up
    const int n = static_cast<int>(landscapeOrder.size());
    for (int i = 0; i < n; ++i) EXPECT_EQ(v->objects[i].name, landscapeOrder[i]);
    for (int i = n + 1; i < v->count; ++i) EXPECT_LE(v->objects[i - 1].y, v->objects[i].y) << i;

    // Without landscape the sort starts at the first object.
    auto plain = std::make_unique<tworld>();
    for (int y : {5, -3, 5, 0}) Add(*plain, "tree", 0, y);
    SortView(*plain);
    EXPECT_EQ(plain->objects[0].y, -3);
    EXPECT_EQ(plain->objects[1].y, 0);
    EXPECT_EQ(plain->objects[3].y, 5);
}
