#pragma once

// Files the Cairo back end keeps between runs in the user's cache directory: what fontconfig
// answered and what glyphs were rendered. Any program can change them, so their readers take
// nothing on trust; they are written whole, so that another run sees the old file or the new.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace velk::cairo {

// FNV-1a of `text`: a file names what it was made with without holding all of it.
std::uint64_t Fnv1a(std::string_view text);

// $XDG_CACHE_HOME/velk/NAME, else ~/.cache/velk/NAME; empty when neither is known.
std::string CacheFilePath(std::string_view name);

// The file's bytes; empty when it is missing, empty or larger than `largest`.
std::string ReadCacheFile(const std::string& path, std::size_t largest);

// Replaces the file with `bytes`, making its directory when needed.
bool WriteCacheFile(const std::string& path, std::string_view bytes);

} // namespace velk::cairo
