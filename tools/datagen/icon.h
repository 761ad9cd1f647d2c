// The game's icon for desktops: PNG at the usual sizes and a scalable SVG.
#pragma once

#include <string>

// Writes icon-48.png, icon-64.png, icon-128.png, icon-256.png and icon.svg
// into `folder`; false when something could not be written.
bool MakeIcons(const std::string& folder);
