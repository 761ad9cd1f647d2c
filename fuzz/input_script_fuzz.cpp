// Scripted input: the file read, then every event it holds applied.
#include "engine/host.h"
#include "engine/state.h"
#include "fuzz_support.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    Host_OpenHeadless();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string error;
    if (!Host_LoadInputScript(ScratchFile(data, size, "input.txt"), error)) return 0;
    for (const auto& event : Engine().script) event.apply();
    Input_ResetAll();
    return 0;
}
