// State shared by the engine binding's own files. Nothing outside
// src/engine includes this header.
#pragma once

#include <SDL.h>

#include <array>
#include <bitset>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "engine/blend_blit.h"
#include "engine/host.h"
#include "engine/omega.h"

// A picture known at load by its file's header alone. Most pictures are
// never drawn in a given race (menus, help pages, other landscapes' objects),
// so their pixels are decoded into the renderer's texture when first needed.
struct OE_TextureData {
    struct Pixels {
        SDL_Texture* texture = nullptr;  // nullptr when the file could not be decoded
        bool opaque = false;             // every pixel's alpha is 255: blending it changes nothing
        BlitPixels readable;             // its pixels, where the renderer lets them be read
    };

    explicit OE_TextureData(std::string file) : path_(std::move(file)) {}
    OE_TextureData(const OE_TextureData&) = delete;
    OE_TextureData& operator=(const OE_TextureData&) = delete;
    ~OE_TextureData();

    // Decodes the file on the first call; a file that fails then is said
    // once and draws nothing from then on.
    const Pixels& Decoded();

  private:
    std::string path_;
    Pixels pixels_;
    bool decoded_ = false;
};

// Input edges are latched twice, once for the tick and once for the frame,
// so a press between two ticks is seen by exactly the next tick and the next
// frame.
enum class InputContext { Frame = 0, Tick = 1 };

// Pads held open, with the state of their sticks; buttons are gathered in
// InputState like keys.
struct PadState {
    static constexpr int kCapacity = 8;
    std::array<SDL_GameController*, kCapacity> open{};
    std::array<std::array<int16_t, 6>, kCapacity> axes{};
    std::array<std::array<bool, 15>, kCapacity> buttons{};
    int count = 0;
    bool pointerMode = false;
    bool pointerButtonDown = false;  // A pressed the left button, and will release it
    double pointerHeldMs = 0;        // how long the cursor has been pushed
    double pointerX = 0, pointerY = 0;
};

struct InputEdges {
    std::bitset<256> keyPress;
    std::bitset<15> padPress;
    std::array<bool, 3> mouseClick{};
    std::array<bool, 3> mouseRelease{};
    std::array<bool, 3> mouseDouble{};
    void clear() { *this = InputEdges{}; }
    void merge(const InputEdges& other);
};

struct InputState {
    std::bitset<256> keyDown;
    std::array<bool, 3> mouseDown{};
    int mouseX = kScreenWidth / 2;
    int mouseY = kScreenHeight / 2;
    InputEdges pending[2];  // gathered since the context last ran
    InputEdges current[2];  // what the running tick / frame sees
    InputContext context = InputContext::Frame;
    bool readingText = false;
    std::string text;
    PadState pads;
};

struct DrawState {
    int blendMode = 0;
    int colorMix = 0xFFFFFF;
    std::array<int, 8> vertexOffsets{};
    std::array<int, 4> cornerColours{0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF};
    std::array<int, 4> cornerAlphas{255, 255, 255, 255};
    int lineWidth = 1;
};

struct ScriptedEvent {
    long frame = 0;
    std::function<void()> apply;
};

struct EngineState {
    HostConfig config;
    bool sdlStarted = false;
    bool headless = false;
    SDL_Window* window = nullptr;
    SDL_Renderer* renderer = nullptr;
    SDL_Surface* offscreen = nullptr;

    std::string title = "Kolvetra";
    bool wantFullscreen = false;
    bool fullscreen = false;

    std::array<void (*)(), 4> procedures{};
    std::vector<std::unique_ptr<OE_Timer>> timers;
    std::function<void()> frameHook;
    std::function<void()> tickHook;
    bool quit = false;

    double virtualClock = 0;
    uint64_t realClockStart = 0;
    long frameIndex = 0;
    double lastFrameTime = 0;
    int fps = 0;
    int framesThisSecond = 0;
    double fpsSecondStart = 0;

    DrawState draw;
    OE_Camera* camera = nullptr;
    std::vector<std::unique_ptr<OE_Camera>> cameras;
    std::vector<std::unique_ptr<OE_Texture>> textures;
    std::vector<std::unique_ptr<OE_TextureData>> textureData;

    InputState input;
    std::vector<ScriptedEvent> script;
    size_t scriptNext = 0;
};

EngineState& Engine();

// SDL colour from a 0xBBGGRR colour.
inline SDL_Color ColourOf(int colour, int alpha) {
    return SDL_Color{static_cast<Uint8>(colour & 0xFF), static_cast<Uint8>((colour >> 8) & 0xFF),
                     static_cast<Uint8>((colour >> 16) & 0xFF), static_cast<Uint8>(alpha & 0xFF)};
}

// How far the camera shifts what is drawn; nothing while it is off.
inline int CameraX() {
    const OE_Camera* c = Engine().camera;
    return c && c->enabled ? c->x : 0;
}
inline int CameraY() {
    const OE_Camera* c = Engine().camera;
    return c && c->enabled ? c->y : 0;
}

// Creates the renderer's drawing surface: a window, or the headless offscreen.
void Screen_Open();
void Screen_Close();
void Screen_ApplyFullscreen(bool fullscreen);
void Screen_BeginFrame();
void Screen_EndFrame();

void Input_BeginContext(InputContext context);
void Input_EndContext(InputContext context);
void Input_PumpEvents();
void Input_ResetAll();
void Input_RunScript(long frame);
// Pad events: plugging, unplugging, buttons and sticks.
bool Pad_HandleEvent(const SDL_Event& ev);
// Moves the cursor for a frame of `ms` milliseconds in pointer mode.
void Pad_MovePointer(double ms);
void Pad_CloseAll();

void Sound_Shutdown();
void Text_Shutdown();
// Releases the shaded copies of lit sprites; before the renderer goes.
void Sprite_ReleaseCache();

// Draws `source` turned by `angle` about `centre` (from the top-left of
// `dst`) as a black silhouette at `alpha`, from a turned copy kept for its
// size, angle and centre; false, drawing nothing, where the renderer cannot.
bool Silhouette_Draw(SDL_Texture* source, const SDL_FRect& dst, float angle, SDL_FPoint centre, Uint8 alpha);
void Silhouette_ReleaseCache();

bool SoftwareRenderer(SDL_Renderer* renderer);
// The surface the software renderer draws straight into, where what lands
// there is what is drawn: no render target and no scaling; else nullptr.
SDL_Surface* SoftwareScreen();
// Lays the `w` x `h` ARGB pixels of `source` with colours interpolated from
// its corners (top-left, top-right, bottom-right, bottom-left) into `out`, as
// the software renderer draws the sprite onto transparent black. Corners all
// alike are no case for it: the renderer copies those as a rectangle.
void Shading_Lay(const uint32_t* source, int w, int h, const std::array<SDL_Color, 4>& corners, uint32_t* out);

// What SDL's first choice of renderer for a window is on this machine.
enum class DefaultRenderer { OnGraphicsCard, OnProcessor, Unknown };
DefaultRenderer ProbeDefaultRenderer();
constexpr Uint32 kHardwareRenderer = SDL_RENDERER_ACCELERATED | SDL_RENDERER_PRESENTVSYNC;
// Whether the renderer is an OpenGL that runs on the processor (Mesa's
// llvmpipe or softpipe, a "Software Rasterizer").
bool RunsOnProcessor(SDL_Renderer* renderer);
void Sound_BeginRound(InputContext context);
