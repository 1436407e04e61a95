#include "document/header.h"

#include "base/little_endian.h"

#include <algorithm>

namespace velk {

namespace {

// Field offsets inside the header.
enum Offset : std::size_t {
    kMagic = 0,
    kTitle = 10,
    kDeleteOnClose = 114,
    kSelfExtractCopy = 116,
    kAllowFax = 120,
    kAllowMail = 122,
    kAllowSave = 124,
    kInitialZoom = 136,
    kPageCount = 140,
    kIndexCount = 144,
    kPageTablePos = 148,
    kIndexPos = 152,
    kPasswordLength = 156,
    kPassword = 158,
    kPasswordAccepted = 178,
    kViewerOffset = 180,
    kReplacementTextPos = 184,
    kRenderOptions = 216,
    kFaxOptionsPos = 220,
    kMailOptionsPos = 224,
    kForwardedCopy = 232,
    kProducerWindow = 236,
};

} // namespace

DocumentHeader ParseHeader(std::span<const std::uint8_t, kHeaderSize> bytes) {
    DocumentHeader h;
    std::copy(bytes.begin(), bytes.end(), h.raw.begin());
    h.magic.assign(reinterpret_cast<const char*>(bytes.data()) + kMagic, 4);
    h.title.assign(reinterpret_cast<const char*>(bytes.data()) + kTitle, kTitleSize);
    h.deleteOnClose = ReadInt16(bytes, kDeleteOnClose);
    h.selfExtractCopy = ReadInt16(bytes, kSelfExtractCopy);
    h.allowFax = ReadInt16(bytes, kAllowFax);
    h.allowMail = ReadInt16(bytes, kAllowMail);
    h.allowSave = ReadInt16(bytes, kAllowSave);
    h.initialZoom = ReadInt32(bytes, kInitialZoom);
    h.pageCount = ReadInt32(bytes, kPageCount);
    h.indexCount = ReadInt32(bytes, kIndexCount);
    h.pageTablePos = ReadInt32(bytes, kPageTablePos);
    h.indexPos = ReadInt32(bytes, kIndexPos);
    h.passwordLength = ReadInt16(bytes, kPasswordLength);
    std::copy_n(bytes.begin() + kPassword, kPasswordSize, h.password.begin());
    h.passwordAccepted = ReadInt16(bytes, kPasswordAccepted);
    h.viewerOffset = ReadInt32(bytes, kViewerOffset);
    for (int slot = 0; slot < kReplacementSlots; ++slot) {
        h.replacementTextPos[slot] = ReadInt32(bytes, kReplacementTextPos + 4 * slot);
    }
    h.renderOptions = ReadInt32(bytes, kRenderOptions);
    h.faxOptionsPos = ReadInt32(bytes, kFaxOptionsPos);
    h.mailOptionsPos = ReadInt32(bytes, kMailOptionsPos);
    h.forwardedCopy = ReadInt32(bytes, kForwardedCopy);
    h.producerWindow = ReadInt32(bytes, kProducerWindow);
    return h;
}

std::array<std::uint8_t, kHeaderSize> SerializeHeader(const DocumentHeader& h) {
    std::array<std::uint8_t, kHeaderSize> bytes = h.raw;
    auto putText = [&bytes](std::size_t offset, const std::string& text, std::size_t width) {
        for (std::size_t i = 0; i < width; ++i) {
            bytes[offset + i] = static_cast<std::uint8_t>(i < text.size() ? text[i] : ' ');
        }
    };
    putText(kMagic, h.magic, 4);
    putText(kTitle, h.title, kTitleSize);
    WriteInt16(bytes, kDeleteOnClose, h.deleteOnClose);
    WriteInt16(bytes, kSelfExtractCopy, h.selfExtractCopy);
    WriteInt16(bytes, kAllowFax, h.allowFax);
    WriteInt16(bytes, kAllowMail, h.allowMail);
    WriteInt16(bytes, kAllowSave, h.allowSave);
    WriteInt32(bytes, kInitialZoom, h.initialZoom);
    WriteInt32(bytes, kPageCount, h.pageCount);
    WriteInt32(bytes, kIndexCount, h.indexCount);
    WriteInt32(bytes, kPageTablePos, h.pageTablePos);
    WriteInt32(bytes, kIndexPos, h.indexPos);
    WriteInt16(bytes, kPasswordLength, h.passwordLength);
    std::copy(h.password.begin(), h.password.end(), bytes.begin() + kPassword);
    WriteInt16(bytes, kPasswordAccepted, h.passwordAccepted);
    WriteInt32(bytes, kViewerOffset, h.viewerOffset);
    for (int slot = 0; slot < kReplacementSlots; ++slot) {
        WriteInt32(bytes, kReplacementTextPos + 4 * slot, h.replacementTextPos[slot]);
    }
    WriteInt32(bytes, kRenderOptions, h.renderOptions);
    WriteInt32(bytes, kFaxOptionsPos, h.faxOptionsPos);
    WriteInt32(bytes, kMailOptionsPos, h.mailOptionsPos);
    WriteInt32(bytes, kForwardedCopy, h.forwardedCopy);
    WriteInt32(bytes, kProducerWindow, h.producerWindow);
    return bytes;
}

} // namespace velk
