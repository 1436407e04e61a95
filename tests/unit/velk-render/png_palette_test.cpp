// Palette indices and their packing, on rows whose ends fall anywhere within a group of pixels
// or a packed byte, and with memory after the row that must be neither read nor written.
#include "png_palette.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace velk::cli {
namespace {

constexpr std::uint32_t kPaper = 0xFFFFFF;
constexpr std::uint32_t kInk = 0x102030;
constexpr std::uint8_t kAfter = 0xEE;

struct IndexCase {
    const char* name;
    std::vector<std::uint32_t> row;
    std::vector<std::uint8_t> expected;
};

TEST(VelkRenderPalette, EachPixelGetsItsColoursIndexAndNothingAfterTheRowIsTouched) {
    const IndexCase cases[] = {
        {"a run of paper that ends one pixel into a group of four",
         {kPaper, kPaper, kPaper, kPaper, kPaper},
         {0, 0, 0, 0, 0}},
        {"ink that starts inside a group and runs past it",
         {kPaper, kPaper, kInk, kInk, kInk, kInk, kInk, kPaper},
         {0, 0, 1, 1, 1, 1, 1, 0}},
        {"the last pixel of a row of seven differs",
         {kPaper, kPaper, kPaper, kPaper, kPaper, kPaper, kInk},
         {0, 0, 0, 0, 0, 0, 1}},
        {"the top byte is no part of the colour",
         {0xFF000000 | kInk, kInk, 0x7F000000 | kInk, kInk, kPaper, 0xFF000000 | kPaper},
         {0, 0, 0, 0, 1, 1}},
    };
    for (const IndexCase& indexCase : cases) {
        SCOPED_TRACE(indexCase.name);
        // The pixels after the row are of its last colour, so that reading them would go unseen
        // unless the indices they were given land after the row.
        std::vector<std::uint32_t> pixels = indexCase.row;
        pixels.insert(pixels.end(), 4, indexCase.row.back());
        std::vector<std::uint8_t> indices(indexCase.row.size() + 4, kAfter);
        Palette palette;
        ASSERT_TRUE(palette.index(std::span(pixels).first(indexCase.row.size()),
                                  std::span(indices).first(indexCase.row.size())));
        const std::vector<std::uint8_t> row(indices.begin(),
                                            indices.begin() + indexCase.row.size());
        EXPECT_EQ(row, indexCase.expected);
        EXPECT_EQ(std::vector<std::uint8_t>(indices.begin() + indexCase.row.size(), indices.end()),
                  std::vector<std::uint8_t>(4, kAfter));
    }
}

struct PackCase {
    const char* name;
    int depth;
    std::vector<std::uint8_t> indices;
    std::vector<std::uint8_t> packed;
};

TEST(VelkRenderPalette, IndicesPackLeftmostHighestAndTheLastByteEndsInZeros) {
    const PackCase cases[] = {
        {"1 bit, eleven pixels", 1, {1, 0, 1, 1, 0, 0, 1, 1, 1, 0, 1}, {0b10110011, 0b10100000}},
        {"2 bits, five pixels", 2, {3, 0, 1, 2, 1}, {0b11000110, 0b01000000}},
        {"4 bits, three pixels", 4, {15, 1, 7}, {0xF1, 0x70}},
        {"4 bits, a whole byte", 4, {2, 9}, {0x29}},
    };
    for (const PackCase& packCase : cases) {
        SCOPED_TRACE(packCase.name);
        // The byte after the indices has every bit set: packing must not take it in.
        std::vector<std::uint8_t> indices = packCase.indices;
        indices.push_back(0xFF);
        std::vector<std::uint8_t> packed(packCase.packed.size(), kAfter);
        PackIndices(indices.data(), packCase.indices.size(), packCase.depth, packed.data());
        EXPECT_EQ(packed, packCase.packed);
        // In place, as rows are packed over their own indices.
        PackIndices(indices.data(), packCase.indices.size(), packCase.depth, indices.data());
        EXPECT_EQ(std::vector<std::uint8_t>(
                      indices.begin(),
                      indices.begin() + static_cast<std::ptrdiff_t>(packCase.packed.size())),
                  packCase.packed);
    }
}

} // namespace
} // namespace velk::cli
