#include "render/page_reader.h"

#include <bit>
#include <cstring>

namespace velk {

bool PageReader::take(std::size_t count) {
    if (!ok_ || count > remaining()) {
        ok_ = false;
        return false;
    }
    return true;
}

std::int16_t PageReader::int16() {
    if (!take(2)) {
        return 0;
    }
    const auto value = static_cast<std::uint16_t>(data_[cursor_] | (data_[cursor_ + 1] << 8));
    cursor_ += 2;
    return static_cast<std::int16_t>(value);
}

std::uint32_t PageReader::uint32() {
    if (!take(4)) {
        return 0;
    }
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < 4; ++i) {
        value |= static_cast<std::uint32_t>(data_[cursor_ + i]) << (8 * i);
    }
    cursor_ += 4;
    return value;
}

float PageReader::float32() {
    return std::bit_cast<float>(uint32());
}

std::span<const std::uint8_t> PageReader::bytes(std::int64_t length) {
    if (length <= 0 || !ok_) {
        return {};
    }
    if (static_cast<std::uint64_t>(length) > remaining()) {
        ok_ = false;
        return {};
    }
    const auto count = static_cast<std::size_t>(length);
    const auto taken = data_.subspan(cursor_, count);
    cursor_ += count;
    return taken;
}

std::string PageReader::text(std::int16_t length) {
    const auto taken = bytes(length);
    return std::string(taken.begin(), taken.end());
}

std::string TextBuffer(std::string_view text) {
    const std::string_view kept = text.substr(0, kTextBufferSize);
    return std::string(kept.substr(0, kept.find('\0')));
}

} // namespace velk
