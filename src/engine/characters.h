// Kinds of characters that typed names must not hold: those that draw
// nothing (control and zero-width characters), and blanks.
#pragma once

bool IsUnseenCharacter(char32_t c);
bool IsBlankCharacter(char32_t c);
