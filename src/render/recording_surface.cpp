#include "render/recording_surface.h"

#include "platform/file_system.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <limits>

namespace velk {

namespace {

const char* KindName(ObjectKind kind) {
    switch (kind) {
    case ObjectKind::Pen:
        return "pen";
    case ObjectKind::Brush:
        return "brush";
    case ObjectKind::Font:
        return "font";
    case ObjectKind::Bitmap:
        return "bitmap";
    }
    return "object";
}

std::string Hex(std::uint32_t value, int digits) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "0x%0*X", digits, value);
    return buffer;
}

std::string Colour6(Colour colour) {
    return Hex(colour, 6);
}

std::string Made(ObjectKind kind, std::uint32_t id, bool made) {
    if (!made) {
        return " -> none";
    }
    return std::string(" -> ") + KindName(kind) + " " + std::to_string(id);
}

std::string Ints(std::initializer_list<std::int64_t> values) {
    std::string text;
    for (const auto value : values) {
        text += ' ';
        text += std::to_string(value);
    }
    return text;
}

std::uint32_t LittleEndian(std::span<const std::uint8_t> bytes, std::size_t offset,
                           std::size_t width) {
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < width && offset + i < bytes.size(); ++i) {
        value |= static_cast<std::uint32_t>(bytes[offset + i]) << (8 * i);
    }
    return value;
}

constexpr std::int64_t kDeviceFontEm = 16;

std::int32_t Clamped(std::int64_t value) {
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(
        value, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()));
}

} // namespace

std::string TraceText(std::string_view text) {
    std::string out = "\"";
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (byte < 0x20 || byte > 0x7E) {
            char buffer[8];
            std::snprintf(buffer, sizeof buffer, "\\x%02X", byte);
            out += buffer;
        } else {
            out += c;
        }
    }
    out += '"';
    return out;
}

BitmapInfo BmpHeaderInfo(std::span<const std::uint8_t> file) {
    if (file.size() < 26 || file[0] != 'B' || file[1] != 'M') {
        return {};
    }
    const std::uint32_t headerSize = LittleEndian(file, 14, 4);
    BitmapInfo info;
    if (headerSize == 12) {
        info.width = static_cast<std::int32_t>(LittleEndian(file, 18, 2));
        info.height = static_cast<std::int32_t>(LittleEndian(file, 20, 2));
        info.bitsPerPixel = static_cast<std::int32_t>(LittleEndian(file, 24, 2));
    } else if (headerSize >= 40 && file.size() >= 30) {
        info.width = static_cast<std::int32_t>(LittleEndian(file, 18, 4));
        const auto height = static_cast<std::int32_t>(LittleEndian(file, 22, 4));
        info.height = height == std::numeric_limits<std::int32_t>::min()
                          ? 0
                          : (height < 0 ? -height : height);
        info.bitsPerPixel = static_cast<std::int32_t>(LittleEndian(file, 28, 2));
    }
    const bool knownDepth = info.bitsPerPixel == 1 || info.bitsPerPixel == 4 ||
                            info.bitsPerPixel == 8 || info.bitsPerPixel == 16 ||
                            info.bitsPerPixel == 24 || info.bitsPerPixel == 32;
    if (info.width <= 0 || info.height <= 0 || !knownDepth) {
        return {};
    }
    return info;
}

RecordingSurface::RecordingSurface(FileSystem* files) : files_(files) {
    caps[DeviceCap::LogPixelsX] = 96;
    caps[DeviceCap::LogPixelsY] = 96;
}

std::string RecordingSurface::trace() const {
    std::string text;
    for (const auto& line : lines_) {
        text += line;
        text += '\n';
    }
    return text;
}

bool RecordingSurface::createPen(std::uint32_t id, int style, int width, Colour colour) {
    add("CreatePen style=" + std::to_string(style) + " width=" + std::to_string(width) +
        " colour=" + Colour6(colour) + Made(ObjectKind::Pen, id, !failCreates));
    return !failCreates;
}

bool RecordingSurface::createSolidBrush(std::uint32_t id, Colour colour) {
    add("CreateSolidBrush colour=" + Colour6(colour) + Made(ObjectKind::Brush, id, !failCreates));
    return !failCreates;
}

bool RecordingSurface::createFont(std::uint32_t id, const LogFont& f) {
    add("CreateFontIndirect height=" + std::to_string(f.height) +
        " width=" + std::to_string(f.width) + " escapement=" + std::to_string(f.escapement) +
        " orientation=" + std::to_string(f.orientation) + " weight=" + std::to_string(f.weight) +
        " italic=" + std::to_string(f.italic) + " underline=" + std::to_string(f.underline) +
        " strikeout=" + std::to_string(f.strikeOut) + " charset=" + std::to_string(f.charSet) +
        " outprecision=" + std::to_string(f.outPrecision) + " clipprecision=" +
        std::to_string(f.clipPrecision) + " quality=" + std::to_string(f.quality) +
        " pitchandfamily=" + std::to_string(f.pitchAndFamily) + " face=" + TraceText(f.faceName) +
        Made(ObjectKind::Font, id, !failCreates));
    if (failCreates) {
        return false;
    }
    fonts_[id] = f;
    return true;
}

bool RecordingSurface::loadBitmapFile(std::uint32_t id, const std::string& path) {
    BitmapInfo info;
    if (files_ != nullptr && !failCreates) {
        if (const auto file = files_->openExisting(path, OpenAccess::ReadOnly)) {
            std::array<std::uint8_t, 54> header{};
            file->readAt(0, header);
            info = BmpHeaderInfo(header);
        }
    }
    const bool loaded = info.width > 0;
    add("LoadImage " + TraceText(path) + Made(ObjectKind::Bitmap, id, loaded));
    if (loaded) {
        bitmaps_[id] = info;
    }
    return loaded;
}

void RecordingSurface::selectObject(ObjectKind kind, std::uint32_t id) {
    add(std::string("SelectObject ") + KindName(kind) + " " + std::to_string(id));
    if (kind == ObjectKind::Font) {
        selectedFont_ = id;
    }
}

void RecordingSurface::deleteObject(ObjectKind kind, std::uint32_t id) {
    add(std::string("DeleteObject ") + KindName(kind) + " " + std::to_string(id));
    fonts_.erase(id);
    bitmaps_.erase(id);
}

BitmapInfo RecordingSurface::bitmapInfo(std::uint32_t bitmap) {
    const auto it = bitmaps_.find(bitmap);
    const BitmapInfo info = it != bitmaps_.end() ? it->second : BitmapInfo{};
    add("GetObject bitmap " + std::to_string(bitmap) + " -> width=" + std::to_string(info.width) +
        " height=" + std::to_string(info.height) +
        " bitspixel=" + std::to_string(info.bitsPerPixel));
    return info;
}

void RecordingSurface::setTextColour(Colour colour) {
    add("SetTextColor " + Colour6(colour));
}

void RecordingSurface::setBkMode(int mode) {
    add("SetBkMode " + std::to_string(mode));
}

void RecordingSurface::setTextAlign(unsigned align) {
    add("SetTextAlign " + std::to_string(align));
}

int RecordingSurface::deviceCaps(DeviceCap index) {
    const auto it = caps.find(index);
    const int value = it != caps.end() ? it->second : 0;
    if (recordQueries) {
        add("GetDeviceCaps " + std::to_string(static_cast<int>(index)) + " -> " +
            std::to_string(value));
    }
    return value;
}

void RecordingSurface::textOut(std::int32_t x, std::int32_t y, std::string_view text) {
    add("TextOut" + Ints({x, y}) + " " + TraceText(text));
}

void RecordingSurface::extTextOut(std::int32_t x, std::int32_t y, unsigned options,
                                  const DeviceRect* clip, std::string_view text) {
    std::string rect = "none";
    if (clip != nullptr) {
        rect = std::to_string(clip->left) + "," + std::to_string(clip->top) + "," +
               std::to_string(clip->right) + "," + std::to_string(clip->bottom);
    }
    add("ExtTextOut" + Ints({x, y}) + " options=" + std::to_string(options) + " clip=" + rect +
        " " + TraceText(text));
}

int RecordingSurface::selectedEm() const {
    const auto it = fonts_.find(selectedFont_);
    if (it == fonts_.end() || it->second.height == 0) {
        return static_cast<int>(kDeviceFontEm);
    }
    const std::int64_t height = it->second.height;
    return Clamped(height < 0 ? -height : height);
}

bool RecordingSurface::textExtent(std::string_view text, TextSize& size) {
    const std::int64_t em = selectedEm();
    const std::int64_t advance =
        fixedAdvance > 0 ? fixedAdvance : std::max<std::int64_t>(1, em / 2);
    size.cx = Clamped(advance * static_cast<std::int64_t>(text.size()));
    size.cy = Clamped(em);
    if (recordQueries) {
        add("GetTextExtentPoint32 " + TraceText(text) + " ->" + Ints({size.cx, size.cy}));
    }
    return true;
}

bool RecordingSurface::textMetrics(TextMetrics& metrics) {
    const std::int32_t em = selectedEm();
    metrics.height = em;
    metrics.ascent = Clamped(std::int64_t{em} * 4 / 5);
    metrics.descent = em - metrics.ascent;
    metrics.internalLeading = em / 8;
    metrics.externalLeading = em / 16;
    metrics.aveCharWidth = std::max(1, em / 2);
    metrics.maxCharWidth = em;
    if (recordQueries) {
        add("GetTextMetrics -> height=" + std::to_string(metrics.height) +
            " internalleading=" + std::to_string(metrics.internalLeading) +
            " externalleading=" + std::to_string(metrics.externalLeading));
    }
    return true;
}

void RecordingSurface::moveTo(std::int32_t x, std::int32_t y) {
    add("MoveTo" + Ints({x, y}));
}

void RecordingSurface::lineTo(std::int32_t x, std::int32_t y) {
    add("LineTo" + Ints({x, y}));
}

void RecordingSurface::rectangle(std::int32_t left, std::int32_t top, std::int32_t right,
                                 std::int32_t bottom) {
    add("Rectangle" + Ints({left, top, right, bottom}));
}

void RecordingSurface::stretchBlt(std::int32_t x, std::int32_t y, std::int32_t w, std::int32_t h,
                                  std::uint32_t bitmap, std::int32_t srcX, std::int32_t srcY,
                                  std::int32_t srcW, std::int32_t srcH, std::uint32_t rop) {
    add("StretchBlt" + Ints({x, y, w, h}) + " bitmap " + std::to_string(bitmap) +
        Ints({srcX, srcY, srcW, srcH}) + " rop=" + Hex(rop, 8));
}

int RecordingSurface::getDIBits(std::uint32_t bitmap, std::uint32_t firstLine, std::uint32_t lines,
                                std::span<std::uint8_t> bits, DibInfo& info, unsigned usage) {
    add("GetDIBits bitmap " + std::to_string(bitmap) + " first=" + std::to_string(firstLine) +
        " lines=" + std::to_string(lines) + " buffer=" + std::to_string(bits.size()) +
        " header=" + std::to_string(info.size) + "," + std::to_string(info.width) + "," +
        std::to_string(info.height) + "," + std::to_string(info.planes) + "," +
        std::to_string(info.bitCount) + "," + std::to_string(info.compression) +
        " usage=" + std::to_string(usage));
    return static_cast<int>(lines);
}

void RecordingSurface::stretchDIBits(std::int32_t x, std::int32_t y, std::int32_t w, std::int32_t h,
                                     std::int32_t srcX, std::int32_t srcY, std::int32_t srcW,
                                     std::int32_t srcH, std::span<const std::uint8_t> bits,
                                     const DibInfo& info, unsigned usage, std::uint32_t rop) {
    add("StretchDIBits" + Ints({x, y, w, h, srcX, srcY, srcW, srcH}) +
        " buffer=" + std::to_string(bits.size()) + " header=" + std::to_string(info.size) + "," +
        std::to_string(info.width) + "," + std::to_string(info.height) + "," +
        std::to_string(info.planes) + "," + std::to_string(info.bitCount) + "," +
        std::to_string(info.compression) + " usage=" + std::to_string(usage) +
        " rop=" + Hex(rop, 8));
}

bool RecordingSurface::resetDC(std::span<const std::uint8_t> devmode) {
    add("ResetDC bytes=" + std::to_string(devmode.size()) +
        " fields=" + Hex(LittleEndian(devmode, 40, 4), 8) +
        " orientation=" + std::to_string(LittleEndian(devmode, 44, 2)) +
        " papersize=" + std::to_string(LittleEndian(devmode, 46, 2)) +
        " defaultsource=" + std::to_string(LittleEndian(devmode, 56, 2)));
    return true;
}

int RecordingSurface::startDoc(const std::string& documentName) {
    add("StartDoc " + TraceText(documentName));
    return 1;
}

int RecordingSurface::startPage() {
    add("StartPage");
    return 1;
}

int RecordingSurface::endPage() {
    add("EndPage");
    return 1;
}

int RecordingSurface::endDoc() {
    add("EndDoc");
    return 1;
}

} // namespace velk
