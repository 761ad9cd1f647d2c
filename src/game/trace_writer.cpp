#include "game/trace_writer.h"

#include <charconv>
#include <cmath>
#include <cstring>

#include "engine/omega.h"
#include "game/shell.h"
#include "world/race.h"
#include "world/simulation.h"

namespace {

void AppendInt(std::string& out, long value) {
    char buffer[24];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    out.append(buffer, result.ptr);
}

// The shortest text that reads back as the same float; JSON has no NaN.
void AppendFloat(std::string& out, float value) {
    if (!std::isfinite(value)) {
        out += "null";
        return;
    }
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    out.append(buffer, result.ptr);
}

void AppendString(std::string& out, std::string_view text) {
    out += '"';
    for (const char ch : text) {
        const unsigned char u = static_cast<unsigned char>(ch);
        if (ch == '"' || ch == '\\') {
            out += '\\';
            out += ch;
        } else if (u < 0x20) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", u);
            out += escaped;
        } else {
            out += ch;
        }
    }
    out += '"';
}

void Put(std::string& out, const char* key, long value) {
    out += key;
    AppendInt(out, value);
}

void Put(std::string& out, const char* key, float value) {
    out += key;
    AppendFloat(out, value);
}

void AppendObject(std::string& out, const tminimal& o) {
    out += "{\"name\":";
    AppendString(out, o.name);
    Put(out, ",\"x\":", long{o.x});
    Put(out, ",\"y\":", long{o.y});
    Put(out, ",\"frame\":", o.frame);
    Put(out, ",\"speed\":", o.speed);
    Put(out, ",\"throttle\":", long{o.throttle});
    Put(out, ",\"heading\":", long{o.heading});
    Put(out, ",\"velx\":", o.velx);
    Put(out, ",\"vely\":", o.vely);
    Put(out, ",\"waypoint\":", long{o.waypoint});
    Put(out, ",\"laps\":", long{o.laps});
    Put(out, ",\"maxspeed\":", long{o.maxspeed});
    Put(out, ",\"dynamic\":", long{o.dynamic});
    Put(out, ",\"ai\":", long{o.ai});
    Put(out, ",\"radius\":", long{o.radius});
    Put(out, ",\"width\":", long{o.width});
    Put(out, ",\"height\":", long{o.height});
    out += '}';
}

}  // namespace

void AppendTraceLine(std::string& out, long tick, const tworld& w) {
    Put(out, "{\"tick\":", tick);
    Put(out, ",\"playerlaps\":", long{playerlaps});
    Put(out, ",\"winner\":", long{winner});
    Put(out, ",\"score\":", long{score});
    out += ",\"keys\":[";
    bool first = true;
    const RaceInput& in = raceinput;
    for (const auto& [held, name] :
         {std::pair{in.up, "up"}, {in.down, "down"}, {in.left, "left"}, {in.right, "right"}}) {
        if (!held) continue;
        if (!first) out += ',';
        AppendString(out, name);
        first = false;
    }
    out += "],\"objects\":[";
    for (int i = 0; i < w.count; ++i) {
        if (i) out += ',';
        AppendObject(out, w.objects[i]);
    }
    out += "]}\n";
}
