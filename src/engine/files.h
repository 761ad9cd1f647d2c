// Safe file writing: a save goes to a temporary file beside the target and is
// renamed into place, so a crash or a full disk never leaves half a file.
#pragma once

#include <string>
#include <string_view>

// False with a message in `error` when the file could not be written; the
// previous file, if any, is then left as it was.
bool WriteFileAtomically(const std::string& path, std::string_view bytes, std::string& error);
// The whole file, or false when it cannot be read.
bool ReadWholeFile(const std::string& path, std::string& bytes);
