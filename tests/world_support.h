// A headless screen, a camera, an update timer and empty texture bases for
// the world tests; worlds live on the heap (a tworld is about a megabyte).
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "engine/host.h"
#include "engine/omega.h"
#include "game/shell.h"
#include "media/texture_base.h"
#include "support.h"
#include "world/race.h"
#include "world/world.h"

class WorldTest : public ::testing::Test {
  protected:
    void SetUp() override {
        Host_OpenHeadless();
        Host_BeginTestFrame();
        camera = Cam2D_Create();
        Cam2D_Set(camera);
        ticktimer = Timer_Create(nullptr, 30, 1);
        ClearBases();
    }
    void TearDown() override {
        ClearBases();
        camera = nullptr;
        ticktimer = nullptr;
        Host_Shutdown();
    }

    static void ClearBases() {
        for (TBase* base : {&ObjectTextures, &SharedTextures}) {
            base->count = 0;
            base->index.clear();
        }
    }
    // A solid texture of that name in the base.
    void Texture(TBase& base, const std::string& name, int w, int h, uint32_t colour, uint8_t alpha = 255) {
        const std::string path = scratch / (name + ".tga");
        WriteSolidTga(path, w, h, colour, alpha);
        LoadTexture(base, path);
    }
    tminimal& Add(tworld& into, const std::string& name, int x, int y, uint8_t dynamic = 0) {
        tminimal o;
        o.name = name;
        o.x = x;
        o.y = y;
        o.dynamic = dynamic;
        WorldAppend(into, o);
        return into.objects[into.count - 1];
    }

    ScratchFolder scratch;
    std::unique_ptr<tworld> w = std::make_unique<tworld>();
};
