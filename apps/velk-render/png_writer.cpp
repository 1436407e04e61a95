#include "png_writer.h"

#include <algorithm>
#include <array>
#include <string_view>

#ifdef VELK_RENDER_ZLIB
#include <zlib.h>
#endif

namespace velk::cli {

namespace {

constexpr std::size_t kStoredBlockLimit = 65535;

using CrcTables = std::array<std::array<std::uint32_t, 256>, 8>;

// Table k gives the CRC of a byte followed by k zero bytes, so that eight bytes are taken in
// one step (slicing by eight): a page's image data is checked several times faster.
constexpr CrcTables MakeCrcTables() {
    CrcTables tables{};
    for (std::uint32_t n = 0; n < 256; ++n) {
        std::uint32_t c = n;
        for (int k = 0; k < 8; ++k) {
            c = (c & 1) != 0 ? 0xEDB88320u ^ (c >> 1) : c >> 1;
        }
        tables[0][n] = c;
    }
    for (std::size_t k = 1; k < 8; ++k) {
        for (std::uint32_t n = 0; n < 256; ++n) {
            const std::uint32_t previous = tables[k - 1][n];
            tables[k][n] = tables[0][previous & 0xFF] ^ (previous >> 8);
        }
    }
    return tables;
}

constexpr CrcTables kCrc = MakeCrcTables();

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

// The raw scanlines as a zlib stream of stored blocks.
class StoredStream {
  public:
    StoredStream(ChunkWriter& out, std::size_t total) : out_(out), left_(total) {
        // Deflate with a 32K window, no preset dictionary, check bits.
        out_.write(std::array<std::uint8_t, 2>{0x78, 0x01});
    }

    void write(std::span<const std::uint8_t> bytes) {
        adler_ = Adler32(bytes, adler_);
        while (!bytes.empty()) {
            if (roomInBlock_ == 0) {
                startBlock();
            }
            const std::size_t n = std::min(bytes.size(), roomInBlock_);
            out_.write(bytes.first(n));
            bytes = bytes.subspan(n);
            roomInBlock_ -= n;
            left_ -= n;
        }
    }

    void finish() { out_.write(Big32(adler_)); }

    // Bytes the stream adds around `total` raw bytes.
    static std::size_t Overhead(std::size_t total) {
        const std::size_t blocks = (total + kStoredBlockLimit - 1) / kStoredBlockLimit;
        return 2 + blocks * 5 + 4;
    }

  private:
    void startBlock() {
        const std::size_t size = std::min(left_, kStoredBlockLimit);
        const auto low = static_cast<std::uint8_t>(size & 0xFF);
        const auto high = static_cast<std::uint8_t>(size >> 8);
        // BFINAL on the last block, BTYPE 00; LEN and its complement NLEN, low byte first.
        out_.write(std::array<std::uint8_t, 5>{static_cast<std::uint8_t>(size == left_ ? 1 : 0),
                                               low, high, static_cast<std::uint8_t>(~low),
                                               static_cast<std::uint8_t>(~high)});
        roomInBlock_ = size;
    }

    ChunkWriter& out_;
    std::size_t left_;
    std::size_t roomInBlock_ = 0;
    std::uint32_t adler_ = 1;
};

class VectorSink : public ByteSink {
  public:
    std::vector<std::uint8_t> bytes;
    void write(std::span<const std::uint8_t> data) override {
        bytes.insert(bytes.end(), data.begin(), data.end());
    }
};

} // namespace

std::uint32_t Crc32(std::span<const std::uint8_t> data, std::uint32_t running) {
    std::uint32_t c = running ^ 0xFFFFFFFFu;
    while (data.size() >= 8) {
        const std::uint32_t low =
            c ^ (std::uint32_t{data[0]} | (std::uint32_t{data[1]} << 8) |
                 (std::uint32_t{data[2]} << 16) | (std::uint32_t{data[3]} << 24));
        c = kCrc[7][low & 0xFF] ^ kCrc[6][(low >> 8) & 0xFF] ^ kCrc[5][(low >> 16) & 0xFF] ^
            kCrc[4][low >> 24] ^ kCrc[3][data[4]] ^ kCrc[2][data[5]] ^ kCrc[1][data[6]] ^
            kCrc[0][data[7]];
        data = data.subspan(8);
    }
    for (const std::uint8_t byte : data) {
        c = kCrc[0][(c ^ byte) & 0xFF] ^ (c >> 8);
    }
    return c ^ 0xFFFFFFFFu;
}

#ifdef VELK_RENDER_ZLIB
// zlib's sum takes sixteen bytes a step, and a page's megabytes pass through it. zlib counts
// in uInt, so a longer span goes in pieces.
std::uint32_t Adler32(std::span<const std::uint8_t> data, std::uint32_t running) {
    uLong value = running;
    constexpr std::size_t kPiece = std::size_t{1} << 30;
    while (!data.empty()) {
        const std::size_t n = std::min(data.size(), kPiece);
        value = adler32(value, data.data(), static_cast<uInt>(n));
        data = data.subspan(n);
    }
    return static_cast<std::uint32_t>(value);
}
#else
std::uint32_t Adler32(std::span<const std::uint8_t> data, std::uint32_t running) {
    constexpr std::uint32_t kModulus = 65521;
    // Sums stay below 2^32 for this many bytes between reductions.
    constexpr std::size_t kRun = 5552;
    std::uint32_t a = running & 0xFFFF;
    std::uint32_t b = running >> 16;
    while (!data.empty()) {
        const std::size_t n = std::min(data.size(), kRun);
        for (const std::uint8_t byte : data.first(n)) {
            a += byte;
            b += a;
        }
        a %= kModulus;
        b %= kModulus;
        data = data.subspan(n);
    }
    return (b << 16) | a;
}
#endif

bool WritePng(ByteSink& out, std::int32_t width, std::int32_t height, const RowSource& rows) {
    if (width <= 0 || height <= 0) {
        return false;
    }
    const std::size_t rowBytes = static_cast<std::size_t>(width) * 3;
    const std::size_t raw = (rowBytes + 1) * static_cast<std::size_t>(height);

    out.write(std::array<std::uint8_t, 8>{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'});
    ChunkWriter header(out, "IHDR", 13);
    header.write(Big32(static_cast<std::uint32_t>(width)));
    header.write(Big32(static_cast<std::uint32_t>(height)));
    // 8 bits, RGB, deflate, adaptive filtering, no interlace.
    header.write(std::array<std::uint8_t, 5>{8, 2, 0, 0, 0});
    header.finish();

    ChunkWriter data(out, "IDAT", raw + StoredStream::Overhead(raw));
    StoredStream zlib(data, raw);
    // Each row with its filter byte (0, none) in front.
    std::vector<std::uint8_t> row(rowBytes + 1, 0);
    for (std::int32_t y = 0; y < height; ++y) {
        rows(y, std::span(row).subspan(1));
        zlib.write(row);
    }
    zlib.finish();
    data.finish();

    ChunkWriter end(out, "IEND", 0);
    end.finish();
    return true;
}

std::vector<std::uint8_t> EncodePng(const RgbImage& image) {
    const std::size_t rowBytes = static_cast<std::size_t>(std::max(image.width, 0)) * 3;
    if (image.pixels.size() != rowBytes * static_cast<std::size_t>(std::max(image.height, 0))) {
        return {};
    }
    VectorSink sink;
    const bool written =
        WritePng(sink, image.width, image.height, [&image, rowBytes](std::int32_t y, auto row) {
            const auto start = image.pixels.begin() + static_cast<std::ptrdiff_t>(y * rowBytes);
            std::copy_n(start, rowBytes, row.begin());
        });
    return written ? std::move(sink.bytes) : std::vector<std::uint8_t>{};
}

} // namespace velk::cli
