// Results that stay right: the winner kept when slots move, the score held
// at its limits, tracks saved without what only a race puts in them, and
// messages that quote file content safely.
#include <climits>
#include <string>

#include "engine/quote.h"
#include "game/saved_files.h"
#include "sim_support.h"
#include "support.h"
#include "world/world_file.h"
#include "world_support.h"

namespace {

using namespace std::string_literals;

using RaceResult = SimTest;

TEST_F(RaceResult, TheWinnerStaysTheSameCarWhenABonusBeforeItGoes) {
    w->waypointcount = 2;
    w->waypoints[0] = {0, 0};
    w->waypoints[1] = {1000, 0};
    // A track whose file lists a bonus before the cars.
    AddObject("bn_spd", 500, 0, 32);
    const int computer = AddCar(2000, 0, 1);
    int player = AddCar(520, 0, 0);
    winner = computer;
    PickUpBonuses(*w, player, 0);
    ASSERT_EQ(w->count, 2) << "the bonus is taken";
    EXPECT_EQ(player, 1);
    EXPECT_EQ(winner, 0);
    EXPECT_EQ(At(winner).ai, 1);
    EXPECT_FALSE(PlayerWon(*w));
    playerlaps = 4;
    At(player).speed = 0;
    CheckPlayerFinish(*w, player);
    ASSERT_EQ(shown().size(), 1u);
    EXPECT_EQ(shown()[0], "wnd_fin_bad");
    EXPECT_EQ(progress, 0);
}

TEST_F(RaceResult, TheScoreStopsAtItsLimits) {
    AddObject("bn_oil", 500, 0, 32);
    int player = AddCar(510, 0, 0);
    score = INT32_MAX - 5;
    PickUpBonuses(*w, player, 0);
    EXPECT_EQ(score, INT32_MAX);
    score = INT32_MIN + 1;
    AddScore(-1000);
    EXPECT_EQ(score, INT32_MIN);

    EXPECT_EQ(ParseProfile("\x01\r\n2147483647\r\n"s).score, INT32_MAX);
    EXPECT_EQ(ParseProfile("\x01\r\n2147483648\r\n"s).score, INT32_MAX);
    EXPECT_EQ(ParseProfile("\x01\r\n99999999999999999999999\r\n"s).score, INT32_MAX);
    EXPECT_EQ(ParseProfile("\x01\r\n-2147483649\r\n"s).score, INT32_MIN);
    EXPECT_EQ(ParseProfile("\x01\r\n-99999999999999999999999\r\n"s).score, INT32_MIN);
}

TEST_F(RaceResult, SavedTracksHoldNoBonusesAndThePlayerInAJeep) {
    ScratchFolder scratch;
    AddObject("tree", 0, 0, 64);
    AddObject("bn_slw", 100, 0, 32);
    AddCar(200, 0, 0, 17, "tank");
    AddCar(300, 0, 1, 17, "tank");
    AddObject("bn_oil", 400, 0, 32);
    w->waypointcount = 1;
    w->waypoints[0] = {5, 6};
    const std::string path = scratch / "t.wld";
    ASSERT_TRUE(WorldSave(*w, path).ok);
    EXPECT_EQ(ReadFile(path),
              "3\r\n"
              "tree\r\n0\r\n0\r\n0\r\n0\r\n16777215\r\n"
              "jeep\r\n200\r\n0\r\n0\r\n0\r\n1193046\r\n"
              "tank\r\n300\r\n0\r\n1\r\n0\r\n1193046\r\n"
              "1\r\n5\r\n6\r\n");
}

TEST(Quote, EscapesControlBytesAndBoundsTheLength) {
    EXPECT_EQ(Quote("plain"), "\"plain\"");
    EXPECT_EQ(Quote("a\0b\x1b[31m\x7f"s), "\"a\\x00b\\x1B[31m\\x7F\"");
    EXPECT_EQ(Quote("say \"hi\"\\"), "\"say \\x22hi\\x22\\x5C\"");
    EXPECT_EQ(Quote(std::string(100, 'x'), 10), "\"xxxxxxxxxx\"...");
    // A cut never splits a character.
    EXPECT_EQ(Quote("абв", 3), "\"а\"...");
}

using QuotedLine = WorldTest;

TEST_F(QuotedLine, WorldFileMessagesQuoteTheLineSafely) {
    const std::string path = scratch / "bad.wld";
    WriteFile(path, "1\r\ntree\r\n1\0\x1b]0;owned\x07"s + std::string(200, '9') + "\r\n0\r\n0\r\n0\r\n0\r\n0\r\n");
    const WorldFileResult r = WorldLoad(*w, path);
    EXPECT_FALSE(r.ok);
    EXPECT_NE(r.message.find("\"1\\x00\\x1B]0;owned\\x07999"), std::string::npos) << r.message;
    for (const char c : r.message) EXPECT_GE(static_cast<unsigned char>(c), 0x20) << r.message;
    EXPECT_LT(r.message.size(), path.size() + 120);
}

}  // namespace
