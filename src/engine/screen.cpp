// The screen, the registered procedures and the frame loop.
#include <SDL_image.h>

#include <algorithm>
#include <cstdio>
#include <string_view>

#include "engine/state.h"

EngineState& Engine() {
    static EngineState state;
    return state;
}

namespace {

constexpr double kFrameMs = 1000.0 / 60.0;  // a frame at 60 Hz

void StartSdl() {
    EngineState& e = Engine();
    if (e.sdlStarted) return;
    Uint32 systems = SDL_INIT_EVENTS | SDL_INIT_TIMER;
    if (!e.headless) systems |= SDL_INIT_VIDEO;
    if (SDL_Init(systems) != 0) {
        std::fprintf(stderr, "kolvetra: cannot start SDL: %s\n", SDL_GetError());
        std::exit(1);
    }
    // Pads are optional: a machine whose controller layer cannot start plays
    // on with keys and mouse. Headless runs have no window to be focused, so
    // pads are read in the background.
    if (e.headless) SDL_SetHint(SDL_HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS, "1");
    if (SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) != 0) {
        std::fprintf(stderr, "kolvetra: game controllers unavailable: %s\n", SDL_GetError());
    }
    if (IMG_Init(IMG_INIT_JPG) == 0) {
        std::fprintf(stderr, "kolvetra: JPG pictures unavailable: %s\n", IMG_GetError());
    }
    e.sdlStarted = true;
    e.realClockStart = SDL_GetPerformanceCounter();
}

void OpenHeadlessSurface() {
    EngineState& e = Engine();
    e.offscreen = SDL_CreateRGBSurfaceWithFormat(0, kScreenWidth, kScreenHeight, 32, SDL_PIXELFORMAT_ARGB8888);
    e.renderer = e.offscreen ? SDL_CreateSoftwareRenderer(e.offscreen) : nullptr;
    if (!e.renderer) {
        std::fprintf(stderr, "kolvetra: cannot create the offscreen screen: %s\n", SDL_GetError());
        std::exit(1);
    }
}

// The index of SDL's render driver whose name begins with `prefix`, or -1.
int RenderDriver(std::string_view prefix) {
    for (int i = 0; i < SDL_GetNumRenderDrivers(); ++i) {
        SDL_RendererInfo info;
        if (SDL_GetRenderDriverInfo(i, &info) == 0 && std::string_view(info.name).starts_with(prefix)) return i;
    }
    return -1;
}

}  // namespace

bool SoftwareRenderer(SDL_Renderer* renderer) {
    SDL_RendererInfo info;
    return renderer && SDL_GetRendererInfo(renderer, &info) == 0 && std::string_view(info.name) == "software";
}

SDL_Surface* SoftwareScreen() {
    EngineState& e = Engine();
    if (!SoftwareRenderer(e.renderer) || SDL_GetRenderTarget(e.renderer)) return nullptr;
    float sx = 0, sy = 0;
    SDL_RenderGetScale(e.renderer, &sx, &sy);
    if (sx != 1 || sy != 1) return nullptr;
    return e.offscreen ? e.offscreen : SDL_GetWindowSurface(e.window);
}

// There SDL's software renderer draws the game several times faster.
bool RunsOnProcessor(SDL_Renderer* renderer) {
    SDL_RendererInfo info;
    if (SDL_GetRendererInfo(renderer, &info) != 0 || !std::string_view(info.name).starts_with("opengl")) return false;
    // glGetString(GL_RENDERER), declared here: the OpenGL header brings in
    // windows.h on Windows, whose macros clash with the game's key names.
    constexpr unsigned kGlRenderer = 0x1F01;
    using GetString = const unsigned char* (*)(unsigned);
    const auto getString = reinterpret_cast<GetString>(SDL_GL_GetProcAddress("glGetString"));
    const unsigned char* name = getString ? getString(kGlRenderer) : nullptr;
    if (!name) return false;
    const std::string_view text(reinterpret_cast<const char*>(name));
    for (std::string_view soft : {"llvmpipe", "softpipe", "Software", "swrast"}) {
        if (text.find(soft) != std::string_view::npos) return true;
    }
    return false;
}

namespace {

// SDL would show a software renderer's frames through an OpenGL texture,
// which on the processor costs more than drawing them: they go straight to
// the window instead.
SDL_Renderer* CreateSoftwareRenderer(SDL_Window* window) {
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    return SDL_CreateRenderer(window, RenderDriver("software"), 0);
}

SDL_Renderer* CreateRenderer(SDL_Window* window, RendererChoice choice, DefaultRenderer probed) {
    if (choice == RendererChoice::Software) return CreateSoftwareRenderer(window);
    if (choice == RendererChoice::OpenGL) return SDL_CreateRenderer(window, RenderDriver("opengl"), kHardwareRenderer);
    if (probed == DefaultRenderer::OnProcessor) return CreateSoftwareRenderer(window);
    SDL_Renderer* renderer = SDL_CreateRenderer(window, -1, kHardwareRenderer);
    if (renderer && RunsOnProcessor(renderer)) {
        SDL_DestroyRenderer(renderer);
        renderer = nullptr;
    }
    return renderer ? renderer : CreateSoftwareRenderer(window);
}

void OpenWindow(DefaultRenderer probed) {
    EngineState& e = Engine();
    const bool fullscreen = e.wantFullscreen && !e.config.windowed;
    Uint32 flags = SDL_WINDOW_RESIZABLE | SDL_WINDOW_ALLOW_HIGHDPI;
    if (fullscreen) flags |= SDL_WINDOW_FULLSCREEN_DESKTOP;
    e.window = SDL_CreateWindow(e.title.c_str(), SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, kScreenWidth,
                                kScreenHeight, flags);
    if (!e.window) {
        std::fprintf(stderr, "kolvetra: cannot open the window: %s\n", SDL_GetError());
        std::exit(1);
    }
    e.renderer = CreateRenderer(e.window, e.config.renderer, probed);
    if (!e.renderer) {
        std::fprintf(stderr, "kolvetra: cannot create a renderer: %s\n", SDL_GetError());
        std::exit(1);
    }
    SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, "linear");
    SDL_RenderSetLogicalSize(e.renderer, kScreenWidth, kScreenHeight);
    SDL_ShowCursor(SDL_DISABLE);  // the game draws its own cursor
    e.fullscreen = fullscreen;
}

}  // namespace

void Screen_Open() {
    EngineState& e = Engine();
    if (e.renderer) return;
    e.headless = e.config.headless;
    // Asked before SDL starts here: a child process is forked only while
    // the game has no other threads.
    const bool ask = !e.headless && !e.sdlStarted && e.config.renderer == RendererChoice::Auto;
    const DefaultRenderer probed = ask ? ProbeDefaultRenderer() : DefaultRenderer::Unknown;
    StartSdl();
    if (e.headless) {
        OpenHeadlessSurface();
        e.fullscreen = e.wantFullscreen;  // nothing to show; the mode asked for is the one reported
    } else {
        OpenWindow(probed);
    }
    SDL_StopTextInput();
    SDL_SetRenderDrawBlendMode(e.renderer, SDL_BLENDMODE_BLEND);
}

void Screen_Close() {
    EngineState& e = Engine();
    Text_Shutdown();
    Sprite_ReleaseCache();
    Silhouette_ReleaseCache();
    e.textures.clear();
    e.textureData.clear();
    if (e.renderer) SDL_DestroyRenderer(e.renderer);
    if (e.window) SDL_DestroyWindow(e.window);
    if (e.offscreen) SDL_FreeSurface(e.offscreen);
    e.renderer = nullptr;
    e.window = nullptr;
    e.offscreen = nullptr;
}

void Screen_ApplyFullscreen(bool fullscreen) {
    EngineState& e = Engine();
    e.wantFullscreen = fullscreen;
    if (!e.window) return;
    if (SDL_SetWindowFullscreen(e.window, fullscreen ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0) == 0) {
        e.fullscreen = fullscreen;
    }
}

void Screen_BeginFrame() {
    EngineState& e = Engine();
    SDL_SetRenderDrawColor(e.renderer, 0, 0, 0, 255);
    SDL_RenderClear(e.renderer);
}

void Screen_EndFrame() {
    EngineState& e = Engine();
    SDL_RenderPresent(e.renderer);
    ++e.framesThisSecond;
    const double now = U_GetTime();
    if (now - e.fpsSecondStart >= 1000) {
        e.fps = e.framesThisSecond;
        e.framesThisSecond = 0;
        e.fpsSecondStart = now;
    }
}

// ---------------------------------------------------------------- the screen and the loop

void OE_SetWndName(std::string_view title) {
    EngineState& e = Engine();
    e.title = std::string(title);
    if (e.window) SDL_SetWindowTitle(e.window, e.title.c_str());
}

void OE_SetScreenOptions(int, int, int, int, int fullscreen, int) { Engine().wantFullscreen = fullscreen != 0; }

// The engine flags select features of the original engine's own; this binding
// has no optional features to switch.
void OE_Enable(int) {}
void OE_Disable(int) {}

void OE_SetResolutionDependence(int, int) {}

OE_Options OE_GetOptions() {
    OE_Options options;
    options.fullscreen = Engine().fullscreen ? 1 : 0;
    return options;
}

void OE_ChangeScreenOptions(int, int, int, int, int fullscreen, int) {
    EngineState& e = Engine();
    if (e.config.headless) {
        e.fullscreen = fullscreen != 0;  // nothing to show, but the state is reported
        return;
    }
    if (e.config.windowed && fullscreen)
        return;  // started with --windowed: the game asks in vain (Alt+Enter still can)
    Screen_ApplyFullscreen(fullscreen != 0);
}

int OE_GetFPS() { return Engine().fps; }

void OE_RegProcedure(int id, void (*procedure)()) {
    if (id >= 0 && id < 4) Engine().procedures[id] = procedure;
}

void OE_Quit() { Engine().quit = true; }

namespace {

void RunDueTicks() {
    EngineState& e = Engine();
    constexpr int kMaxCatchUp = 5;  // a stalled frame catches up this many ticks, then drops the rest
    for (auto& timer : e.timers) {
        int ran = 0;
        while (timer->enabled && U_GetTime() - timer->lastRun >= timer->interval) {
            if (ran == kMaxCatchUp) {
                timer->lastRun = U_GetTime();
                break;
            }
            timer->lastRun += timer->interval;
            Host_RunTick(timer.get());
            ++ran;
            if (e.quit) return;
        }
    }
}

void SaveFrameScreenshots() {
    EngineState& e = Engine();
    const HostConfig& c = e.config;
    if (!c.screenshotDir.empty() && c.screenshotEvery > 0 && e.frameIndex % c.screenshotEvery == 0) {
        char name[64];
        std::snprintf(name, sizeof name, "/frame_%06ld.png", e.frameIndex);
        Host_SaveScreenshot(c.screenshotDir + name);
    }
}

// Without vsync the loop would spin as fast as it can: hold it to about 60
// frames a second instead. The software renderer in a window may claim vsync
// (SDL reads the empty hint it leaves behind as "on") while presenting at
// once, so only another renderer's vsync is trusted to pace the game.
void PaceFrame() {
    EngineState& e = Engine();
    SDL_RendererInfo info;
    if (SDL_GetRendererInfo(e.renderer, &info) == 0 && (info.flags & SDL_RENDERER_PRESENTVSYNC) &&
        !(info.flags & SDL_RENDERER_SOFTWARE))
        return;
    static double next = 0;
    const double now = U_GetTime();
    if (next > now) SDL_Delay(static_cast<Uint32>(next - now));
    // Frames keep to their 60 Hz schedule, so a sleep that runs over is made
    // up by the next one; a frame late by more than a whole frame starts the
    // schedule afresh rather than rushing to catch up.
    next = now - next > kFrameMs ? now + kFrameMs : next + kFrameMs;
}

}  // namespace

void Host_RunTick(OE_Timer* timer) {
    EngineState& e = Engine();
    Input_BeginContext(InputContext::Tick);
    Sound_BeginRound(InputContext::Tick);
    if (timer->procedure) timer->procedure();
    Input_EndContext(InputContext::Tick);
    if (e.tickHook) e.tickHook();
}

void Host_DrawFrame() {
    EngineState& e = Engine();
    Screen_BeginFrame();
    Input_BeginContext(InputContext::Frame);
    Sound_BeginRound(InputContext::Frame);
    if (e.procedures[OE_PROC_DRAW]) e.procedures[OE_PROC_DRAW]();
    Input_EndContext(InputContext::Frame);
    Screen_EndFrame();
}

void Host_RunFrame() {
    EngineState& e = Engine();
    if (e.headless) {
        Host_AdvanceClock(kFrameMs);  // the time this frame stands for
        Input_RunScript(e.frameIndex);
    }
    // Headless runs have no keyboard or mouse events, but pads and the
    // request to quit (a signal, say) still arrive.
    Input_PumpEvents();
    Pad_MovePointer(e.headless ? kFrameMs : U_GetTime() - e.lastFrameTime);
    e.lastFrameTime = U_GetTime();
    RunDueTicks();
    if (!e.quit && !e.config.noDraw) {
        Host_DrawFrame();
        SaveFrameScreenshots();
    }
    if (!e.headless) PaceFrame();
    ++e.frameIndex;
    if (e.frameHook) e.frameHook();
    if (e.config.frames > 0 && e.frameIndex >= e.config.frames) e.quit = true;
}

void OE_Init(int, int) {
    EngineState& e = Engine();
    Screen_Open();
    if (e.procedures[OE_PROC_INIT]) e.procedures[OE_PROC_INIT]();
    while (!e.quit) Host_RunFrame();
    if (!e.config.screenshot.empty() && !e.config.noDraw) Host_SaveScreenshot(e.config.screenshot);
    if (e.procedures[OE_PROC_QUIT]) e.procedures[OE_PROC_QUIT]();
    Host_Shutdown();
}

// ---------------------------------------------------------------- host

void Host_Configure(const HostConfig& config) { Engine().config = config; }
const HostConfig& Host_Config() { return Engine().config; }

void Host_OpenHeadless() {
    EngineState& e = Engine();
    e.config.headless = true;
    Screen_Open();
    e.draw = DrawState{};
    e.virtualClock = 0;
    e.quit = false;
    Input_ResetAll();
}

void Host_Shutdown() {
    EngineState& e = Engine();
    Sound_Shutdown();
    Screen_Close();
    e.timers.clear();
    e.cameras.clear();
    e.camera = nullptr;
    if (e.sdlStarted) {
        Pad_CloseAll();
        IMG_Quit();
        SDL_Quit();
        e.sdlStarted = false;
    }
}

bool Host_QuitRequested() { return Engine().quit; }
void Host_SetFrameHook(std::function<void()> hook) { Engine().frameHook = std::move(hook); }
void Host_SetTickHook(std::function<void()> hook) { Engine().tickHook = std::move(hook); }

void Host_BeginTestFrame() {
    Screen_Open();
    Engine().draw = DrawState{};
    Screen_BeginFrame();
}

uint32_t Host_ReadPixel(int x, int y) {
    EngineState& e = Engine();
    if (!e.renderer) return 0;
    Uint32 pixel = 0;
    SDL_Rect rect{x, y, 1, 1};
    if (SDL_RenderReadPixels(e.renderer, &rect, SDL_PIXELFORMAT_ARGB8888, &pixel, 4) != 0) return 0;
    const uint32_t r = (pixel >> 16) & 0xFF, g = (pixel >> 8) & 0xFF, b = pixel & 0xFF;
    return (b << 16) | (g << 8) | r;
}

std::vector<uint32_t> Host_ReadScreen() {
    EngineState& e = Engine();
    int w = 0, h = 0;
    if (!e.renderer || SDL_GetRendererOutputSize(e.renderer, &w, &h) != 0) return {};
    std::vector<uint32_t> pixels(static_cast<size_t>(w) * h);
    if (SDL_RenderReadPixels(e.renderer, nullptr, SDL_PIXELFORMAT_ARGB8888, pixels.data(), w * 4) != 0) return {};
    return pixels;
}

bool Host_SaveScreenshot(const std::string& path) {
    EngineState& e = Engine();
    if (!e.renderer) return false;
    int w = 0, h = 0;
    if (SDL_GetRendererOutputSize(e.renderer, &w, &h) != 0) return false;
    SDL_Surface* shot = SDL_CreateRGBSurfaceWithFormat(0, w, h, 32, SDL_PIXELFORMAT_ARGB8888);
    if (!shot) return false;
    bool ok = SDL_RenderReadPixels(e.renderer, nullptr, SDL_PIXELFORMAT_ARGB8888, shot->pixels, shot->pitch) == 0 &&
              IMG_SavePNG(shot, path.c_str()) == 0;
    SDL_FreeSurface(shot);
    if (!ok) std::fprintf(stderr, "kolvetra: cannot write the screenshot %s\n", path.c_str());
    return ok;
}
