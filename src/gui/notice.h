// A short message to the player at the foot of the screen, over every
// window, for a few seconds: a save that failed, a track that cannot be
// raced, a player's folder that cannot be used. Up to two lines.
#pragma once

#include <string_view>

// About eight seconds of update ticks.
inline constexpr int kNoticeTicks = 270;

void ShowNotice(std::string_view line, std::string_view second = {});
// Counts the notice's time down and takes it away at the end; once per
// update tick.
void NoticeTick();
