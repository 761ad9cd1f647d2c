#include "game/data_check.h"

#include <cstdio>
#include <filesystem>

#include "engine/files.h"
#include "engine/paths.h"
#include "engine/quote.h"
#include "game/tournament.h"

namespace {

// The pictures and sounds the screens and the race use by name.
constexpr const char* kSharedPictures[] = {"g_cur", "g_wnd", "g_but", "g_tit", "g_sh",   "g_wh", "g_tr", "g_sr",
                                           "g_op",  "g_qt",  "ann",   "logo2", "Ostrel", "t0",   "t1",   "t2",
                                           "t3",    "lock",  "color", "help1", "help2",  "for",  "light"};
constexpr const char* kSounds[] = {"click", "select", "bad", "get", "start", "amb", "fw", "bum", "eng", "eng_e"};

bool Exists(const std::string& relative) {
    std::error_code ec;
    return std::filesystem::is_regular_file(PathOf(DataPath(relative)), ec);
}

}  // namespace

std::vector<std::string> MissingDataFiles() {
    std::vector<std::string> missing;
    const auto need = [&missing](const std::string& relative) {
        if (!Exists(relative)) missing.push_back(relative);
    };
    for (const char* file : {"fnt/font.tga", "fnt/font.ofi", "sfx/menu.xm", "gfx/obj/list.txt"}) need(file);
    for (const char* picture : kSharedPictures) {
        const std::string stem = std::string("gfx/share/") + picture;
        if (!Exists(stem + ".jpg")) need(stem + ".tga");
    }
    for (const char* sound : kSounds) need(std::string("sfx/") + sound + ".wav");
    for (const char* track : tracknames) need(std::string("wld/") + track + ".wld");
    return missing;
}

void ReportMissingData() {
    for (const std::string& file : MissingDataFiles()) {
        std::fprintf(stderr, "kolvetra: missing data file %s\n", Quote(DataPath(file), 200).c_str());
    }
}
