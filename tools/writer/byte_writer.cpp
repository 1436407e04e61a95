#include "writer/byte_writer.h"

#include <algorithm>
#include <bit>
#include <limits>

namespace vlkw {

namespace {

void Append(std::vector<std::uint8_t>& out, std::uint32_t value, int width) {
    for (int i = 0; i < width; ++i) {
        out.push_back(static_cast<std::uint8_t>((value >> (8 * i)) & 0xFF));
    }
}

void Put(std::span<std::uint8_t> bytes, std::size_t offset, std::uint32_t value, int width) {
    for (int i = 0; i < width; ++i) {
        bytes[offset + static_cast<std::size_t>(i)] =
            static_cast<std::uint8_t>((value >> (8 * i)) & 0xFF);
    }
}

} // namespace

ByteWriter& ByteWriter::byte(std::uint8_t value) {
    bytes_.push_back(value);
    return *this;
}

ByteWriter& ByteWriter::int16(std::int16_t value) {
    Append(bytes_, static_cast<std::uint16_t>(value), 2);
    return *this;
}

ByteWriter& ByteWriter::int32(std::int32_t value) {
    Append(bytes_, static_cast<std::uint32_t>(value), 4);
    return *this;
}

ByteWriter& ByteWriter::uint32(std::uint32_t value) {
    Append(bytes_, value, 4);
    return *this;
}

ByteWriter& ByteWriter::float32(float value) {
    static_assert(std::numeric_limits<float>::is_iec559 && sizeof(float) == 4);
    Append(bytes_, std::bit_cast<std::uint32_t>(value), 4);
    return *this;
}

ByteWriter& ByteWriter::text(std::string_view value) {
    const std::size_t length =
        std::min<std::size_t>(value.size(), std::numeric_limits<std::int16_t>::max());
    int16(static_cast<std::int16_t>(length));
    return chars(value.substr(0, length));
}

ByteWriter& ByteWriter::fixedText(std::string_view value, std::size_t width, char pad) {
    const std::string_view kept = value.substr(0, std::min(value.size(), width));
    chars(kept);
    bytes_.insert(bytes_.end(), width - kept.size(), static_cast<std::uint8_t>(pad));
    return *this;
}

ByteWriter& ByteWriter::bytes(std::span<const std::uint8_t> value) {
    bytes_.insert(bytes_.end(), value.begin(), value.end());
    return *this;
}

ByteWriter& ByteWriter::chars(std::string_view value) {
    for (const char c : value) {
        bytes_.push_back(static_cast<std::uint8_t>(c));
    }
    return *this;
}

void PutInt16(std::span<std::uint8_t> bytes, std::size_t offset, std::int16_t value) {
    Put(bytes, offset, static_cast<std::uint16_t>(value), 2);
}

void PutInt32(std::span<std::uint8_t> bytes, std::size_t offset, std::int32_t value) {
    Put(bytes, offset, static_cast<std::uint32_t>(value), 4);
}

} // namespace vlkw
