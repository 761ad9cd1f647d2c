// Object sprites are found by name: "<name><n>" for most objects,
// "<name>_wh<n>" and "<name>_tp<n>" for a car's wheels and body.
#pragma once

#include <string_view>

#include "engine/omega.h"

// The texture of ObjectTextures named name + part + frame ("jeep", "_wh", 3
// gives "jeep_wh3"); the base's first texture when there is none. Builds the
// name in a reused buffer, so drawing every frame allocates nothing.
OE_Texture* ObjectSprite(std::string_view name, std::string_view part, int frame);
// The sprite an object is measured by: "<name>_wh1" for a car, "<name>1"
// for anything else.
OE_Texture* FirstSprite(std::string_view name);
