// Races from the command line: the autopilot, the trace, and a whole race on
// a small oval run to its result by the program itself.
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <sstream>

#include "game/autopilot.h"
#include "game/race_runner.h"
#include "game/trace_writer.h"
#include "sim_support.h"
#include "support.h"

namespace {

using RaceRunner = SimTest;

// A field of one object in a trace line: the text after "key": up to the
// next comma or brace.
double Field(const std::string& object, const std::string& key) {
    const size_t at = object.find("\"" + key + "\":");
    EXPECT_NE(at, std::string::npos) << key;
    return at == std::string::npos ? 0 : std::strtod(object.c_str() + at + key.size() + 3, nullptr);
}

// The objects of a trace line, each as its own text.
std::vector<std::string> Objects(const std::string& line) {
    std::vector<std::string> objects;
    size_t at = line.find("\"objects\":[");
    while ((at = line.find("{\"name\"", at)) != std::string::npos) {
        const size_t end = line.find('}', at);
        objects.push_back(line.substr(at, end - at + 1));
        at = end;
    }
    return objects;
}

// Waypoints of an oval of 6400 px, the player's car beside waypoint 0 and a
// computer car behind it.
const char* kOval =
    "2\r\njeep\r\n-100\r\n60\r\n0\r\n0\r\n0\r\njeep\r\n-100\r\n-100\r\n1\r\n0\r\n255\r\n"
    "8\r\n0\r\n0\r\n1200\r\n0\r\n1800\r\n400\r\n1800\r\n1000\r\n1200\r\n1400\r\n0\r\n1400\r\n-600\r\n1000\r\n"
    "-600\r\n400\r\n";
// The tick of the oval race's result with seed 3.
constexpr int kOvalResultTicks = 1895;

// A scratch data folder of one sprite and a user folder holding the oval;
// returns the command line that races it headless.
std::string OvalRace(const ScratchFolder& scratch, const std::string& options) {
    std::filesystem::create_directories(scratch / "data/gfx/obj");
    std::filesystem::create_directories(scratch / "user/wld");
    WriteSolidTga(scratch / "data/gfx/obj/jeep_wh1.tga", 64, 64, 0x00FF00);
    WriteFile(scratch / "data/gfx/obj/list.txt", "tree\r\n");
    WriteFile(scratch / "user/wld/oval.wld", kOval);
    return std::string(KOLVETRA_BINARY) + " --headless --seed 3 --data " + (scratch / "data") + " --user-dir " +
           (scratch / "user") + " --race oval --autopilot " + options;
}

// The game started as a child whose standard output comes through a pipe.
struct Child {
    pid_t pid = -1;
    std::FILE* out = nullptr;
};

Child StartGame(const std::string& command) {
    int fds[2];
    if (pipe(fds) != 0) return {};
    const pid_t pid = fork();
    if (pid == 0) {
        // A child started in the background may inherit SIGINT ignored.
        std::signal(SIGINT, SIG_DFL);
        std::signal(SIGTERM, SIG_DFL);
        dup2(fds[1], STDOUT_FILENO);
        close(fds[0]);
        close(fds[1]);
        execl("/bin/sh", "sh", "-c", ("exec " + command).c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    close(fds[1]);
    return {pid, fdopen(fds[0], "r")};
}

// Reads the child's output up to and including the first line starting with
// `prefix`; everything read when the output ends first.
std::string ReadUntilLine(Child& child, const std::string& prefix) {
    std::string out;
    char buffer[512];
    while (std::fgets(buffer, sizeof buffer, child.out)) {
        out += buffer;
        if (std::string_view(buffer).starts_with(prefix)) break;
    }
    return out;
}

// Waits for the child to end; a child still running after a generous while
// is a hung run, killed so the test can fail instead of hanging.
int WaitForExit(Child& child) {
    int status = 0;
    for (int waited = 0; waited < 6000; ++waited) {
        if (waitpid(child.pid, &status, WNOHANG) == child.pid) {
            std::fclose(child.out);
            return status;
        }
        usleep(20000);
    }
    kill(child.pid, SIGKILL);
    waitpid(child.pid, &status, 0);
    std::fclose(child.out);
    ADD_FAILURE() << "the game did not end";
    return status;
}

}  // namespace

TEST_F(RaceRunner, AutopilotTurnsTheShorterWayAndTakesWaypointsWithin120) {
    w->waypointcount = 2;
    w->waypoints[0] = {1000, 0};
    w->waypoints[1] = {1000, -1000};
    const int car = AddCar(0, 0, 0);  // facing right, frame 13
    Autopilot pilot;
    RaceInput keys = pilot.Steer(*w, car);
    EXPECT_TRUE(keys.up);
    EXPECT_FALSE(keys.left || keys.right);  // already aiming
    At(car).x = 890;
    keys = pilot.Steer(*w, car);
    EXPECT_EQ(pilot.target, 1);
    EXPECT_TRUE(keys.left);  // up is a quarter turn counter-clockwise
    At(car).frame = 16.5f;   // past up: back clockwise, across the wrap
    keys = pilot.Steer(*w, car);
    EXPECT_TRUE(keys.right);
    At(car).x = 950;
    At(car).y = -950;
    pilot.Steer(*w, car);
    EXPECT_EQ(pilot.target, 0);
}

TEST_F(RaceRunner, TraceLineHoldsTheRaceAndEveryObject) {
    const int car = AddCar(10, -20, 0);
    At(car).speed = 1.4f;
    At(car).velx = -0.1f;
    AddObject("tr\"ee", 5, 6, 8);
    playerlaps = 2;
    score = 90;
    Hold(VK_UP);
    Hold(VK_RIGHT);
    std::string line;
    AppendTraceLine(line, 42, *w);
    EXPECT_EQ(line,
              "{\"tick\":42,\"playerlaps\":2,\"winner\":-1,\"score\":90,\"keys\":[\"up\",\"right\"],\"objects\":["
              "{\"name\":\"jeep\",\"x\":10,\"y\":-20,\"frame\":13,\"speed\":1.4,\"throttle\":0,\"heading\":0,"
              "\"velx\":-0.1,\"vely\":0,\"waypoint\":0,\"laps\":0,\"maxspeed\":15,\"dynamic\":0,\"ai\":0,"
              "\"radius\":16,\"width\":64,\"height\":64},"
              "{\"name\":\"tr\\\"ee\",\"x\":5,\"y\":6,\"frame\":1,\"speed\":0,\"throttle\":0,\"heading\":0,"
              "\"velx\":0,\"vely\":0,\"waypoint\":0,\"laps\":0,\"maxspeed\":0,\"dynamic\":0,\"ai\":0,"
              "\"radius\":2,\"width\":8,\"height\":8}]}\n");
}

TEST(RaceRun, AutopilotRaceOnAnOvalRunsToTheResultByTheRules) {
    ScratchFolder scratch;
    const std::string command = OvalRace(scratch, "--no-draw --until-result --trace " + (scratch / "trace.jsonl"));
    std::FILE* pipe = popen(command.c_str(), "r");
    ASSERT_NE(pipe, nullptr);
    char buffer[512] = {};
    std::string out;
    while (std::fgets(buffer, sizeof buffer, pipe)) out += buffer;
    const int status = pclose(pipe);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0) << out;
    ASSERT_EQ(out.rfind("result track=oval ticks=", 0), 0u) << out;
    EXPECT_NE(out.find(" playerlaps=4 score="), std::string::npos) << out;

    std::istringstream trace(ReadFile(scratch / "trace.jsonl"));
    std::string line;
    std::vector<std::string> player, rival;
    int lines = 0, laps = 0, lastWaypoint = 0;
    while (std::getline(trace, line)) {
        ++lines;
        ASSERT_EQ(Field(line, "tick"), lines);
        const std::vector<std::string> objects = Objects(line);
        ASSERT_GE(objects.size(), 2u);
        player.push_back(objects[0]);
        rival.push_back(objects[1]);
        // A lap counts only when the player comes back to waypoint 0 from
        // the last one.
        const int nowLaps = static_cast<int>(Field(line, "playerlaps"));
        const int waypoint = static_cast<int>(Field(objects[0], "waypoint"));
        if (nowLaps != laps) {
            EXPECT_EQ(nowLaps, laps + 1);
            EXPECT_EQ(lastWaypoint, 7);
            EXPECT_EQ(waypoint, 0);
        }
        laps = nowLaps;
        lastWaypoint = waypoint;
    }
    ASSERT_EQ(out.find("ticks=" + std::to_string(lines) + " "), out.find("ticks="));
    EXPECT_EQ(laps, 4);
    EXPECT_LT(Field(player.back(), "speed"), 1.1);

    // The countdown: nothing moves for four seconds, then the player's car
    // gathers speed by 40 % a step along its heading.
    size_t start = 0;
    while (start < player.size() && Field(player[start], "speed") == 1.0) ++start;
    EXPECT_GE(start, 132u);
    EXPECT_LE(start, 134u);
    EXPECT_EQ(Field(player[start - 1], "x"), -100);
    const double speeds[] = {1.4, 1.96, 2.74, 3.84, 5.38};
    for (size_t k = 0; k < 5; ++k) {
        const std::string& now = player[start + k];
        const std::string& before = player[start + k - 1];
        EXPECT_NEAR(Field(now, "speed"), speeds[k], 0.006);
        EXPECT_EQ(Field(now, "throttle"), 1);
        EXPECT_EQ(Field(now, "heading"), FrameToHeading(static_cast<float>(Field(now, "frame"))));
        const double speed = Field(now, "speed");
        EXPECT_LE(std::fabs(Field(now, "velx") - Field(before, "velx")), speed / 450 + 1e-6);
        EXPECT_EQ(Field(now, "x"), M_Round(Field(before, "x") - Field(now, "velx") * speed));
        EXPECT_EQ(Field(now, "y"), M_Round(Field(before, "y") - Field(now, "vely") * speed));
    }
    // The computer car starts from speed 0 and counts its laps at the wrap.
    EXPECT_EQ(Field(rival[start - 1], "speed"), 0);
    EXPECT_EQ(Field(rival[start], "maxspeed"), 14);
    for (size_t t = 1; t < rival.size(); ++t) {
        const int lapsBefore = static_cast<int>(Field(rival[t - 1], "laps"));
        const int lapsNow = static_cast<int>(Field(rival[t], "laps"));
        if (lapsNow != lapsBefore) {
            EXPECT_EQ(Field(rival[t], "waypoint"), 0);
        }
    }
}

TEST(RaceRun, MissingTrackIsRefused) {
    ScratchFolder scratch;
    std::filesystem::create_directories(scratch / "data");
    const std::string command = std::string(KOLVETRA_BINARY) + " --headless --no-draw --user-dir " +
                                (scratch / "user") + " --data " + (scratch / "data") +
                                " --race nowhere --until-result 2>/dev/null";
    const int status = std::system(command.c_str());
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 2);
}

// A limit of ticks ends a run that is not waiting for the result, also when
// the result comes first: the run stays on the result screen until then.
TEST(RaceRun, MaxTicksEndsARunPastItsResult) {
    ScratchFolder scratch;
    const int limit = kOvalResultTicks + 300;
    Child game = StartGame(
        OvalRace(scratch, "--no-draw --max-ticks " + std::to_string(limit) + " --trace " + (scratch / "trace.jsonl")));
    ASSERT_GT(game.pid, 0);
    const std::string out = ReadUntilLine(game, "timeout");
    const int status = WaitForExit(game);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
    EXPECT_EQ(out.rfind("result track=oval ticks=" + std::to_string(kOvalResultTicks) + " ", 0), 0u) << out;
    EXPECT_EQ(out.find("timeout"), std::string::npos) << out;
    const std::string trace = ReadFile(scratch / "trace.jsonl");
    EXPECT_EQ(std::count(trace.begin(), trace.end(), '\n'), limit);
}

// SIGTERM and SIGINT end a headless run, drawn or not, the way quitting the
// game does: the options are kept and the exit status is the run's own.
TEST(RaceRun, SignalsEndAHeadlessRunThroughTheNormalQuit) {
    for (const auto& [signal, options] : {std::pair{SIGTERM, "--no-draw"}, {SIGINT, ""}}) {
        SCOPED_TRACE(signal);
        ScratchFolder scratch;
        Child game = StartGame(OvalRace(scratch, options));
        ASSERT_GT(game.pid, 0);
        // The result line comes long after the game has started up.
        const std::string out = ReadUntilLine(game, "result");
        ASSERT_EQ(out.rfind("result track=oval", 0), 0u) << out;
        EXPECT_FALSE(std::filesystem::exists(scratch / "user/main.cfg"));
        kill(game.pid, signal);
        const int status = WaitForExit(game);
        ASSERT_TRUE(WIFEXITED(status));
        EXPECT_EQ(WEXITSTATUS(status), 0);
        EXPECT_TRUE(std::filesystem::exists(scratch / "user/main.cfg"));
    }
}
