#include "world/race.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "engine/language.h"
#include "engine/omega.h"
#include "media/sound_base.h"
#include "media/texture_base.h"

RaceInput raceinput;
RaceSetup racesetup;
int playerlaps = 0;
int winner = -1;
int playerx = 0, playery = 0;
double racestart = 0;
double racenow = 0;
OE_Camera* camera = nullptr;
OE_Timer* ticktimer = nullptr;
void (*FinishHook)(tworld& w, int car) = nullptr;
void (*PointsHook)(int points) = nullptr;
void (*ShowWindowHook)(std::string_view name) = nullptr;
void (*PlayerJoltHook)(float strength) = nullptr;
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

void RestartRaceTick() {
    if (!ticktimer) return;
    ticktimer->enabled = true;
    ticktimer->lastRun = racestart;
}

bool PlayerWon(const tworld& w) { return winner >= 0 && winner < w.count && w.objects[winner].ai == 0; }

void CheckPlayerFinish(tworld& w, int i) {
    if (playerlaps != kRaceLaps || w.objects[i].speed >= 1.1f || !FinishHook) return;
    FinishHook(w, i);
}

void ClaimFinish(int i) {
    if (winner == -1) winner = i;
    RaceSound("get");
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
    const char* text = Tr(phase.text);
    const int w = Text_GetWidth(font, text, 1.0f, 0);
    Text_Draw(font, kScreenWidth / 2 + 4 - w, 272, text, 2.0f, 0, 255, 0x022000);
    Text_Draw(font, kScreenWidth / 2 - w, 268, text, 2.0f, 0, 255, 0x0FFFFF);
}
