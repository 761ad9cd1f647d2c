#include "image.h"

#include <cstdint>
#include <fstream>
#include <vector>

bool WriteTga(cairo_surface_t* surface, const std::string& path) {
    cairo_surface_flush(surface);
    const int w = cairo_image_surface_get_width(surface);
    const int h = cairo_image_surface_get_height(surface);
    const int stride = cairo_image_surface_get_stride(surface);
    const unsigned char* pixels = cairo_image_surface_get_data(surface);
    if (!pixels || w <= 0 || h <= 0 || w > 0xFFFF || h > 0xFFFF) return false;

    uint8_t header[18] = {};
    header[2] = 2;  // uncompressed true colour
    header[12] = static_cast<uint8_t>(w & 0xFF);
    header[13] = static_cast<uint8_t>(w >> 8);
    header[14] = static_cast<uint8_t>(h & 0xFF);
    header[15] = static_cast<uint8_t>(h >> 8);
    header[16] = 32;
    header[17] = 0x28;  // 8 alpha bits, top-left origin

    std::vector<uint8_t> out(sizeof header + static_cast<size_t>(w) * h * 4);
    std::copy(header, header + sizeof header, out.begin());
    uint8_t* dst = out.data() + sizeof header;
    for (int y = 0; y < h; ++y) {
        const uint32_t* row = reinterpret_cast<const uint32_t*>(pixels + static_cast<size_t>(y) * stride);
        for (int x = 0; x < w; ++x) {
            const uint32_t p = row[x];  // premultiplied ARGB
            const uint32_t a = p >> 24;
            uint32_t r = (p >> 16) & 0xFF, g = (p >> 8) & 0xFF, b = p & 0xFF;
            if (a != 0 && a != 255) {
                r = (r * 255 + a / 2) / a;
                g = (g * 255 + a / 2) / a;
                b = (b * 255 + a / 2) / a;
            }
            *dst++ = static_cast<uint8_t>(b > 255 ? 255 : b);
            *dst++ = static_cast<uint8_t>(g > 255 ? 255 : g);
            *dst++ = static_cast<uint8_t>(r > 255 ? 255 : r);
            *dst++ = static_cast<uint8_t>(a);
        }
    }
    std::ofstream file(path, std::ios::binary);
    file.write(reinterpret_cast<const char*>(out.data()), static_cast<std::streamsize>(out.size()));
    return static_cast<bool>(file);
}
