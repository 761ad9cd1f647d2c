// The options file and profile files: any bytes read, and what is read
// written back and read again the same.
#include <cstdlib>

#include "game/saved_files.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const OptionsRecord o = ParseOptions(bytes);
    const OptionsRecord o2 = ParseOptions(FormatOptions(o));
    if (o2.windowed != o.windowed || o2.musicoff != o.musicoff || o2.ambientoff != o.ambientoff ||
        o2.country != o.country || o2.profile != o.profile) {
        std::abort();
    }
    const ProfileRecord p = ParseProfile(bytes);
    const ProfileRecord p2 = ParseProfile(FormatProfile(p));
    if (p2.progress != p.progress || p2.score != p.score) std::abort();
    IsSafeProfileName(bytes);
    return 0;
}
