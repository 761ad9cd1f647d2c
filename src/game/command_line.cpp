#include "game/command_line.h"

#include <charconv>
#include <cstdint>

#include "world/world_file.h"

namespace {

bool ToNumber(const std::string& text, long long& value) {
    const char* end = text.data() + text.size();
    auto [ptr, ec] = std::from_chars(text.data(), end, value);
    return ec == std::errc() && ptr == end;
}

// A plain name of a file in wld/, not a way out of that folder.
bool ValidTrackName(const std::string& name) {
    return name.find_first_of("/\\") == std::string::npos && name != "." && name != "..";
}

// "X,Y" with two whole numbers, either possibly negative.
bool ToPoint(const std::string& text, int& x, int& y) {
    const size_t comma = text.find(',');
    long long a = 0, b = 0;
    if (comma == std::string::npos || !ToNumber(text.substr(0, comma), a) || !ToNumber(text.substr(comma + 1), b)) {
        return false;
    }
    constexpr long long kLimit = kWorldPositionLimit;
    if (a < -kLimit || a > kLimit || b < -kLimit || b > kLimit) return false;
    x = static_cast<int>(a);
    y = static_cast<int>(b);
    return true;
}

}  // namespace

const char* Usage() {
    return "usage: kolvetra [options]\n"
           "  --windowed            start in a window instead of full screen\n"
           "  --renderer auto|software|opengl\n"
           "                        what draws the window (default auto: OpenGL only\n"
           "                        on a graphics card)\n"
           "  --data DIR            game data folder (default: data beside the program)\n"
           "  --user-dir DIR        folder for options, profiles and edited tracks\n"
           "  --lang ru|en          the game's language (default: the one chosen in the\n"
           "                        options, else the desktop's)\n"
           "  --seed N              seed of the random generator\n"
           "  --headless            no window and no sound; a virtual clock\n"
           "  --frames N            quit after N frames\n"
           "  --input FILE          scripted input (see the README)\n"
           "  --screenshot FILE     write the last frame as PNG\n"
           "  --screenshots DIR     write every K-th frame as PNG into DIR\n"
           "  --every K             with --screenshots (default 1)\n"
           "  --race TRACK          start a single race on wld/TRACK.wld straight away\n"
           "  --vehicle N           with --race: 0 jeep, 1 car, 2 tank, 3 turbo (default 0)\n"
           "  --colour N            with --race: car colour 0..15 (default 0)\n"
           "  --difficulty N        with --race: 0 easy, 1 normal, 2 hard (default 1)\n"
           "  --autopilot           the player's car drives itself: in the --race, or in\n"
           "                        every race started through the menus\n"
           "  --until-result        with --race or --replay: quit at the result; exit status 0\n"
           "                        if reached\n"
           "  --max-ticks N         with --race or --replay: stop after N ticks (default 20000\n"
           "                        with --until-result)\n"
           "  --trace FILE          with --race or --replay: the world after every tick as JSON Lines\n"
           "  --replay FILE         play a race kept in a replay file (Escape leaves)\n"
           "  --no-draw             with --headless: run the ticks without drawing frames\n"
           "  --world FILE          show this world file alone (with --screenshot: one frame)\n"
           "  --camera X,Y          with --world: the camera's position in the world\n"
           "  --version             the game's version\n"
           "  --help                this text\n";
}

ParseResult ParseCommandLine(const std::vector<std::string>& args, CommandLine& out, std::string& message) {
    bool cameraGiven = false;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        const auto value = [&](std::string& into) {
            if (i + 1 >= args.size()) {
                message = a + " needs a value";
                return false;
            }
            into = args[++i];
            return true;
        };
        const auto number = [&](long long& into, long long min, long long max = INT32_MAX) {
            std::string text;
            if (!value(text)) return false;
            if (!ToNumber(text, into) || into < min || into > max) {
                message = a + ": not a valid number: " + text;
                return false;
            }
            return true;
        };
        long long n = 0;
        if (a == "--help" || a == "-h") {
            return ParseResult::Help;
        } else if (a == "--version") {
            return ParseResult::Version;
        } else if (a == "--windowed") {
            out.host.windowed = true;
        } else if (a == "--renderer") {
            std::string name;
            if (!value(name)) return ParseResult::Error;
            if (name == "auto") {
                out.host.renderer = RendererChoice::Auto;
            } else if (name == "software") {
                out.host.renderer = RendererChoice::Software;
            } else if (name == "opengl") {
                out.host.renderer = RendererChoice::OpenGL;
            } else {
                message = "--renderer: auto, software or opengl, not " + name;
                return ParseResult::Error;
            }
        } else if (a == "--headless") {
            out.host.headless = true;
        } else if (a == "--data") {
            if (!value(out.dataFolder)) return ParseResult::Error;
        } else if (a == "--user-dir") {
            if (!value(out.userFolder)) return ParseResult::Error;
        } else if (a == "--lang") {
            std::string code;
            if (!value(code)) return ParseResult::Error;
            Language language;
            if (!LanguageFromCode(code, language)) {
                message = "--lang: not a language of the game (ru or en): " + code;
                return ParseResult::Error;
            }
            out.language = language;
        } else if (a == "--seed") {
            if (!number(n, 0)) return ParseResult::Error;
            out.seed = static_cast<uint64_t>(n);
            out.seeded = true;
        } else if (a == "--frames") {
            if (!number(n, 1)) return ParseResult::Error;
            out.host.frames = static_cast<int>(n);
        } else if (a == "--input") {
            if (!value(out.inputScript)) return ParseResult::Error;
        } else if (a == "--screenshot") {
            if (!value(out.host.screenshot)) return ParseResult::Error;
        } else if (a == "--screenshots") {
            if (!value(out.host.screenshotDir)) return ParseResult::Error;
            if (out.host.screenshotEvery == 0) out.host.screenshotEvery = 1;
        } else if (a == "--every") {
            if (!number(n, 1)) return ParseResult::Error;
            out.host.screenshotEvery = static_cast<int>(n);
        } else if (a == "--race") {
            if (!value(out.race.track)) return ParseResult::Error;
        } else if (a == "--vehicle") {
            if (!number(n, 0, 3)) return ParseResult::Error;
            out.race.vehicle = static_cast<int>(n);
        } else if (a == "--colour") {
            if (!number(n, 0, 15)) return ParseResult::Error;
            out.race.colour = static_cast<int>(n);
        } else if (a == "--difficulty") {
            if (!number(n, 0, 2)) return ParseResult::Error;
            out.race.difficulty = static_cast<int>(n);
        } else if (a == "--replay") {
            if (!value(out.race.replayPath)) return ParseResult::Error;
        } else if (a == "--autopilot") {
            out.race.autopilot = true;
        } else if (a == "--until-result") {
            out.race.untilResult = true;
        } else if (a == "--max-ticks") {
            if (!number(n, 1)) return ParseResult::Error;
            out.race.maxTicks = static_cast<int>(n);
        } else if (a == "--trace") {
            if (!value(out.race.tracePath)) return ParseResult::Error;
        } else if (a == "--no-draw") {
            out.host.noDraw = true;
        } else if (a == "--world") {
            if (!value(out.worldFile)) return ParseResult::Error;
        } else if (a == "--camera") {
            std::string text;
            if (!value(text)) return ParseResult::Error;
            if (!ToPoint(text, out.cameraX, out.cameraY)) {
                message = a + ": not a position X,Y: " + text;
                return ParseResult::Error;
            }
            cameraGiven = true;
        } else {
            message = "unknown option " + a;
            return ParseResult::Error;
        }
    }
    if (!out.inputScript.empty() && !out.host.headless) {
        message = "--input needs --headless";
        return ParseResult::Error;
    }
    if (out.host.noDraw && !out.host.headless) {
        message = "--no-draw needs --headless";
        return ParseResult::Error;
    }
    const RaceRun plain;
    const bool choices =
        out.race.vehicle != plain.vehicle || out.race.colour != plain.colour || out.race.difficulty != plain.difficulty;
    const bool runOptions = out.race.untilResult || out.race.maxTicks != plain.maxTicks || !out.race.tracePath.empty();
    const bool replay = !out.race.replayPath.empty();
    if ((choices || runOptions) && out.race.track.empty() && !replay) {
        message = "--vehicle, --colour, --difficulty, --until-result, --max-ticks and --trace need --race";
        return ParseResult::Error;
    }
    if (replay && (!out.race.track.empty() || choices || (out.race.autopilot))) {
        message =
            "--replay plays the race as it was: not with --race, --vehicle, --colour, --difficulty or --autopilot";
        return ParseResult::Error;
    }
    if (!out.race.track.empty() && !ValidTrackName(out.race.track)) {
        message = "--race: not a track name: " + out.race.track;
        return ParseResult::Error;
    }
    if (cameraGiven && out.worldFile.empty()) {
        message = "--camera needs --world";
        return ParseResult::Error;
    }
    // A headless look at a world is one frame unless more are asked for.
    if (!out.worldFile.empty() && out.host.headless && out.host.frames == 0) out.host.frames = 1;
    return ParseResult::Run;
}
