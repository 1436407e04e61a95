#include "png_writer.h"

#include "png_palette.h"
#include "zlib_stream.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <string_view>
#include <vector>

namespace velk::cli {

namespace {

std::array<std::uint8_t, 4> Big32(std::uint32_t value) {
    return {static_cast<std::uint8_t>(value >> 24), static_cast<std::uint8_t>(value >> 16),
            static_cast<std::uint8_t>(value >> 8), static_cast<std::uint8_t>(value)};
}

// One chunk: its length, then type and data with their CRC kept as they pass, then the CRC.
class ChunkWriter {
  public:
    ChunkWriter(ByteSink& out, std::string_view type, std::size_t length) : out_(out) {
        out_.write(Big32(static_cast<std::uint32_t>(length)));
        write(std::span(reinterpret_cast<const std::uint8_t*>(type.data()), type.size()));
    }
    void write(std::span<const std::uint8_t> bytes) {
        crc_ = Crc32(bytes, crc_);
        out_.write(bytes);
    }
    void finish() { out_.write(Big32(crc_)); }

  private:
    ByteSink& out_;
    std::uint32_t crc_ = 0;
};

// The image data as IDAT chunks of up to kChunkSize bytes each: a chunk's length comes before
// its data, so the data is gathered first.
class IdatChunks : public ByteSink {
  public:
    explicit IdatChunks(ByteSink& out) : out_(out) { buffer_.reserve(kChunkSize); }

    void write(std::span<const std::uint8_t> bytes) override {
        while (!bytes.empty()) {
            const std::size_t n = std::min(bytes.size(), kChunkSize - buffer_.size());
            buffer_.insert(buffer_.end(), bytes.begin(),
                           bytes.begin() + static_cast<std::ptrdiff_t>(n));
            bytes = bytes.subspan(n);
            if (buffer_.size() == kChunkSize) {
                flush();
            }
        }
    }

    void flush() {
        if (buffer_.empty()) {
            return;
        }
        ChunkWriter chunk(out_, "IDAT", buffer_.size());
        chunk.write(buffer_);
        chunk.finish();
        buffer_.clear();
    }

  private:
    static constexpr std::size_t kChunkSize = 256 * 1024;
    ByteSink& out_;
    std::vector<std::uint8_t> buffer_;
};

void WriteHeader(ByteSink& out, std::int32_t width, std::int32_t height, const Palette* palette) {
    out.write(std::array<std::uint8_t, 8>{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'});
    ChunkWriter header(out, "IHDR", 13);
    header.write(Big32(static_cast<std::uint32_t>(width)));
    header.write(Big32(static_cast<std::uint32_t>(height)));
    // Palette indices or 8-bit RGB, deflate, adaptive filtering, no interlace.
    const auto depth = static_cast<std::uint8_t>(palette ? palette->bitDepth() : 8);
    const std::uint8_t colourType = palette ? 3 : 2;
    header.write(std::array<std::uint8_t, 5>{depth, colourType, 0, 0, 0});
    header.finish();
    if (palette) {
        const std::vector<std::uint8_t> entries = palette->entries();
        ChunkWriter chunk(out, "PLTE", entries.size());
        chunk.write(entries);
        chunk.finish();
    }
}

} // namespace

bool WritePng(ByteSink& out, std::int32_t width, std::int32_t height, const RowSource& rows) {
    if (width <= 0 || height <= 0) {
        return false;
    }
    const auto columns = static_cast<std::size_t>(width);
    const auto lines = static_cast<std::size_t>(height);
    const std::size_t rgbRow = columns * 3 + 1;
    // Where sizes are 32-bit, a picture's bytes can be more than they count.
    if (columns > (SIZE_MAX - 1) / 3 || rgbRow > SIZE_MAX / lines) {
        return false;
    }
    IdatChunks data(out);
    ZlibStream zlib(data, rgbRow * lines);
    const std::span<std::uint8_t> image = zlib.data();
    if (image.empty()) {
        return false;
    }
    // Each row is written behind its filter byte (0, none) into the stream's room, in one of
    // two layouts. `write` gives false when the row cannot be written; a row with the pixels
    // of the row above is copied rather than written again, as most rows of a page are.
    std::vector<bool> repeats(lines);
    const auto fill = [&](std::size_t rowBytes, const auto& write) {
        std::span<const std::uint32_t> above;
        for (std::size_t y = 0; y < lines; ++y) {
            const std::span<const std::uint32_t> pixels = rows(static_cast<std::int32_t>(y));
            if (pixels.size() != columns) {
                return false;
            }
            const std::span row = image.subspan(y * rowBytes, rowBytes);
            row[0] = 0;
            repeats[y] = y > 0 && std::ranges::equal(pixels, above);
            if (repeats[y]) {
                std::copy_n(row.data() - rowBytes, rowBytes, row.data());
            } else if (!write(pixels, row.subspan(1))) {
                return false;
            }
            above = pixels;
        }
        return true;
    };
    // A page of text and rules has a few dozen colours: as palette indices its image data is
    // a third of its RGB bytes or less, and deflate's time shrinks with it. The rows are
    // indexed at 8 bits first and packed to fewer once every colour is known; a packed row is
    // never longer than its indices, so it ends before the next row's indices begin.
    Palette palette;
    const bool indexed = fill(columns + 1, [&palette](auto pixels, std::span<std::uint8_t> row) {
        return palette.index(pixels, row);
    });
    std::size_t size = image.size();
    if (indexed) {
        // At 8 bits the indices are the rows as written.
        const int depth = palette.bitDepth();
        const std::size_t packedRow = (columns * static_cast<std::size_t>(depth) + 7) / 8 + 1;
        if (depth < 8) {
            for (std::size_t y = 0; y < lines; ++y) {
                std::uint8_t* packed = image.data() + y * packedRow;
                if (repeats[y]) {
                    std::copy_n(packed - packedRow, packedRow, packed);
                    continue;
                }
                packed[0] = 0;
                PackIndices(image.data() + y * (columns + 1) + 1, columns, depth, packed + 1);
            }
        }
        size = packedRow * lines;
    } else if (!fill(rgbRow, [](auto pixels, std::span<std::uint8_t> row) {
                   std::uint8_t* out = row.data();
                   for (const std::uint32_t pixel : pixels) {
                       out[0] = static_cast<std::uint8_t>(pixel >> 16);
                       out[1] = static_cast<std::uint8_t>(pixel >> 8);
                       out[2] = static_cast<std::uint8_t>(pixel);
                       out += 3;
                   }
                   return true;
               })) {
        return false;
    }
    WriteHeader(out, width, height, indexed ? &palette : nullptr);
    if (!zlib.finish(size)) {
        return false;
    }
    data.flush();

    ChunkWriter end(out, "IEND", 0);
    end.finish();
    return true;
}

std::vector<std::uint8_t> EncodePng(const RgbImage& image) {
    const std::size_t pixelCount = static_cast<std::size_t>(std::max(image.width, 0)) *
                                   static_cast<std::size_t>(std::max(image.height, 0));
    if (image.pixels.size() != pixelCount * 3) {
        return {};
    }
    std::vector<std::uint32_t> pixels(pixelCount);
    for (std::size_t i = 0; i < pixelCount; ++i) {
        const std::uint8_t* rgb = image.pixels.data() + 3 * i;
        pixels[i] = (std::uint32_t{rgb[0]} << 16) | (std::uint32_t{rgb[1]} << 8) | rgb[2];
    }
    const auto columns = static_cast<std::size_t>(std::max(image.width, 0));
    MemorySink sink;
    const bool written =
        WritePng(sink, image.width, image.height, [&pixels, columns](std::int32_t y) {
            return std::span<const std::uint32_t>(pixels).subspan(
                static_cast<std::size_t>(y) * columns, columns);
        });
    return written ? std::move(sink.bytes) : std::vector<std::uint8_t>{};
}

} // namespace velk::cli
