#include "art.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>

#include "image.h"

ArtOutput::ArtOutput(std::string dataFolder, std::string sheetFolder)
    : data_(std::move(dataFolder)), sheets_(std::move(sheetFolder)) {}

void ArtOutput::Save(const std::string& folder, const std::string& name, const Picture& picture,
                     const std::string& sheet, bool showCollision) {
    const std::string path = data_ + "/" + folder + "/" + name + ".tga";
    if (!WriteTga(picture.surface(), path)) {
        std::fprintf(stderr, "kolvetra-datagen: cannot write %s\n", path.c_str());
        ok_ = false;
    }
    AddToSheet(sheet, name, picture, showCollision);
}

void ArtOutput::AddToSheet(const std::string& sheet, const std::string& label, const Picture& picture,
                           bool showCollision) {
    if (sheets_.empty()) return;
    Picture copy(picture.width(), picture.height());
    cairo_set_source_surface(copy.cr(), picture.surface(), 0, 0);
    cairo_paint(copy.cr());
    entries_[sheet].push_back({label, std::move(copy), showCollision});
}

void ArtOutput::SaveObjectList() {
    std::string text;
    for (const std::string& name : placeable_) text += name + "\r\n";
    const std::string path = data_ + "/gfx/obj/list.txt";
    std::ofstream file(path, std::ios::binary);
    file << text;
    if (!file) {
        std::fprintf(stderr, "kolvetra-datagen: cannot write %s\n", path.c_str());
        ok_ = false;
    }
}

namespace {

constexpr int kSheetWidth = 1500;
constexpr int kThumbMax = 400;
constexpr int kPageWidth = 400;
constexpr const char* kLabelFace = "DejaVu Sans 11px";

void Checker(cairo_t* cr, double x, double y, double w, double h) {
    cairo_save(cr);
    cairo_rectangle(cr, x, y, w, h);
    cairo_clip(cr);
    for (int j = 0; j * 8 < h; ++j) {
        for (int i = 0; i * 8 < w; ++i) {
            SetColor(cr, (i + j) % 2 ? Hex(0xB4B4B4) : Hex(0xD2D2D2));
            cairo_rectangle(cr, x + i * 8, y + j * 8, 8, 8);
            cairo_fill(cr);
        }
    }
    cairo_restore(cr);
}

// Small sprites are shown enlarged so their details can be judged.
double ThumbScale(const Picture& p) {
    const int side = std::max(p.width(), p.height());
    if (side <= 80) return 3;
    if (side <= 160) return 2;
    return std::min(1.0, static_cast<double>(kThumbMax) / side);
}

}  // namespace

bool ArtOutput::Finish() {
    if (sheets_.empty()) return ok_;
    std::error_code ec;
    std::filesystem::create_directories(sheets_, ec);
    for (const auto& [sheet, entries] : entries_) {
        struct Cell {
            double x, y, scale;
        };
        std::vector<Cell> cells;
        double x = 10, y = 10, rowHeight = 0;
        for (const Entry& e : entries) {
            const double scale = ThumbScale(e.picture);
            const double w = e.picture.width() * scale, h = e.picture.height() * scale;
            const double cellW = std::max(w, static_cast<double>(MeasureText(e.label, kLabelFace).width)) + 12;
            if (x + cellW > kSheetWidth && x > 10) {
                x = 10;
                y += rowHeight;
                rowHeight = 0;
            }
            cells.push_back({x, y, scale});
            x += cellW;
            rowHeight = std::max(rowHeight, h + 24);
        }
        Picture page(kSheetWidth, static_cast<int>(y + rowHeight + 10));
        cairo_t* cr = page.cr();
        SetColor(cr, Hex(0x34383C));
        cairo_paint(cr);
        for (size_t i = 0; i < entries.size(); ++i) {
            const Entry& e = entries[i];
            const Cell& c = cells[i];
            const double w = e.picture.width() * c.scale, h = e.picture.height() * c.scale;
            Checker(cr, c.x, c.y, w, h);
            cairo_save(cr);
            cairo_translate(cr, c.x, c.y);
            cairo_scale(cr, c.scale, c.scale);
            cairo_set_source_surface(cr, e.picture.surface(), 0, 0);
            cairo_paint(cr);
            cairo_restore(cr);
            if (e.showCollision) {
                // The collision circle: a quarter of the width, centred a
                // quarter of the height above the foot.
                cairo_new_path(cr);
                cairo_arc(cr, c.x + w / 2, c.y + h - h / 4, w / 4, 0, 2 * M_PI);
                cairo_set_source_rgba(cr, 1, 0.1, 0.1, 0.8);
                cairo_set_line_width(cr, 1);
                cairo_stroke(cr);
                cairo_arc(cr, c.x + w / 2, c.y + h, 2, 0, 2 * M_PI);
                cairo_fill(cr);
            }
            DrawText(cr, e.label, kLabelFace, c.x, c.y + h + 3, Hex(0xF0F0F0));
            if (e.picture.width() >= kPageWidth) {
                // Screen-sized pictures also get a page of their own.
                const std::string page = sheets_ + "/" + sheet + "-" + e.label + ".png";
                if (cairo_surface_write_to_png(e.picture.surface(), page.c_str()) != CAIRO_STATUS_SUCCESS) ok_ = false;
            }
        }
        const std::string path = sheets_ + "/" + sheet + ".png";
        if (cairo_surface_write_to_png(page.surface(), path.c_str()) != CAIRO_STATUS_SUCCESS) {
            std::fprintf(stderr, "kolvetra-datagen: cannot write %s\n", path.c_str());
            ok_ = false;
        }
    }
    return ok_;
}

Picture Tinted(const Picture& picture, Rgb tint) {
    Picture out(picture.width(), picture.height());
    cairo_set_source_surface(out.cr(), picture.surface(), 0, 0);
    cairo_paint(out.cr());
    ForEachPixel(out, [&](int, int, uint32_t& p) {
        const auto r = static_cast<uint32_t>(((p >> 16) & 0xFF) * tint.r);
        const auto g = static_cast<uint32_t>(((p >> 8) & 0xFF) * tint.g);
        const auto b = static_cast<uint32_t>((p & 0xFF) * tint.b);
        p = (p & 0xFF000000u) | (r << 16) | (g << 8) | b;
    });
    return out;
}

bool MakeArt(const std::string& dataFolder, const std::string& sheetFolder) {
    std::error_code ec;
    for (const char* sub : {"gfx/obj", "gfx/share", "gfx/share/en"}) {
        std::filesystem::create_directories(dataFolder + "/" + sub, ec);
        if (ec) {
            std::fprintf(stderr, "kolvetra-datagen: cannot create %s/%s: %s\n", dataFolder.c_str(), sub,
                         ec.message().c_str());
            return false;
        }
    }
    ArtOutput out(dataFolder, sheetFolder);
    MakeVehicles(out);
    MakeLandscapes(out);
    MakeProps(out);
    MakeInterface(out);
    out.SaveObjectList();
    return out.Finish();
}
