#include "document/file_cursor.h"

#include "base/little_endian.h"

#include <algorithm>
#include <array>

namespace velk {

namespace {

constexpr std::size_t kFirstBlock = 4 * 1024;
constexpr std::size_t kLargestBlock = 256 * 1024;

} // namespace

void FileCursor::read(std::int64_t at, std::span<std::uint8_t> out) {
    const std::int64_t blockEnd = blockStart_ + static_cast<std::int64_t>(block_.size());
    if (at < blockStart_ || at + static_cast<std::int64_t>(out.size()) > blockEnd) {
        if (out.size() > kLargestBlock) {
            file_.readAt(at, out);
            return;
        }
        block_.resize(
            std::max(std::clamp(2 * block_.size(), kFirstBlock, kLargestBlock), out.size()));
        file_.readAt(at, block_);
        blockStart_ = at;
    }
    const auto from = block_.begin() + static_cast<std::ptrdiff_t>(at - blockStart_);
    std::copy_n(from, out.size(), out.begin());
}

std::int16_t FileCursor::int16() {
    std::array<std::uint8_t, 2> bytes{};
    read(offset_, bytes);
    offset_ += 2;
    return ReadInt16(bytes, 0);
}

std::int32_t FileCursor::int32() {
    std::array<std::uint8_t, 4> bytes{};
    read(offset_, bytes);
    offset_ += 4;
    return ReadInt32(bytes, 0);
}

std::string FileCursor::text(std::int32_t length) {
    if (length <= 0) {
        return {};
    }
    const std::int64_t start = offset_;
    offset_ += length;
    if (start < 0 || offset_ > fileSize_) {
        return {};
    }
    std::string result(static_cast<std::size_t>(length), '\0');
    read(start, {reinterpret_cast<std::uint8_t*>(result.data()), result.size()});
    return result;
}

} // namespace velk
