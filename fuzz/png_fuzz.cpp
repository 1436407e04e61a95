// Writes arbitrary pixels as a PNG file and reads the file back with zlib: every chunk's CRC
// must hold and the image data must give back exactly the pixels, as a palette of 1 to 8 bits
// or as RGB. Rows repeat in runs the input chooses, as most rows of a printed page repeat the
// one above, and the top bytes of pixels hold what the input gives.

#include "fuzz_check.h"
#include "png_writer.h"

#include "support/png_reader.h"

#include <cstdint>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 3) {
        return 0;
    }
    const std::int32_t width = 1 + data[0] % 200;
    const std::int32_t repeat = 1 + data[1] % 8;
    const std::span<const std::uint8_t> pixels(data + 2, size - 2);
    const std::size_t rowBytes = static_cast<std::size_t>(width) * 3;
    const std::size_t distinctRows = std::max<std::size_t>(1, pixels.size() / rowBytes);
    const auto height = static_cast<std::int32_t>(distinctRows * static_cast<std::size_t>(repeat));

    // Row y is distinct row y / repeat, its bytes taken from the input round and round; the
    // top byte of a pixel is the byte after its blue, which the file leaves out.
    std::vector<std::uint8_t> expected;
    std::vector<std::uint32_t> rows;
    for (std::int32_t y = 0; y < height; ++y) {
        const std::size_t first = static_cast<std::size_t>(y / repeat) * rowBytes;
        for (std::size_t i = 0; i < rowBytes; ++i) {
            expected.push_back(pixels[(first + i) % pixels.size()]);
        }
        for (std::size_t i = 0; i < rowBytes; i += 3) {
            const std::uint8_t* rgb = expected.data() + expected.size() - rowBytes + i;
            const std::uint8_t top = pixels[(first + i + 3) % pixels.size()];
            rows.push_back(std::uint32_t{top} << 24 | std::uint32_t{rgb[0]} << 16 |
                           std::uint32_t{rgb[1]} << 8 | rgb[2]);
        }
    }
    const auto columns = static_cast<std::size_t>(width);
    velk::cli::MemorySink sink;
    Check(velk::cli::WritePng(sink, width, height, [&rows, columns](std::int32_t y) {
        return std::span<const std::uint32_t>(rows).subspan(static_cast<std::size_t>(y) * columns,
                                                            columns);
    }));
    const velk::testing::PngRead read = velk::testing::ReadPng(sink.bytes);
    Check(read.error.empty() && read.picture.rgb == expected);
    return 0;
}
