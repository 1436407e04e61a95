#include "export/marked_copy.h"

#include "base/little_endian.h"

#include <algorithm>
#include <vector>

namespace velk {

namespace {

constexpr std::size_t kDeleteOnCloseOffset = 114;
constexpr std::size_t kForwardedCopyOffset = 232;

} // namespace

HeaderBytes MarkedHeader(const DocumentHeader& header) {
    HeaderBytes bytes = header.raw;
    WriteInt16(bytes, kDeleteOnCloseOffset, 0);
    WriteInt32(bytes, kForwardedCopyOffset, 1);
    return bytes;
}

bool CopyRange(File& source, std::int64_t from, std::int64_t to, File& target, std::int64_t at) {
    std::vector<std::uint8_t> block(
        static_cast<std::size_t>(std::clamp<std::int64_t>(to - from, 0, kCopyBlockSize)));
    for (std::int64_t done = from; done < to;) {
        const auto length =
            static_cast<std::size_t>(std::min<std::int64_t>(to - done, kCopyBlockSize));
        const std::span<std::uint8_t> part(block.data(), length);
        if (source.readAt(done, part) != length || !target.writeAt(at + (done - from), part)) {
            return false;
        }
        done += static_cast<std::int64_t>(length);
    }
    return true;
}

bool WriteDocumentCopy(File& document, const HeaderBytes& header, File& target, std::int64_t at) {
    const std::int64_t length = document.size();
    return length >= static_cast<std::int64_t>(kHeaderSize) && target.writeAt(at, header) &&
           CopyRange(document, kHeaderSize, length, target, at + kHeaderSize);
}

} // namespace velk
