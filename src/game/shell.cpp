#include "game/shell.h"

#include <cmath>
#include <cstdio>
#include <filesystem>

#include "editor/editor.h"
#include "engine/language.h"
#include "engine/paths.h"
#include "engine/random.h"
#include "game/autopilot.h"
#include "game/data_check.h"
#include "game/game_texts.h"
#include "game/language_choice.h"
#include "game/pad_controls.h"
#include "game/profiles.h"
#include "game/race_overlay.h"
#include "game/race_recording.h"
#include "game/race_rules.h"
#include "game/race_times.h"
#include "game/records.h"
#include "game/saved_files.h"
#include "game/screen_flow.h"
#include "game/settings.h"
#include "game/tournament.h"
#include "game/world_preview.h"
#include "gui/element.h"
#include "gui/notice.h"
#include "gui/screens.h"
#include "gui/widgets.h"
#include "media/language_textures.h"
#include "media/music.h"
#include "media/particles.h"
#include "media/sound_base.h"
#include "media/texture_base.h"
#include "world/draw_world.h"
#include "world/race.h"
#include "world/simulation.h"
#include "world/view.h"

int32_t gearspin = 0;

namespace {

void EmptyProcedure() {}

bool startfailed = false;  // start-up ended early; the program reports it on exit
void (*startProcedure)() = nullptr;

void SetImageAngle(std::string_view name, int angle) {
    if (Iimage* image = WidgetNamed<Iimage>(name)) image->angle = angle;
}

// The cursor hangs from the mouse position of the last tick.
void DrawCursor() { SSprite_Draw(FindTexture(SharedTextures, "g_cur"), mousex - 16, mousey - 8, 64, 64, 255, 0, 1); }

// The race shows its pause and result windows through this.
void ShowGameWindow(std::string_view name) {
    if (Elements.count() > 0) ElementNamed(name).visible = true;
}

}  // namespace

// Bonuses and effects run from the first tick; the world stands still for
// the four seconds of the countdown, measured in real time.
void RaceTick() {
    racenow = U_GetTime();
    SpawnBonuses(world);
    const bool runs = WorldRunsThisTick();
    if (runs) WorldStep(world);
    UpdateEffects(Particles);
    RebuildView(view, world);
    EndRaceTick(world, runs);
}

void GameInit() {
    InstallRaceRules();
    OE_SetResolutionDependence(kScreenWidth, kScreenHeight);
    Snd_Init();
    LoadSoundFolder(Sounds, DataPath("sfx/"), "*.wav");
    LoadTextureFolder(SharedTextures, DataPath("gfx/share/"));
    LoadTextureFolder(ObjectTextures, DataPath("gfx/obj/"));
    LoadLanguageTextures(DataPath("gfx/share/"));
    LoadSettings();
    LoadTranslations();
    SetLanguage(StartingLanguage());
    font = Text_LoadFontFromFile(DataPath("fnt/font.tga"), DataPath("fnt/font.ofi"), -1, 266);
    ForgetProfile();
    ReportMissingData();
    RemoveInterruptedSaves();
    LoadPadMappings();
    std::string error;
    if (!BuildScreens(GameHandlers(), vehiclechoice, error)) {
        std::fprintf(stderr, "kolvetra: %s; the game cannot start\n", error.c_str());
        startfailed = true;
        OE_Quit();
        return;
    }
    ApplyLanguage(CurrentLanguage());  // the options' language boxes
    ShowWindowHook = ShowGameWindow;
    PlayerJoltHook = PadJolt;
    camera = Cam2D_Create();
    Cam2D_Set(camera);
    OpenUserFolder();  // a first run starts on the profile window
    LoadRecords();
    gamestate = stProfiles;
    if (ListedProfileCount() != 0) {
        profilename = "Player";
        gamestate = stMenu;
        BackToMenu();
        LoadOptions();
        ChooseStartingProfile();
        LoadProfile();
    }
    LoadOptions();
    ChooseStartingProfile();
    StartWorldPreview();
    if (startProcedure) startProcedure();
}

void GameTick() {
    raceinput = ControlsNow();
    NoticeTick();
    // The menu music plays in every state but a running race; a silent block
    // reads as stopped too, so the song then starts again from its beginning.
    if (uFMOD_GetStats() == 0 && gamestate != stRace && optmusicoff == 0) {
        uFMOD_PlaySong(DataPath("sfx/menu.xm"), 0, XM_FILE);
    }
    mousex = Mouse_X();
    mousey = Mouse_Y();
    switch (gamestate) {
        case stRace:
            uFMOD_StopSong();
            if (optambientoff == 0) PlaySound(Sounds, "amb", false);
            if (ReplayPlaying() && (Key_Down(VK_ESCAPE) || PadPauses())) {
                OE_Quit();  // a replay is watched, not paused
                break;
            }
            if (Key_Down(VK_ESCAPE) || PadPauses()) {
                StopSound(Sounds, "amb");
                ShowWindow("wnd_pause");
                gamestate = stPaused;  // the rest of this tick still runs
            }
            RaceTick();
            // The result has changed progress or score for good.
            if (gamestate == stRaceOver) {
                SaveProfile();
                ShowRaceTimes(KeepRaceResult(IsSafeProfileName(profilename) ? profilename : "", TodayText()));
            }
            break;
        case stMenu: {
            gearspin += 4;
            if (Itext* hello = WidgetNamed<Itext>("lb_hello")) {
                hello->caption.assign(Tr(kGreetingText));
                hello->caption += profilename;
            }
            UpdateEffects(Particles);
            // One rising light per tick; drawn in this order so a seed always gives the same lights.
            const int dx = Random(10) - 5;
            const int dy = -Random(10) - 5;
            const int size = Random(30) + 20;
            EmitEffect(Particles, "light", 4, 100, 170, static_cast<float>(dx), static_cast<float>(dy),
                       static_cast<float>(size), 0x00FFFF);
            break;
        }
        case stTournament: RefreshTournamentScreen(); break;
        case stEditor: EditorTick(); break;
        // The result and the pause keep the frozen scene drawn.
        case stRaceOver:
            StopSound(Sounds, "amb");
            RebuildView(view, world);
            break;
        case stPaused: RebuildView(view, world); break;
        case stSingleRace: RefreshSingleRaceScreen(); break;
        default: break;
    }
    // A replay watched on screen ends with its race: Continue leaves the program.
    if (ReplayPlaying() && gamestate != stRace && gamestate != stRaceOver) OE_Quit();
    // Developer keys act in every state, on every tick they are held; F11
    // after F12 so that F11 wins when both are down.
    if (Key_Down(VK_F12)) OpenEditor();
    if (Key_Down(VK_F11)) {
        gamestate = stMenu;
        BackToMenu();
    }
}

void GameDraw() {
    raceinput = ControlsNow();  // a click here may load a world, whose first step reads it
    if (WorldPreviewActive()) {
        DrawWorldPreview();
        return;
    }
    PadMenuFrame();
    switch (gamestate) {
        case stMenu:
            ProcessElements();
            // The gears were drawn by the pass above: they turn from the next frame on.
            SetImageAngle("img_sh3", gearspin + 45);
            SetImageAngle("img_sh1", gearspin);
            SetImageAngle("img_sh2", 95 - gearspin);
            DrawEffects(Particles);
            break;
        case stTournament:
            ProcessElements();
            DrawEffects(Particles);
            break;
        case stProfiles:
            SSprite_Draw(FindTexture(SharedTextures, "g_wnd"), 0, 0, kScreenWidth, kScreenHeight, 64, 0, 1);
            ProcessElements();
            break;
        case stEditor: EditorDraw(); break;
        case stRaceOver:
        case stPaused:
            DrawWorld(view);
            ProcessElements();
            break;
        case stSingleRace:
        case stOptions:
        case stHelp: ProcessElements(); break;
        case stRace: DrawRaceScreen(); return;  // its own screen, without the GUI or the cursor
        default: return;
    }
    DrawCursor();
}

// The options are kept at every end of the game, with the profile used last
// and what it holds.
void GameQuit() {
    if (startfailed) return;
    SaveOptions();
    SaveProfile();
}

int RunGame(uint64_t seed, void (*start)()) {
    startProcedure = start;
    Randomize(seed);
    ticktimer = Timer_Create(GameTick, 30, 1);
    OE_Enable(4);
    OE_Disable(2);
    OE_RegProcedure(OE_PROC_NONE, EmptyProcedure);
    OE_RegProcedure(OE_PROC_INIT, GameInit);
    OE_RegProcedure(OE_PROC_DRAW, GameDraw);
    OE_RegProcedure(OE_PROC_QUIT, GameQuit);
    OE_SetWndName("Kolvetra");
    OE_SetScreenOptions(kScreenWidth, kScreenHeight, 16, 0, 1, 1);
    OE_Init(16, 0);
    return startfailed ? 1 : 0;
}
