#include "game/race_runner.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>

#include "engine/files.h"
#include "engine/host.h"
#include "engine/omega.h"
#include "engine/paths.h"
#include "game/autopilot.h"
#include "game/race_recording.h"
#include "game/race_rules.h"
#include "game/replay.h"
#include "game/shell.h"
#include "game/trace_writer.h"
#include "world/race.h"

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
    Replay replay;
};

RunState& Run() {
    static RunState state;
    return state;
}

void PressAutopilotKeys() { DriveWith(Run().autopilot.Steer(world, PlayerCar(world))); }

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
    // The limit holds after a result too: a run without --until-result stays
    // on the result screen until it runs out.
    const int limit = r.run.maxTicks > 0 ? r.run.maxTicks : (r.run.untilResult ? kDefaultMaxTicks : 0);
    const bool outOfTime = limit > 0 && r.ticks >= limit;
    if (outOfTime && !r.resultReached) {
        ReportResult("timeout");
        KeepUnfinishedRace();
    }
    if ((r.run.untilResult && r.resultReached) || outOfTime) {
        r.finished = true;
        r.trace.reset();
        OE_Quit();
        return;
    }
    if (r.run.autopilot) PressAutopilotKeys();
}

}  // namespace

bool RaceRunWanted(const RaceRun& run) { return !run.track.empty() || !run.replayPath.empty(); }

bool SetRaceRun(const RaceRun& run, std::string& error) {
    RunState& r = Run();
    r.run = run;
    if (!run.replayPath.empty()) {
        if (!LoadReplay(run.replayPath, r.replay, error)) return false;
        r.run.track = r.replay.track;
    }
    if (!std::filesystem::is_regular_file(PathOf(WorldPath(r.run.track)))) {
        error = "no track file " + WorldPath(r.run.track);
        return false;
    }
    if (!run.tracePath.empty()) {
        r.trace.reset(OpenFile(run.tracePath, "wb"));
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
    const bool started = r.run.replayPath.empty() ? StartRace(r.run.track, 1) : StartReplayRace(r.replay);
    if (!started) {
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
