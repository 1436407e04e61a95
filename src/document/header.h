#pragma once

#include "document/text_slot.h"

#include <array>
#include <cstdint>
#include <span>
#include <string>

namespace velk {

constexpr std::size_t kHeaderSize = 260;
constexpr std::size_t kTitleSize = 100;
constexpr std::size_t kPasswordSize = 20;
constexpr int kReplacementSlots = 8;

// The 260-byte document header. `raw` keeps the bytes as read so that the fields this viewer
// does not interpret are written back unchanged; the named fields are the ones it reads or
// changes in memory.
struct DocumentHeader {
    std::array<std::uint8_t, kHeaderSize> raw{};

    std::string magic; // 4 characters
    std::string title; // 100 characters, space-padded as stored
    std::int16_t deleteOnClose = 0;
    std::int16_t selfExtractCopy = 0; // offset 116: set to 1 in a self-extracting copy
    std::int16_t allowFax = 0;
    std::int16_t allowMail = 0;
    std::int16_t allowSave = 0;
    std::int32_t initialZoom = 0;
    std::int32_t pageCount = 0;
    std::int32_t indexCount = 0;
    std::int32_t pageTablePos = 0;
    std::int32_t indexPos = 0;
    std::int16_t passwordLength = 0;
    std::array<std::uint8_t, kPasswordSize> password{};
    std::int16_t passwordAccepted = 0;
    std::int32_t viewerOffset = 0;
    std::array<std::int32_t, kReplacementSlots> replacementTextPos{};
    std::int32_t renderOptions = 0;
    std::int32_t faxOptionsPos = 0;
    std::int32_t mailOptionsPos = 0;
    std::int32_t forwardedCopy = 0;
    std::int32_t producerWindow = 0;

    bool magicMatches() const { return magic == "300A"; }
};

DocumentHeader ParseHeader(std::span<const std::uint8_t, kHeaderSize> bytes);

// The header's bytes: `raw` with every named field written over it.
std::array<std::uint8_t, kHeaderSize> SerializeHeader(const DocumentHeader& header);

// The interface-text slot that each of the eight replacement positions stands for.
constexpr std::array<TextSlot, kReplacementSlots> kReplacementTextIds = {TextSlot::PasswordCaption,
                                                                         TextSlot::PasswordPrompt,
                                                                         TextSlot::InvalidPassword,
                                                                         TextSlot::PasswordRefused,
                                                                         TextSlot::Ok,
                                                                         TextSlot::Cancel,
                                                                         TextSlot::FitWindow,
                                                                         TextSlot::FitWidth};

} // namespace velk
