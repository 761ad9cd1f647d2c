// Many single races in one game, started through the menus and driven by the
// autopilot: every race reaches its result window, and the game's resident
// memory stays flat. Slow, so it runs only when asked: scripts/soak.sh.
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>

#include "flow_support.h"

namespace {

long ResidentKilobytes() {
    std::ifstream statm("/proc/self/statm");
    long size = 0, resident = 0;
    statm >> size >> resident;
    return resident * (sysconf(_SC_PAGESIZE) / 1024);
}

constexpr int kWarmUp = 16;  // every track once, so every landscape and its pictures

int SoakRaces() {
    const char* races = std::getenv("KOLVETRA_SOAK_RACES");
    return races ? std::max(kWarmUp + 8, std::atoi(races)) : 48;
}

class SoakTest : public FlowTest {
  protected:
    // Both result windows have their "Продолжить" in the same place. The lost
    // race's button shares its name with one of the pause window, so it is
    // clicked by place, as a player would.
    void ClickContinue() {
        const ielement& e = ElementNamed("btn_co2");
        const ielement::Point o = e.Origin();
        Button(MB_LEFT, o.x + e.x + e.width / 2, o.y + e.y + e.height / 2);
    }
};

}  // namespace

TEST_F(SoakTest, DISABLED_ManyRacesThroughTheMenusKeepMemoryFlat) {
    WriteUserFile("prf/Player", std::string(1, '\x10') + "\r\n0\r\n");  // every track and vehicle open
    Launch();
    Host_RecordSounds(false);  // the test's log of every sound would grow with each race
    ASSERT_EQ(gamestate, stMenu);
    ClickOn("btn_sr");
    ASSERT_EQ(gamestate, stSingleRace);
    const int races = SoakRaces();
    long settled = 0, highest = 0;
    for (int race = 0; race < races; ++race) {
        ClickOn("btn_start_tr2");
        ASSERT_EQ(gamestate, stRace) << "race " << race;
        DriveToResult();
        const bool won = Shown("wnd_fin_good2");
        ASSERT_TRUE(won || Shown("wnd_fin_bad2")) << "race " << race << " has no result window";
        ClickContinue();
        ASSERT_EQ(gamestate, stSingleRace) << "race " << race;
        ClickOn("btn_cus_up");
        if (race % 5 == 4) ClickOn("btn_car_up2");
        const long rss = ResidentKilobytes();
        std::printf("race %d: %s, resident %ld kB\n", race + 1, won ? "won" : "lost", rss);
        if (race + 1 == kWarmUp) settled = rss;
        if (race + 1 > kWarmUp) highest = std::max(highest, rss);
    }
    // Flat: after the warm-up, at most a little allocator slack.
    EXPECT_LT(highest - settled, 2 * 1024) << "from " << settled << " kB after " << kWarmUp << " races";
}
