// The player's folders and the desktop's handlers.
#include "engine/state.h"

std::string Host_UserFolder() {
    char* path = SDL_GetPrefPath("", "kolvetra");
    std::string folder = path ? path : "./";
    SDL_free(path);
    return folder;
}

std::string Host_ExecutableFolder() {
    char* path = SDL_GetBasePath();
    std::string folder = path ? path : "./";
    SDL_free(path);
    return folder;
}

bool Host_OpenUrl(const std::string& url) { return SDL_OpenURL(url.c_str()) == 0; }
