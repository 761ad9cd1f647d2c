#include "game/race_overlay.h"

#include "engine/language.h"
#include "engine/omega.h"
#include "game/game_texts.h"
#include "game/ghost.h"
#include "game/number_text.h"
#include "game/race_times.h"
#include "game/shell.h"
#include "media/particles.h"
#include "media/texture_base.h"
#include "world/draw_world.h"
#include "world/minimap.h"
#include "world/race.h"

void LapText(std::string& out, int laps) { NumberText(out, "", laps + 1, Tr(kLapText)); }
void ScoreText(std::string& out, int points) { NumberText(out, Tr(kScoreText), points); }

namespace {

// Text with a dark green shadow `offset` pixels right of and below it.
void ShadowedText(const std::string& text, int x, int y, int offset) {
    Text_Draw(font, x + offset, y + offset, text, 1.0f, 0, 255, 0x022000);
    Text_Draw(font, x, y, text, 1.0f, 0, 255, 0xFFFFFF);
}

void DrawHeadUpDisplay() {
    static std::string laps, points;  // rebuilt every frame in the same buffers

    Pr2D_Rect(116, 32, 116, 64, 0x000000, 64, 1);
    LapText(laps, playerlaps);
    ShadowedText(laps, 128, 48, 2);

    Pr2D_Rect(578, 20, 180, 80, 0x000000, 64, 1);
    SSprite_Draw(FindTexture(ObjectTextures, "bn_slw1"), 620, 32, 32, 32, 255, 0, FX_PLAIN);
    SSprite_Draw(FindTexture(ObjectTextures, "bn_spd1"), 652, 32, 32, 32, 255, 0, FX_PLAIN);
    SSprite_Draw(FindTexture(ObjectTextures, "bn_oil1"), 684, 32, 32, 32, 255, 0, FX_PLAIN);

    ScoreText(points, score);
    ShadowedText(points, 672 - Text_GetWidth(font, points, 1.0f, 0) / 2, 56, 2);
}

}  // namespace

void DrawRaceScreen() {
    DrawScene(world, view);
    DrawGhost();
    DrawEffects(Particles);
    SSprite_Draw(FindTexture(SharedTextures, "g_wh"), 0, 0, 128, 128, 255, 0, FX_PLAIN);
    DrawMinimap(world);
    DrawCountdown();
    DrawHeadUpDisplay();
    DrawRaceTimes();
}
