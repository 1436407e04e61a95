#pragma once

#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

namespace vlkw {

inline constexpr std::string_view kSelfExtractMark = "VELK_SELF_EXTRACT";

// A viewer that carries a document: the stub, the document with header offset 116 set to 1 and
// the viewer offset (header offset 180) set to the stub's size, then the stub's size as a LONG
// and the 17-character mark.
std::vector<std::uint8_t> WriteSelfExtracting(std::span<const std::uint8_t> stub,
                                              std::span<const std::uint8_t> document);

// A passed-on copy of a document, as the viewer writes one: never deleted after viewing (header
// offset 114 cleared) and marked as forwarded (header offset 232 set to 1).
std::vector<std::uint8_t> MarkAsPassedOn(std::vector<std::uint8_t> document);

} // namespace vlkw
