// A translucent panel with translucent lines drawn over it, many of them
// over the same pixels (the minimap's soft track line). The software
// renderer blends every line pixel by pixel; a stamp counts once how many
// lines cover each pixel of the panel and measures the renderer's own blend
// for each count, then lays panel and lines in one pass, with the same
// result to the last bit. Where it cannot (another renderer, a scaled
// window, the camera on), it draws them one by one.
#pragma once

#include <cstdint>
#include <vector>

struct OE_StampLine {
    int x1, y1, x2, y2;
};

struct OE_Stamp {
    int x = 0, y = 0, width = 0, height = 0;  // the panel, screen pixels
    int panelColour = 0, panelAlpha = 0;
    int lineColour = 0, lineAlpha = 0;
    std::vector<OE_StampLine> lines;  // drawn in this order

    // Measured by the first draw the software renderer can lay in one pass.
    enum class Laid { Unmeasured, OnePass, LineByLine };
    Laid laid = Laid::Unmeasured;
    uint32_t format = 0;          // the screen's pixel format it was measured on
    std::vector<uint8_t> cover;   // how many lines cover each panel pixel, row by row
    std::vector<uint8_t> blends;  // [count][byte of the pixel][its value before]: its value after
};

// Draws the panel and then every line over it, in screen coordinates (the
// camera off), as Pr2D_Rect and Pr2D_Line would.
void Stamp_Draw(OE_Stamp& stamp);
