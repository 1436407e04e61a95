#include "png_writer.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>
#include <string_view>

#ifdef VELK_RENDER_ZLIB
#include <zlib.h>
#endif

namespace velk::cli {

namespace {

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

// The image data as IDAT chunks of up to kChunkSize bytes each: a chunk's length comes before
// its data, so the data is gathered first.
class IdatChunks {
  public:
    explicit IdatChunks(ByteSink& out) : out_(out) { buffer_.reserve(kChunkSize); }

    void put(std::uint8_t byte) {
        buffer_.push_back(byte);
        if (buffer_.size() == kChunkSize) {
            flush();
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

// A Huffman code as it goes into the stream: its bits reversed, since deflate packs codes
// from their most significant bit but the stream from each byte's least significant one.
struct Code {
    std::uint32_t bits = 0;
    std::uint32_t length = 0;
};

constexpr std::uint32_t Reversed(std::uint32_t value, std::uint32_t length) {
    std::uint32_t result = 0;
    for (std::uint32_t i = 0; i < length; ++i) {
        result = (result << 1) | ((value >> i) & 1);
    }
    return result;
}

// The fixed literal/length code of deflate (RFC 1951, 3.2.6).
constexpr std::array<Code, 288> MakeFixedCodes() {
    std::array<Code, 288> codes{};
    for (std::uint32_t symbol = 0; symbol < 288; ++symbol) {
        if (symbol < 144) {
            codes[symbol] = {Reversed(0x30 + symbol, 8), 8};
        } else if (symbol < 256) {
            codes[symbol] = {Reversed(0x190 + symbol - 144, 9), 9};
        } else if (symbol < 280) {
            codes[symbol] = {Reversed(symbol - 256, 7), 7};
        } else {
            codes[symbol] = {Reversed(0xC0 + symbol - 280, 8), 8};
        }
    }
    return codes;
}

constexpr std::array<Code, 288> kFixedCodes = MakeFixedCodes();

constexpr std::array<std::uint32_t, 29> kLengthBase = {3,  4,  5,  6,   7,   8,   9,   10,  11, 13,
                                                       15, 17, 19, 23,  27,  31,  35,  43,  51, 59,
                                                       67, 83, 99, 115, 131, 163, 195, 227, 258};
constexpr std::array<std::uint32_t, 29> kLengthExtra = {0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2,
                                                        2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};
constexpr std::array<std::uint32_t, 30> kDistanceBase = {
    1,   2,   3,   4,   5,   7,    9,    13,   17,   25,   33,   49,   65,    97,    129,
    193, 257, 385, 513, 769, 1025, 1537, 2049, 3073, 4097, 6145, 8193, 12289, 16385, 24577};
constexpr std::array<std::uint32_t, 30> kDistanceExtra = {0, 0, 0,  0,  1,  1,  2,  2,  3,  3,
                                                          4, 4, 5,  5,  6,  6,  7,  7,  8,  8,
                                                          9, 9, 10, 10, 11, 11, 12, 12, 13, 13};

constexpr std::uint32_t kShortestMatch = 3;
constexpr std::uint32_t kLongestMatch = 258;
constexpr std::uint32_t kWindow = 32768;

// Length code, its extra bits, for every match length, made once.
constexpr std::array<Code, kLongestMatch + 1> MakeLengthCodes() {
    std::array<Code, kLongestMatch + 1> codes{};
    for (std::uint32_t length = kShortestMatch; length <= kLongestMatch; ++length) {
        std::size_t i = kLengthBase.size() - 1;
        while (kLengthBase[i] > length) {
            --i;
        }
        const Code symbol = kFixedCodes[257 + i];
        codes[length] = {symbol.bits | ((length - kLengthBase[i]) << symbol.length),
                         symbol.length + kLengthExtra[i]};
    }
    return codes;
}

constexpr std::array<Code, kLongestMatch + 1> kLengthCodes = MakeLengthCodes();

// Distance code and extra bits; the fixed distance codes are five bits each.
constexpr Code DistanceCode(std::uint32_t distance) {
    std::size_t i = kDistanceBase.size() - 1;
    while (kDistanceBase[i] > distance) {
        --i;
    }
    return {Reversed(static_cast<std::uint32_t>(i), 5) | ((distance - kDistanceBase[i]) << 5),
            5 + kDistanceExtra[i]};
}

// A zlib stream of one deflate block with the fixed codes, holding literals and matches.
class FixedCodeStream {
  public:
    explicit FixedCodeStream(IdatChunks& out) : out_(out) {
        // Deflate with a 32K window, no preset dictionary, check bits.
        out_.put(0x78);
        out_.put(0x01);
        putBits(1, 1); // BFINAL: the only block
        putBits(1, 2); // BTYPE 01: fixed codes
    }

    void literal(std::uint8_t byte) { put(kFixedCodes[byte]); }

    // `length` bytes copied from `distance` back, in as many matches as it takes.
    void match(std::uint32_t length, const Code& distance) {
        while (length > 0) {
            std::uint32_t piece = std::min(length, kLongestMatch);
            // Leave no remainder shorter than a match can be.
            if (length > kLongestMatch && length - kLongestMatch < kShortestMatch) {
                piece = length - kShortestMatch;
            }
            put(kLengthCodes[piece]);
            put(distance);
            length -= piece;
        }
    }

    // The end-of-block code, the block padded to a whole byte, and the Adler-32 of the data.
    void finish(std::uint32_t adler) {
        put(kFixedCodes[256]);
        while (count_ > 0) {
            out_.put(static_cast<std::uint8_t>(bits_));
            bits_ >>= 8;
            count_ = count_ > 8 ? count_ - 8 : 0;
        }
        for (const std::uint8_t byte : Big32(adler)) {
            out_.put(byte);
        }
    }

  private:
    void put(const Code& code) { putBits(code.bits, code.length); }

    void putBits(std::uint32_t value, std::uint32_t length) {
        bits_ |= std::uint64_t{value} << count_;
        count_ += length;
        while (count_ >= 8) {
            out_.put(static_cast<std::uint8_t>(bits_));
            bits_ >>= 8;
            count_ -= 8;
        }
    }

    IdatChunks& out_;
    std::uint64_t bits_ = 0;
    std::uint32_t count_ = 0;
};

// Bytes from `at` on that repeat the byte `distance` before them.
std::size_t RepeatLength(std::span<const std::uint8_t> data, std::size_t at, std::size_t distance) {
    std::size_t i = at;
    if constexpr (std::endian::native == std::endian::little) {
        // Eight at a time; the first that differs is the lowest differing byte of the words.
        while (i + 8 <= data.size()) {
            std::uint64_t here = 0;
            std::uint64_t back = 0;
            std::memcpy(&here, data.data() + i, 8);
            std::memcpy(&back, data.data() + i - distance, 8);
            if (here != back) {
                return i - at + static_cast<std::size_t>(std::countr_zero(here ^ back) / 8);
            }
            i += 8;
        }
    }
    while (i < data.size() && data[i] == data[i - distance]) {
        ++i;
    }
    return i - at;
}

// Adler-32 as two sums mod 65521: `a` of the bytes (plus one), `b` of the successive `a`s.
struct AdlerSums {
    std::uint32_t a = 1;
    std::uint32_t b = 0;

    std::uint32_t value() const { return (b << 16) | a; }

    // The sums going on over bytes whose own sums, started from nothing, are `bytes`.
    void append(const AdlerSums& bytes, std::size_t count) {
        constexpr std::uint64_t kModulus = 65521;
        b = static_cast<std::uint32_t>((b + (count % kModulus) * a + bytes.b) % kModulus);
        a = static_cast<std::uint32_t>((a + bytes.a) % kModulus);
    }
};

AdlerSums SumsOf(std::span<const std::uint8_t> bytes) {
    const std::uint32_t value = Adler32(bytes, 0);
    return {value & 0xFFFF, value >> 16};
}

// The scanlines as a zlib stream: runs of a repeated pixel become matches three bytes back and
// a row like the one above one match a row back, which is nearly all of a printed page, while
// the rest goes as literals. Such a stream takes little more work to make than stored blocks,
// and a blank page is a few kilobytes instead of megabytes to checksum and write.
class RowCompressor {
  public:
    RowCompressor(IdatChunks& out, std::size_t rowBytes)
        : stream_(out), rowsInWindow_(rowBytes + 1 <= kWindow),
          rowDistance_(rowsInWindow_ ? DistanceCode(static_cast<std::uint32_t>(rowBytes + 1))
                                     : Code{}) {}

    // A row with its filter byte in front.
    void row(std::span<const std::uint8_t> bytes) {
        const bool repeated = rowsInWindow_ && !previous_.empty() &&
                              std::equal(bytes.begin(), bytes.end(), previous_.begin());
        if (repeated) {
            stream_.match(static_cast<std::uint32_t>(bytes.size()), rowDistance_);
        } else {
            compress(bytes);
            previous_.assign(bytes.begin(), bytes.end());
            previousSums_ = SumsOf(bytes);
        }
        adler_.append(previousSums_, bytes.size());
    }

    void finish() { stream_.finish(adler_.value()); }

  private:
    static constexpr std::size_t kPixelBytes = 3;

    void compress(std::span<const std::uint8_t> bytes) {
        // The filter byte and the first pixel have nothing in the row before them.
        std::size_t at = 0;
        for (; at < bytes.size() && at < 1 + kPixelBytes; ++at) {
            stream_.literal(bytes[at]);
        }
        while (at < bytes.size()) {
            const std::size_t run = RepeatLength(bytes, at, kPixelBytes);
            if (run >= kShortestMatch) {
                stream_.match(static_cast<std::uint32_t>(run), kPixelDistance);
                at += run;
            } else {
                stream_.literal(bytes[at]);
                ++at;
            }
        }
    }

    static constexpr Code kPixelDistance = DistanceCode(kPixelBytes);

    FixedCodeStream stream_;
    bool rowsInWindow_; // whether a whole row back is within deflate's reach
    Code rowDistance_;
    std::vector<std::uint8_t> previous_;
    AdlerSums previousSums_{0, 0};
    AdlerSums adler_;
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

    out.write(std::array<std::uint8_t, 8>{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'});
    ChunkWriter header(out, "IHDR", 13);
    header.write(Big32(static_cast<std::uint32_t>(width)));
    header.write(Big32(static_cast<std::uint32_t>(height)));
    // 8 bits, RGB, deflate, adaptive filtering, no interlace.
    header.write(std::array<std::uint8_t, 5>{8, 2, 0, 0, 0});
    header.finish();

    IdatChunks data(out);
    RowCompressor zlib(data, rowBytes);
    // Each row with its filter byte (0, none) in front. The buffer keeps the row before, so
    // a source may leave a row that repeats as it is.
    std::vector<std::uint8_t> row(rowBytes + 1, 0);
    for (std::int32_t y = 0; y < height; ++y) {
        rows(y, std::span(row).subspan(1));
        zlib.row(row);
    }
    zlib.finish();
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
