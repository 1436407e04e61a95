#include "png_writer.h"

#include "png_palette.h"
#include "zlib_stream.h"

#include <algorithm>
#include <array>
#include <optional>
#include <string_view>

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

} // namespace

bool WritePng(ByteSink& out, std::int32_t width, std::int32_t height, const RowSource& rows) {
    if (width <= 0 || height <= 0) {
        return false;
    }
    // A page of text and rules has a few dozen colours: as palette indices its image data is a
    // third of its RGB bytes or less, and deflate's time shrinks with it.
    std::optional<Palette> palette = PaletteOf(width, height, rows);
    const int depth = palette ? palette->bitDepth() : 8;
    const std::size_t rowBytes =
        palette ? (static_cast<std::size_t>(width) * static_cast<std::size_t>(depth) + 7) / 8
                : static_cast<std::size_t>(width) * 3;

    out.write(std::array<std::uint8_t, 8>{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'});
    ChunkWriter header(out, "IHDR", 13);
    header.write(Big32(static_cast<std::uint32_t>(width)));
    header.write(Big32(static_cast<std::uint32_t>(height)));
    // Palette indices or 8-bit RGB, deflate, adaptive filtering, no interlace.
    const std::uint8_t colourType = palette ? 3 : 2;
    header.write(
        std::array<std::uint8_t, 5>{static_cast<std::uint8_t>(depth), colourType, 0, 0, 0});
    header.finish();
    if (palette) {
        const std::vector<std::uint8_t> entries = palette->entries();
        ChunkWriter chunk(out, "PLTE", entries.size());
        chunk.write(entries);
        chunk.finish();
    }

    IdatChunks data(out);
    ZlibStream zlib(data, (rowBytes + 1) * static_cast<std::size_t>(height));
    // Each row with its filter byte (0, none) in front. The buffer keeps the row before, so
    // a source may leave a row that repeats as it is.
    std::vector<std::uint8_t> row(rowBytes + 1, 0);
    const std::span pixels = std::span(row).subspan(1);
    if (palette) {
        IndexedRows indexed(rows, width, *palette);
        std::vector<std::uint8_t> indices(static_cast<std::size_t>(width));
        for (std::int32_t y = 0; y < height; ++y) {
            // Every colour is in the palette already.
            if (indexed.next(y, indices) == IndexedRows::Row::Indexed) {
                PackIndices(indices, depth, pixels);
            }
            zlib.write(row);
        }
    } else {
        for (std::int32_t y = 0; y < height; ++y) {
            rows(y, pixels);
            zlib.write(row);
        }
    }
    if (!zlib.finish()) {
        return false;
    }
    data.flush();

    ChunkWriter end(out, "IEND", 0);
    end.finish();
    return true;
}

std::vector<std::uint8_t> EncodePng(const RgbImage& image) {
    const std::size_t rowBytes = static_cast<std::size_t>(std::max(image.width, 0)) * 3;
    if (image.pixels.size() != rowBytes * static_cast<std::size_t>(std::max(image.height, 0))) {
        return {};
    }
    MemorySink sink;
    const bool written =
        WritePng(sink, image.width, image.height, [&image, rowBytes](std::int32_t y, auto row) {
            const auto start = image.pixels.begin() + static_cast<std::ptrdiff_t>(y * rowBytes);
            std::copy_n(start, rowBytes, row.begin());
        });
    return written ? std::move(sink.bytes) : std::vector<std::uint8_t>{};
}

} // namespace velk::cli
