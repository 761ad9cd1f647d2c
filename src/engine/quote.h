// File content quoted in a message: between double quotes, control bytes
// written as \xNN so that nothing reaches the terminal raw and a NUL cannot
// cut the message short, and long text cut at a character's boundary.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

inline constexpr size_t kQuotedBytes = 40;

std::string Quote(std::string_view text, size_t limit = kQuotedBytes);
