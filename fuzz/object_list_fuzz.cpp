// The map editor's object list, read into its list box.
#include "fuzz_support.h"
#include "engine/string_list.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static TF_list list;
    ReadLines(ScratchFile(data, size, "list.txt"), list);
    RotateList(list, 1);
    RotateList(list, -1);
    return 0;
}
