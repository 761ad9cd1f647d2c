// The command line as main() receives it: already UTF-8 on POSIX systems.
#include "engine/host.h"

std::vector<std::string> Host_Arguments(int argc, char** argv) { return {argv + 1, argv + argc}; }
