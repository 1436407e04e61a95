// Writes arbitrary pixels as a PNG file and reads the file back with zlib: every chunk's CRC
// must hold and the image data must give back exactly the pixels, as a palette of 1 to 8 bits
// or as RGB. Rows repeat in runs the input chooses, as most rows of a printed page repeat the
// one above.

#include "fuzz_check.h"
#include "png_writer.h"

#include "support/png_reader.h"

#include <cstdint>
#include <cstring>
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

    // Row y is distinct row y / repeat, its bytes taken from the input round and round.
    std::vector<std::uint8_t> expected;
    for (std::int32_t y = 0; y < height; ++y) {
        const std::size_t first = static_cast<std::size_t>(y / repeat) * rowBytes;
        for (std::size_t i = 0; i < rowBytes; ++i) {
            expected.push_back(pixels[(first + i) % pixels.size()]);
        }
    }
    velk::cli::MemorySink sink;
    Check(velk::cli::WritePng(
        sink, width, height, [&expected, rowBytes](std::int32_t y, std::span<std::uint8_t> row) {
            // A row that repeats the one above is said to, and left as it is.
            const std::uint8_t* pixels = expected.data() + static_cast<std::size_t>(y) * rowBytes;
            if (y > 0 && std::memcmp(pixels - rowBytes, pixels, rowBytes) == 0) {
                return true;
            }
            std::memcpy(row.data(), pixels, rowBytes);
            return false;
        }));
    const velk::testing::PngRead read = velk::testing::ReadPng(sink.bytes);
    Check(read.error.empty() && read.picture.rgb == expected);
    return 0;
}
