// The game played through its menus with the real data: a fresh player's
// folder, clicks on the real buttons, races driven by the autopilot.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "engine/host.h"
#include "game/autopilot.h"
#include "game/shell.h"
#include "game_driver.h"
#include "gui/element.h"
#include "support.h"

class FlowTest : public ::testing::Test, public GameDriver {
  protected:
    void TearDown() override {
        if (running_) Stop();
    }

    void Launch() {
        Start(TestDataFolder(), user.path().string());
        running_ = true;
    }
    // The game ended and started again on the same player's folder.
    void Relaunch() {
        Stop();
        Launch();
    }
    std::string UserFile(const std::string& name) const { return ReadFile(user / name); }
    void WriteUserFile(const std::string& name, const std::string& bytes) const {
        std::filesystem::create_directories((user.path() / name).parent_path());
        WriteFile(user / name, bytes);
    }
    static bool Shown(std::string_view name) { return ElementNamed(name).visible; }
    // From the menu: the tournament screen, difficulty turned to easy, and its
    // race started.
    void StartEasyTournamentRace() {
        ClickOn("btn_tr");
        ClickOn("btn_pow");
        ClickOn("btn_pow");
        ClickOn("btn_start_tr");
        ASSERT_EQ(gamestate, stRace);
    }

    // Drives the race now running to its result window, the autopilot
    // holding the keys after `wait` ticks of standing still. Races run
    // without drawing; the frame after the result is drawn again.
    void DriveToResult(int wait = 0) {
        RaceAutopilot pilot;
        const int begin = ticks;
        afterTick = [&] {
            if (gamestate == stRace) lastRaceScore = score;
            if (ticks - begin >= wait) pilot.Tick();
        };
        HostConfig config = Host_Config();
        config.noDraw = true;
        Host_Configure(config);
        const bool over = TicksUntil([] { return gamestate == stRaceOver; }, wait + 12000);
        config.noDraw = false;
        Host_Configure(config);
        afterTick = nullptr;
        Settle();
        ASSERT_TRUE(over) << "no result within the time";
    }

    // A picture of the screen as it stands, in the build's screens folder.
    static void Screenshot(const std::string& name) {
        const std::filesystem::path folder = std::filesystem::path(TestDataFolder()).parent_path() / "screens";
        std::filesystem::create_directories(folder);
        Host_RunFrame();
        EXPECT_TRUE(Host_SaveScreenshot((folder / (name + ".png")).string())) << name;
    }

    ScratchFolder user;
    int lastRaceScore = 0;

  private:
    bool running_ = false;
};
