#include "writer/header_fields.h"

#include "writer/byte_writer.h"

#include <algorithm>

namespace vlkw {

namespace {

void PutFixedText(std::span<std::uint8_t> bytes, std::size_t offset, const std::string& text,
                  std::size_t width) {
    for (std::size_t i = 0; i < width; ++i) {
        bytes[offset + i] = static_cast<std::uint8_t>(i < text.size() ? text[i] : ' ');
    }
}

} // namespace

std::array<std::uint8_t, kHeaderSize> EncodeHeader(const HeaderFields& f) {
    namespace at = header_offset;
    std::array<std::uint8_t, kHeaderSize> bytes{};
    for (std::size_t i = 0; i < 3; ++i) {
        PutInt16(bytes, at::kLeadingOnes + 2 * i, 1);
    }
    std::fill(bytes.begin() + at::kTrailingSpaces, bytes.end(), static_cast<std::uint8_t>(' '));

    PutFixedText(bytes, at::kMagic, f.magic, 4);
    PutFixedText(bytes, at::kTitle, f.title, 100);
    PutInt16(bytes, at::kDeleteOnClose, f.deleteOnClose);
    PutInt16(bytes, at::kSelfExtractCopy, f.selfExtractCopy);
    PutInt16(bytes, at::kAllowFax, f.allowFax);
    PutInt16(bytes, at::kAllowMail, f.allowMail);
    PutInt16(bytes, at::kAllowSave, f.allowSave);
    PutInt32(bytes, at::kInitialZoom, f.initialZoom);
    PutInt32(bytes, at::kPageCount, f.pageCount);
    PutInt32(bytes, at::kIndexCount, f.indexCount);
    PutInt32(bytes, at::kPageTablePos, f.pageTablePos);
    PutInt32(bytes, at::kIndexPos, f.indexPos);
    PutInt16(bytes, at::kPasswordLength, f.passwordLength);
    std::copy(f.password.begin(), f.password.end(), bytes.begin() + at::kPassword);
    PutInt16(bytes, at::kPasswordAccepted, f.passwordAccepted);
    PutInt32(bytes, at::kViewerOffset, f.viewerOffset);
    for (std::size_t slot = 0; slot < kReplacementSlots; ++slot) {
        PutInt32(bytes, at::kReplacementTextPos + 4 * slot, f.replacementTextPos[slot]);
    }
    PutInt32(bytes, at::kRenderOptions, f.renderOptions);
    PutInt32(bytes, at::kFaxOptionsPos, f.faxOptionsPos);
    PutInt32(bytes, at::kMailOptionsPos, f.mailOptionsPos);
    PutInt32(bytes, at::kForwardedCopy, f.forwardedCopy);
    PutInt32(bytes, at::kProducerWindow, f.producerWindow);
    return bytes;
}

} // namespace vlkw
