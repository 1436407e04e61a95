// Arbitrary bytes read as the glyph store file, which lies in the user's cache directory for
// any program to change. Every strike is read; a store written back and read again writes
// the same bytes.

#include "fuzz_check.h"
#include "render/cairo/glyph_store.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace {

constexpr std::string_view kIdentity = "identity";

std::string ReadAllAndWrite(std::string bytes) {
    velk::cairo::GlyphStore store = velk::cairo::GlyphStore::Read(std::move(bytes), kIdentity);
    for (const velk::cairo::StrikeKey& key : store.keys()) {
        static_cast<void>(store.strike(key));
    }
    return store.bytes(kIdentity);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string written =
        ReadAllAndWrite(std::string(reinterpret_cast<const char*>(data), size));
    Check(ReadAllAndWrite(written) == written);
    return 0;
}
