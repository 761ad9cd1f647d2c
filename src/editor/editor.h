// src/editor owns the map editor screen. It may use gui/, world/, media/
// and engine/.
//
// The map editor: places objects on an 8- or 32-pixel grid, removes them,
// lays the waypoint loop, mirrors the track and loads and saves world files.
// Its settings are the widgets of its panel, wnd_main, read whenever used.
#pragma once

#include <string_view>

#include "world/race.h"

// What a loaded track is set up with: the player's choices when the editor
// was opened.
extern RaceSetup editorsetup;

// The editor's tick: the mouse edits, the effects run, the view is rebuilt,
// the screen edges scroll and F5 mirrors the track.
void EditorTick();
// The editor's frame, all but the cursor: the world, the waypoints while
// "Way" is ticked, the frame rate, the panel and the placement preview.
void EditorDraw();

// Shift with the mouse: button 1 places on the 8-pixel grid (or lays a
// waypoint while "Way" is ticked), button 0 removes, button 2 held paints
// on the 32-pixel grid.
void EditorMouse();
// The camera scrolls 16 pixels a tick while the mouse is at a screen edge.
void EditorScroll();
// While Shift is held: the object a click would place, standing on the
// 8-pixel grid under the mouse.
void DrawPlacementPreview();
// Removes the first object whose pick circle (a third of its sprite's width
// around its position) holds the world point.
void EditorDeleteAt(int px, int py);
// The panel's buttons: Undo drops the last waypoint; Save writes
// wld/<name>.wld into the player's folder; Load reads it the way a race
// finds its track.
void UndoWaypoint();
void EditorSave();
void EditorLoad();

// The colour box's text as a colour: decimal, or hexadecimal after '$'.
// False when the text is not such a number.
bool ParseColour(std::string_view text, int& colour);
// Whether a typed track name is a plain file name: not empty, no folder
// separators, no "..", no control characters.
bool IsSafeWorldName(std::string_view name);
