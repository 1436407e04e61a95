#include "render/cairo/cairo_bitmaps.h"

#include "base/little_endian.h"
#include "platform/posix/page_memory.h"
#include "render/cairo/white_rows.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <vector>

namespace velk::cairo {

namespace {

constexpr std::uint32_t kWhite = 0xFFFFFF;
constexpr std::uint32_t kRgbMask = 0xFFFFFF;

bool Fits(std::int64_t width, std::int64_t height) {
    return width > 0 && height > 0 && width * height <= kLargestBitmapPixels;
}

std::int64_t DibRow(std::int64_t width, std::int64_t bitCount) {
    return (width * bitCount + 31) / 32 * 4;
}

std::uint32_t Expand5(std::uint32_t value) {
    return (value << 3) | (value >> 2);
}

std::uint32_t DibPixel(const std::uint8_t* row, std::int32_t x, const DibInfo& info) {
    switch (info.bitCount) {
    case 1:
        return info.colours[(row[x / 8] >> (7 - x % 8)) & 1] & kRgbMask;
    case 4:
        return info.colours[(row[x / 2] >> (x % 2 == 0 ? 4 : 0)) & 0xF] & kRgbMask;
    case 8:
        return info.colours[row[x]] & kRgbMask;
    case 16: {
        const std::uint32_t v = row[2 * x] | (static_cast<std::uint32_t>(row[2 * x + 1]) << 8);
        return (Expand5((v >> 10) & 31) << 16) | (Expand5((v >> 5) & 31) << 8) | Expand5(v & 31);
    }
    case 24:
        return (static_cast<std::uint32_t>(row[3 * x + 2]) << 16) |
               (static_cast<std::uint32_t>(row[3 * x + 1]) << 8) | row[3 * x];
    default: // 32
        return (static_cast<std::uint32_t>(row[4 * x + 2]) << 16) |
               (static_cast<std::uint32_t>(row[4 * x + 1]) << 8) | row[4 * x];
    }
}

// Which DIBs decode: uncompressed of any depth, runs of 8- and 4-bit indices stored bottom-up,
// and 16- or 32-bit pixels with bit fields.
bool DecodesAs(const DibInfo& info) {
    switch (info.compression) {
    case kDibRgb:
        return info.bitCount == 1 || info.bitCount == 4 || info.bitCount == 8 ||
               info.bitCount == 16 || info.bitCount == 24 || info.bitCount == 32;
    case kDibRle8:
        return info.bitCount == 8 && info.height > 0;
    case kDibRle4:
        return info.bitCount == 4 && info.height > 0;
    case kDibBitFields:
        return info.bitCount == 16 || info.bitCount == 32;
    default:
        return false;
    }
}

// One colour of a bit-field pixel: the mask's bits widened to 8 by repeating them once from
// the top, as GDI does (5 bits abcde become abcdeabc, 2 bits ab become abab0000), or narrowed
// to their top 8.
class Field {
  public:
    explicit Field(std::uint32_t mask)
        : mask_(mask), shift_(mask == 0 ? 0 : std::countr_zero(mask)), bits_(std::popcount(mask)) {}

    std::uint32_t of(std::uint32_t pixel) const {
        const std::uint32_t value = (pixel & mask_) >> shift_;
        if (bits_ == 0 || bits_ >= 8) {
            return bits_ == 0 ? 0 : (value >> (bits_ - 8)) & 0xFF;
        }
        const std::uint32_t top = value << (8 - bits_);
        return (top | (top >> bits_)) & 0xFF;
    }

  private:
    std::uint32_t mask_;
    int shift_;
    int bits_;
};

// The red, green and blue masks of a bit-field DIB, which come where its colour table would.
class Fields {
  public:
    explicit Fields(const DibInfo& info)
        : red_(info.colours[0]), green_(info.colours[1]), blue_(info.colours[2]) {}

    std::uint32_t pixel(const std::uint8_t* row, std::int32_t x, std::uint16_t bitCount) const {
        const std::uint32_t value = bitCount == 16
                                        ? row[2 * x] | (std::uint32_t{row[2 * x + 1]} << 8)
                                        : row[4 * x] | (std::uint32_t{row[4 * x + 1]} << 8) |
                                              (std::uint32_t{row[4 * x + 2]} << 16) |
                                              (std::uint32_t{row[4 * x + 3]} << 24);
        return (red_.of(value) << 16) | (green_.of(value) << 8) | blue_.of(value);
    }

  private:
    Field red_;
    Field green_;
    Field blue_;
};

// The runs of an RLE8 or RLE4 DIB into `rows`, scan line 0 at the bottom. A run is a count and
// the index (or, in RLE4, two indices taken in turn) it repeats; a count of 0 is an escape:
// 0 ends the line, 1 the picture, 2 moves right and up by the next two bytes, and from 3 on
// that many indices follow as they are, padded to a 16-bit boundary. Pixels beyond the picture
// are dropped; the runs move only right and up, so each pixel is written once at most.
void DecodeRuns(std::span<const std::uint8_t> runs, const DibInfo& info, const PictureRows& rows) {
    const bool four = info.compression == kDibRle4;
    const std::int64_t width = rows.width();
    const std::int64_t height = rows.height();
    std::int64_t x = 0;
    std::int64_t scan = 0;
    // `count` indices from `index(i)`, the part that falls inside the picture written.
    const auto put = [&](std::int64_t count, const auto& index) {
        if (scan < height) {
            std::uint32_t* row = rows.row(static_cast<std::int32_t>(height - 1 - scan));
            for (std::int64_t i = 0; i < count && x + i < width; ++i) {
                row[x + i] = info.colours[index(i)] & kRgbMask;
            }
        }
        x += count;
    };
    std::size_t at = 0;
    while (runs.size() - at >= 2 && scan < height) {
        const std::uint8_t count = runs[at];
        const std::uint8_t value = runs[at + 1];
        at += 2;
        if (count > 0) {
            put(count, [four, value](std::int64_t i) {
                return four ? (i % 2 == 0 ? value >> 4 : value & 0xF) : value;
            });
            continue;
        }
        if (value == 0) {
            x = 0;
            ++scan;
        } else if (value == 1) {
            return;
        } else if (value == 2) {
            if (runs.size() - at < 2) {
                return;
            }
            x += runs[at];
            scan += runs[at + 1];
            at += 2;
        } else {
            const std::size_t bytes = four ? (value + 1u) / 2 : value;
            if (runs.size() - at < bytes) {
                return;
            }
            const std::uint8_t* literal = runs.data() + at;
            put(value, [four, literal](std::int64_t i) {
                return four ? (i % 2 == 0 ? literal[i / 2] >> 4 : literal[i / 2] & 0xF)
                            : literal[i];
            });
            // The pad byte may be missing at the very end.
            at = std::min(at + bytes + bytes % 2, runs.size());
        }
    }
}

// The source indexes [first, last) that destination index i of `destination` gathers from
// `source` indexes.
std::pair<std::int64_t, std::int64_t> Gathered(std::int64_t i, std::int64_t source,
                                               std::int64_t destination) {
    const std::int64_t first = i * source / destination;
    const std::int64_t last = std::max((i + 1) * source / destination, first + 1);
    return {first, last};
}

// The source rows [first, last) of `from` ANDed together, one pixel per source column; pixels
// outside the picture are white.
void CombineRows(const PictureRows& in, const PixelArea& from,
                 std::pair<std::int64_t, std::int64_t> rows, std::vector<std::uint32_t>& combined) {
    std::fill(combined.begin(), combined.end(), kRgbMask);
    const std::int64_t firstColumn = std::clamp<std::int64_t>(-std::int64_t{from.x}, 0, from.width);
    const std::int64_t lastColumn =
        std::clamp<std::int64_t>(std::int64_t{in.width()} - from.x, firstColumn, from.width);
    for (std::int64_t sy = rows.first; sy < rows.second; ++sy) {
        const std::int64_t y = from.y + sy;
        if (y < 0 || y >= in.height()) {
            continue;
        }
        const std::uint32_t* source = in.row(static_cast<std::int32_t>(y));
        for (std::int64_t sx = firstColumn; sx < lastColumn; ++sx) {
            combined[static_cast<std::size_t>(sx)] &= source[from.x + sx] & kRgbMask;
        }
    }
}

// Gives `pixels` to `picture`, which lets go of them when it is destroyed.
bool HandOver(std::unique_ptr<posix::PageMemory> pixels, cairo_surface_t* picture) {
    static const cairo_user_data_key_t kKey{};
    // Taken back into a unique_ptr that goes at once, and the memory with it.
    const auto release = [](void* owned) {
        std::unique_ptr<posix::PageMemory>(static_cast<posix::PageMemory*>(owned));
    };
    if (cairo_surface_set_user_data(picture, &kKey, pixels.get(), release) !=
        CAIRO_STATUS_SUCCESS) {
        return false;
    }
    static_cast<void>(pixels.release());
    return true;
}

// An RGB24 picture whose pixels are left as the memory came; null when too large or not made.
CairoSurfaceHandle BlankPicture(std::int32_t width, std::int32_t height, std::size_t hugeFrom,
                                bool faultInAtOnce = true) {
    if (!Fits(width, height)) {
        return nullptr;
    }
    const int stride = cairo_format_stride_for_width(CAIRO_FORMAT_RGB24, width);
    const std::size_t size =
        static_cast<std::size_t>(std::max(stride, 0)) * static_cast<std::size_t>(height);
    if (size >= posix::PageMemory::kAtOnce) {
        auto pixels = std::make_unique<posix::PageMemory>(size, hugeFrom, faultInAtOnce);
        if (pixels->data() != nullptr) {
            CairoSurfaceHandle picture(cairo_image_surface_create_for_data(
                pixels->data(), CAIRO_FORMAT_RGB24, width, height, stride));
            if (cairo_surface_status(picture.get()) == CAIRO_STATUS_SUCCESS &&
                HandOver(std::move(pixels), picture.get())) {
                return picture;
            }
        }
    }
    CairoSurfaceHandle picture(cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, height));
    if (cairo_surface_status(picture.get()) != CAIRO_STATUS_SUCCESS) {
        return nullptr;
    }
    return picture;
}

CairoSurfaceHandle FilledPicture(std::int32_t width, std::int32_t height, std::uint32_t colour,
                                 std::size_t hugeFrom) {
    CairoSurfaceHandle picture = BlankPicture(width, height, hugeFrom);
    if (!picture) {
        return nullptr;
    }
    // The unused top byte of an RGB24 pixel may take any value, so white (and black) fill as
    // bytes, which is several times faster than pixel by pixel for a page's megabytes.
    const std::uint32_t rgb = colour & 0xFFFFFF;
    if (rgb == 0xFFFFFF || rgb == 0) {
        std::memset(cairo_image_surface_get_data(picture.get()), rgb == 0 ? 0 : 0xFF,
                    static_cast<std::size_t>(cairo_image_surface_get_stride(picture.get())) *
                        static_cast<std::size_t>(height));
    } else {
        const PictureRows rows(picture.get());
        for (std::int32_t y = 0; y < height; ++y) {
            std::fill_n(rows.row(y), width, colour);
        }
    }
    cairo_surface_mark_dirty(picture.get());
    return picture;
}

} // namespace

CairoSurfaceHandle NewPicture(std::int32_t width, std::int32_t height, std::uint32_t colour) {
    return FilledPicture(width, height, colour, posix::PageMemory::kWorthIt);
}

CairoSurfaceHandle NewPage(std::int32_t width, std::int32_t height) {
    // Faulted in as its rows are first made white, so that rows never drawn on cost nothing.
    CairoSurfaceHandle page = BlankPicture(width, height, posix::PageMemory::kWorthIt, false);
    if (!page) {
        return nullptr;
    }
    if (!WhiteRows::Attach(page.get())) {
        return NewPicture(width, height, kWhite);
    }
    return page;
}

int ReadDib(cairo_surface_t* picture, std::uint32_t firstLine, std::uint32_t lines,
            std::span<std::uint8_t> bits, DibInfo& info) {
    cairo_surface_flush(picture);
    const PictureRows rows(picture);
    const std::int64_t height = info.height < 0 ? -std::int64_t{info.height} : info.height;
    const bool known = (info.bitCount == 24 || info.bitCount == 32) && info.compression == 0;
    if (!rows.valid() || !known || info.width != rows.width() || height != rows.height() ||
        firstLine >= height) {
        return 0;
    }
    const std::int64_t count = std::min<std::int64_t>(lines, height - firstLine);
    const std::int64_t rowBytes = DibRow(info.width, info.bitCount);
    if (rowBytes * count > static_cast<std::int64_t>(bits.size())) {
        return 0;
    }
    const std::int32_t bytesPerPixel = info.bitCount / 8;
    for (std::int64_t line = 0; line < count; ++line) {
        const std::int64_t scan = firstLine + line;
        // Scan line 0 of a bottom-up DIB is the picture's last row.
        const auto y = static_cast<std::int32_t>(info.height > 0 ? height - 1 - scan : scan);
        std::uint8_t* out = bits.data() + line * rowBytes;
        std::fill_n(out, rowBytes, std::uint8_t{0});
        const std::uint32_t* in = rows.row(y);
        for (std::int32_t x = 0; x < info.width; ++x) {
            std::uint8_t* pixel = out + static_cast<std::ptrdiff_t>(x) * bytesPerPixel;
            pixel[0] = static_cast<std::uint8_t>(in[x]);
            pixel[1] = static_cast<std::uint8_t>(in[x] >> 8);
            pixel[2] = static_cast<std::uint8_t>(in[x] >> 16);
        }
    }
    info.sizeImage = static_cast<std::uint32_t>(rowBytes * height);
    info.clrUsed = 0;
    info.clrImportant = 0;
    info.colours.fill(0);
    return static_cast<int>(count);
}

CairoSurfaceHandle DecodeDib(std::span<const std::uint8_t> bits, const DibInfo& info) {
    const std::int64_t width = info.width;
    const std::int64_t height = info.height < 0 ? -std::int64_t{info.height} : info.height;
    if (!DecodesAs(info) || info.planes != 1 || !Fits(width, height)) {
        return nullptr;
    }
    const bool runs = info.compression == kDibRle8 || info.compression == kDibRle4;
    const std::int64_t rowBytes = DibRow(width, info.bitCount);
    if (!runs && rowBytes * height > static_cast<std::int64_t>(bits.size())) {
        return nullptr;
    }
    // Pixels that runs skip are left black, as in a new screen bitmap that the runs are set into.
    CairoSurfaceHandle picture = NewPicture(static_cast<std::int32_t>(width),
                                            static_cast<std::int32_t>(height), runs ? 0 : kWhite);
    if (!picture) {
        return nullptr;
    }
    cairo_surface_flush(picture.get());
    const PictureRows rows(picture.get());
    if (runs) {
        DecodeRuns(bits, info, rows);
    } else {
        const Fields fields(info);
        for (std::int64_t scan = 0; scan < height; ++scan) {
            const std::uint8_t* in = bits.data() + scan * rowBytes;
            const auto y = static_cast<std::int32_t>(info.height > 0 ? height - 1 - scan : scan);
            std::uint32_t* out = rows.row(y);
            for (std::int32_t x = 0; x < width; ++x) {
                out[x] = info.compression == kDibBitFields ? fields.pixel(in, x, info.bitCount)
                                                           : DibPixel(in, x, info);
            }
        }
    }
    cairo_surface_mark_dirty(picture.get());
    return picture;
}

CairoSurfaceHandle StretchPixels(cairo_surface_t* source, const PixelArea& from, std::int32_t width,
                                 std::int32_t height, const PixelArea& window) {
    if (from.width <= 0 || from.height <= 0 || width <= 0 || height <= 0 || window.x < 0 ||
        window.y < 0 || std::int64_t{window.x} + window.width > width ||
        std::int64_t{window.y} + window.height > height) {
        return nullptr;
    }
    // It lives only while it is drawn: a whole huge page, zeroed, costs less than faulting in
    // a quarter of one in small pages.
    constexpr std::size_t kPassingHugeFrom = std::size_t{256} << 10;
    CairoSurfaceHandle result =
        FilledPicture(window.width, window.height, kWhite, kPassingHugeFrom);
    if (!result) {
        return nullptr;
    }
    cairo_surface_flush(source);
    const PictureRows in(source);
    const PictureRows out(result.get());
    std::vector<std::pair<std::int64_t, std::int64_t>> columns;
    columns.reserve(static_cast<std::size_t>(window.width));
    for (std::int32_t x = 0; x < window.width; ++x) {
        columns.push_back(Gathered(window.x + x, from.width, width));
    }
    std::vector<std::uint32_t> combined(static_cast<std::size_t>(from.width));
    std::pair<std::int64_t, std::int64_t> combinedRows{-1, -1};
    for (std::int32_t y = 0; y < window.height; ++y) {
        std::uint32_t* row = out.row(y);
        const auto rows = Gathered(window.y + y, from.height, height);
        if (rows == combinedRows) {
            // Grown taller, the rows that gather the same source rows are the same.
            std::copy_n(out.row(y - 1), window.width, row);
            continue;
        }
        CombineRows(in, from, rows, combined);
        combinedRows = rows;
        for (std::int32_t x = 0; x < window.width; ++x) {
            const auto [left, right] = columns[static_cast<std::size_t>(x)];
            std::uint32_t colour = kRgbMask;
            for (std::int64_t sx = left; sx < right; ++sx) {
                colour &= combined[static_cast<std::size_t>(sx)];
            }
            row[x] = colour;
        }
    }
    cairo_surface_mark_dirty(result.get());
    return result;
}

} // namespace velk::cairo
