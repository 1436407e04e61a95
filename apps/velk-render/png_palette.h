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

    // Each 0x00RRGGBB pixel (the top byte left out) as its colour's index, taking new colours
    // in; false, with `indices` part written, once a colour more than a palette holds has come.
    bool index(std::span<const std::uint32_t> pixels, std::span<std::uint8_t> indices);

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

// `count` 8-bit indices from `indices` as `depth`-bit ones (1, 2 or 4) from `packed`, the leftmost
// pixel in the highest bits of its byte and the bits after the last pixel 0. Each packed byte is
// written after the indices it holds are read, so `packed` may start where `indices` does or
// before.
void PackIndices(const std::uint8_t* indices, std::size_t count, int depth, std::uint8_t* packed);

} // namespace velk::cli
