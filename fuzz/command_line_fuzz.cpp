// The command line: the input split into arguments at NUL bytes.
#include "game/command_line.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::vector<std::string> args;
    std::string arg;
    for (size_t i = 0; i < size; ++i) {
        if (data[i] == 0) {
            args.push_back(std::move(arg));
            arg.clear();
        } else {
            arg += static_cast<char>(data[i]);
        }
    }
    args.push_back(arg);
    CommandLine cl;
    std::string message;
    ParseCommandLine(args, cl, message);
    return 0;
}
