// Track designs: a small text description per track (landscape, road width,
// the centre line as a closed loop of points, the computer cars) and one
// description per landscape (which sprites make its ground, road, edges and
// scenery). The track builder turns them into world files.
#pragma once

#include <map>
#include <string>
#include <vector>

struct Point {
    double x = 0;
    double y = 0;
};

struct LandscapeDesign {
    std::string name;
    std::string ground;                // tiled under everything
    std::string road;                  // soft patch laid along the centre line
    std::vector<std::string> edge;     // low markers along both edges
    std::vector<std::string> scenery;  // fixed props beyond the edges
    std::vector<std::string> dynamic;  // things the cars can shove
    std::vector<std::string> water;    // optional pools in the scenery
    int lampSpacing = 420;
};

struct CarDesign {
    std::string vehicle;
    int colour = 0;
};

struct TrackDesign {
    std::string name;
    std::string landscape;
    int road = 320;  // road width, pixels
    int seed = 1;
    int scenery = 100;            // scenery density, percent
    int dynamicCount = 8;         // shoveable props along the edges
    std::vector<CarDesign> cars;  // computer cars; the player's jeep is added
    std::vector<Point> loop;      // centre line in driving order, closed
};

// False with a message naming the file and line on a malformed description.
bool ReadLandscapes(const std::string& path, std::map<std::string, LandscapeDesign>& out, std::string& error);
bool ReadTrack(const std::string& path, TrackDesign& out, std::string& error);
