#include "game/command_line.h"

#include <charconv>

namespace {

bool ToNumber(const std::string& text, long long& value) {
    const char* end = text.data() + text.size();
    auto [ptr, ec] = std::from_chars(text.data(), end, value);
    return ec == std::errc() && ptr == end;
}

}  // namespace

const char* Usage() {
    return "usage: kolvetra [options]\n"
           "  --windowed            start in a window instead of full screen\n"
           "  --data DIR            game data folder (default: data beside the program)\n"
           "  --user-dir DIR        folder for options, profiles and edited tracks\n"
           "  --seed N              seed of the random generator\n"
           "  --headless            no window and no sound; a virtual clock\n"
           "  --frames N            quit after N frames\n"
           "  --input FILE          scripted input (see the README)\n"
           "  --screenshot FILE     write the last frame as PNG\n"
           "  --screenshots DIR     write every K-th frame as PNG into DIR\n"
           "  --every K             with --screenshots (default 1)\n"
           "  --help                this text\n";
}

ParseResult ParseCommandLine(const std::vector<std::string>& args, CommandLine& out, std::string& message) {
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
        const auto number = [&](long long& into, long long min) {
            std::string text;
            if (!value(text)) return false;
            if (!ToNumber(text, into) || into < min) {
                message = a + ": not a valid number: " + text;
                return false;
            }
            return true;
        };
        long long n = 0;
        if (a == "--help" || a == "-h") {
            return ParseResult::Help;
        } else if (a == "--windowed") {
            out.host.windowed = true;
        } else if (a == "--headless") {
            out.host.headless = true;
        } else if (a == "--data") {
            if (!value(out.dataFolder)) return ParseResult::Error;
        } else if (a == "--user-dir") {
            if (!value(out.userFolder)) return ParseResult::Error;
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
        } else {
            message = "unknown option " + a;
            return ParseResult::Error;
        }
    }
    if (!out.inputScript.empty() && !out.host.headless) {
        message = "--input needs --headless";
        return ParseResult::Error;
    }
    return ParseResult::Run;
}
