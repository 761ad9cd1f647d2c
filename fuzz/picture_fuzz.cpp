// Pictures as the game loads a texture: checked, decoded and made a texture.
// PNG and JPEG are known by their bytes; everything else goes to the TGA reader.
#include <SDL.h>

#include "engine/host.h"
#include "engine/picture_file.h"
#include "engine/state.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    Host_OpenHeadless();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string error;
    SDL_Surface* surface =
        DecodePicture(std::string_view(reinterpret_cast<const char*>(data), size), "fuzz.tga", error);
    if (!surface) return 0;
    if (SDL_Texture* texture = SDL_CreateTextureFromSurface(Engine().renderer, surface)) SDL_DestroyTexture(texture);
    SDL_FreeSurface(surface);
    return 0;
}
