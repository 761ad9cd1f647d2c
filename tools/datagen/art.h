// The game's pictures: vehicles, world objects, landscapes and interface,
// written as TGA files into the data folder, with contact sheets to look at.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "paint.h"

// Where pictures go. Every saved picture also lands on the contact sheet of
// its group when sheets are wanted.
class ArtOutput {
  public:
    ArtOutput(std::string dataFolder, std::string sheetFolder);

    // Writes `folder`/`name`.tga under the data folder ("gfx/obj", ...).
    void Save(const std::string& folder, const std::string& name, const Picture& picture, const std::string& sheet,
              bool showCollision = false);
    // Puts a picture on a contact sheet only.
    void AddToSheet(const std::string& sheet, const std::string& label, const Picture& picture,
                    bool showCollision = false);
    // Names an object the map editor offers, in gfx/obj/list.txt order.
    void AddPlaceable(const std::string& name) { placeable_.push_back(name); }
    // Writes gfx/obj/list.txt.
    void SaveObjectList();
    // Writes one PNG per sheet; false when something could not be written.
    bool Finish();

    bool ok() const { return ok_; }
    const std::string& dataFolder() const { return data_; }

  private:
    struct Entry {
        std::string label;
        Picture picture;
        bool showCollision;
    };
    std::string data_;
    std::string sheets_;
    std::map<std::string, std::vector<Entry>> entries_;
    std::vector<std::string> placeable_;
    bool ok_ = true;
};

// Copies a picture with its colours multiplied by `tint`, as the game tints.
Picture Tinted(const Picture& picture, Rgb tint);

// A vehicle as the game shows it, wheels with the paint tinted over them,
// `zoom` times the size of its sprites.
Picture VehicleLook(const std::string& name, int frame, Rgb tint, double zoom);
// The same vehicle in vectors on `cr`, facing `degrees` anticlockwise from
// the right, its footprint centred at (x, y) of the surface.
void PaintVehicle(cairo_t* cr, const std::string& name, double degrees, Rgb tint, double zoom, double x, double y);

// The painters of the world objects, shared with the landscape previews.
// Each draws its object with the foot at (0, 0) of the current user space.
using PropPainter = void (*)(cairo_t* cr);
struct PropKind {
    const char* name;  // object name; the sprite file is name + "1"
    int landscape;     // 0 beach, 1 forest, 2 ice, 3 city, -1 any
    PropPainter paint;
};
const std::vector<PropKind>& PropKinds();
PropPainter FindProp(const std::string& name);
// The 32 x 32 picture of a bonus ("bn_spd", "bn_oil", "bn_slw").
Picture BonusPicture(const std::string& name);

// The ground of each landscape as a seamless 256 x 256 tile, for the patches
// and the previews: `kind` 0 ground, 1 track surface.
Picture GroundTile(int landscape, int kind);

void MakeVehicles(ArtOutput& out);
void MakeProps(ArtOutput& out);
void MakeLandscapes(ArtOutput& out);
void MakeInterface(ArtOutput& out);

// Everything above plus gfx/obj/list.txt; `sheetFolder` may be empty.
bool MakeArt(const std::string& dataFolder, const std::string& sheetFolder);
