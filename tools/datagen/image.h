// Pictures written by the data generator.
#pragma once

#include <cairo.h>

#include <string>

// Writes a cairo ARGB32 surface as an uncompressed 32-bit TGA with straight
// alpha and top-left origin. Same pixels, same bytes.
bool WriteTga(cairo_surface_t* surface, const std::string& path);
