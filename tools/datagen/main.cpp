// Generates the game's whole data folder: pictures, sounds, font and music.
// The output depends only on this program and the DejaVu fonts, so two runs
// write identical files.
#include <cstdio>
#include <filesystem>
#include <string>

#include "art.h"
#include "font.h"
#include "music.h"
#include "sounds.h"

int main(int argc, char** argv) {
    std::string out, sheets;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "--out" && i + 1 < argc) {
            out = argv[++i];
        } else if (a == "--sheets" && i + 1 < argc) {
            sheets = argv[++i];
        } else {
            std::fprintf(stderr, "usage: kolvetra-datagen --out DIR [--sheets DIR]\n");
            return 2;
        }
    }
    if (out.empty()) {
        std::fprintf(stderr, "usage: kolvetra-datagen --out DIR [--sheets DIR]\n");
        return 2;
    }
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
