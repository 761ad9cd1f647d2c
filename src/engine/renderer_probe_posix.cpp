// Asking which renderer a window would get, in a child process: an OpenGL
// that runs on the processor loads drivers of tens of megabytes that stay
// in a process even once closed, so the game itself never loads them.
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>

#include "engine/state.h"

DefaultRenderer ProbeDefaultRenderer() {
    std::fflush(nullptr);  // the child must not write the game's buffered output again
    const pid_t child = fork();
    if (child < 0) return DefaultRenderer::Unknown;
    if (child == 0) {
        int answer = 2;
        if (SDL_Init(SDL_INIT_VIDEO) == 0) {
            SDL_Window* window = SDL_CreateWindow("", 0, 0, 1, 1, SDL_WINDOW_HIDDEN);
            SDL_Renderer* renderer = window ? SDL_CreateRenderer(window, -1, kHardwareRenderer) : nullptr;
            if (renderer) answer = RunsOnProcessor(renderer) ? 1 : 0;
        }
        _exit(answer);
    }
    int status = 0;
    if (waitpid(child, &status, 0) != child || !WIFEXITED(status)) return DefaultRenderer::Unknown;
    switch (WEXITSTATUS(status)) {
        case 0: return DefaultRenderer::OnGraphicsCard;
        case 1: return DefaultRenderer::OnProcessor;
        default: return DefaultRenderer::Unknown;
    }
}
