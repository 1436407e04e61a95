#pragma once

#include "platform/file_system.h"

#include <cstdint>
#include <string_view>

namespace velk {

constexpr std::string_view kSelfExtractMark = "VELK_SELF_EXTRACT";
constexpr std::int64_t kSelfExtractTrailerSize = 21;

// The offset of the document carried by the running executable, or 0 when it carries none.
std::int32_t detectSelfExtract(FileSystem& files);

// The same test for any open file: the final 21 bytes are the document's offset and the mark.
std::int32_t SelfExtractBase(File& file);

} // namespace velk
