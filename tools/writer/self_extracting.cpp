#include "writer/self_extracting.h"

#include "writer/byte_writer.h"
#include "writer/header_fields.h"

namespace vlkw {

std::vector<std::uint8_t> WriteSelfExtracting(std::span<const std::uint8_t> stub,
                                              std::span<const std::uint8_t> document) {
    const auto stubSize = static_cast<std::int32_t>(stub.size());
    std::vector<std::uint8_t> copy(document.begin(), document.end());
    // A document too short to hold a header is carried as it is.
    if (copy.size() >= kHeaderSize) {
        PutInt16(copy, header_offset::kSelfExtractCopy, 1);
        PutInt32(copy, header_offset::kViewerOffset, stubSize);
    }
    ByteWriter out;
    out.bytes(stub).bytes(copy).int32(stubSize).chars(kSelfExtractMark);
    return out.take();
}

std::vector<std::uint8_t> MarkAsPassedOn(std::vector<std::uint8_t> document) {
    if (document.size() >= kHeaderSize) {
        PutInt16(document, header_offset::kDeleteOnClose, 0);
        PutInt32(document, header_offset::kForwardedCopy, 1);
    }
    return document;
}

} // namespace vlkw
