#include "render/cairo/cairo_bitmaps.h"

#include "base/little_endian.h"
#include "platform/posix/page_memory.h"
#include "render/cairo/pixbuf_library.h"

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <vector>

namespace velk::cairo {

namespace {

constexpr std::uint32_t kWhite = 0xFFFFFF;
constexpr std::uint32_t kRgbMask = 0xFFFFFF;

bool Fits(std::int64_t width, std::int64_t height) {
    return width > 0 && height > 0 && width * height <= kLargestBitmapPixels;
}

// Row access to an RGB24 image surface.
class PictureRows {
  public:
    explicit PictureRows(cairo_surface_t* picture)
        : data_(cairo_image_surface_get_data(picture)),
          stride_(cairo_image_surface_get_stride(picture)),
          width_(cairo_image_surface_get_width(picture)),
          height_(cairo_image_surface_get_height(picture)) {}

    std::int32_t width() const { return width_; }
    std::int32_t height() const { return height_; }
    bool valid() const { return data_ != nullptr && width_ > 0 && height_ > 0; }

    std::uint32_t* row(std::int32_t y) const {
        return reinterpret_cast<std::uint32_t*>(data_ + static_cast<std::ptrdiff_t>(y) * stride_);
    }

  private:
    unsigned char* data_;
    int stride_;
    std::int32_t width_;
    std::int32_t height_;
};

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

CairoSurfaceHandle BlankPicture(std::int32_t width, std::int32_t height, std::size_t hugeFrom) {
    const int stride = cairo_format_stride_for_width(CAIRO_FORMAT_RGB24, width);
    const std::size_t size =
        static_cast<std::size_t>(std::max(stride, 0)) * static_cast<std::size_t>(height);
    if (size >= posix::PageMemory::kAtOnce) {
        auto pixels = std::make_unique<posix::PageMemory>(size, hugeFrom);
        if (pixels->data() != nullptr) {
            CairoSurfaceHandle picture(cairo_image_surface_create_for_data(
                pixels->data(), CAIRO_FORMAT_RGB24, width, height, stride));
            if (cairo_surface_status(picture.get()) == CAIRO_STATUS_SUCCESS &&
                HandOver(std::move(pixels), picture.get())) {
                return picture;
            }
        }
    }
    return CairoSurfaceHandle(cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, height));
}

CairoSurfaceHandle FilledPicture(std::int32_t width, std::int32_t height, std::uint32_t colour,
                                 std::size_t hugeFrom) {
    if (!Fits(width, height)) {
        return nullptr;
    }
    CairoSurfaceHandle picture = BlankPicture(width, height, hugeFrom);
    if (cairo_surface_status(picture.get()) != CAIRO_STATUS_SUCCESS) {
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

// An uncompressed .bmp file with a BITMAPINFOHEADER or a later one, which is what print engines
// write; null for any other file. Decoded here it takes a small part of the time that loading
// gdk-pixbuf and the libraries it brings takes.
CairoSurfaceHandle DecodePlainBmp(std::span<const std::uint8_t> file) {
    constexpr std::size_t kFileHeader = 14;
    constexpr std::size_t kInfoHeader = 40;
    if (file.size() < kFileHeader + kInfoHeader || file[0] != 'B' || file[1] != 'M') {
        return nullptr;
    }
    const auto bitsAt = static_cast<std::uint32_t>(ReadInt32(file, 10));
    const auto headerSize = static_cast<std::uint32_t>(ReadInt32(file, 14));
    if (headerSize < kInfoHeader || headerSize > file.size() - kFileHeader ||
        bitsAt > file.size()) {
        return nullptr;
    }
    DibInfo info;
    info.width = ReadInt32(file, 18);
    info.height = ReadInt32(file, 22);
    info.planes = static_cast<std::uint16_t>(ReadInt16(file, 26));
    info.bitCount = static_cast<std::uint16_t>(ReadInt16(file, 28));
    info.compression = static_cast<std::uint32_t>(ReadInt32(file, 30));
    info.clrUsed = static_cast<std::uint32_t>(ReadInt32(file, 46));
    if (info.compression != 0 || info.bitCount == 0) {
        return nullptr;
    }
    if (info.bitCount <= 8) {
        const std::size_t entries =
            info.clrUsed == 0 ? std::size_t{1} << info.bitCount : info.clrUsed;
        const std::size_t tableAt = kFileHeader + headerSize;
        if (entries > info.colours.size() || (file.size() - tableAt) / 4 < entries) {
            return nullptr;
        }
        for (std::size_t i = 0; i < entries; ++i) {
            info.colours[i] = static_cast<std::uint32_t>(ReadInt32(file, tableAt + 4 * i));
        }
    }
    return DecodeDib(file.subspan(bitsAt), info);
}

CairoSurfaceHandle LoadBmpFile(const std::string& path) {
    // A file larger than the largest picture is left to gdk-pixbuf, which refuses it by its
    // size without reading it.
    constexpr std::uintmax_t kLargestPlainFile = kLargestBitmapPixels * 4 + 4096;
    std::error_code sizeError;
    const std::uintmax_t size = std::filesystem::file_size(path, sizeError);
    if (!sizeError && size <= kLargestPlainFile) {
        std::vector<std::uint8_t> file(static_cast<std::size_t>(size));
        std::ifstream in(path, std::ios::binary);
        if (in.read(reinterpret_cast<char*>(file.data()), static_cast<std::streamsize>(size))) {
            if (CairoSurfaceHandle picture = DecodePlainBmp(file)) {
                return picture;
            }
        }
    }
    return PixbufBmpFile(path);
}

CairoSurfaceHandle PixbufBmpFile(const std::string& path) {
    const PixbufLibrary* gdk = Pixbuf();
    if (gdk == nullptr) {
        return nullptr;
    }
    int width = 0;
    int height = 0;
    GdkPixbufFormat* format = gdk->getFileInfo(path.c_str(), &width, &height);
    if (format == nullptr || !Fits(width, height)) {
        return nullptr;
    }
    const auto releaseText = [gdk](gchar* text) { gdk->free(text); };
    const std::unique_ptr<gchar, decltype(releaseText)> name(gdk->formatGetName(format),
                                                             releaseText);
    // LoadImage(IMAGE_BITMAP) reads bitmaps only, whatever else a decoder could read.
    if (!name || std::strcmp(name.get(), "bmp") != 0) {
        return nullptr;
    }
    GError* error = nullptr;
    const auto releasePixbuf = [gdk](GdkPixbuf* pixbuf) { gdk->objectUnref(pixbuf); };
    const std::unique_ptr<GdkPixbuf, decltype(releasePixbuf)> pixbuf(
        gdk->newFromFile(path.c_str(), &error), releasePixbuf);
    if (error != nullptr) {
        gdk->errorFree(error);
    }
    if (!pixbuf || gdk->getBitsPerSample(pixbuf.get()) != 8 ||
        gdk->getNChannels(pixbuf.get()) < 3) {
        return nullptr;
    }
    width = gdk->getWidth(pixbuf.get());
    height = gdk->getHeight(pixbuf.get());
    CairoSurfaceHandle picture = NewPicture(width, height, kWhite);
    if (!picture) {
        return nullptr;
    }
    const int channels = gdk->getNChannels(pixbuf.get());
    const int stride = gdk->getRowstride(pixbuf.get());
    const guchar* pixels = gdk->readPixels(pixbuf.get());
    const PictureRows rows(picture.get());
    cairo_surface_flush(picture.get());
    for (int y = 0; y < height; ++y) {
        const guchar* in = pixels + static_cast<std::ptrdiff_t>(y) * stride;
        std::uint32_t* out = rows.row(y);
        // A fourth channel is ignored: GDI draws 32-bit bitmaps without their alpha.
        for (int x = 0; x < width; ++x, in += channels) {
            out[x] = (static_cast<std::uint32_t>(in[0]) << 16) |
                     (static_cast<std::uint32_t>(in[1]) << 8) | in[2];
        }
    }
    cairo_surface_mark_dirty(picture.get());
    return picture;
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
    const bool known = info.bitCount == 1 || info.bitCount == 4 || info.bitCount == 8 ||
                       info.bitCount == 16 || info.bitCount == 24 || info.bitCount == 32;
    if (!known || info.compression != 0 || info.planes != 1 || !Fits(width, height)) {
        return nullptr;
    }
    const std::int64_t rowBytes = DibRow(width, info.bitCount);
    if (rowBytes * height > static_cast<std::int64_t>(bits.size())) {
        return nullptr;
    }
    CairoSurfaceHandle picture =
        NewPicture(static_cast<std::int32_t>(width), static_cast<std::int32_t>(height), kWhite);
    if (!picture) {
        return nullptr;
    }
    cairo_surface_flush(picture.get());
    const PictureRows rows(picture.get());
    for (std::int64_t scan = 0; scan < height; ++scan) {
        const std::uint8_t* in = bits.data() + scan * rowBytes;
        const auto y = static_cast<std::int32_t>(info.height > 0 ? height - 1 - scan : scan);
        std::uint32_t* out = rows.row(y);
        for (std::int32_t x = 0; x < width; ++x) {
            out[x] = DibPixel(in, x, info);
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
