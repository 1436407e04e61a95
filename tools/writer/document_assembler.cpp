#include "writer/document_assembler.h"

#include "writer/byte_writer.h"
#include "writer/page_builder.h"
#include "writer/scrambler.h"

#include <algorithm>
#include <utility>

namespace vlkw {

namespace {

// A page's first code and its PageSetup come before anything inserted into it.
constexpr std::size_t kPagePrefixSize = 12;

void ScramblePassword(const std::string& password, HeaderFields& fields) {
    const std::string kept = password.substr(0, std::min(password.size(), kPasswordBytes));
    const std::vector<std::uint8_t> plain(kept.begin(), kept.end());
    const std::vector<std::uint8_t> scrambled = Scramble(plain, kept);
    fields.passwordLength = static_cast<std::int16_t>(kept.size());
    std::copy(scrambled.begin(), scrambled.end(), fields.password.begin());
}

} // namespace

DocumentAssembler::DocumentAssembler(DocumentDescription description)
    : description_(std::move(description)) {
    description_.pages.clear();
    const DocumentDescription& d = description_;
    fields_.title = d.title;
    fields_.deleteOnClose = d.deleteOnClose;
    fields_.selfExtractCopy = d.selfExtractCopy;
    fields_.allowFax = d.allowFax;
    fields_.allowMail = d.allowMail;
    fields_.allowSave = d.allowSave;
    fields_.initialZoom = d.initialZoom;
    fields_.viewerOffset = d.viewerOffset;
    fields_.renderOptions = d.renderOptions;
    fields_.forwardedCopy = d.forwardedCopy;
    fields_.producerWindow = d.producerWindow;
    ScramblePassword(d.password, fields_);
    fields_.pageTablePos = next_;
}

void DocumentAssembler::advance(std::size_t bytes) {
    next_ += static_cast<std::int32_t>(bytes);
    fields_.pageTablePos = next_;
}

std::vector<std::uint8_t> DocumentAssembler::leadingRecords(std::int32_t position) {
    leadingPlaced_ = true;
    ByteWriter out;
    auto here = [&] { return position + static_cast<std::int32_t>(out.size()); };
    if (description_.mailOptions) {
        fields_.mailOptionsPos = here();
        out.bytes(OptionBlockBytes(static_cast<std::int16_t>(RecordCode::MailOptionBlock),
                                   *description_.mailOptions));
    }
    if (description_.faxOptions) {
        fields_.faxOptionsPos = here();
        out.bytes(OptionBlockBytes(static_cast<std::int16_t>(RecordCode::FaxOptionBlock),
                                   *description_.faxOptions));
    }
    for (std::size_t slot = 0; slot < kReplacementSlots; ++slot) {
        if (const auto& text = description_.replacementTexts[slot]) {
            fields_.replacementTextPos[slot] = here();
            out.bytes(ChangeWordsBytes(kReplacementTextIds[slot], *text));
        }
    }
    return out.take();
}

std::vector<std::uint8_t> DocumentAssembler::placePage(std::span<const std::uint8_t> page) {
    const std::int32_t position = next_;
    positions_.push_back(position);
    fields_.pageCount = static_cast<std::int32_t>(positions_.size());
    std::vector<std::uint8_t> bytes(page.begin(), page.end());
    if (!leadingPlaced_) {
        const std::size_t at = std::min(kPagePrefixSize, bytes.size());
        const auto records = leadingRecords(position + static_cast<std::int32_t>(at));
        bytes.insert(bytes.begin() + static_cast<std::ptrdiff_t>(at), records.begin(),
                     records.end());
    }
    advance(bytes.size());
    return bytes;
}

std::vector<std::uint8_t> DocumentAssembler::closing() {
    ByteWriter out;
    // With no pages the option records still need a home; they go where page 1 would start.
    if (!leadingPlaced_) {
        out.bytes(leadingRecords(next_));
    }
    out.int16(static_cast<std::int16_t>(RecordCode::EndOfDocument));

    fields_.indexPos = next_ + static_cast<std::int32_t>(out.size());
    fields_.indexCount = static_cast<std::int32_t>(description_.index.size());
    for (const IndexEntry& entry : description_.index) {
        out.int16(entry.page).text(entry.text);
    }

    const std::int32_t tablePos = next_ + static_cast<std::int32_t>(out.size());
    std::vector<std::int32_t> table = positions_;
    if (description_.overrides.pageTable) {
        description_.overrides.pageTable(table);
    }
    for (const std::int32_t position : table) {
        out.int32(position);
    }
    advance(out.size());
    fields_.pageTablePos = tablePos;
    return out.take();
}

HeaderFields DocumentAssembler::headerFields() const {
    HeaderFields fields = fields_;
    if (description_.overrides.header) {
        description_.overrides.header(fields);
    }
    return fields;
}

std::array<std::uint8_t, kHeaderSize> DocumentAssembler::headerBytes() const {
    auto bytes = EncodeHeader(headerFields());
    if (description_.overrides.headerBytes) {
        description_.overrides.headerBytes(bytes);
    }
    return bytes;
}

} // namespace vlkw
