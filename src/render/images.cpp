#include "render/images.h"

#include "platform/file_system.h"
#include "base/file_names.h"
#include "base/ansi_text.h"
#include "render/page_reader.h"
#include "render/render_state.h"

#include <cmath>
#include <vector>

namespace velk {

namespace {

BitmapBox ReadBox(PageReader& reader) {
    BitmapBox box;
    box.x1 = reader.float32();
    box.y1 = reader.float32();
    box.x2 = reader.float32();
    box.y2 = reader.float32();
    return box;
}

// Deletes the temporary file when the record is done with it, however drawing went.
class TemporaryFile {
  public:
    TemporaryFile(FileSystem& files, std::string path) : files_(files), path_(std::move(path)) {}
    ~TemporaryFile() { files_.deleteFile(path_); }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;
    const std::string& path() const { return path_; }

  private:
    FileSystem& files_;
    std::string path_;
};

void WriteWhole(FileSystem& files, const std::string& path, std::span<const std::uint8_t> data) {
    const auto file = files.openExisting(path, OpenAccess::ReadWriteOrReadOnly);
    if (file && !data.empty()) {
        file->writeAt(0, data);
    }
}

void PrintBitmap(RenderState& state, BitmapId bitmap, const BitmapInfo& info, std::int32_t x,
                 std::int32_t y, std::int32_t w, std::int32_t h) {
    DibInfo header;
    header.width = info.width;
    header.height = info.height;
    header.planes = 1;
    header.bitCount = static_cast<std::uint16_t>(info.bitsPerPixel);
    header.compression = 0;
    const std::int64_t row = DibRowBytes(info.width, info.bitsPerPixel);
    if (row <= 0 || row > kPixelBufferLimit / info.height) {
        return;
    }
    std::vector<std::uint8_t> pixels(static_cast<std::size_t>(row * info.height));
    state.surface.getDIBits(bitmap, 0, static_cast<std::uint32_t>(info.height), pixels, header,
                            kDibRgbColours);
    state.surface.stretchDIBits(x, y, w, h, 0, 0, info.width, info.height, pixels, header,
                                kDibRgbColours, kRopSourceCopy);
}

} // namespace

std::int64_t DibRowBytes(std::int64_t width, std::int64_t bitsPerPixel) {
    return (width * bitsPerPixel + 31) / 32 * 4;
}

void DrawBitmapFile(RenderState& state, const std::string& name, const BitmapBox& box) {
    if (!FileExists(state.services.files, name)) {
        return;
    }
    Surface& surface = state.surface;
    const BitmapId bitmap = surface.loadBitmapFile(name);
    if (!bitmap) {
        return;
    }
    const DeviceMapping& map = state.map;
    const double boxWidth = (static_cast<double>(box.x2) - box.x1) * map.zoom * map.dpiX;
    const double boxHeight = (static_cast<double>(box.y2) - box.y1) * map.zoom * map.dpiY;
    std::int32_t w = DevicePixels(std::fabs(boxWidth));
    std::int32_t h = DevicePixels(std::fabs(boxHeight));
    const std::int32_t x = map.graphicX(box.x1);
    const std::int32_t y = map.graphicY(box.y1);
    const BitmapInfo info = surface.getBitmapInfo(bitmap);
    if (info.width > 0 && info.height > 0) {
        const std::int64_t bw = info.width;
        const std::int64_t bh = info.height;
        // Only the side that would overflow the box shrinks; a box of no height stays empty.
        // The ratios are compared crosswise, exactly, in 64 bits.
        if (bw * h > bh * w) {
            h = DevicePixels(static_cast<double>(bh) * w / static_cast<double>(bw));
        } else {
            w = DevicePixels(static_cast<double>(bw) * h / static_cast<double>(bh));
        }
        if (state.mode == RenderMode::Screen) {
            surface.stretchBlt(x, y, w, h, bitmap, 0, 0, info.width, info.height, kRopSourceCopy);
        } else {
            PrintBitmap(state, bitmap, info, x, y, w, h);
        }
    }
    surface.deleteObject(bitmap);
}

bool BitmapFileRecord(RenderState& state, PageReader& reader) {
    const BitmapBox box = ReadBox(reader);
    const std::string name = reader.text(reader.int16());
    if (!reader.ok()) {
        return false;
    }
    const std::string file = TextBuffer(TrimBlanks(name));
    // Even looking for a file on a server makes the machine sign in to it, and the document,
    // not the reader, chose that server. Only the reader can allow it.
    if (IsNetworkOrDeviceName(file) && !state.services.allowNetworkBitmaps) {
        return true;
    }
    DrawBitmapFile(state, file, box);
    return true;
}

bool EmbeddedBitmapRecord(RenderState& state, PageReader& reader) {
    const BitmapBox box = ReadBox(reader);
    const std::uint32_t length = reader.uint32();
    const auto data = reader.bytes(length);
    if (!reader.ok()) {
        return false;
    }
    FileSystem& files = state.services.files;
    const std::string name = CreateTempFile(files, "~DB", ".bmp");
    if (name.empty()) {
        return true;
    }
    const TemporaryFile temporary(files, name);
    WriteWhole(files, temporary.path(), data);
    DrawBitmapFile(state, temporary.path(), box);
    return true;
}

} // namespace velk
