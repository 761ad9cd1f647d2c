// Timers and the clock.
#include "engine/state.h"

OE_Timer* Timer_Create(void (*procedure)(), int interval, int) {
    EngineState& e = Engine();
    auto timer = std::make_unique<OE_Timer>();
    timer->procedure = procedure;
    timer->interval = interval > 0 ? interval : 1;
    timer->enabled = true;
    timer->lastRun = U_GetTime();
    e.timers.push_back(std::move(timer));
    return e.timers.back().get();
}

double U_GetTime() {
    EngineState& e = Engine();
    if (e.config.headless) return e.virtualClock;
    if (!e.sdlStarted) return 0;
    const double ticks = static_cast<double>(SDL_GetPerformanceCounter() - e.realClockStart);
    return ticks * 1000.0 / static_cast<double>(SDL_GetPerformanceFrequency());
}

void Host_AdvanceClock(double ms) { Engine().virtualClock += ms; }

void Host_Sleep(int ms) {
    if (ms <= 0) return;
    if (Engine().config.headless) {
        Host_AdvanceClock(ms);
    } else {
        SDL_Delay(static_cast<Uint32>(ms));
    }
}
