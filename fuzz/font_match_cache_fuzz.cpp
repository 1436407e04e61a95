// Arbitrary bytes read as the font match cache file, which lies in the user's cache directory
// for any program to change. A cache read back from its own text is the same cache.

#include "fuzz_check.h"
#include "render/cairo/font_match_cache.h"

#include <cstdint>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    constexpr std::string_view kConfiguration = "configuration";
    // Any directory is as old as its name is long, so that a file can hold directories that
    // have not changed.
    const auto modified = [](const std::string& path) {
        return static_cast<std::int64_t>(path.size());
    };
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const std::string written =
        velk::cairo::FontMatchCache::Read(text, kConfiguration, modified).text(kConfiguration);
    Check(velk::cairo::FontMatchCache::Read(written, kConfiguration, modified)
              .text(kConfiguration) == written);
    return 0;
}
