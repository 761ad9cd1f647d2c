// How the engine is hosted on this machine: window or headless, the virtual
// clock, scripted input and screenshots. The game proper uses omega.h only;
// the program entry, the command line, tests and tools use these as well.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/omega.h"

// Which of SDL's renderers draws a window.
enum class RendererChoice {
    Auto,      // OpenGL where a graphics card runs it, else the software renderer
    Software,  // SDL's own software renderer
    OpenGL,    // OpenGL even when it runs on the processor
};

struct HostConfig {
    bool headless = false;   // no window, no sound device, virtual clock
    bool windowed = false;   // start in a window whatever the game asks
    int frames = 0;          // headless: quit after this many frames (0 = no limit)
    bool noDraw = false;     // headless: run ticks only, never call the draw procedure
    std::string screenshot;  // PNG of the last frame
    std::string screenshotDir;
    int screenshotEvery = 0;
    RendererChoice renderer = RendererChoice::Auto;
};

// Set before OE_Init.
void Host_Configure(const HostConfig& config);
const HostConfig& Host_Config();

// Opens the headless offscreen screen (800 x 600 software renderer, silent
// sound, virtual clock at 0) without running the loop: tests draw and read
// pixels through it. Safe to call again; each call resets the drawing state.
void Host_OpenHeadless();
// Releases everything the engine holds (textures, fonts, sounds, window).
void Host_Shutdown();

// ---------------------------------------------------------------- clock and loop

// Headless: the virtual clock. Each frame advances it by 1000/60 ms.
void Host_AdvanceClock(double ms);
// One pass of the loop: due ticks, then (unless noDraw) one frame.
void Host_RunFrame();
// Runs the tick procedure of the timer once, as a due tick would.
void Host_RunTick(OE_Timer* timer);
// Runs the draw procedure once, as a frame would (input edges included).
void Host_DrawFrame();
bool Host_QuitRequested();
// Called after every frame; the command line uses it to stop a run early.
void Host_SetFrameHook(std::function<void()> hook);
// Called after every tick; the race runner uses it.
void Host_SetTickHook(std::function<void()> hook);
// Blocks for ms milliseconds (headless: advances the virtual clock instead).
void Host_Sleep(int ms);

// ---------------------------------------------------------------- input injection

void Host_KeyEvent(int vk, bool down);
void Host_MouseMove(int x, int y);
void Host_MouseButton(int button, bool down);
void Host_TypeText(std::string_view utf8);
// Loads a scripted input file (see the README); events are injected before
// the frame they name. Returns false with a message in `error` on a bad file.
bool Host_LoadInputScript(const std::string& path, std::string& error);

// ---------------------------------------------------------------- sound

// One Snd_Play request, heard or not.
struct HostSoundPlay {
    const OE_Sound* sound = nullptr;
    int pan = 0;
    int volume = 0;
    int hz = 0;
    bool loop = false;
};
// Starts (or restarts) an empty log of every Snd_Play request, with or
// without a sound device; tests check what the game asked to hear.
void Host_RecordSounds(bool on);
const std::vector<HostSoundPlay>& Host_SoundLog();

// One copy of a sound as the engine keeps it, on the engine clock, whether or
// not there is an audio device.
struct SoundCopyState {
    bool playing = false;
    bool looping = false;  // goes on from its beginning when it reaches its end
    int rate = 0;          // playback rate, Hz
    int volume = 0;        // hundredths of a decibel
    int pan = 0;           // hundredths of a decibel off the other side
    int starts = 0;        // times this copy was started from its beginning
    double position = 0;   // sample frames into the current pass
};
// The copies of a sound (as many as its buffers), brought up to the clock.
std::vector<SoundCopyState> Host_SoundCopies(const OE_Sound* sound);
// Plays into an OpenAL loopback device instead of a sound card: nothing is
// heard, and Host_RenderAudio mixes what would be. Open before loading sounds.
bool Host_OpenLoopbackAudio(int rate);
// Mixes the next `frames` frames of the loopback device: left, right
// interleaved, full scale 1.0.
std::vector<float> Host_RenderAudio(int frames);

// ---------------------------------------------------------------- output

// The colour of one pixel of the last drawn frame, 0xBBGGRR.
uint32_t Host_ReadPixel(int x, int y);
// Every pixel of the last drawn frame as 0xAARRGGBB, row by row.
std::vector<uint32_t> Host_ReadScreen();
bool Host_SaveScreenshot(const std::string& path);
// Starts a new frame on the offscreen screen without the game's procedures:
// clears to black and resets the drawing state (tests draw on it directly).
void Host_BeginTestFrame();

// ---------------------------------------------------------------- the desktop

// The player's own writable folder (XDG data home on Linux), with a trailing '/'.
std::string Host_UserFolder();
// The command line after the program's name, in UTF-8 (Windows hands it to
// main() in its own code page).
std::vector<std::string> Host_Arguments(int argc, char** argv);
// The folder of the executable, with a trailing '/'.
std::string Host_ExecutableFolder();
// Opens an address with the desktop's handler; false when it cannot.
bool Host_OpenUrl(const std::string& url);
