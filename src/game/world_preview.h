// Looking at one track on its own: the --world start-up option loads a world
// file as the editor's Load does, puts the camera where asked and then every
// frame shows that world alone, without menus or races.
#pragma once

#include <string>

// Asks for the preview; called before the engine starts.
void RequestWorldPreview(std::string path, int cameraX, int cameraY);
bool WorldPreviewActive();
// Loads the world and places the camera; called once the textures are loaded.
void StartWorldPreview();
// One frame: the background, the view rebuilt from the world, the world.
void DrawWorldPreview();
