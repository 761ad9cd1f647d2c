// The part of safe file writing each operating system does its own way.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

enum class SaveAttempt { Written, Failed, TemporaryVanished };

// One save through a fresh temporary file beside `target`, renamed into
// place. TemporaryVanished: a starting copy of the game removed it as a
// leftover before it was in place, and the save should be tried again.
SaveAttempt SaveThroughTemporary(const std::filesystem::path& target, std::string_view bytes, std::string& error);
