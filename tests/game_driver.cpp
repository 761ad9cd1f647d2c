#include "game_driver.h"

#include <gtest/gtest.h>

#include <memory>

#include "engine/host.h"
#include "engine/language.h"
#include "engine/paths.h"
#include "engine/random.h"
#include "game/shell.h"
#include "gui/element.h"
#include "media/language_textures.h"
#include "media/particles.h"
#include "media/sound_base.h"
#include "media/texture_base.h"
#include "world/race.h"
#include "world/world.h"

namespace {

void ClearWorld() {
    static const auto empty = std::make_unique<tworld>();
    world = *empty;
}

}  // namespace

void GameDriver::Start(const std::string& data, const std::string& user, uint64_t seed) {
    SetDataFolder(data);
    SetUserFolder(user);
    // The globals as a fresh program has them.
    progress = score = 0;
    difficulty = 1;
    profilename.clear();
    OE_SetScreenOptions(800, 600, 16, 0, 1, 1);
    Host_OpenHeadless();
    Host_RecordSounds(true);
    Host_SetTickHook([this] {
        ++ticks;
        if (afterTick) afterTick();
    });
    Randomize(seed);
    ticktimer = Timer_Create(GameTick, 30, 1);
    OE_RegProcedure(OE_PROC_DRAW, GameDraw);
    ClearWorld();
    gamestate = 0;
    GameInit();
}

void GameDriver::Stop() {
    Host_SetTickHook(nullptr);
    OE_RegProcedure(OE_PROC_DRAW, nullptr);
    ClearElements();
    for (TBase* base : {&ObjectTextures, &SharedTextures, &LanguageTextures[0], &LanguageTextures[1]}) {
        base->count = 0;
        base->index.clear();
    }
    SetLanguage(Language::Russian);
    Sounds = TS_List{};
    Particles.count = 0;
    ClearWorld();
    gamestate = 0;
    ticktimer = nullptr;
    camera = nullptr;
    font = nullptr;
    Host_Shutdown();
}

void GameDriver::Ticks(int n) {
    const int until = ticks + n;
    while (ticks < until) Host_RunFrame();
}

bool GameDriver::TicksUntil(const std::function<bool()>& done, int limit) {
    const int until = ticks + limit;
    while (!done()) {
        if (ticks >= until) return false;
        Host_RunFrame();
    }
    return true;
}

void GameDriver::Settle() {
    Ticks(1);
    Host_RunFrame();
}

void GameDriver::Key(int vk) {
    Host_KeyEvent(vk, true);
    Settle();
    Host_KeyEvent(vk, false);
    Settle();
}

void GameDriver::Button(int button, int x, int y) {
    Host_MouseMove(x, y);
    Host_MouseButton(button, true);
    Settle();
    Host_MouseButton(button, false);
    Settle();
}

void GameDriver::ClickOn(std::string_view name) {
    const ielement& e = ElementNamed(name);
    ASSERT_TRUE(e.visible && (!e.isChild || Elements[e.parent].visible)) << name << " is not on screen";
    const ielement::Point o = e.Origin();
    Button(MB_LEFT, o.x + e.x + e.width / 2, o.y + e.y + e.height / 2);
}

void GameDriver::Type(std::string_view box, std::string_view text) {
    ClickOn(box);
    while (!ElementNamed(box).caption.empty()) Key(VK_BACK);
    Host_TypeText(text);
    Settle();
    ASSERT_EQ(ElementNamed(box).caption, text);
}
