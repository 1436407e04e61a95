#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace velk::cli {

// The colours of a picture in the order they first appear, up to the 256 a PNG palette holds.
class Palette {
  public:
    static constexpr std::size_t kLargest = 256;

    Palette();

    // Each pixel of an RGB row as its colour's index, taking new colours in; false, with
    // `indices` part written, once a colour more than a palette holds has come.
    bool index(std::span<const std::uint8_t> rgb, std::span<std::uint8_t> indices);

    // Bits per index in the image data: 1, 2, 4 or 8, the fewest that hold every index.
    int bitDepth() const;

    // The PLTE chunk's data: red, green and blue of each colour.
    std::vector<std::uint8_t> entries() const;

  private:
    static constexpr std::size_t kSlots = 4096;
    std::optional<std::uint8_t> find(std::uint32_t colour);

    std::array<std::uint32_t, kSlots> slots_;
    std::array<std::uint8_t, kSlots> indices_{};
    std::vector<std::uint32_t> colours_;
};

// 8-bit indices as `depth`-bit ones, the leftmost pixel in the highest bits of its byte and
// the bits after the last pixel 0.
void PackIndices(std::span<const std::uint8_t> indices, int depth, std::span<std::uint8_t> packed);

} // namespace velk::cli
