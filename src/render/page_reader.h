#pragma once

#include <cstdint>
#include <span>
#include <string>

namespace velk {

// Longest text a record hands to drawing; longer texts keep their first bytes.
inline constexpr std::size_t kTextBufferSize = 3999;

// Reads a page's records with a moving cursor. The cursor never passes the end of the data:
// a read that would run past it fails, leaves the cursor where it was and makes every later
// read fail too, so a handler reads all its operands and then asks ok() once.
class PageReader {
  public:
    PageReader(std::span<const std::uint8_t> data, std::size_t cursor)
        : data_(data), cursor_(cursor < data.size() ? cursor : data.size()) {}

    std::size_t remaining() const { return data_.size() - cursor_; }
    std::size_t cursor() const { return cursor_; }
    bool ok() const { return ok_; }

    std::int16_t int16();
    std::uint32_t uint32();
    float float32();
    // `length` bytes; zero or less gives none.
    std::span<const std::uint8_t> bytes(std::int64_t length);
    void skip(std::int64_t length) { bytes(length); }
    // A string operand as read, every byte kept.
    std::string text(std::int16_t length);

  private:
    bool take(std::size_t count);

    std::span<const std::uint8_t> data_;
    std::size_t cursor_;
    bool ok_ = true;
};

// What the text buffer holds for drawing and measuring: the first 3999 bytes, ending at the
// first zero byte.
std::string TextBuffer(std::string_view text);

} // namespace velk
