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

// The RGB rows of `image`, each behind its filter byte, rewritten in place as rows of packed
// palette indices behind theirs; the bytes they take. A packed row is never longer than an RGB
// one, so it ends before the next RGB row begins.
std::size_t PackInPlace(std::span<std::uint8_t> image, std::size_t width, std::size_t height,
                        Palette& palette, const std::vector<bool>& repeats) {
    const int depth = palette.bitDepth();
    const std::size_t rgbRow = width * 3 + 1;
    const std::size_t packedRow = (width * static_cast<std::size_t>(depth) + 7) / 8 + 1;
    std::vector<std::uint8_t> indices(width);
    for (std::size_t y = 0; y < height; ++y) {
        const std::span packed = image.subspan(y * packedRow, packedRow);
        if (repeats[y]) {
            std::copy_n(packed.data() - packedRow, packedRow, packed.data());
            continue;
        }
        // Indexed before it is written over: the row's own RGB bytes may lie under it. Every
        // colour is in the palette already.
        palette.index(image.subspan(y * rgbRow + 1, width * 3), indices);
        packed[0] = 0;
        PackIndices(indices, depth, packed.subspan(1));
    }
    return packedRow * height;
}

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
    // Every row as RGB behind its filter byte (0, none), in the stream's room. A page of text
    // and rules has a few dozen colours: while they fit a palette the rows are indexed too,
    // and as indices the image data is a third of its RGB bytes or less, and deflate's time
    // shrinks with it.
    Palette palette;
    bool fits = true;
    std::vector<bool> repeats(lines);
    std::vector<std::uint8_t> indices(columns);
    for (std::size_t y = 0; y < lines; ++y) {
        const std::span row = image.subspan(y * rgbRow, rgbRow);
        row[0] = 0;
        repeats[y] = rows(static_cast<std::int32_t>(y), row.subspan(1)) && y > 0;
        if (repeats[y]) {
            std::copy_n(row.data() - rgbRow, rgbRow, row.data());
        } else if (fits) {
            fits = palette.index(row.subspan(1), indices);
        }
    }
    const std::size_t size =
        fits ? PackInPlace(image, columns, lines, palette, repeats) : image.size();
    WriteHeader(out, width, height, fits ? &palette : nullptr);
    if (!zlib.finish(size)) {
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
            return false;
        });
    return written ? std::move(sink.bytes) : std::vector<std::uint8_t>{};
}

} // namespace velk::cli
