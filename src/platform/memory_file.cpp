#include "platform/memory_file.h"

#include <algorithm>
#include <cstring>

namespace velk {

ClippedRange ClipToFile(std::int64_t offset, std::size_t count, std::int64_t size) {
    ClippedRange range;
    const std::int64_t end = offset + static_cast<std::int64_t>(count);
    const std::int64_t start = std::max<std::int64_t>(offset, 0);
    const std::int64_t stop = std::min(end, size);
    if (stop <= start) {
        return range;
    }
    range.start = start;
    range.skip = static_cast<std::size_t>(start - offset);
    range.length = static_cast<std::size_t>(stop - start);
    return range;
}

std::size_t MemoryFile::readAt(std::int64_t offset, std::span<std::uint8_t> out) {
    std::fill(out.begin(), out.end(), std::uint8_t{0});
    const auto range = ClipToFile(offset, out.size(), size());
    if (range.length > 0) {
        std::memcpy(out.data() + range.skip, bytes_->data() + range.start, range.length);
    }
    return range.length;
}

bool MemoryFile::writeAt(std::int64_t offset, std::span<const std::uint8_t> data) {
    if (!writable_ || offset < 0) {
        return false;
    }
    const auto end = static_cast<std::size_t>(offset) + data.size();
    if (end > bytes_->size()) {
        bytes_->resize(end, 0);
    }
    std::copy(data.begin(), data.end(), bytes_->begin() + offset);
    return true;
}

} // namespace velk
