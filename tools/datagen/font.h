// The game's bitmap font, rendered from DejaVu Sans.
#pragma once

#include <string>

// Writes fnt/font.tga and fnt/font.ofi into `folder` (which must exist).
bool MakeFont(const std::string& folder);
