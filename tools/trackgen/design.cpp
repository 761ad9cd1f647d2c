#include "design.h"

#include <cstdlib>
#include <fstream>
#include <sstream>

namespace {

// Reads the file's lines with comments ('#' to the end) and blank lines
// dropped, handing each one's words to `take`.
template <typename Take>
bool ForEachLine(const std::string& path, std::string& error, Take take) {
    std::ifstream in(path);
    if (!in) {
        error = "cannot read " + path;
        return false;
    }
    std::string line;
    int lineNo = 0;
    while (std::getline(in, line)) {
        ++lineNo;
        if (const size_t hash = line.find('#'); hash != std::string::npos) line.erase(hash);
        std::istringstream words(line);
        std::string key;
        if (!(words >> key)) continue;
        std::string problem;
        if (!take(key, words, problem)) {
            error = path + ":" + std::to_string(lineNo) + ": " + problem;
            return false;
        }
    }
    return true;
}

std::vector<std::string> Rest(std::istringstream& words) {
    std::vector<std::string> out;
    for (std::string w; words >> w;) out.push_back(w);
    return out;
}

}  // namespace

bool ReadLandscapes(const std::string& path, std::map<std::string, LandscapeDesign>& out, std::string& error) {
    LandscapeDesign* current = nullptr;
    return ForEachLine(path, error, [&](const std::string& key, std::istringstream& words, std::string& problem) {
        if (key == "landscape") {
            std::string name;
            words >> name;
            current = &out[name];
            current->name = name;
            return true;
        }
        if (!current) {
            problem = "'" + key + "' before any 'landscape'";
            return false;
        }
        if (key == "ground") {
            words >> current->ground;
        } else if (key == "road") {
            words >> current->road;
        } else if (key == "edge") {
            current->edge = Rest(words);
        } else if (key == "scenery") {
            current->scenery = Rest(words);
        } else if (key == "dynamic") {
            current->dynamic = Rest(words);
        } else if (key == "water") {
            current->water = Rest(words);
        } else if (key == "lamps") {
            words >> current->lampSpacing;
        } else {
            problem = "unknown key '" + key + "'";
            return false;
        }
        if (words.fail() && !words.eof()) {
            problem = "bad value for '" + key + "'";
            return false;
        }
        return true;
    });
}

bool ReadTrack(const std::string& path, TrackDesign& out, std::string& error) {
    bool inLoop = false;
    const bool read =
        ForEachLine(path, error, [&](const std::string& key, std::istringstream& words, std::string& problem) {
            if (inLoop) {
                if (key == "end") {
                    inLoop = false;
                    return true;
                }
                Point p;
                std::istringstream number(key);
                if (!(number >> p.x) || !(words >> p.y)) {
                    problem = "expected a point 'x y' or 'end'";
                    return false;
                }
                out.loop.push_back(p);
                return true;
            }
            if (key == "track") {
                words >> out.name;
            } else if (key == "landscape") {
                words >> out.landscape;
            } else if (key == "road") {
                words >> out.road;
            } else if (key == "seed") {
                words >> out.seed;
            } else if (key == "scenery") {
                words >> out.scenery;
            } else if (key == "dynamic") {
                words >> out.dynamicCount;
            } else if (key == "car") {
                CarDesign car;
                std::string colour;
                words >> car.vehicle >> colour;
                char* end = nullptr;
                car.colour = static_cast<int>(std::strtol(colour.c_str(), &end, 0));
                if (colour.empty() || *end != '\0') {
                    problem = "expected 'car <vehicle> <colour>'";
                    return false;
                }
                out.cars.push_back(car);
            } else if (key == "loop") {
                inLoop = true;
            } else {
                problem = "unknown key '" + key + "'";
                return false;
            }
            if (words.fail()) {
                problem = "bad value for '" + key + "'";
                return false;
            }
            return true;
        });
    if (!read) return false;
    if (inLoop || out.loop.size() < 4 || out.name.empty() || out.landscape.empty()) {
        error = path + ": a track needs a name, a landscape and a closed loop of at least 4 points";
        return false;
    }
    return true;
}
