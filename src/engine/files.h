// Safe file writing: a save goes to a temporary file beside the target and is
// renamed into place, so a crash, a power cut or a full disk never leaves half
// a file, and two copies of the game saving one file never mix their bytes.
#pragma once

#include <cstdio>
#include <filesystem>
#include <string>
#include <string_view>
#include <system_error>

// The game keeps paths as UTF-8 text; these convert at the file API, where
// Windows wants UTF-16.
std::filesystem::path PathOf(std::string_view utf8);
std::string TextOfPath(const std::filesystem::path& path);
// std::fopen for a UTF-8 path.
std::FILE* OpenFile(const std::string& path, const char* mode);

// False with a message in `error` when the file could not be written; the
// previous file, if any, is then left as it was. On success the new bytes
// and their name are on the disk.
bool WriteFileAtomically(const std::string& path, std::string_view bytes, std::string& error);
// The whole file, or false when it cannot be read.
bool ReadWholeFile(const std::string& path, std::string& bytes);

// Whether a file name is one of the writer's temporary files: a hidden
// ".<target>.XXXXXX" with six letters or digits at the end.
bool IsTemporaryFileName(std::string_view name);
// Removes the temporary files a writer left in `folder` when it died in the
// middle of a save. Files a running writer is still filling are kept.
void RemoveLeftoverTemporaryFiles(const std::string& folder);

// Creates `folder` if needed; false with the reason in `ec` when the game
// cannot create files in it.
bool MakeWritableFolder(const std::string& folder, std::error_code& ec);
// Whether the file system takes `name` as one file name in `folder`.
bool FitsFileName(const std::string& folder, const std::string& name);
