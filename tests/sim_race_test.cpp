// Race progress: computer drivers on the waypoint loop, the player's laps,
// the finish, the result and the countdown.
#include "sim_support.h"

namespace {

class RaceProgress : public SimTest {
  protected:
    // Ten waypoints 1000 px apart along a line.
    void TenWaypoints() {
        w->waypointcount = 10;
        for (int k = 0; k < 10; ++k) w->waypoints[k] = {k * 1000, 0};
    }
};

}  // namespace

TEST_F(RaceProgress, ComputerCarAimsAtItsTargetAndAdvancesOnePerStep) {
    w->waypointcount = 3;
    w->waypoints[0] = {100, 100};
    w->waypoints[1] = {150, 100};  // also within reach
    w->waypoints[2] = {100, 400};
    const int car = AddCar(100, 100 + 50, 1);
    ComputerSteer(*w, car);
    EXPECT_EQ(At(car).waypoint, 1);
    EXPECT_EQ(At(car).heading, 90);  // straight up to the target
    EXPECT_FLOAT_EQ(At(car).frame, 1);
    EXPECT_EQ(At(car).throttle, 1);
    ComputerSteer(*w, car);
    EXPECT_EQ(At(car).waypoint, 2);
    ComputerSteer(*w, car);  // 250 px away: still driving to it
    EXPECT_EQ(At(car).waypoint, 2);
    EXPECT_EQ(At(car).laps, 0);
}

TEST_F(RaceProgress, ComputerLapsAtTheWrapAndFinishesAfterFour) {
    TenWaypoints();
    const int first = AddCar(9000, 50, 1);
    const int second = AddCar(9000, -50, 1);
    At(first).waypoint = At(second).waypoint = 9;
    ComputerSteer(*w, first);
    EXPECT_EQ(At(first).waypoint, 0);
    EXPECT_EQ(At(first).laps, 1);
    // Finishing the fourth lap at the wrap is not yet the finish: waypoint 0
    // has to be reached once more.
    At(first).laps = 3;
    At(first).waypoint = 9;
    ComputerSteer(*w, first);
    EXPECT_EQ(At(first).laps, 4);
    EXPECT_EQ(At(first).throttle, 1);
    EXPECT_EQ(winner, -1);
    for (int car : {first, second}) {
        At(car).laps = 4;
        At(car).waypoint = 0;
        At(car).x = 30;
    }
    ComputerSteer(*w, first);
    EXPECT_EQ(At(first).waypoint, 1);
    EXPECT_EQ(At(first).throttle, 0);
    EXPECT_EQ(winner, first);
    ComputerSteer(*w, second);
    EXPECT_EQ(At(second).throttle, 0);
    EXPECT_EQ(winner, first);  // a later finisher changes nothing
    ComputerSteer(*w, first);  // and it stays without throttle
    EXPECT_EQ(At(first).waypoint, 1);
    EXPECT_EQ(At(first).throttle, 0);
}

TEST_F(RaceProgress, PlayersLapCountsOnlyFromTheLastWaypoint) {
    TenWaypoints();
    tminimal car;
    for (int x : {2000, 9000}) {
        car.x = x;
        TrackPlayerWaypoints(*w, car);
        EXPECT_EQ(car.waypoint, 0);  // while at 0 only 0 and 1 are accepted
    }
    car.x = 1000;
    TrackPlayerWaypoints(*w, car);
    EXPECT_EQ(car.waypoint, 1);
    car.x = 3100;  // waypoints between need not all be passed
    TrackPlayerWaypoints(*w, car);
    EXPECT_EQ(car.waypoint, 3);
    car.x = 100;
    TrackPlayerWaypoints(*w, car);
    EXPECT_EQ(car.waypoint, 0);
    EXPECT_EQ(playerlaps, 0);  // from 3 to 0 is no lap
    car.waypoint = 9;
    car.x = -150;
    TrackPlayerWaypoints(*w, car);
    EXPECT_EQ(playerlaps, 1);
    car.x = -500;  // out of reach of any waypoint: nothing changes
    TrackPlayerWaypoints(*w, car);
    EXPECT_EQ(car.waypoint, 0);
    EXPECT_EQ(playerlaps, 1);
    // Within 160 px of two waypoints the lower index wins.
    w->waypoints[4] = {5000, 0};
    w->waypoints[5] = {5100, 0};
    car.waypoint = 3;
    car.x = 5050;
    TrackPlayerWaypoints(*w, car);
    EXPECT_EQ(car.waypoint, 4);
}

TEST_F(RaceProgress, OneWaypointLoopCountsNoLaps) {
    w->waypointcount = 1;
    tminimal car;
    for (int step = 0; step < 5; ++step) TrackPlayerWaypoints(*w, car);
    EXPECT_EQ(playerlaps, 0);
}

TEST_F(RaceProgress, PlayerFinishesCoastsAndTakesTheResult) {
    TenWaypoints();
    const int player = AddCar(-150, 0, 0);
    const int rival = AddCar(5000, 300, 1);
    At(player).waypoint = 9;
    At(player).speed = 15;
    At(player).velx = -1;
    playerlaps = 3;
    score = 1500;
    Hold(VK_UP);
    WorldStep(*w);
    EXPECT_EQ(playerlaps, 4);
    EXPECT_EQ(winner, -1);
    WorldStep(*w);  // from now on no throttle, and the win
    EXPECT_EQ(At(player).throttle, 0);
    EXPECT_EQ(winner, player);
    int steps = 1;
    while (gamestate == stRace && steps < 100) {
        EXPECT_TRUE(shown().empty()) << "shown while rolling at " << At(player).speed;
        WorldStep(*w);
        ++steps;
    }
    EXPECT_EQ(steps, 26);  // about 0.8 s to roll to rest from 15
    EXPECT_EQ(gamestate, stRaceOver);
    ASSERT_EQ(shown().size(), 1u);
    EXPECT_EQ(shown()[0], "wnd_fin_good");
    EXPECT_EQ(progress, 1);
    EXPECT_EQ(score, 1500);
    EXPECT_EQ(Heard("get"), 1);
    EXPECT_EQ(At(rival).laps, 0);
}

TEST_F(RaceProgress, ResultWindowsAndLostPoints) {
    struct Case {
        uint8_t mode;
        bool playerWins;
        int scoreBefore, scoreAfter, progressAfter;
        const char* window;
    };
    const Case cases[] = {{0, false, 700, 0, 0, "wnd_fin_bad"},    {0, false, 1500, 500, 0, "wnd_fin_bad"},
                          {0, false, 1000, 0, 0, "wnd_fin_bad"},   {0, true, 700, 700, 1, "wnd_fin_good"},
                          {1, true, 700, 700, 0, "wnd_fin_good2"}, {1, false, 700, 700, 0, "wnd_fin_bad2"}};
    const int player = AddCar(0, 0, 0);
    const int rival = AddCar(500, 0, 1);
    for (const Case& c : cases) {
        gamestate = stRace;
        racemode = c.mode;
        score = c.scoreBefore;
        progress = 0;
        playerlaps = 4;
        winner = c.playerWins ? player : rival;
        shown().clear();
        At(player).speed = 1.0f;
        CheckPlayerFinish(*w, player);
        EXPECT_EQ(gamestate, stRaceOver);
        ASSERT_EQ(shown().size(), 1u);
        EXPECT_EQ(shown()[0], c.window);
        EXPECT_EQ(score, c.scoreAfter) << c.scoreBefore;
        EXPECT_EQ(progress, c.progressAfter);
    }
    // Still rolling, or loading a track in the editor after a race: no result.
    gamestate = stRace;
    At(player).speed = 1.1f;
    CheckPlayerFinish(*w, player);
    gamestate = stEditor;
    At(player).speed = 1.0f;
    CheckPlayerFinish(*w, player);
    EXPECT_EQ(gamestate, stEditor);
    EXPECT_EQ(shown().size(), 1u);
}

TEST(Countdown, PhasesAndTheStartBeep) {
    struct Case {
        double ms;
        const char* text;
        int tint;
        bool beep;
    };
    const Case cases[] = {{0, "3", 0x0000FF, false},           {900, "3", 0x0000FF, false},
                          {999, "3", 0x0000FF, true},          {1000, nullptr, 0, false},
                          {1001, "2", 0x00AAFF, false},        {2500, "1", 0x00FFAA, false},
                          {3000, nullptr, 0, false},           {3500, "Вперед!!!", 0x00FF00, false},
                          {3999, "Вперед!!!", 0x00FF00, true}, {4000, nullptr, 0, false}};
    for (const Case& c : cases) {
        const CountdownPhase phase = CountdownAt(c.ms);
        if (!c.text) {
            EXPECT_EQ(phase.text, nullptr) << c.ms;
            continue;
        }
        ASSERT_NE(phase.text, nullptr) << c.ms;
        EXPECT_STREQ(phase.text, c.text);
        EXPECT_EQ(phase.tint, c.tint);
        EXPECT_EQ(phase.beep, c.beep) << c.ms;
    }
}
