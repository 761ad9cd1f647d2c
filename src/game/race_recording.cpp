#include "game/race_recording.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>

#include "engine/files.h"
#include "engine/paths.h"
#include "game/autopilot.h"
#include "game/ghost.h"
#include "game/lap_times.h"
#include "game/profiles.h"
#include "game/race_rules.h"
#include "game/records.h"
#include "game/shell.h"
#include "gui/notice.h"
#include "world/world_file.h"

Replay racerecording;

namespace {

struct Playback {
    bool on = false;
    Replay replay;
    size_t next = 0;  // the tick about to run
};

Playback playback;
bool recording = false;  // off past kMaxReplayTicks, and in replays
int raceTicks = 0;

int32_t Kept(int v) { return std::clamp(v, -kReplayPositionLimit, kReplayPositionLimit); }

bool SaveReplay(const std::string& name) {
    std::error_code ec;
    std::filesystem::create_directories(PathOf(UserPath("replays")), ec);
    return SavePlayerFile(ReplayPath(name), FormatReplay(racerecording), kReplayNotSaved);
}

}  // namespace

void BeginRace(std::string_view track, uint8_t mode) {
    lapclock = LapClock{};
    raceTicks = 0;
    PrepareGhost(track, mode);
    if (playback.on) {
        playback.next = 0;
        SetRandomState(playback.replay.random);
        recording = false;
        return;
    }
    Replay& r = racerecording;
    r.track = track;
    r.trackHash = TrackFileHash(track);
    r.setup = ChosenSetup();
    r.mode = mode;
    r.score = score;
    r.random = RandomStateNow();
    if (r.ticks.capacity() < static_cast<size_t>(kMaxReplayTicks)) r.ticks.reserve(kMaxReplayTicks);
    r.ticks.clear();
    recording = KeptTrackName(track);
}

bool WorldRunsThisTick() {
    if (playback.on && playback.next < playback.replay.ticks.size()) {
        return (playback.replay.ticks[playback.next].controls & kWorldRuns) != 0;
    }
    return std::fabs(racenow - racestart) > 4000;
}

void EndRaceTick(const tworld& w, bool worldRan) {
    ++raceTicks;
    TickLapClock(lapclock, worldRan, playerlaps);
    if (playback.on) {
        ++playback.next;
        return;
    }
    if (!recording) return;
    if (racerecording.ticks.size() == static_cast<size_t>(kMaxReplayTicks)) {
        recording = false;  // too long to keep
        return;
    }
    ReplayTick t;
    t.controls = ControlBits(raceinput, worldRan);
    const int car = PlayerCar(w);
    if (car >= 0) {
        const tminimal& c = w.objects[car];
        t.x = Kept(c.x);
        t.y = Kept(c.y);
        t.frame = static_cast<int32_t>(std::lround(std::clamp(c.frame, -100.0f, 100.0f) * 1000));
    }
    racerecording.ticks.push_back(t);
}

int RaceTicksNow() { return raceTicks; }

bool StartReplayRace(const Replay& replay) {
    playback.on = true;
    playback.replay = replay;
    playback.next = 0;
    vehiclechoice = replay.setup.vehicle;
    colourchoice = replay.setup.colour;
    difficulty = replay.setup.difficulty;
    score = replay.score;
    ForgetProfile();
    return StartRace(replay.track, replay.mode);
}

bool ReplayPlaying() { return playback.on; }

RaceInput ReplayControlsNow() {
    const auto& ticks = playback.replay.ticks;
    return playback.next < ticks.size() ? ControlsOf(ticks[playback.next].controls) : RaceInput{};
}

void KeepUnfinishedRace() {
    if (!playback.on && recording) SaveReplay("last");
}

RecordNews KeepRaceResult(const std::string& profile, const std::string& date) {
    if (playback.on || !recording) return {};
    const size_t vehicle = std::min<size_t>(racerecording.setup.vehicle, vehiclenames.size() - 1);
    const TrackTime who{0, vehiclenames[vehicle], date, profile};
    const RecordNews news = OfferTimes(records, racerecording.track, lapclock.bestLap, lapclock.finishTicks, who);
    if (news.lap || news.race) SaveRecords();
    KeepUnfinishedRace();
    if (news.race) SaveReplay(racerecording.track);
    return news;
}
