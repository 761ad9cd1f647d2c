#include "game/race_runner.h"

#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>

#include "engine/host.h"
#include "engine/omega.h"
#include "engine/paths.h"
#include "game/race_rules.h"
#include "game/shell.h"
#include "world/race.h"
#include "world/simulation.h"

int PlayerCar(const tworld& w) {
    for (int i = 0; i < w.count; ++i) {
        if (w.objects[i].ai == 0 && IsVehicle(w.objects[i].name)) return i;
    }
    return -1;
}

Autopilot::Keys Autopilot::Steer(const tworld& w, int car) {
    Keys keys;
    if (car < 0 || w.waypointcount <= 0) return keys;
    const tminimal& c = w.objects[car];
    if (target >= w.waypointcount) target = 0;
    // When the lap tracking counts the aim (within 160 px) the aim moves on
    // too, so cars parked on the finish line cannot hold the car back.
    const bool counted = c.waypoint != lastCounted && lastCounted >= 0 && c.waypoint == target;
    lastCounted = c.waypoint;
    if (DistanceTo(c, w.waypoints[target]) < kComputerWaypointReach || counted) target = (target + 1) % w.waypointcount;
    const int heading = HeadingTo(c, w.waypoints[target]);
    // Frames go round in 16: turn the shorter way, and hold still within half
    // a step's turn of the aim so the car does not weave.
    float turn = HeadingToFrame(heading) - c.frame;
    while (turn >= 8) turn -= 16;
    while (turn < -8) turn += 16;
    const float dead = 0.01f * c.speed;
    keys.up = true;
    keys.left = turn > dead;
    keys.right = turn < -dead;
    return keys;
}

namespace {

void HoldArrowKeys(const Autopilot::Keys& keys) {
    Host_KeyEvent(VK_UP, keys.up);
    Host_KeyEvent(VK_LEFT, keys.left);
    Host_KeyEvent(VK_RIGHT, keys.right);
}

}  // namespace

void RaceAutopilot::Tick() {
    if (gamestate != stRace) {
        if (holding_) HoldArrowKeys({});
        holding_ = false;
        return;
    }
    if (racestart != race_) {
        pilot_ = Autopilot{};
        race_ = racestart;
    }
    HoldArrowKeys(pilot_.Steer(world, PlayerCar(world)));
    holding_ = true;
}

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
    for (const auto& [vk, name] : {std::pair{VK_UP, "up"}, {VK_DOWN, "down"}, {VK_LEFT, "left"}, {VK_RIGHT, "right"}}) {
        if (!Key_Down(vk)) continue;
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

namespace {

struct RunState {
    RaceRun run;
    bool started = false;
    bool finished = false;
    bool resultReached = false;
    bool loadFailed = false;
    long ticks = 0;
    Autopilot autopilot;
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> trace{nullptr, std::fclose};
    std::string line;
};

RunState& Run() {
    static RunState state;
    return state;
}

void PressAutopilotKeys() { HoldArrowKeys(Run().autopilot.Steer(world, PlayerCar(world))); }

void ReportResult(const char* outcome) {
    RunState& r = Run();
    std::printf("%s track=%s ticks=%ld winner=%d player_won=%d playerlaps=%d score=%d\n", outcome, r.run.track.c_str(),
                r.ticks, winner, PlayerWon(world) ? 1 : 0, playerlaps, score);
    std::fflush(stdout);
}

void AfterTick() {
    RunState& r = Run();
    if (!r.started || r.finished) return;
    ++r.ticks;
    if (r.trace) {
        r.line.clear();
        AppendTraceLine(r.line, r.ticks, world);
        std::fwrite(r.line.data(), 1, r.line.size(), r.trace.get());
    }
    const bool result = gamestate == stRaceOver && !r.resultReached;
    if (result) {
        r.resultReached = true;
        ReportResult("result");
    }
    const int limit = r.run.maxTicks > 0 ? r.run.maxTicks : (r.run.untilResult ? kDefaultMaxTicks : 0);
    const bool outOfTime = !r.resultReached && limit > 0 && r.ticks >= limit;
    if (outOfTime) ReportResult("timeout");
    if ((r.run.untilResult && r.resultReached) || outOfTime) {
        r.finished = true;
        r.trace.reset();
        OE_Quit();
        return;
    }
    if (r.run.autopilot) PressAutopilotKeys();
}

}  // namespace

bool SetRaceRun(const RaceRun& run, std::string& error) {
    RunState& r = Run();
    r.run = run;
    if (!std::filesystem::is_regular_file(WorldPath(run.track))) {
        error = "no track file " + WorldPath(run.track);
        return false;
    }
    if (!run.tracePath.empty()) {
        r.trace.reset(std::fopen(run.tracePath.c_str(), "wb"));
        if (!r.trace) {
            error = "cannot write the trace " + run.tracePath + ": " + std::strerror(errno);
            return false;
        }
    }
    return true;
}

void StartRaceRun() {
    RunState& r = Run();
    if (r.run.track.empty()) return;
    vehiclechoice = r.run.vehicle;
    colourchoice = r.run.colour;
    difficulty = r.run.difficulty;
    if (!StartRace(r.run.track, 1)) {
        r.loadFailed = true;  // the load has said why
        OE_Quit();
        return;
    }
    r.started = true;
    Host_SetTickHook(AfterTick);
    if (r.run.autopilot) PressAutopilotKeys();
}

int RaceRunStatus() {
    const RunState& r = Run();
    if (r.loadFailed) return 1;
    if (!r.run.untilResult) return 0;
    return r.resultReached ? 0 : 1;
}

void StartMenuAutopilot() {
    static RaceAutopilot pilot;
    Host_SetTickHook([] { pilot.Tick(); });
}
