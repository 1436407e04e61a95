// The PNG files velk-render writes: checksums against their published check values, and the
// file read back by a reader written here from the PNG and zlib formats.
#include "png_writer.h"

#include <gtest/gtest.h>

#include <span>

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace velk::cli {
namespace {

std::vector<std::uint8_t> Bytes(std::string_view text) {
    return {text.begin(), text.end()};
}

std::uint32_t Big32(const std::vector<std::uint8_t>& b, std::size_t at) {
    return (std::uint32_t{b[at]} << 24) | (std::uint32_t{b[at + 1]} << 16) |
           (std::uint32_t{b[at + 2]} << 8) | b[at + 3];
}

struct ChunkRead {
    std::string type;
    std::vector<std::uint8_t> data;
    bool crcGood = false;
};

std::vector<ChunkRead> Chunks(const std::vector<std::uint8_t>& png) {
    std::vector<ChunkRead> chunks;
    std::size_t at = 8;
    while (at + 12 <= png.size()) {
        const std::uint32_t length = Big32(png, at);
        ChunkRead chunk;
        chunk.type.assign(png.begin() + static_cast<std::ptrdiff_t>(at + 4),
                          png.begin() + static_cast<std::ptrdiff_t>(at + 8));
        chunk.data.assign(png.begin() + static_cast<std::ptrdiff_t>(at + 8),
                          png.begin() + static_cast<std::ptrdiff_t>(at + 8 + length));
        const std::vector<std::uint8_t> typeAndData(
            png.begin() + static_cast<std::ptrdiff_t>(at + 4),
            png.begin() + static_cast<std::ptrdiff_t>(at + 8 + length));
        chunk.crcGood = Crc32(typeAndData) == Big32(png, at + 8 + length);
        chunks.push_back(chunk);
        at += 12 + length;
    }
    return chunks;
}

// A deflate reader for the two block kinds a writer without dynamic codes makes: stored
// blocks and blocks with the fixed codes (RFC 1951). Anything else, or a match reaching
// before the data or beyond the 32K window, is a failure.
class Inflater {
  public:
    explicit Inflater(const std::vector<std::uint8_t>& data) : data_(data) {}

    std::vector<std::uint8_t> run(std::vector<int>& blockTypes, bool& good) {
        bool last = false;
        good = true;
        while (!last && good) {
            last = bits(1) == 1;
            const int type = static_cast<int>(bits(2));
            blockTypes.push_back(type);
            if (type == 0) {
                good = stored();
            } else if (type == 1) {
                good = fixed();
            } else {
                good = false;
            }
        }
        return std::move(out_);
    }

    // Where the deflate data ended, in whole bytes.
    std::size_t end() const { return (bitAt_ + 7) / 8; }
    bool overrun() const { return overrun_; }

  private:
    std::uint32_t bits(int count) {
        std::uint32_t value = 0;
        for (int i = 0; i < count; ++i) {
            const std::size_t byte = bitAt_ / 8;
            if (byte >= data_.size()) {
                overrun_ = true;
                return 0;
            }
            value |= static_cast<std::uint32_t>((data_[byte] >> (bitAt_ % 8)) & 1) << i;
            ++bitAt_;
        }
        return value;
    }

    // Huffman codes come most significant bit first.
    std::uint32_t codeBits(int count) {
        std::uint32_t code = 0;
        for (int i = 0; i < count; ++i) {
            code = (code << 1) | bits(1);
        }
        return code;
    }

    bool stored() {
        bitAt_ = (bitAt_ + 7) / 8 * 8;
        const std::uint32_t length = bits(16);
        const std::uint32_t complement = bits(16);
        if ((length ^ 0xFFFF) != complement) {
            return false;
        }
        for (std::uint32_t i = 0; i < length; ++i) {
            out_.push_back(static_cast<std::uint8_t>(bits(8)));
        }
        return !overrun_;
    }

    int fixedSymbol() {
        std::uint32_t code = codeBits(7);
        if (code <= 0x17) {
            return static_cast<int>(256 + code);
        }
        code = (code << 1) | bits(1);
        if (code >= 0x30 && code <= 0xBF) {
            return static_cast<int>(code - 0x30);
        }
        if (code >= 0xC0 && code <= 0xC7) {
            return static_cast<int>(280 + code - 0xC0);
        }
        code = (code << 1) | bits(1);
        return static_cast<int>(144 + code - 0x190);
    }

    bool fixed() {
        static constexpr int kLengthBase[] = {3,  4,  5,  6,   7,   8,   9,   10,  11, 13,
                                              15, 17, 19, 23,  27,  31,  35,  43,  51, 59,
                                              67, 83, 99, 115, 131, 163, 195, 227, 258};
        static constexpr int kLengthExtra[] = {0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2,
                                               2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};
        static constexpr int kDistanceBase[] = {
            1,   2,   3,   4,   5,   7,    9,    13,   17,   25,   33,   49,   65,    97,    129,
            193, 257, 385, 513, 769, 1025, 1537, 2049, 3073, 4097, 6145, 8193, 12289, 16385, 24577};
        static constexpr int kDistanceExtra[] = {0, 0, 0,  0,  1,  1,  2,  2,  3,  3,
                                                 4, 4, 5,  5,  6,  6,  7,  7,  8,  8,
                                                 9, 9, 10, 10, 11, 11, 12, 12, 13, 13};
        while (!overrun_) {
            const int symbol = fixedSymbol();
            if (symbol < 256) {
                out_.push_back(static_cast<std::uint8_t>(symbol));
                continue;
            }
            if (symbol == 256) {
                return true;
            }
            if (symbol > 285) {
                return false;
            }
            const int length =
                kLengthBase[symbol - 257] + static_cast<int>(bits(kLengthExtra[symbol - 257]));
            const auto distanceCode = static_cast<int>(codeBits(5));
            if (distanceCode > 29) {
                return false;
            }
            const int distance =
                kDistanceBase[distanceCode] + static_cast<int>(bits(kDistanceExtra[distanceCode]));
            if (distance > 32768 || static_cast<std::size_t>(distance) > out_.size()) {
                return false;
            }
            for (int i = 0; i < length; ++i) {
                out_.push_back(out_[out_.size() - static_cast<std::size_t>(distance)]);
            }
        }
        return false;
    }

    const std::vector<std::uint8_t>& data_;
    std::size_t bitAt_ = 0;
    bool overrun_ = false;
    std::vector<std::uint8_t> out_;
};

struct Inflated {
    std::vector<std::uint8_t> bytes;
    std::vector<int> blockTypes;
    bool good = false;      // every block read to its end
    bool adlerGood = false; // the trailer is the Adler-32 of the bytes, and nothing follows
};

Inflated Inflate(const std::vector<std::uint8_t>& zlib) {
    Inflated out;
    if (zlib.size() < 6) {
        ADD_FAILURE() << "no zlib stream";
        return out;
    }
    EXPECT_EQ((zlib[0] * 256 + zlib[1]) % 31, 0) << "zlib header check bits";
    EXPECT_EQ(zlib[0] & 0x0F, 8) << "deflate";
    EXPECT_EQ(zlib[1] & 0x20, 0) << "no preset dictionary";
    const std::vector<std::uint8_t> deflate(zlib.begin() + 2, zlib.end());
    Inflater inflater(deflate);
    out.bytes = inflater.run(out.blockTypes, out.good);
    out.good = out.good && !inflater.overrun();
    const std::size_t at = 2 + inflater.end();
    out.adlerGood = at + 4 == zlib.size() && Adler32(out.bytes) == Big32(zlib, at);
    return out;
}

// The image data of a PNG file: its IDAT chunks joined, each with a good CRC.
std::vector<std::uint8_t> ImageData(const std::vector<ChunkRead>& chunks) {
    std::vector<std::uint8_t> data;
    for (const auto& chunk : chunks) {
        EXPECT_TRUE(chunk.crcGood) << chunk.type;
        if (chunk.type == "IDAT") {
            data.insert(data.end(), chunk.data.begin(), chunk.data.end());
        }
    }
    return data;
}

// The picture a PNG file of unfiltered rows holds, or nothing when any check fails.
std::vector<std::uint8_t> DecodedPixels(const std::vector<std::uint8_t>& png, std::int32_t width,
                                        std::int32_t height) {
    const Inflated raw = Inflate(ImageData(Chunks(png)));
    EXPECT_TRUE(raw.good);
    EXPECT_TRUE(raw.adlerGood);
    const std::size_t rowBytes = static_cast<std::size_t>(width) * 3;
    if (!raw.good || raw.bytes.size() != (rowBytes + 1) * static_cast<std::size_t>(height)) {
        ADD_FAILURE() << "image data of " << raw.bytes.size() << " bytes";
        return {};
    }
    std::vector<std::uint8_t> pixels;
    for (std::size_t y = 0; y < static_cast<std::size_t>(height); ++y) {
        const auto row = raw.bytes.begin() + static_cast<std::ptrdiff_t>(y * (rowBytes + 1));
        EXPECT_EQ(*row, 0) << "filter of row " << y;
        pixels.insert(pixels.end(), row + 1, row + 1 + static_cast<std::ptrdiff_t>(rowBytes));
    }
    return pixels;
}

RgbImage Gradient(std::int32_t width, std::int32_t height) {
    RgbImage image{width, height, {}};
    for (std::int32_t y = 0; y < height; ++y) {
        for (std::int32_t x = 0; x < width; ++x) {
            image.pixels.push_back(static_cast<std::uint8_t>(x));
            image.pixels.push_back(static_cast<std::uint8_t>(y));
            image.pixels.push_back(static_cast<std::uint8_t>(x ^ y));
        }
    }
    return image;
}

TEST(VelkRenderPng, ChecksumsMatchTheirPublishedCheckValues) {
    EXPECT_EQ(Crc32(Bytes("123456789")), 0xCBF43926u);
    EXPECT_EQ(Crc32(Bytes("")), 0u);
    EXPECT_EQ(Crc32(Bytes("IEND")), 0xAE426082u);
    EXPECT_EQ(Adler32(Bytes("Wikipedia")), 0x11E60398u);
    EXPECT_EQ(Adler32(Bytes("")), 1u);
    // Carried on over pieces, the same as over the whole.
    EXPECT_EQ(Crc32(Bytes("6789"), Crc32(Bytes("12345"))), 0xCBF43926u);
    EXPECT_EQ(Adler32(Bytes("pedia"), Adler32(Bytes("Wiki"))), 0x11E60398u);
}

TEST(VelkRenderPng, AdlerSumsStayExactOverLongRunsOfLargeBytes) {
    // 100,000 bytes of 0xFF overflow 32-bit sums unless they are reduced in time. The sums
    // worked out by hand: a = 1 + 255 * n, b = n + 255 * n * (n + 1) / 2, both mod 65521.
    const std::vector<std::uint8_t> ones(100000, 0xFF);
    const std::uint64_t n = ones.size();
    const std::uint64_t a = (1 + 255 * n) % 65521;
    const std::uint64_t b = (n + 255 * n * (n + 1) / 2) % 65521;
    EXPECT_EQ(Adler32(ones), static_cast<std::uint32_t>((b << 16) | a));
}

TEST(VelkRenderPng, APictureReadsBackRowByRow) {
    const RgbImage image = Gradient(5, 3);
    const std::vector<std::uint8_t> png = EncodePng(image);
    ASSERT_GE(png.size(), 8u);
    EXPECT_EQ(std::vector<std::uint8_t>(png.begin(), png.begin() + 8),
              (std::vector<std::uint8_t>{0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A}));
    const auto chunks = Chunks(png);
    ASSERT_EQ(chunks.size(), 3u);
    EXPECT_EQ(chunks[0].type, "IHDR");
    EXPECT_EQ(chunks[1].type, "IDAT");
    EXPECT_EQ(chunks[2].type, "IEND");
    for (const auto& chunk : chunks) {
        EXPECT_TRUE(chunk.crcGood) << chunk.type;
    }
    EXPECT_EQ(chunks[0].data, (std::vector<std::uint8_t>{0, 0, 0, 5, 0, 0, 0, 3, 8, 2, 0, 0, 0}));
    const Inflated raw = Inflate(chunks[1].data);
    EXPECT_TRUE(raw.good);
    EXPECT_TRUE(raw.adlerGood);
    EXPECT_EQ(raw.blockTypes, std::vector<int>{1}) << "one block with the fixed codes";
    EXPECT_EQ(DecodedPixels(png, 5, 3), image.pixels);
}

// A row of `count` copies of one pixel, then a pixel that repeats the first `tail` bytes of
// it: runs of every length around the longest match (258 bytes) and its pieces.
RgbImage RunRow(std::int32_t count, std::int32_t tail) {
    RgbImage image{count + 1, 1, {}};
    for (std::int32_t i = 0; i < count; ++i) {
        image.pixels.insert(image.pixels.end(), {10, 20, 30});
    }
    const std::uint8_t last[] = {10, 20, 30};
    for (std::int32_t i = 0; i < 3; ++i) {
        image.pixels.push_back(i < tail ? last[i] : std::uint8_t{99});
    }
    return image;
}

TEST(VelkRenderPng, RunsOfEveryLengthReadBackExactly) {
    for (std::int32_t count = 1; count <= 180; ++count) {
        for (std::int32_t tail = 0; tail < 3; ++tail) {
            const RgbImage image = RunRow(count, tail);
            EXPECT_EQ(DecodedPixels(EncodePng(image), image.width, 1), image.pixels)
                << count << " pixels, " << tail << " more bytes";
        }
    }
}

// `rows` copies of one gradient row, then a different last row.
RgbImage RepeatedRows(std::int32_t width, std::int32_t rows) {
    RgbImage image{width, rows + 1, {}};
    for (std::int32_t y = 0; y < rows; ++y) {
        for (std::int32_t x = 0; x < width; ++x) {
            image.pixels.insert(image.pixels.end(),
                                {static_cast<std::uint8_t>(x), static_cast<std::uint8_t>(x >> 8),
                                 static_cast<std::uint8_t>(x * 7)});
        }
    }
    image.pixels.resize(image.pixels.size() + static_cast<std::size_t>(width) * 3, 0x55);
    return image;
}

TEST(VelkRenderPng, RepeatedRowsReadBackOnBothSidesOfTheWindowLimit) {
    // A row of 10,922 pixels with its filter byte is 32,767 bytes, within the 32K a match can
    // reach back; one of 10,923 pixels is not, and must be written out again.
    struct Case {
        std::int32_t width;
        bool rowMatches;
    };
    for (const Case c : {Case{1, true}, Case{300, true}, Case{10922, true}, Case{10923, false}}) {
        const RgbImage image = RepeatedRows(c.width, 3);
        const std::vector<std::uint8_t> png = EncodePng(image);
        EXPECT_EQ(DecodedPixels(png, c.width, 4), image.pixels) << c.width;
        const std::size_t rowBytes = static_cast<std::size_t>(c.width) * 3;
        // The gradient has no runs: a row written out takes about its own size again.
        const std::size_t data = ImageData(Chunks(png)).size();
        if (c.rowMatches) {
            EXPECT_LT(data, 2 * rowBytes + 100) << c.width;
        } else {
            EXPECT_GT(data, 3 * rowBytes) << c.width;
        }
    }
}

TEST(VelkRenderPng, ABlankPageTakesAFewKilobytes) {
    // 817 x 1057, a page at 96 dpi: 2.6 MB of pixels.
    const RgbImage page{817, 1057, std::vector<std::uint8_t>(817 * 1057 * 3, 0xFF)};
    const std::vector<std::uint8_t> png = EncodePng(page);
    EXPECT_LT(png.size(), 40000u);
    EXPECT_EQ(DecodedPixels(png, 817, 1057), page.pixels);
}

TEST(VelkRenderPng, LongImageDataIsSplitIntoChunksOf256KiB) {
    // Pixels without runs need about as many bytes as they hold: 600 x 200 x 3 = 360,000.
    RgbImage noise{600, 200, {}};
    std::uint32_t seed = 12345;
    for (std::size_t i = 0; i < 600u * 200u * 3u; ++i) {
        seed = seed * 1103515245u + 12345u;
        noise.pixels.push_back(static_cast<std::uint8_t>(seed >> 16));
    }
    const std::vector<std::uint8_t> png = EncodePng(noise);
    const auto chunks = Chunks(png);
    ASSERT_EQ(chunks.size(), 4u);
    EXPECT_EQ(chunks[1].type, "IDAT");
    EXPECT_EQ(chunks[1].data.size(), 256u * 1024u);
    EXPECT_EQ(chunks[2].type, "IDAT");
    EXPECT_GT(chunks[2].data.size(), 0u);
    EXPECT_EQ(chunks[3].type, "IEND");
    EXPECT_EQ(DecodedPixels(png, 600, 200), noise.pixels);
}

TEST(VelkRenderPng, ASourceMayLeaveARepeatedRowAsItIs) {
    // Rows 0-2 red, 3-5 blue; the source writes only where the colour changes.
    MemorySink sink;
    std::vector<std::int32_t> written;
    ASSERT_TRUE(WritePng(sink, 4, 6, [&written](std::int32_t y, std::span<std::uint8_t> row) {
        if (y == 0 || y == 3) {
            for (std::size_t x = 0; x < row.size(); x += 3) {
                row[x] = y == 0 ? 0xFF : 0;
                row[x + 1] = 0;
                row[x + 2] = y == 0 ? 0 : 0xFF;
            }
            written.push_back(y);
        }
    }));
    EXPECT_EQ(written, (std::vector<std::int32_t>{0, 3}));
    std::vector<std::uint8_t> expected;
    for (int y = 0; y < 6; ++y) {
        for (int x = 0; x < 4; ++x) {
            expected.insert(expected.end(), {static_cast<std::uint8_t>(y < 3 ? 0xFF : 0), 0,
                                             static_cast<std::uint8_t>(y < 3 ? 0 : 0xFF)});
        }
    }
    EXPECT_EQ(DecodedPixels(sink.bytes, 4, 6), expected);
}

TEST(VelkRenderPng, PicturesWithoutPixelsOrWithTheWrongByteCountAreRefused) {
    EXPECT_TRUE(EncodePng(RgbImage{0, 5, {}}).empty());
    EXPECT_TRUE(EncodePng(RgbImage{5, 0, {}}).empty());
    EXPECT_TRUE(EncodePng(RgbImage{2, 2, std::vector<std::uint8_t>(11)}).empty());
    EXPECT_TRUE(EncodePng(RgbImage{2, 2, std::vector<std::uint8_t>(13)}).empty());
    EXPECT_FALSE(EncodePng(RgbImage{2, 2, std::vector<std::uint8_t>(12)}).empty());
}

} // namespace
} // namespace velk::cli
