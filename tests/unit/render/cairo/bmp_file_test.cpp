// .bmp files as the Cairo back end decodes them, held to gdk-pixbuf's decoder.
#ifndef _WIN32

#include "render/cairo/bmp_file.h"
#include "render/cairo/cairo_bitmaps.h"
#include "writer/byte_writer.h"

#include <gdk-pixbuf/gdk-pixbuf.h>
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <tuple>
#include <vector>

namespace velk {
namespace {

using Bytes = std::vector<std::uint8_t>;

// A .bmp file: a core header (12 bytes) or an info header of `headerSize` bytes, the colour
// table or the three bit-field masks, then the pixels or runs.
struct Bmp {
    std::uint32_t headerSize = 40;
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::uint16_t bitCount = 24;
    std::uint32_t compression = cairo::kDibRgb;
    std::vector<std::uint32_t> table;
    Bytes bits;

    Bytes file() const {
        const bool core = headerSize == 12;
        const bool masks = compression == cairo::kDibBitFields;
        vlkw::ByteWriter header;
        if (core) {
            header.uint32(12).int16(static_cast<std::int16_t>(width));
            header.int16(static_cast<std::int16_t>(height)).int16(1);
            header.int16(static_cast<std::int16_t>(bitCount));
        } else {
            header.uint32(headerSize).int32(width).int32(height).int16(1);
            header.int16(static_cast<std::int16_t>(bitCount));
            // A table of every colour the depth has is counted as 0, as most files count it.
            const bool full = bitCount <= 8 && table.size() == std::size_t{1} << bitCount;
            const auto colours = static_cast<std::uint32_t>(masks || full ? 0 : table.size());
            for (const std::uint32_t field : {compression, static_cast<std::uint32_t>(bits.size()),
                                              2835u, 2835u, colours, 0u}) {
                header.uint32(field);
            }
        }
        // Masks follow the first 40 bytes of the header, inside it when it is longer.
        const auto addTable = [&] {
            for (const std::uint32_t entry : table) {
                if (core) {
                    header.byte(static_cast<std::uint8_t>(entry));
                    header.byte(static_cast<std::uint8_t>(entry >> 8));
                    header.byte(static_cast<std::uint8_t>(entry >> 16));
                } else {
                    header.uint32(entry);
                }
            }
        };
        if (masks) {
            addTable();
        }
        while (header.size() < headerSize) {
            header.byte(0);
        }
        if (!masks) {
            addTable();
        }
        vlkw::ByteWriter out;
        const auto bitsAt = static_cast<std::uint32_t>(14 + header.size());
        out.chars("BM").uint32(bitsAt + static_cast<std::uint32_t>(bits.size())).uint32(0);
        out.uint32(bitsAt).bytes(header.data()).bytes(bits);
        return out.take();
    }
};

std::vector<std::uint32_t> Colours(std::size_t count) {
    std::vector<std::uint32_t> colours;
    for (std::size_t i = 0; i < count; ++i) {
        colours.push_back(static_cast<std::uint32_t>(i * 0x3A5F17u + 0x102030u) & 0xFFFFFF);
    }
    return colours;
}

// A picture of pseudo-random pixels, the same on every run: 8-bit indices below the size of
// the table, any other pixel values of any bits.
Bmp Random(std::uint32_t headerSize, std::uint16_t bitCount, std::int32_t width,
           std::int32_t height, std::vector<std::uint32_t> table = {},
           std::uint32_t compression = cairo::kDibRgb) {
    const std::int32_t rows = height < 0 ? -height : height;
    Bytes bits(static_cast<std::size_t>((width * bitCount + 31) / 32 * 4 * rows));
    std::uint32_t seed = bitCount + static_cast<std::uint32_t>(width);
    for (std::uint8_t& byte : bits) {
        seed = seed * 1103515245u + 12345u;
        byte = static_cast<std::uint8_t>(seed >> 16);
        if (bitCount == 8 && !table.empty()) {
            byte = static_cast<std::uint8_t>(byte % table.size());
        }
    }
    return {headerSize, width, height, bitCount, compression, std::move(table), std::move(bits)};
}

using Pixels = std::tuple<int, int, std::vector<std::uint32_t>>;

// The picture's pixels as 0x00RRGGBB, rows top-down.
Pixels PixelsOf(cairo_surface_t* picture) {
    const int width = cairo_image_surface_get_width(picture);
    const int height = cairo_image_surface_get_height(picture);
    std::vector<std::uint32_t> pixels;
    for (int y = 0; y < height; ++y) {
        const auto* row = reinterpret_cast<const std::uint32_t*>(
            cairo_image_surface_get_data(picture) + y * cairo_image_surface_get_stride(picture));
        for (int x = 0; x < width; ++x) {
            pixels.push_back(row[x] & 0xFFFFFF);
        }
    }
    return {width, height, pixels};
}

// gdk-pixbuf's reading of the file, its alpha left out; nothing when it refuses the file.
std::optional<Pixels> GdkPixels(const Bytes& file) {
    GdkPixbufLoader* loader = gdk_pixbuf_loader_new_with_type("bmp", nullptr);
    const bool read = gdk_pixbuf_loader_write(loader, file.data(), file.size(), nullptr) &&
                      gdk_pixbuf_loader_close(loader, nullptr);
    GdkPixbuf* pixbuf = read ? gdk_pixbuf_loader_get_pixbuf(loader) : nullptr;
    std::optional<Pixels> result;
    if (pixbuf != nullptr) {
        const int width = gdk_pixbuf_get_width(pixbuf);
        const int height = gdk_pixbuf_get_height(pixbuf);
        const int channels = gdk_pixbuf_get_n_channels(pixbuf);
        const int stride = gdk_pixbuf_get_rowstride(pixbuf);
        const guchar* data = gdk_pixbuf_read_pixels(pixbuf);
        std::vector<std::uint32_t> pixels;
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                const guchar* p = data + y * stride + x * channels;
                pixels.push_back((std::uint32_t{p[0]} << 16) | (std::uint32_t{p[1]} << 8) | p[2]);
            }
        }
        result = Pixels{width, height, pixels};
    }
    g_object_unref(loader);
    return result;
}

TEST(VelkRenderBmpFile, EveryKindOfBmpFileDecodesAsGdkPixbufDecodesIt) {
    // RLE8, 5 x 3 of colours 0-3: a run clipped at the right edge, an odd absolute run and
    // its pad byte, the end of a line, a move right and up that skips pixels, the end.
    const Bytes rle8 = {7, 1, 0, 0, 0, 3, 2, 3, 1, 0, 0, 0, 0, 2, 2, 1, 2, 3, 0, 1};
    // RLE4, 6 x 2: a run of alternating indices, an absolute run of five (three bytes and a
    // pad), the end of the line, a run on the top line, the end.
    const Bytes rle4 = {3, 0x12, 0, 5, 0x34, 0x56, 0x70, 0, 0, 0, 6, 0xF1, 0, 1};
    constexpr std::uint32_t kFields = cairo::kDibBitFields;
    const std::pair<const char*, Bmp> cases[] = {
        {"24 bits", Random(40, 24, 5, 3)},
        {"24 bits top-down", Random(40, 24, 6, -4)},
        {"32 bits", Random(40, 32, 3, 2)},
        {"16 bits", Random(40, 16, 7, 3)},
        {"8 bits", Random(40, 8, 9, 4, Colours(256))},
        {"8 bits of 3 colours", Random(40, 8, 5, 2, Colours(3))},
        {"4 bits", Random(40, 4, 11, 3, Colours(16))},
        {"1 bit", Random(40, 1, 37, 2, Colours(2))},
        {"V5 header", Random(124, 24, 4, 4)},
        {"V4 header, 8 bits", Random(108, 8, 3, 3, Colours(256))},
        {"core header, 8 bits", Random(12, 8, 4, 2, Colours(256))},
        {"core header, 24 bits", Random(12, 24, 3, 3)},
        {"bit fields 5-6-5", Random(40, 16, 5, 3, {0xF800, 0x07E0, 0x001F}, kFields)},
        {"bit fields 32 bits", Random(40, 32, 3, 3, {0xFF0000, 0xFF00, 0xFF}, kFields)},
        {"bit fields 32 bits in a V5 header, top-down",
         Random(124, 32, 3, -2, {0xFF00, 0xFF0000, 0xFF000000}, kFields)},
        {"bit fields 4-4-4", Random(40, 16, 6, 2, {0x0F00, 0x00F0, 0x000F}, kFields)},
        {"bit fields 10-10-10", Random(40, 32, 4, 2, {0x3FF00000, 0xFFC00, 0x3FF}, kFields)},
        {"RLE8", {40, 5, 3, 8, cairo::kDibRle8, Colours(4), rle8}},
        {"RLE4", {40, 6, 2, 4, cairo::kDibRle4, Colours(16), rle4}},
        {"RLE8 ending early", {40, 3, 2, 8, cairo::kDibRle8, Colours(2), {2, 1}}},
    };
    for (const auto& [name, bmp] : cases) {
        const Bytes file = bmp.file();
        const cairo::CairoSurfaceHandle ours = cairo::DecodeBmpFile(file);
        const std::optional<Pixels> theirs = GdkPixels(file);
        ASSERT_TRUE(ours && theirs) << name;
        EXPECT_EQ(PixelsOf(ours.get()), *theirs) << name;
    }
}

TEST(VelkRenderBmpFile, FilesThatAreNoBitmapOrEndTooSoonAreRefused) {
    const auto changed = [](Bytes file, std::size_t at, std::uint8_t byte) {
        file[at] = byte;
        return file;
    };
    const auto cut = [](Bytes file, std::size_t bytes) {
        file.resize(file.size() - bytes);
        return file;
    };
    const auto file = [](Bmp bmp) { return bmp.file(); };
    const Bytes plain = Random(40, 24, 5, 3).file();
    const Bytes indexed = Random(40, 8, 4, 2, Colours(256)).file();
    const Bytes runs = {2, 1, 0, 1};
    const std::pair<const char*, Bytes> cases[] = {
        {"not BM", changed(plain, 1, 'A')},
        {"a header between the core and the info header", changed(plain, 14, 39)},
        {"a header longer than the file", changed(plain, 15, 1)},
        {"pixels beyond the end", changed(plain, 11, 1)},
        {"one pixel byte short", cut(plain, 1)},
        {"the colour table cut short", cut(indexed, indexed.size() - 14 - 40 - 1020)},
        // Four colours, then pixels (more than one needs), but no count of colours: all 256
        // are read, and the file ends 12 bytes short of them.
        {"the colour table shorter than it says",
         changed(file({40, 1, 1, 8, cairo::kDibRgb, Colours(4), Bytes(1024 - 16 - 12)}), 46, 0)},
        {"shorter than a core header", cut(file(Random(12, 24, 1, 1)), 30 - 25)},
        {"no width", file(Random(40, 24, 0, 3))},
        {"more pixels than a bitmap may have",
         file({40, 1 << 14, 1 << 13, 24, cairo::kDibRgb, {}, {}})},
        {"RLE8 of 4 bits", file({40, 2, 2, 4, cairo::kDibRle8, Colours(16), runs})},
        {"RLE4 of 8 bits", file({40, 2, 2, 8, cairo::kDibRle4, Colours(256), runs})},
        {"RLE top-down", file({40, 2, -2, 8, cairo::kDibRle8, Colours(256), runs})},
        {"bit fields of 24 bits",
         file(Random(40, 24, 2, 2, {0xFF0000, 0xFF00, 0xFF}, cairo::kDibBitFields))},
        {"bit fields without their masks", file({40, 1, 1, 16, cairo::kDibBitFields, {}, {}})},
        {"JPEG inside", file({40, 2, 2, 24, 4, {}, Bytes(16)})},
    };
    for (const auto& [name, bytes] : cases) {
        EXPECT_EQ(cairo::DecodeBmpFile(bytes), nullptr) << name;
    }
}

TEST(VelkRenderBmpFile, AnAbsoluteRunAtTheEndOfTheFileNeedsNoPadByte) {
    // RLE4, an absolute run of five indices in three bytes, and the file ends.
    const Bmp bmp{40, 6, 1, 4, cairo::kDibRle4, Colours(16), {0, 5, 0x12, 0x34, 0x50}};
    const cairo::CairoSurfaceHandle picture = cairo::DecodeBmpFile(bmp.file());
    ASSERT_TRUE(picture);
    const std::vector<std::uint32_t> colours = Colours(16);
    EXPECT_EQ(PixelsOf(picture.get()),
              Pixels(6, 1, {colours[1], colours[2], colours[3], colours[4], colours[5], 0}));
}

TEST(VelkRenderBmpFile, BitFieldsNarrowerThanFourBitsRepeatOnceAsGdiRepeatsThem) {
    // One pixel, 0x001F: red the low 2 bits (3), green the next 3 (7), no blue.
    const Bmp bmp{40, 1, 1, 16, cairo::kDibBitFields, {0x0003, 0x001C, 0}, {0x1F, 0, 0, 0}};
    const cairo::CairoSurfaceHandle picture = cairo::DecodeBmpFile(bmp.file());
    ASSERT_TRUE(picture);
    EXPECT_EQ(PixelsOf(picture.get()), Pixels(1, 1, {0xF0FC00}));
}

} // namespace
} // namespace velk

#endif
