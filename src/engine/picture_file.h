// Pictures as the game reads them: PNG and JPEG known by their first bytes,
// TGA by the file name. The size a header claims is checked before anything
// is decoded, so a tiny file claiming a huge picture costs nothing.
#pragma once

#include <string>
#include <string_view>

struct SDL_Surface;

// Four times the largest picture the game makes (the 1024 x 128 font atlas,
// the 800-pixel-wide title and help pictures) each way, and still only
// 64 MB decoded.
inline constexpr int kPictureSideLimit = 4096;

struct PictureSize {
    int width = 0;
    int height = 0;
};

// The size the header claims; false with the reason in `error` when the bytes
// are no picture the game reads, or one too large or too short to be real.
bool CheckPictureHeader(std::string_view bytes, std::string_view name, PictureSize& size, std::string& error);
// The decoded picture (free it with SDL_FreeSurface), or nullptr with the
// reason in `error`.
SDL_Surface* DecodePicture(std::string_view bytes, std::string_view name, std::string& error);
SDL_Surface* LoadPicture(const std::string& path, std::string& error);
// The size of the picture file at `path` from its header, nothing decoded;
// false with the reason in `error` when LoadPicture would refuse it unread.
bool ReadPictureSize(const std::string& path, PictureSize& size, std::string& error);
