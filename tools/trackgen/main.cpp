// Builds the sixteen world files from the track designs in tracks/: each
// design gives its track, and the same track mirrored gives its reverse
// ("beach1" and "beach1r").
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <map>
#include <memory>
#include <string>

#include "builder.h"
#include "design.h"
#include "map_picture.h"
#include "world/world_file.h"

namespace {

int Usage() {
    std::fprintf(stderr, "usage: kolvetra-trackgen --designs DIR --data DIR [--out DIR] [--maps DIR]\n");
    return 2;
}

bool Save(const tworld& w, const std::string& path) {
    const WorldFileResult saved = WorldSave(w, path);
    if (!saved.ok) std::fprintf(stderr, "kolvetra-trackgen: %s\n", saved.message.c_str());
    return saved.ok;
}

}  // namespace

int main(int argc, char** argv) {
    std::string designs, data, out, maps;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (i + 1 >= argc) return Usage();
        if (a == "--designs") {
            designs = argv[++i];
        } else if (a == "--data") {
            data = argv[++i];
        } else if (a == "--out") {
            out = argv[++i];
        } else if (a == "--maps") {
            maps = argv[++i];
        } else {
            return Usage();
        }
    }
    if (designs.empty() || data.empty()) return Usage();
    if (out.empty()) out = data;

    std::string error;
    std::map<std::string, LandscapeDesign> landscapes;
    if (!ReadLandscapes(designs + "/landscapes.txt", landscapes, error)) {
        std::fprintf(stderr, "kolvetra-trackgen: %s\n", error.c_str());
        return 1;
    }
    namespace fs = std::filesystem;
    std::vector<fs::path> files;
    for (const auto& entry : fs::directory_iterator(designs)) {
        if (entry.path().extension() == ".track") files.push_back(entry.path());
    }
    std::sort(files.begin(), files.end());

    const SpriteSizes sizes(data);
    auto w = std::make_unique<tworld>();
    for (const fs::path& file : files) {
        TrackDesign track;
        if (!ReadTrack(file.string(), track, error)) {
            std::fprintf(stderr, "kolvetra-trackgen: %s\n", error.c_str());
            return 1;
        }
        const auto land = landscapes.find(track.landscape);
        if (land == landscapes.end()) {
            std::fprintf(stderr, "kolvetra-trackgen: %s: unknown landscape '%s'\n", file.c_str(),
                         track.landscape.c_str());
            return 1;
        }
        if (!BuildTrack(track, land->second, sizes, *w, error)) {
            std::fprintf(stderr, "kolvetra-trackgen: %s: %s\n", file.c_str(), error.c_str());
            return 1;
        }
        const std::string base = out + "/wld/" + track.name;
        if (!Save(*w, base + ".wld")) return 1;
        if (!maps.empty()) {
            fs::create_directories(maps);
            if (!WriteMapPicture(*w, data, maps + "/" + track.name + ".png", 0.08)) {
                std::fprintf(stderr, "kolvetra-trackgen: cannot write the map of %s\n", track.name.c_str());
            }
        }
        WorldMirror(*w);
        if (!Save(*w, base + "r.wld")) return 1;
    }
    return 0;
}
