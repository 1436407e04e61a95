#include "document/file_cursor.h"

#include "base/little_endian.h"

#include <array>

namespace velk {

std::int16_t FileCursor::int16() {
    std::array<std::uint8_t, 2> bytes{};
    file_.readAt(offset_, bytes);
    offset_ += 2;
    return ReadInt16(bytes, 0);
}

std::int32_t FileCursor::int32() {
    std::array<std::uint8_t, 4> bytes{};
    file_.readAt(offset_, bytes);
    offset_ += 4;
    return ReadInt32(bytes, 0);
}

std::string FileCursor::text(std::int32_t length) {
    if (length <= 0) {
        return {};
    }
    const std::int64_t start = offset_;
    offset_ += length;
    if (start < 0 || offset_ > file_.size()) {
        return {};
    }
    std::string result(static_cast<std::size_t>(length), '\0');
    file_.readAt(start, {reinterpret_cast<std::uint8_t*>(result.data()), result.size()});
    return result;
}

} // namespace velk
