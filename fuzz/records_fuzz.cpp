// The records file: any bytes read, and a table read written back and read
// again the same.
#include <cstdlib>

#include "game/records.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    static RecordsTable table, back;
    std::string fault;
    if (!ParseRecords(bytes, table, fault)) return 0;
    const std::string text = FormatRecords(table);
    if (!ParseRecords(text, back, fault) || FormatRecords(back) != text) std::abort();
    return 0;
}
