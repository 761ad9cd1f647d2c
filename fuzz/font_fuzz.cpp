// The font's metrics file.
#include "engine/font_file.h"
#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FontMetrics metrics;
    std::string error;
    ReadFontMetrics(ScratchFile(data, size, "font.ofi"), metrics, error);
    return 0;
}
