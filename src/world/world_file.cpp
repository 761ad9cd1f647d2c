#include "world/world_file.h"

#include <charconv>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <limits>
#include <sstream>
#include <vector>

#include "engine/files.h"
#include "engine/omega.h"
#include "engine/quote.h"
#include "engine/random.h"
#include "world/lighting.h"
#include "world/race.h"
#include "world/simulation.h"

namespace {

constexpr std::uintmax_t kLargestWorldFile = 16 * 1024 * 1024;

struct FileObject {
    std::string name;
    int x = 0, y = 0;
    uint8_t ai = 0, dynamic = 0;
    int color = 0;
};

// What a line of the file holds, for the error message: "x of object 3".
struct Field {
    const char* what;
    int index = 0;  // 1-based object or waypoint number, 0 for a count
    const char* of = "";
};

std::string Describe(const Field& f) {
    return f.index > 0 ? std::string(f.what) + " of " + f.of + " " + std::to_string(f.index) : f.what;
}

// Reads the file line by line, accepting LF or CR LF, and keeps the line
// number for messages.
class LineReader {
  public:
    LineReader(const std::string& path, std::string_view text) : path_(path), text_(text) {
        if (text_.substr(0, 3) == "\xEF\xBB\xBF") text_.remove_prefix(3);
    }

    bool Line(const Field& field, std::string_view& out) {
        if (pos_ >= text_.size()) {
            Fail(line_ + 1, "the file ends where " + Describe(field) + " should be");
            return false;
        }
        ++line_;
        const size_t end = text_.find('\n', pos_);
        out = text_.substr(pos_, end == std::string_view::npos ? std::string_view::npos : end - pos_);
        pos_ = end == std::string_view::npos ? text_.size() : end + 1;
        if (!out.empty() && out.back() == '\r') out.remove_suffix(1);
        return true;
    }

    bool Number(const Field& field, long long min, long long max, int& out) {
        std::string_view line;
        if (!Line(field, line)) return false;
        const std::string_view text = Trim(line);
        std::string_view digits = text;
        if (digits.size() > 1 && digits[0] == '+' && digits[1] != '-') digits.remove_prefix(1);
        long long value = 0;
        const auto [ptr, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
        if (digits.empty() || ec == std::errc::invalid_argument || ptr != digits.data() + digits.size()) {
            Fail(line_, Describe(field) + " should be a whole number, not " + Quote(line));
            return false;
        }
        if (ec == std::errc::result_out_of_range || value < min || value > max) {
            Fail(line_, Describe(field) + " is " + Quote(text) + ", outside " + std::to_string(min) + " to " +
                            std::to_string(max));
            return false;
        }
        out = static_cast<int>(value);
        return true;
    }

    void Fail(int line, const std::string& what) {
        if (error_.empty()) error_ = path_ + ", line " + std::to_string(line) + ": " + what;
    }
    const std::string& error() const { return error_; }

  private:
    static std::string_view Trim(std::string_view s) {
        while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
        while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
        return s;
    }

    const std::string& path_;
    std::string_view text_;
    size_t pos_ = 0;
    int line_ = 0;
    std::string error_;
};

bool ReadWholeFile(const std::string& path, std::string& text, std::string& error) {
    namespace fs = std::filesystem;
    std::error_code ec;
    const fs::file_status status = fs::status(PathOf(path), ec);
    if (!fs::exists(status)) {
        error = path + ": there is no such world file";
        return false;
    }
    const std::uintmax_t size = fs::is_regular_file(status) ? fs::file_size(PathOf(path), ec) : 0;
    if (!fs::is_regular_file(status) || ec) {
        error = path + ": not a readable world file";
        return false;
    }
    if (size > kLargestWorldFile) {
        error = path + ": too large to be a world file";
        return false;
    }
    std::ifstream in(PathOf(path), std::ios::binary);
    std::ostringstream s;
    if (in) s << in.rdbuf();
    if (!in) {
        error = path + ": the file cannot be read";
        return false;
    }
    text = s.str();
    return true;
}

// Parses the whole file before anything is changed, so a bad file never
// leaves half a world behind.
bool ParseWorld(const std::string& path, std::vector<FileObject>& objects, std::vector<Waypoint>& waypoints,
                std::string& error) {
    std::string text;
    if (!ReadWholeFile(path, text, error)) return false;
    LineReader in(path, text);
    constexpr long long kIntMin = std::numeric_limits<int>::min(), kIntMax = std::numeric_limits<int>::max();
    const auto position = [&in](const Field& field, int& out) {
        return in.Number(field, -kWorldPositionLimit, kWorldPositionLimit, out);
    };
    const auto fail = [&] {
        error = in.error();
        return false;
    };
    int count = 0;
    if (!in.Number({"the object count"}, 0, kWorldCapacity, count)) return fail();
    objects.resize(count);
    for (int i = 0; i < count; ++i) {
        FileObject& o = objects[i];
        int ai = 0, dynamic = 0;
        std::string_view name;
        const int n = i + 1;
        if (!in.Line({"the name", n, "object"}, name) || !position({"x", n, "object"}, o.x) ||
            !position({"y", n, "object"}, o.y) || !in.Number({"the ai flag", n, "object"}, kIntMin, kIntMax, ai) ||
            !in.Number({"the dynamic flag", n, "object"}, kIntMin, kIntMax, dynamic) ||
            !in.Number({"the colour", n, "object"}, kIntMin, kIntMax, o.color)) {
            return fail();
        }
        o.name.assign(name);
        // Only the low byte of a flag is kept.
        o.ai = static_cast<uint8_t>(ai);
        o.dynamic = static_cast<uint8_t>(dynamic);
    }
    int waypointCount = 0;
    if (!in.Number({"the waypoint count"}, 0, kWorldCapacity, waypointCount)) return fail();
    waypoints.resize(waypointCount);
    for (int i = 0; i < waypointCount; ++i) {
        if (!position({"x", i + 1, "waypoint"}, waypoints[i].x) ||
            !position({"y", i + 1, "waypoint"}, waypoints[i].y)) {
            return fail();
        }
    }
    return true;
}

// Each water corner starts drifting one pixel a step in a random direction.
void RandomWaterSteps(tminimal& o) {
    for (CornerOffset& step : o.waterstep) {
        step.dx = Random(2) == 1 ? 1 : -1;
        step.dy = Random(2) == 1 ? -1 : 1;
    }
}

void PlaceObjects(tworld& w, const std::vector<FileObject>& objects, int vehicle) {
    const bool validChoice = vehicle >= 0 && vehicle < static_cast<int>(vehiclenames.size());
    const char* playerVehicle = vehiclenames[validChoice ? vehicle : 0];
    for (const FileObject& f : objects) {
        tminimal& o = w.objects[w.count++];
        o = tminimal{};
        o.name = f.name;
        o.x = f.x;
        o.y = f.y;
        o.ai = f.ai;
        o.dynamic = f.dynamic;
        o.color = f.color;
        RandomWaterSteps(o);
        // Tracks store the player's car as a jeep; it races as the car chosen.
        if (o.name == "jeep" && o.ai == 0) o.name = playerVehicle;
    }
    WorldChanged(w);
}

int BaseTopSpeed(std::string_view vehicle) {
    if (vehicle == "car") return 16;
    if (vehicle == "tank") return 17;
    if (vehicle == "turbo") return 18;
    return 15;
}

// Computer cars are 2 slower than the player's on easy, 1 on normal, as fast
// on hard. Every car starts facing right or left towards waypoint 1.
void SetStartSpeedsAndFacing(tworld& w, int difficulty) {
    for (int i = 0; i < w.count; ++i) {
        tminimal& o = w.objects[i];
        if (!IsVehicle(o.name)) continue;
        o.maxspeed = BaseTopSpeed(o.name) - o.ai * (2 - difficulty);
        o.frame = o.x < w.waypoints[1].x ? 13.0f : 5.0f;
    }
}

// Bonuses come and go during a race; a track never keeps them.
bool IsSpawnedBonus(const tminimal& o) { return HasPrefix(o.name, "bn"); }

// The player's car races as the vehicle chosen but is stored as a jeep, so
// the track starts every player in the car of their own choice.
std::string_view StoredName(const tminimal& o) {
    return o.ai == 0 && IsVehicle(o.name) ? std::string_view("jeep") : std::string_view(o.name);
}

}  // namespace

WorldFileResult WorldLoad(tworld& w, const std::string& path, const RaceSetup& setup) {
    racesetup = setup;
    WorldFileResult result;
    std::vector<FileObject> objects;
    std::vector<Waypoint> waypoints;
    WorldClear(w);
    if (ParseWorld(path, objects, waypoints, result.message)) {
        PlaceObjects(w, objects, setup.vehicle);
        w.waypointcount = 0;
        for (const Waypoint& p : waypoints) WorldAddWaypoint(w, p.x, p.y);
    } else {
        result.ok = false;
        w.waypointcount = 0;
        std::fprintf(stderr, "kolvetra: %s\n", result.message.c_str());
    }
    MeasureObjects(w);
    LightCorners(w);
    CastShadows(w, 0);

    racestart = U_GetTime();
    // The first world step puts the camera on the player's car, gives that car
    // its colour and settles overlaps at the start.
    WorldStep(w);
    SetStartSpeedsAndFacing(w, setup.difficulty);
    return result;
}

WorldFileResult WorldSave(const tworld& w, const std::string& path) {
    WorldFileResult result;
    std::string text;
    text.reserve(64 + static_cast<size_t>(w.count) * 48 + static_cast<size_t>(w.waypointcount) * 16);
    const auto line = [&text](std::string_view value) {
        text.append(value);
        text.append("\r\n");
    };
    const auto number = [&line](long long value) { line(std::to_string(value)); };
    int kept = 0;
    for (int i = 0; i < w.count; ++i) kept += IsSpawnedBonus(w.objects[i]) ? 0 : 1;
    number(kept);
    for (int i = 0; i < w.count; ++i) {
        const tminimal& o = w.objects[i];
        if (IsSpawnedBonus(o)) continue;
        if (o.name.find_first_of("\r\n") != std::string::npos) {
            result.ok = false;
            result.message = path + ": object " + std::to_string(i + 1) + " has a line break in its name";
            return result;
        }
        line(StoredName(o));
        number(o.x);
        number(o.y);
        number(o.ai);
        number(o.dynamic);
        number(o.color);
    }
    number(w.waypointcount);
    for (int i = 0; i < w.waypointcount; ++i) {
        number(w.waypoints[i].x);
        number(w.waypoints[i].y);
    }

    std::string error;
    if (!WriteFileAtomically(path, text, error)) {
        result.ok = false;
        result.message = error;
    }
    return result;
}

void WorldMirror(tworld& w) {
    for (int i = 0; i < w.count; ++i) {
        tminimal& o = w.objects[i];
        o.x = -o.x;
        if (IsVehicle(o.name)) o.frame = 5.0f;
    }
    for (int i = 0; i < w.waypointcount; ++i) w.waypoints[i].x = -w.waypoints[i].x;
    WorldChanged(w);
}
