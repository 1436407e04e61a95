#pragma once

#include <cstdint>
#include <cstring>
#include <span>

namespace velk {

// Little-endian fields at a byte offset of a buffer the caller has sized.
inline std::int16_t ReadInt16(std::span<const std::uint8_t> bytes, std::size_t offset) {
    return static_cast<std::int16_t>(bytes[offset] | (bytes[offset + 1] << 8));
}

inline std::int32_t ReadInt32(std::span<const std::uint8_t> bytes, std::size_t offset) {
    const std::uint32_t value = static_cast<std::uint32_t>(bytes[offset]) |
                                (static_cast<std::uint32_t>(bytes[offset + 1]) << 8) |
                                (static_cast<std::uint32_t>(bytes[offset + 2]) << 16) |
                                (static_cast<std::uint32_t>(bytes[offset + 3]) << 24);
    return static_cast<std::int32_t>(value);
}

inline float ReadFloat32(std::span<const std::uint8_t> bytes, std::size_t offset) {
    const std::uint32_t raw = static_cast<std::uint32_t>(ReadInt32(bytes, offset));
    float value;
    std::memcpy(&value, &raw, sizeof value);
    return value;
}

inline void WriteInt16(std::span<std::uint8_t> bytes, std::size_t offset, std::int16_t value) {
    const auto raw = static_cast<std::uint16_t>(value);
    bytes[offset] = static_cast<std::uint8_t>(raw & 0xFF);
    bytes[offset + 1] = static_cast<std::uint8_t>(raw >> 8);
}

inline void WriteInt32(std::span<std::uint8_t> bytes, std::size_t offset, std::int32_t value) {
    const auto raw = static_cast<std::uint32_t>(value);
    for (int i = 0; i < 4; ++i) {
        bytes[offset + i] = static_cast<std::uint8_t>((raw >> (8 * i)) & 0xFF);
    }
}

} // namespace velk
