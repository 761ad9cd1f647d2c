#include "world/race.h"

#include <cmath>

#include "engine/omega.h"
#include "engine/paths.h"
#include "game/shell.h"
#include "media/sound_base.h"
#include "media/texture_base.h"
#include "world/world_file.h"

int playerlaps = 0;
int winner = -1;
int playerx = 0, playery = 0;
void (*ShowWindowHook)(std::string_view name) = nullptr;
void (*RaceSoundHook)(std::string_view name, int pan, int volume, int frequency) = nullptr;

void ShowWindow(std::string_view name) {
    if (ShowWindowHook) ShowWindowHook(name);
}

void RaceSound(std::string_view name) {
    PlaySound(Sounds, name, false);
    if (RaceSoundHook) RaceSoundHook(name, 0, 0, 0);
}

void RaceSoundEx(std::string_view name, int pan, int volume, int frequency) {
    PlaySoundEx(Sounds, name, pan, volume, false, frequency);
    if (RaceSoundHook) RaceSoundHook(name, pan, volume, frequency);
}

void ResetRaceProgress() {
    playerlaps = 0;
    winner = -1;
}

void StartRace(std::string_view track, uint8_t mode) {
    ResetRaceProgress();
    racemode = mode;
    WorldLoad(world, WorldPath(track));
    gamestate = stRace;
}

bool PlayerWon(const tworld& w) { return winner >= 0 && winner < w.count && w.objects[winner].ai == 0; }

void CheckPlayerFinish(tworld& w, int i) {
    if (gamestate != stRace || playerlaps != 4 || w.objects[i].speed >= 1.1f) return;
    // A car pushed over the line at rest stops before its own controls could
    // claim the win: nobody was faster then.
    if (winner == -1) winner = i;
    RaceSound("get");
    const bool won = PlayerWon(w);
    if (racemode == 0) {
        if (won) {
            ShowWindow("wnd_fin_good");
            ++progress;
        } else {
            ShowWindow("wnd_fin_bad");
            score = score - 1000 > 0 ? score - 1000 : 0;
        }
    } else {
        ShowWindow(won ? "wnd_fin_good2" : "wnd_fin_bad2");
    }
    gamestate = stRaceOver;
}

CountdownPhase CountdownAt(double e) {
    struct Second {
        double from, to;
        const char* text;
        int tint;
    };
    static constexpr Second kSeconds[] = {{-1, 1000, "3", 0x0000FF},
                                          {1000, 2000, "2", 0x00AAFF},
                                          {2000, 3000, "1", 0x00FFAA},
                                          {3000, 4000, "Вперед!!!", 0x00FF00}};
    // Whole seconds belong to no phase: the countdown blinks off between
    // numbers for an instant.
    for (const Second& s : kSeconds) {
        if (e > s.from && e < s.to) return CountdownPhase{s.text, s.tint, e > s.to - 100};
    }
    return {};
}

void DrawCountdown() {
    const CountdownPhase phase = CountdownAt(std::fabs(racestart - racenow));
    if (!phase.text) return;
    if (phase.beep) RaceSound("start");
    FX_SetColorMix(phase.tint);
    SSprite_Draw(FindTexture(SharedTextures, "for"), 336, 236, 128, 128, 255, 0, FX_PLAIN | FX_COLORMIX);
    const int w = Text_GetWidth(font, phase.text, 1.0f, 0);
    Text_Draw(font, 404 - w, 272, phase.text, 2.0f, 0, 255, 0x022000);
    Text_Draw(font, 400 - w, 268, phase.text, 2.0f, 0, 255, 0x0FFFFF);
}
