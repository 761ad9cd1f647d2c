#include "editor/editor.h"

#include <charconv>
#include <cstdint>
#include <cstdio>
#include <limits>
#include <string>
#include <utility>

#include "engine/omega.h"
#include "engine/paths.h"
#include "engine/quote.h"
#include "gui/notice.h"
#include "gui/widgets.h"
#include "media/particles.h"
#include "media/sound_base.h"
#include "media/texture_base.h"
#include "world/draw_world.h"
#include "world/landscape_drawing.h"
#include "world/lighting.h"
#include "world/minimap.h"
#include "world/race.h"
#include "world/sprites.h"
#include "world/view.h"
#include "world/world.h"
#include "world/world_file.h"

RaceSetup editorsetup;

namespace {

// The colour placed while the colour box holds no number.
int lastColour = 0x111111;

// A track loaded over a bad file waits here, so a failed load loses nothing.
tworld keptWorld;

std::string_view SelectedItem() {
    const Ilist* items = WidgetNamed<Ilist>("lst_items");
    if (!items || items->selected < 0 || items->selected >= items->items.count) return {};
    return items->items.items[items->selected];
}

bool Ticked(std::string_view box) { return ElementNamed(box).checked != 0; }

// The colour box is read when an object is placed; a text that is no number
// places the colour last placed from a good one.
int PlacementColour() {
    int colour = 0;
    if (ParseColour(ElementNamed("edt_col").caption, colour)) lastColour = colour;
    return lastColour;
}

// Sizes, lighting and fixed shadows follow every change to the world.
void Refresh() {
    MeasureObjects(world);
    LightCorners(world);
    CastShadows(world, 0);
}

// Places the selected object at the mouse, snapped to the grid in screen
// pixels plus the camera; the camera moves in steps of 16, so the grid stays
// put in the world. An empty list line places nothing.
void Place(int grid) {
    const std::string_view item = SelectedItem();
    if (item.empty()) return;
    const int x = (mousex / grid) * grid + 4 + camera->x;
    const int y = (mousey / grid) * grid + 4 + camera->y;
    if (WorldAddObject(world, item, x, y, Ticked("chk_ai"), Ticked("chk_dyn"), PlacementColour())) Refresh();
}

// Said on screen in a few words, in full on stderr.
void Refuse(std::string_view notice, const std::string& why) {
    std::fprintf(stderr, "kolvetra: %s\n", why.c_str());
    ShowNotice(notice);
    PlaySound(Sounds, "bad", false);
}

// The name typed into a box, or empty (after saying why) when it is not a
// plain file name.
std::string TrackName(std::string_view box) {
    const std::string& name = ElementNamed(box).caption;
    if (IsSafeWorldName(name)) return name;
    Refuse(kBadTrackName, Quote(name) + " cannot be a track name: use a plain file name without folders");
    return {};
}

void SwapWorlds(tworld& a, tworld& b) {
    a.objects.swap(b.objects);
    std::swap(a.count, b.count);
    a.waypoints.swap(b.waypoints);
    std::swap(a.waypointcount, b.waypointcount);
}

}  // namespace

bool ParseColour(std::string_view text, int& colour) {
    const bool hex = !text.empty() && text.front() == '$';
    if (hex) text.remove_prefix(1);
    // from_chars would take a minus sign after '$'; a hexadecimal colour has none.
    if (text.empty() || (hex && text.front() == '-')) return false;
    long long value = 0;
    const char* end = text.data() + text.size();
    const auto [stop, ec] = std::from_chars(text.data(), end, value, hex ? 16 : 10);
    if (ec != std::errc() || stop != end) return false;
    // Eight hexadecimal digits fill all 32 bits, as the game's colours are stored.
    const long long highest = hex ? std::numeric_limits<uint32_t>::max() : std::numeric_limits<int32_t>::max();
    if (value < std::numeric_limits<int32_t>::min() || value > highest) return false;
    colour = static_cast<int>(static_cast<uint32_t>(value));
    return true;
}

bool IsSafeWorldName(std::string_view name) {
    if (name.empty() || name.find("..") != std::string_view::npos) return false;
    for (const char c : name) {
        if (c == '/' || c == '\\' || static_cast<unsigned char>(c) < 0x20 || c == 0x7F) return false;
    }
    return true;
}

void EditorMouse() {
    if (!Key_Down(VK_SHIFT)) return;
    if (Mouse_Click(MB_LEFT)) {
        if (Ticked("chk_wp")) {
            WorldAddWaypoint(world, mousex + camera->x, mousey + camera->y);
        } else {
            Place(8);
        }
    }
    if (Mouse_Click(MB_RIGHT)) EditorDeleteAt(mousex + camera->x, mousey + camera->y);
    if (Mouse_Down(MB_MIDDLE)) Place(32);
}

void EditorScroll() {
    if (mousex < 10) camera->x -= 16;
    if (mousex > 790) camera->x += 16;
    if (mousey < 10) camera->y -= 16;
    if (mousey > 590) camera->y += 16;
}

void EditorTick() {
    EditorMouse();
    UpdateEffects(Particles);
    RebuildView(view, world);
    EditorScroll();
    if (Key_Press(VK_F5)) {
        WorldMirror(world);
        // The lamps have moved with everything else: light the track anew,
        // and turn the camera round too, so the same stretch stays in sight.
        Refresh();
        camera->x = -camera->x - kScreenWidth;
    }
}

void DrawPlacementPreview() {
    if (!Key_Down(VK_SHIFT)) return;
    const std::string_view item = SelectedItem();
    if (item.empty()) return;
    const int x = (Mouse_X() / 8) * 8 + 4, y = (Mouse_Y() / 8) * 8 + 4;
    if (IsVehicle(item)) {
        // A car has no single sprite: its wheels and its body in the colour it will get.
        const OE_Texture* wheels = ObjectSprite(item, "_wh", 1);
        const OE_Texture* body = ObjectSprite(item, "_tp", 1);
        if (!wheels || !body) return;
        const int w = wheels->width, h = wheels->height;
        SSprite_Draw(wheels, x - w / 2, y - h, w, h, 255, 0, FX_PLAIN);
        int colour = lastColour;
        ParseColour(ElementNamed("edt_col").caption, colour);
        FX_SetColorMix(colour);
        SSprite_Draw(body, x - w / 2, y - h, w, h, 255, 0, FX_PLAIN | FX_COLORMIX);
        return;
    }
    const OE_Texture* t = ObjectSprite(item, "", 1);
    if (t) SSprite_Draw(t, x - t->width / 2, y - t->height, t->width, t->height, 255, 0, FX_PLAIN);
}

void EditorDraw() {
    DrawBackdrop();
    DrawWorld(view);
    DrawEffects(Particles);
    if (Ticked("chk_wp")) DrawWaypoints(world);
    char fps[16];
    const auto end = std::to_chars(fps, fps + sizeof fps, OE_GetFPS()).ptr;
    Text_Draw(font, 0, 0, std::string_view(fps, end - fps), 1.0f, 0, 255, 0xFFFFFF);
    ProcessElements();
    DrawPlacementPreview();
}

void EditorDeleteAt(int px, int py) {
    for (int i = 0; i < world.count; ++i) {
        const tminimal& o = world.objects[i];
        // The pick circle is sized by the object's own first sprite.
        const OE_Texture* t = FirstSprite(o.name);
        const float r = static_cast<float>((2 * (t ? t->width : 0)) / 6);
        const OE_Circle pick{static_cast<float>(o.x), static_cast<float>(o.y), r};
        if (Col_PointInCircle(static_cast<float>(px), static_cast<float>(py), pick)) {
            WorldRemoveAt(world, i);
            Refresh();
            return;
        }
    }
}

void UndoWaypoint() {
    if (world.waypointcount > 0) --world.waypointcount;
}

void EditorSave() {
    const std::string name = TrackName("edt_save");
    if (name.empty()) return;
    const WorldFileResult saved = WorldSave(world, UserPath("wld/" + name + ".wld"));
    if (!saved.ok) {
        Refuse(kTrackNotSaved, saved.message);
    } else if (world.waypointcount < 2) {
        // Saved all the same: the track may be finished later.
        ShowNotice(kTrackFewWaypoints, kTrackUnfinishable);
    }
}

void EditorLoad() {
    const std::string name = TrackName("edt_load");
    if (name.empty()) return;
    SwapWorlds(world, keptWorld);
    // The load reports its own failures.
    const bool loaded = WorldLoad(world, WorldPath(name), editorsetup).ok;
    RestartRaceTick();
    if (!loaded) {
        SwapWorlds(world, keptWorld);
        ShowNotice(kTrackNotLoaded);
        PlaySound(Sounds, "bad", false);
    }
}
