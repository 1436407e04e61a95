// Self-extract detection on arbitrary bytes taken as an executable: the document's offset it
// finds must lie inside the file, and a file too short for the trailer carries none.

#include "fuzz_check.h"
#include "document/self_extract.h"
#include "platform/memory_file.h"

#include <cstdint>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    velk::MemoryFile file(std::vector<std::uint8_t>(data, data + size), false);
    const std::int32_t base = velk::SelfExtractBase(file);
    const auto length = static_cast<std::int64_t>(size);
    Check(base == 0 || (base >= 1 && base <= length));
    Check(length >= velk::kSelfExtractTrailerSize || base == 0);
    return 0;
}
