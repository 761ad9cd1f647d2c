#include "game/tournament.h"

#include <string>

#include "engine/language.h"
#include "engine/random.h"
#include "game/game_texts.h"
#include "game/number_text.h"
#include "game/profiles.h"
#include "game/race_rules.h"
#include "game/race_times.h"
#include "game/shell.h"
#include "gui/notice.h"
#include "gui/widgets.h"
#include "media/particles.h"
#include "media/sound_base.h"
#include "media/texture_base.h"
#include "world/race.h"
#include "world/world.h"

bool VehicleLocked(int vehicle, int progress) { return vehicle > progress / 4; }
bool TrackLocked(int track, int progress) { return track > progress; }

namespace {

OE_Texture* TrackPicture(int track) { return FindTexture(SharedTextures, "t" + std::to_string(track / 4)); }

// The chosen vehicle in the chosen colour, and the colour swatch.
void ShowVehicleChoice(const char* wheels, const char* body, const char* swatch) {
    const std::string vehicle = vehiclenames[vehiclechoice];
    const int colour = palette[colourchoice];
    if (Iimage* w = WidgetNamed<Iimage>(wheels)) w->texture = FindTexture(ObjectTextures, vehicle + "_wh10");
    if (Iimage* b = WidgetNamed<Iimage>(body)) {
        b->texture = FindTexture(ObjectTextures, vehicle + "_tp10");
        b->tint = colour;
    }
    if (Iimage* s = WidgetNamed<Iimage>(swatch)) s->tint = colour;
}

// Sparks over the won tournament's screen, and now and then a firework.
void Fireworks() {
    // Drawn one by one: the order of arguments is not fixed, that of statements is.
    const float sparkdx = Random(10) - 5, sparkdy = -Random(10) - 5, sparksize = Random(30) + 50;
    EmitEffect(Particles, "light", 4, 240, 70, sparkdx, sparkdy, sparksize, 0x00FFFF);
    const int x = Random(kScreenWidth);
    const int y = Random(kScreenHeight);
    if (Random(5) != 1) return;
    PlaySoundEx(Sounds, "fw", x - kScreenWidth / 2, 0, false, 0);
    for (int i = 0; i < 20; ++i) {
        const float dx = Random(10) - 5, dy = -Random(10) - 5;
        const float size = Random(30) + 20 + y / 50.0f;
        const int colour = Random(2147483647);
        EmitEffect(Particles, "light", 4, x, y, dx, dy, size, colour);
    }
}

// The race starts from its screen, or the player stays there when the track
// cannot be loaded.
void Begin(const char* track, uint8_t mode, std::string_view screen) {
    if (!StartRace(track, mode)) {
        ShowNotice(kTrackWontLoad, track);
        PlaySound(Sounds, "bad", false);
        return;
    }
    ElementNamed(screen).visible = false;
}

}  // namespace

void PrepareTournamentScreen() {
    SaveProfile();
    Iimage* picture = WidgetNamed<Iimage>("img_track");
    const bool won = progress >= kTournamentTracks;
    if (picture) picture->texture = won ? FindTexture(SharedTextures, "g_tr") : TrackPicture(progress);
    ElementNamed("btn_send").visible = won;
    ElementNamed("btn_start_tr").visible = !won;
}

void RefreshTournamentScreen() {
    ElementNamed("img_locktr").visible = VehicleLocked(vehiclechoice, progress);
    UpdateEffects(Particles);
    NumberText(ElementNamed("lb_cccscr").caption, Tr(kYourScoreText), score);
    ielement& track = ElementNamed("lb_ctrack");
    NumberText(track.caption, Tr(kTrackText), progress % 4 + 1);
    track.visible = progress <= 15;
    if (progress <= 15) {
        ElementNamed("lb_ccc").caption = Tr(landscapetexts[progress / 4 % 4]);
    } else {
        ElementNamed("lb_ccc").caption = Tr(kVictoryText);
        Fireworks();
    }
    ShowVehicleChoice("img_car_wh", "img_car_tp", "img_color");
    ShowTrackRecords(progress >= 0 && progress < kTournamentTracks ? tracknames[progress] : "", "lb_rec_lap",
                     "lb_rec_race");
}

void RefreshSingleRaceScreen() {
    ElementNamed("img_locktr2").visible = VehicleLocked(vehiclechoice, progress);
    ElementNamed("txt_locktr_map2").visible = TrackLocked(singletrack, progress);
    if (Iimage* picture = WidgetNamed<Iimage>("img_track2")) picture->texture = TrackPicture(singletrack);
    ShowVehicleChoice("img_car_wh2", "img_car_tp2", "img_color2");
    NumberText(ElementNamed("lb_ctrack2").caption, Tr(kTrackText), singletrack % 4 + 1);
    ShowTrackRecords(tracknames[singletrack], "lb_rec_lap2", "lb_rec_race2");
}

// The lock tests read what the last refresh showed, not the rules.
void StartTournamentRace() {
    if (ElementNamed("img_locktr").visible || progress < 0 || progress >= kTournamentTracks) {
        PlaySound(Sounds, "bad", false);
        return;
    }
    Begin(tracknames[progress], 0, "wnd_tour");
}

void StartSingleRace() {
    if (ElementNamed("img_locktr2").visible || ElementNamed("txt_locktr_map2").visible) {
        PlaySound(Sounds, "bad", false);
        return;
    }
    Begin(tracknames[singletrack], 1, "wnd_sr");
}

void CycleDifficulty() {
    difficulty = difficulty + 1 > 2 ? 0 : difficulty + 1;
    ElementNamed("btn_pow").caption = Tr(difficultynames[difficulty]);
    ElementNamed("btn_pow2").caption = Tr(difficultynames[difficulty]);
}
