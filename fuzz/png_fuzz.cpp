// Writes arbitrary pixels as a PNG file and reads the file back with zlib: every chunk's CRC
// must hold and the image data must inflate to exactly the rows given. Rows repeat in runs the
// input chooses, as most rows of a printed page repeat the one above.

#include "fuzz_check.h"
#include "png_writer.h"

#include <zlib.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

namespace {

std::uint32_t Big32(const std::vector<std::uint8_t>& b, std::size_t at) {
    return (std::uint32_t{b[at]} << 24) | (std::uint32_t{b[at + 1]} << 16) |
           (std::uint32_t{b[at + 2]} << 8) | b[at + 3];
}

} // namespace

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
        expected.push_back(0);
        const std::size_t first = static_cast<std::size_t>(y / repeat) * rowBytes;
        for (std::size_t i = 0; i < rowBytes; ++i) {
            expected.push_back(pixels[(first + i) % pixels.size()]);
        }
    }
    velk::cli::MemorySink sink;
    Check(velk::cli::WritePng(
        sink, width, height, [&expected, rowBytes](std::int32_t y, std::span<std::uint8_t> row) {
            const std::size_t at = static_cast<std::size_t>(y) * (rowBytes + 1) + 1;
            std::memcpy(row.data(), expected.data() + at, rowBytes);
        }));

    const std::vector<std::uint8_t>& png = sink.bytes;
    std::vector<std::uint8_t> zlibStream;
    std::size_t at = 8;
    bool ended = false;
    while (at + 12 <= png.size()) {
        const std::uint32_t length = Big32(png, at);
        Check(at + 12 + length <= png.size());
        const auto crc = static_cast<std::uint32_t>(
            crc32(0, png.data() + at + 4, static_cast<uInt>(length + 4)));
        Check(crc == Big32(png, at + 8 + length));
        if (std::memcmp(png.data() + at + 4, "IDAT", 4) == 0) {
            zlibStream.insert(zlibStream.end(), png.begin() + static_cast<std::ptrdiff_t>(at + 8),
                              png.begin() + static_cast<std::ptrdiff_t>(at + 8 + length));
        }
        ended = std::memcmp(png.data() + at + 4, "IEND", 4) == 0;
        at += 12 + length;
    }
    Check(ended && at == png.size());

    // One byte more than expected is room enough to notice data that runs on.
    std::vector<std::uint8_t> inflated(expected.size() + 1);
    uLongf inflatedSize = inflated.size();
    Check(uncompress(inflated.data(), &inflatedSize, zlibStream.data(), zlibStream.size()) == Z_OK);
    inflated.resize(inflatedSize);
    Check(inflated == expected);
    return 0;
}
