// The whole game run in-process, headless, and played as a player plays it:
// keys and clicks injected between frames, on the real elements by name.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

class GameDriver {
  public:
    // Starts the game on the data folder `data` with the player's files in
    // `user`, as the program does: the 30 ms timer, full screen, GameInit.
    void Start(const std::string& data, const std::string& user, uint64_t seed = 1);
    // Ends the game without its quit procedure and empties every global base.
    void Stop();

    // Runs frames until `n` more update ticks have run.
    void Ticks(int n);
    // Runs ticks until `done` holds; false when `limit` ticks pass first.
    bool TicksUntil(const std::function<bool()>& done, int limit);
    // One tick and one frame both see what was injected.
    void Settle();
    void Key(int vk);
    void Button(int button, int x, int y);
    // Clicks the middle of a visible element found by name.
    void ClickOn(std::string_view name);
    // Replaces an edit box's text by typing, as a player does.
    void Type(std::string_view box, std::string_view text);

    std::function<void()> afterTick;  // runs after every update tick
    int ticks = 0;
};
