#include "game/world_preview.h"

#include "engine/omega.h"
#include "game/race_rules.h"
#include "world/draw_world.h"
#include "world/view.h"
#include "world/world_file.h"

namespace {

struct Preview {
    bool requested = false;
    std::string path;
    int cameraX = 0, cameraY = 0;
} preview;

}  // namespace

void RequestWorldPreview(std::string path, int cameraX, int cameraY) {
    preview = Preview{true, std::move(path), cameraX, cameraY};
}

bool WorldPreviewActive() { return preview.requested; }

void StartWorldPreview() {
    if (!preview.requested) return;
    WorldLoad(world, preview.path, ChosenSetup());  // a bad file is reported and leaves an empty world
    RestartRaceTick();
    if (camera) {
        camera->x = preview.cameraX;
        camera->y = preview.cameraY;
    }
}

void DrawWorldPreview() {
    // The view is rebuilt here rather than by the tick, so the very first
    // frame already shows the world.
    RebuildView(view, world);
    DrawScene(world, view);
}
