// What the pads do in the game. In a race the stick or the D-pad steers, the
// right trigger or A accelerates, the left trigger or B brakes and reverses,
// Start pauses. Everywhere else but the map editor the stick moves the
// cursor, A clicks and B takes the window's way back, if it has one.
#pragma once

// Adds the player's own pad mappings (gamecontrollerdb.txt in the player's
// folder, SDL's format) to the database SDL ships, when the file is there.
void LoadPadMappings();
// Once a frame, before the screens are processed.
void PadMenuFrame();
// Start held: the race pauses as for Escape.
bool PadPauses();
// A bump or a bonus felt through the pads, unless the player turned it off.
void PadJolt(float strength);
// Shows the options' rumble row while a pad is plugged in, and keeps the
// choice made there in the settings file.
void ShowRumbleOptions();
void AcceptRumbleOption();
