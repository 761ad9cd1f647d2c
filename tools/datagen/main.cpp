// Generates the game's whole data folder: pictures, sounds, font and music,
// and on request the desktop icons. The output depends only on this program
// and the DejaVu fonts, so two runs write identical files.
#include <cstdio>
#include <filesystem>
#include <string>

#include "art.h"
#include "font.h"
#include "icon.h"
#include "music.h"
#include "sounds.h"

namespace {

const char* const kUsage = "usage: kolvetra-datagen [--out DIR [--sheets DIR]] [--icons DIR]\n";

}  // namespace

int main(int argc, char** argv) {
    std::string out, sheets, icons;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "--out" && i + 1 < argc) {
            out = argv[++i];
        } else if (a == "--sheets" && i + 1 < argc) {
            sheets = argv[++i];
        } else if (a == "--icons" && i + 1 < argc) {
            icons = argv[++i];
        } else {
            std::fputs(kUsage, stderr);
            return 2;
        }
    }
    if (out.empty() && icons.empty()) {
        std::fputs(kUsage, stderr);
        return 2;
    }
    if (!icons.empty() && !MakeIcons(icons)) return 1;
    if (out.empty()) return 0;
    namespace fs = std::filesystem;
    std::error_code ec;
    fs::create_directories(fs::path(out) / "fnt", ec);
    if (!ec) fs::create_directories(fs::path(out) / "sfx", ec);
    if (ec) {
        std::fprintf(stderr, "kolvetra-datagen: cannot create %s: %s\n", out.c_str(), ec.message().c_str());
        return 1;
    }
    if (!MakeFont(out + "/fnt")) {
        std::fprintf(stderr, "kolvetra-datagen: cannot write the font\n");
        return 1;
    }
    if (!MakeSounds(out + "/sfx") || !MakeMusic(out + "/sfx")) {
        std::fprintf(stderr, "kolvetra-datagen: cannot write the sounds and music\n");
        return 1;
    }
    if (!MakeArt(out, sheets)) return 1;
    return 0;
}
