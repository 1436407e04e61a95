#pragma once

#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

namespace vlkw {

// Appends little-endian fields to a growing byte string, the way every part of a document is
// laid down.
class ByteWriter {
  public:
    ByteWriter& byte(std::uint8_t value);
    ByteWriter& int16(std::int16_t value);
    ByteWriter& int32(std::int32_t value);
    ByteWriter& uint32(std::uint32_t value);
    ByteWriter& float32(float value);

    // A variable text: its int16 length, then its bytes. Texts longer than an int16 can count
    // are cut so that the length always matches the bytes that follow.
    ByteWriter& text(std::string_view value);

    // Characters with no length in front, padded with `pad` or cut to exactly `width` bytes.
    ByteWriter& fixedText(std::string_view value, std::size_t width, char pad = ' ');

    ByteWriter& bytes(std::span<const std::uint8_t> value);
    ByteWriter& chars(std::string_view value);

    std::size_t size() const { return bytes_.size(); }
    const std::vector<std::uint8_t>& data() const { return bytes_; }
    std::vector<std::uint8_t> take() { return std::move(bytes_); }

  private:
    std::vector<std::uint8_t> bytes_;
};

// Overwrites a field already laid down, for headers rewritten once positions are known.
void PutInt16(std::span<std::uint8_t> bytes, std::size_t offset, std::int16_t value);
void PutInt32(std::span<std::uint8_t> bytes, std::size_t offset, std::int32_t value);

} // namespace vlkw
