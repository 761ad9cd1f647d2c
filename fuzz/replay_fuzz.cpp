// Replay files: any bytes read, and a replay read written back and read
// again the same.
#include <cstdlib>

#include "game/replay.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    Replay r, back;
    std::string fault;
    if (!ParseReplay(bytes, r, fault)) return 0;
    const std::string text = FormatReplay(r);
    if (!ParseReplay(text, back, fault) || FormatReplay(back) != text) std::abort();
    return 0;
}
