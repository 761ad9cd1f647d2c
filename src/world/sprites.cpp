#include "world/sprites.h"

#include <charconv>
#include <string>

#include "media/texture_base.h"
#include "world/world.h"

OE_Texture* ObjectSprite(std::string_view name, std::string_view part, int frame) {
    static std::string buffer;
    char digits[16];
    const auto end = std::to_chars(digits, digits + sizeof digits, frame).ptr;
    buffer.assign(name);
    buffer.append(part);
    buffer.append(digits, end);
    return FindTexture(ObjectTextures, buffer);
}

OE_Texture* FirstSprite(std::string_view name) {
    return IsVehicle(name) ? ObjectSprite(name, "_wh", 1) : ObjectSprite(name, "", 1);
}
