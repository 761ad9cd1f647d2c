// A headless screen for the GUI tests: an empty element list drawn by the GUI
// pass, scripted mouse and keys, and a log of the sounds asked for.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>

#include "engine/host.h"
#include "gui/element.h"
#include "gui/widgets.h"
#include "support.h"

class GuiTest : public ::testing::Test {
  protected:
    void SetUp() override {
        Host_OpenHeadless();
        Host_RecordSounds(true);
        ClearElements();
        OE_RegProcedure(OE_PROC_DRAW, ProcessElements);
        click = Snd_LoadFromFile("click.wav", 1);
        hoverSound = Snd_LoadFromFile("select.wav", 1);
        ClickSound = click;
        HoverSound = hoverSound;
        GuiFont = nullptr;
        WindowTexture = ButtonTexture = nullptr;
        TextColor = HighlightColor = ButtonTextColor = 0xFFFFFF;
        Host_MouseMove(799, 599);
    }
    void TearDown() override {
        ClearElements();
        OE_RegProcedure(OE_PROC_DRAW, nullptr);
        Host_Shutdown();
    }

    // Appends a widget of class T and returns it; a window becomes the
    // current window.
    template <class T>
    T& Add(std::string_view name, int x, int y, int w, int h, std::string_view caption = "", bool visible = true) {
        T& e = static_cast<T&>(Elements[Elements.append(std::make_unique<T>(name, x, y, w, h, caption, visible))]);
        if (!e.isChild) SetCurrentWindow();
        return e;
    }

    OE_Texture* Solid(int w, int h, uint32_t colour) {
        const std::string path = scratch / ("t" + std::to_string(textures++) + ".tga");
        WriteSolidTga(path, w, h, colour);
        return Tex_LoadFromFile(path, -1, 266);
    }

    void Frame() { Host_DrawFrame(); }
    void MoveTo(int x, int y) { Host_MouseMove(x, y); }
    // Presses the button at (x, y) and draws the frame that sees the press;
    // the button stays down until Release.
    void Press(int x, int y) {
        Host_MouseMove(x, y);
        Host_MouseButton(MB_LEFT, true);
        Frame();
    }
    void Release() { Host_MouseButton(MB_LEFT, false); }
    void Click(int x, int y) {
        Press(x, y);
        Release();
    }

    long Played(const OE_Sound* sound) const {
        const auto& log = Host_SoundLog();
        return std::count_if(log.begin(), log.end(), [sound](const HostSoundPlay& p) { return p.sound == sound; });
    }
    const HostSoundPlay& LastPlayed() const { return Host_SoundLog().back(); }

    ScratchFolder scratch;
    int textures = 0;
    OE_Sound* click = nullptr;
    OE_Sound* hoverSound = nullptr;
};
