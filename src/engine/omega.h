// src/engine, the lowest layer: the binding to SDL and OpenAL, and the
// string list, folder listing, paths and the player's folder. It uses no
// other folder of the game.
//
// The game's 2D engine: window, frame loop, timers, input, textures, sprites,
// text, primitives, blending, sound effects, a 2D camera and maths helpers.
//
// Game code talks to the machine only through these operations; only the
// engine binding includes SDL or OpenAL. Coordinates are pixels of the
// 800 x 600 logical screen. Colours are 0xBBGGRR integers. Text is UTF-8.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// ---------------------------------------------------------------- records

struct OE_TextureData;
struct OE_FontData;
struct OE_SoundData;

// A loaded texture. The handle is a pointer; nullptr is the empty handle,
// which draws nothing and measures 0 x 0.
struct OE_Texture {
    OE_TextureData* data = nullptr;
    int width = 0;
    int height = 0;
};

struct OE_Font {
    OE_FontData* data = nullptr;
};

struct OE_Sound {
    OE_SoundData* data = nullptr;
};

// The 30 ms update timer. A world load clears `enabled` while it reads, then
// sets it again and stores U_GetTime() in `lastRun`.
struct OE_Timer {
    bool enabled = true;
    double lastRun = 0;
    void (*procedure)() = nullptr;
    int interval = 30;
};

// While `enabled`, everything drawn is shifted by (-x, -y).
struct OE_Camera {
    int x = 0;
    int y = 0;
    bool enabled = false;
};

struct OE_Options {
    uint8_t fullscreen = 0;  // non-zero in full screen
};

struct OE_Circle {
    float x = 0;
    float y = 0;
    float radius = 0;
};

// Procedure slots of OE_RegProcedure.
enum : int { OE_PROC_DRAW = 0, OE_PROC_INIT = 1, OE_PROC_QUIT = 2, OE_PROC_NONE = 3 };

// SSprite_Draw flags.
enum : int {
    FX_PLAIN = 0x01,         // always set
    FX_COLORMIX = 0x08,      // multiply the texture by FX_SetColorMix's colour
    FX_VERTEXOFFSET = 0x20,  // add FX_SetVertexes' offsets to the four corners
    FX_VERTEXCOLOR = 0x40,   // per-corner colour and alpha from FX_SetVCA
};

// Windows virtual-key codes used by the game.
enum : int {
    VK_BACK = 8,
    VK_RETURN = 13,
    VK_SHIFT = 16,
    VK_ESCAPE = 27,
    VK_LEFT = 37,
    VK_UP = 38,
    VK_RIGHT = 39,
    VK_DOWN = 40,
    VK_F5 = 116,
    VK_F11 = 122,
    VK_F12 = 123,
};

// Mouse buttons: 1 primary (left), 0 secondary (right), 2 middle.
enum : int { MB_RIGHT = 0, MB_LEFT = 1, MB_MIDDLE = 2 };

// ---------------------------------------------------------------- screen

// The game's logical screen; a window shows it scaled and letterboxed.
inline constexpr int kScreenWidth = 800;
inline constexpr int kScreenHeight = 600;

void OE_SetWndName(std::string_view title);
void OE_SetScreenOptions(int width, int height, int bpp, int refresh, int fullscreen, int vsync);
void OE_Enable(int flag);
void OE_Disable(int flag);
// Runs the game: calls the init procedure, then frames and due timer ticks
// until OE_Quit, then the quit procedure. Returns when the game has ended.
void OE_Init(int flags, int reserved);
void OE_Quit();
void OE_SetResolutionDependence(int width, int height);
OE_Options OE_GetOptions();
void OE_ChangeScreenOptions(int width, int height, int bpp, int refresh, int fullscreen, int vsync);
int OE_GetFPS();
void OE_RegProcedure(int id, void (*procedure)());

// ---------------------------------------------------------------- timers

OE_Timer* Timer_Create(void (*procedure)(), int interval, int flags);

// ---------------------------------------------------------------- input

int Mouse_X();
int Mouse_Y();
bool Mouse_Down(int button);      // held
bool Mouse_Click(int button);     // pressed since the last tick / frame
bool Mouse_Press(int button);     // released since the last tick / frame
bool Mouse_DblClick(int button);  // double-clicked since the last tick / frame
bool Key_Down(int vk);            // held
bool Key_Press(int vk);           // pressed since the last tick / frame
void Key_BeginReadText(std::string_view text);
std::string Key_EndReadText();

// ---------------------------------------------------------------- textures and sprites

OE_Texture* Tex_LoadFromFile(std::string_view file, int transparent, int flags);
void SSprite_Draw(const OE_Texture* texture, int x, int y, int width, int height, int alpha, float angle, int flags);

void FX_SetBlendMode(int mode);  // 0 alpha blending, 1 additive
void FX_SetColorMix(int colour);
void FX_SetVertexes(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4);
void FX_SetVCA(int c1, int c2, int c3, int c4, int a1, int a2, int a3, int a4);

// ---------------------------------------------------------------- text

OE_Font* Text_LoadFontFromFile(std::string_view atlas, std::string_view metrics, int transparent, int flags);
void Text_Draw(const OE_Font* font, int x, int y, std::string_view text, float scale, int spacing, int alpha,
               int colour);
int Text_GetWidth(const OE_Font* font, std::string_view text, float scale, int spacing);

// ---------------------------------------------------------------- primitives

void Pr2D_Rect(int x, int y, int width, int height, int colour, int alpha, int filled);
void Pr2D_Line(int x1, int y1, int x2, int y2, int colour, int alpha, int flags);
void Pr2D_Circle(int x, int y, int radius, int colour, int alpha, int segments, int flags);
void Pr2D_LineWidth(int width);

// ---------------------------------------------------------------- sound

void Snd_Init();
OE_Sound* Snd_LoadFromFile(std::string_view file, int buffers);
void Snd_SetBuffersCount(OE_Sound* sound, int buffers);
// pan and volume in hundredths of a decibel; hz is the absolute playback
// rate, 0 for the file's own. A sound played again while it still plays is
// re-tuned, not restarted, and keeps going while it is asked for.
void Snd_Play(OE_Sound* sound, int pan, int volume, int hz, bool loop);
void Snd_Stop(OE_Sound* sound);

// ---------------------------------------------------------------- camera

OE_Camera* Cam2D_Create();
void Cam2D_Set(OE_Camera* camera);
// The camera set last; null before any.
OE_Camera* Cam2D_Get();

// ---------------------------------------------------------------- maths and utilities

int M_Round(double value);  // halves to even
float M_Sin(float degrees);
float M_Cos(float degrees);
float M_Distance(float x1, float y1, float x2, float y2);
// The angle a in [0, 360) for which (cos a, sin a) points from (x2, y2)
// towards (x1, y1).
float M_FindAngle(float x1, float y1, float x2, float y2);
bool Col_PointInCircle(float x, float y, const OE_Circle& circle);
double U_GetTime();  // milliseconds
std::string U_IntToStr(int value);
