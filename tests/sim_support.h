// A small race world set up in code, with the keys, the sounds and the
// windows of the race observable.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "engine/host.h"
#include "engine/random.h"
#include "game/race_rules.h"
#include "game/shell.h"
#include "media/particles.h"
#include "world/race.h"
#include "world/simulation.h"

struct HeardSound {
    std::string name;
    int pan, volume, frequency;
};

class SimTest : public ::testing::Test {
  protected:
    void SetUp() override {
        Host_OpenHeadless();
        camera = Cam2D_Create();
        Randomize(7);
        w = std::make_unique<tworld>();
        Particles.count = 0;
        ResetRaceProgress();
        gamestate = stRace;
        racemode = 0;
        score = 0;
        progress = 0;
        racesetup = RaceSetup{};
        InstallRaceRules();
        heard().clear();
        shown().clear();
        RaceSoundHook = [](std::string_view name, int pan, int volume, int frequency) {
            heard().push_back({std::string(name), pan, volume, frequency});
        };
        ShowWindowHook = [](std::string_view name) { shown().emplace_back(name); };
    }
    void TearDown() override {
        RaceSoundHook = nullptr;
        ShowWindowHook = nullptr;
        camera = nullptr;
        Host_Shutdown();
    }

    static std::vector<HeardSound>& heard() {
        static std::vector<HeardSound> sounds;
        return sounds;
    }
    static std::vector<std::string>& shown() {
        static std::vector<std::string> windows;
        return windows;
    }
    int Heard(const std::string& name) const {
        int n = 0;
        for (const HeardSound& s : heard()) n += s.name == name;
        return n;
    }

    // A 64 x 64 vehicle at rest (radius 16), as a loaded world has it.
    int AddCar(int x, int y, uint8_t ai, int maxspeed = 15, const char* name = "jeep") {
        EXPECT_TRUE(WorldAddObject(*w, name, x, y, ai, 0, 0x123456));
        tminimal& car = w->objects[w->count - 1];
        car.width = car.height = 64;
        car.radius = 16;
        car.maxspeed = maxspeed;
        car.speed = 1.0f;
        car.frame = 13;
        return w->count - 1;
    }
    int AddObject(const char* name, int x, int y, int size, uint8_t dynamic = 0) {
        EXPECT_TRUE(WorldAddObject(*w, name, x, y, 0, dynamic, 0xFFFFFF));
        tminimal& o = w->objects[w->count - 1];
        o.width = o.height = size;
        o.radius = size / 4;
        return w->count - 1;
    }
    // A key goes down or up, and the next step sees it as a tick would.
    void Hold(int vk, bool down = true) {
        Host_KeyEvent(vk, down);
        raceinput = SampleRaceInput();
    }
    tminimal& At(int i) { return w->objects[i]; }

    std::unique_ptr<tworld> w;
};
