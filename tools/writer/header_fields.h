#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace vlkw {

inline constexpr std::size_t kHeaderSize = 260;
inline constexpr std::int32_t kFirstPagePosition = 261; // positions count from 1
inline constexpr std::size_t kPasswordBytes = 20;
inline constexpr std::size_t kReplacementSlots = 8;

// The interface text that each header replacement slot stands for, in slot order.
inline constexpr std::array<std::int16_t, kReplacementSlots> kReplacementTextIds = {20, 21, 22, 23,
                                                                                    19, 18, 11, 12};

// Byte offsets of the header fields.
namespace header_offset {
inline constexpr std::size_t kMagic = 0;
inline constexpr std::size_t kLeadingOnes = 4;
inline constexpr std::size_t kTitle = 10;
inline constexpr std::size_t kDeleteOnClose = 114;
inline constexpr std::size_t kSelfExtractCopy = 116;
inline constexpr std::size_t kAllowFax = 120;
inline constexpr std::size_t kAllowMail = 122;
inline constexpr std::size_t kAllowSave = 124;
inline constexpr std::size_t kInitialZoom = 136;
inline constexpr std::size_t kPageCount = 140;
inline constexpr std::size_t kIndexCount = 144;
inline constexpr std::size_t kPageTablePos = 148;
inline constexpr std::size_t kIndexPos = 152;
inline constexpr std::size_t kPasswordLength = 156;
inline constexpr std::size_t kPassword = 158;
inline constexpr std::size_t kPasswordAccepted = 178;
inline constexpr std::size_t kViewerOffset = 180;
inline constexpr std::size_t kReplacementTextPos = 184;
inline constexpr std::size_t kRenderOptions = 216;
inline constexpr std::size_t kFaxOptionsPos = 220;
inline constexpr std::size_t kMailOptionsPos = 224;
inline constexpr std::size_t kForwardedCopy = 232;
inline constexpr std::size_t kProducerWindow = 236;
inline constexpr std::size_t kTrailingSpaces = 244;
} // namespace header_offset

// Every header field a producer sets, as it goes into the file. Bytes with no field here are
// laid down the way produced files have them: three INTEGER 1s at offset 4, spaces from 244 to
// the end, zeros everywhere else.
struct HeaderFields {
    std::string magic = "300A"; // written as 4 bytes, space-padded or cut
    std::string title;          // written as 100 bytes, space-padded or cut
    std::int16_t deleteOnClose = 0;
    std::int16_t selfExtractCopy = 0; // offset 116
    std::int16_t allowFax = 0;
    std::int16_t allowMail = 0;
    std::int16_t allowSave = 0;
    std::int32_t initialZoom = 0;
    std::int32_t pageCount = 0;
    std::int32_t indexCount = 0;
    std::int32_t pageTablePos = 0;
    std::int32_t indexPos = 0;
    std::int16_t passwordLength = 0;
    std::array<std::uint8_t, kPasswordBytes> password{}; // scrambled form
    std::int16_t passwordAccepted = 0;
    std::int32_t viewerOffset = 0;
    std::array<std::int32_t, kReplacementSlots> replacementTextPos{};
    std::int32_t renderOptions = 0;
    std::int32_t faxOptionsPos = 0;
    std::int32_t mailOptionsPos = 0;
    std::int32_t forwardedCopy = 0;
    std::int32_t producerWindow = 0;
};

std::array<std::uint8_t, kHeaderSize> EncodeHeader(const HeaderFields& fields);

} // namespace vlkw
