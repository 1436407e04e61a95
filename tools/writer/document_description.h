#pragma once

#include "writer/header_fields.h"
#include "writer/option_record.h"

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace vlkw {

// Producers mark the three permissions with these distinct values; readers only test for zero.
inline constexpr std::int16_t kFaxAllowed = 2;
inline constexpr std::int16_t kMailAllowed = 4;
inline constexpr std::int16_t kSaveAllowed = 8;

// initialZoom values with a meaning of their own; anything else means fit width.
inline constexpr std::int32_t kZoomFitWindow = 128;
inline constexpr std::int32_t kZoom75 = 256;
inline constexpr std::int32_t kZoom100 = 512;
inline constexpr std::int32_t kZoom125 = 1024;

struct IndexEntry {
    std::int16_t page = 1; // 1-based
    std::string text;
};

// Ways to make a document that no well-behaved producer would write.
struct DocumentOverrides {
    // Runs on the header fields once every position is known, before they are encoded: any
    // field may be set to any value (negative counts, positions past the end, another magic).
    std::function<void(HeaderFields&)> header;
    // Runs on the page table entries just before they are written.
    std::function<void(std::vector<std::int32_t>&)> pageTable;
    // Runs last, on the 260 encoded header bytes.
    std::function<void(std::span<std::uint8_t, kHeaderSize>)> headerBytes;
};

// What a producer knows about a document before it lays it out. Positions, counts and the
// scrambled password are worked out by the writer.
struct DocumentDescription {
    std::string title;
    std::int16_t allowFax = 0;
    std::int16_t allowMail = 0;
    std::int16_t allowSave = 0;
    std::int16_t deleteOnClose = 0;
    std::int16_t selfExtractCopy = 0; // header offset 116
    std::int32_t initialZoom = 0;
    std::int32_t renderOptions = 0;
    std::int32_t forwardedCopy = 0;
    std::int32_t producerWindow = 0;
    std::int32_t viewerOffset = 0;

    // Plain text; the header gets its length and its scrambled form. At most 20 characters
    // are kept.
    std::string password;

    // Each page's byte string, as PageBuilder makes it.
    std::vector<std::vector<std::uint8_t>> pages;
    std::vector<IndexEntry> index;

    // Placed as option block records (mail code 14, fax code 15) in page 1 right after its
    // PageSetup, with their positions in the header.
    std::optional<OptionRecord> mailOptions;
    std::optional<OptionRecord> faxOptions;

    // By header slot: texts for interface texts 20, 21, 22, 23, 19, 18, 11, 12. Placed as
    // ChangeWords records after the option blocks.
    std::array<std::optional<std::string>, kReplacementSlots> replacementTexts;

    DocumentOverrides overrides;
};

} // namespace vlkw
