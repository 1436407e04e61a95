#include "render/gdi/gdi_surface.h"

#include <algorithm>
#include <climits>
#include <cstring>

namespace velk::win32 {

namespace {

// BITMAPINFO with room for a whole colour table.
struct DibHeader {
    BITMAPINFOHEADER header;
    RGBQUAD colours[256];
};

DibHeader ToGdi(const DibInfo& info) {
    DibHeader dib{};
    dib.header.biSize = static_cast<DWORD>(info.size);
    dib.header.biWidth = info.width;
    dib.header.biHeight = info.height;
    dib.header.biPlanes = info.planes;
    dib.header.biBitCount = info.bitCount;
    dib.header.biCompression = info.compression;
    dib.header.biSizeImage = info.sizeImage;
    dib.header.biXPelsPerMeter = info.xPelsPerMeter;
    dib.header.biYPelsPerMeter = info.yPelsPerMeter;
    dib.header.biClrUsed = info.clrUsed;
    dib.header.biClrImportant = info.clrImportant;
    static_assert(sizeof dib.colours == sizeof info.colours);
    std::memcpy(dib.colours, info.colours.data(), sizeof dib.colours);
    return dib;
}

void FromGdi(const DibHeader& dib, DibInfo& info) {
    info.sizeImage = dib.header.biSizeImage;
    info.clrUsed = dib.header.biClrUsed;
    info.clrImportant = dib.header.biClrImportant;
    std::memcpy(info.colours.data(), dib.colours, sizeof dib.colours);
}

// Bytes a DIB of this header needs for `lines` rows; 0 when the header makes no sense.
std::uint64_t DibBytes(const DibInfo& info, std::uint64_t lines) {
    if (info.width <= 0 || info.bitCount == 0 || info.compression != BI_RGB) {
        return 0;
    }
    const std::uint64_t row =
        (static_cast<std::uint64_t>(info.width) * info.bitCount + 31) / 32 * 4;
    return row * lines;
}

int TextLength(std::string_view text) {
    return static_cast<int>(std::min<std::size_t>(text.size(), INT_MAX));
}

// A memory context whose own bitmap goes back in before it is deleted.
class MemoryContext {
  public:
    explicit MemoryContext(HDC compatibleWith) : dc_(CreateCompatibleDC(compatibleWith)) {}
    ~MemoryContext() {
        if (dc_ != nullptr) {
            if (previous_ != nullptr) {
                SelectObject(dc_, previous_);
            }
            DeleteDC(dc_);
        }
    }
    MemoryContext(const MemoryContext&) = delete;
    MemoryContext& operator=(const MemoryContext&) = delete;

    HDC dc() const { return dc_; }
    void select(HGDIOBJ bitmap) {
        const HGDIOBJ replaced = SelectObject(dc_, bitmap);
        if (previous_ == nullptr) {
            previous_ = replaced;
        }
    }

  private:
    HDC dc_;
    HGDIOBJ previous_ = nullptr;
};

} // namespace

GdiSurface::GdiSurface(HDC dc, HWND screenWindow)
    : dc_(dc), screenWindow_(screenWindow), devicePen_(GetCurrentObject(dc, OBJ_PEN)),
      deviceBrush_(GetCurrentObject(dc, OBJ_BRUSH)), deviceFont_(GetCurrentObject(dc, OBJ_FONT)) {}

GdiSurface::~GdiSurface() {
    SelectObject(dc_, devicePen_);
    SelectObject(dc_, deviceBrush_);
    SelectObject(dc_, deviceFont_);
    for (const auto& [id, handle] : objects_) {
        DeleteObject(handle);
    }
}

HGDIOBJ GdiSurface::object(std::uint32_t id) const {
    if (id == kDevicePen.id) {
        return devicePen_;
    }
    if (id == kDeviceBrush.id) {
        return deviceBrush_;
    }
    if (id == kDeviceFont.id) {
        return deviceFont_;
    }
    const auto it = objects_.find(id);
    return it != objects_.end() ? it->second : nullptr;
}

bool GdiSurface::createPen(std::uint32_t id, int style, int width, Colour colour) {
    const HPEN pen = CreatePen(style, width, colour);
    if (pen == nullptr) {
        return false;
    }
    objects_[id] = pen;
    return true;
}

bool GdiSurface::createSolidBrush(std::uint32_t id, Colour colour) {
    const HBRUSH brush = CreateSolidBrush(colour);
    if (brush == nullptr) {
        return false;
    }
    objects_[id] = brush;
    return true;
}

LOGFONTA ToLogFontA(const LogFont& font) {
    LOGFONTA description{};
    description.lfHeight = font.height;
    description.lfWidth = font.width;
    description.lfEscapement = font.escapement;
    description.lfOrientation = font.orientation;
    description.lfWeight = font.weight;
    description.lfItalic = font.italic;
    description.lfUnderline = font.underline;
    description.lfStrikeOut = font.strikeOut;
    description.lfCharSet = font.charSet;
    description.lfOutPrecision = font.outPrecision;
    description.lfClipPrecision = font.clipPrecision;
    description.lfQuality = font.quality;
    description.lfPitchAndFamily = font.pitchAndFamily;
    const std::size_t length = std::min(font.faceName.size(), sizeof description.lfFaceName - 1);
    std::memcpy(description.lfFaceName, font.faceName.data(), length);
    return description;
}

bool GdiSurface::createFont(std::uint32_t id, const LogFont& font) {
    const LOGFONTA description = ToLogFontA(font);
    const HFONT handle = CreateFontIndirectA(&description);
    if (handle == nullptr) {
        return false;
    }
    objects_[id] = handle;
    return true;
}

bool GdiSurface::loadBitmapFile(std::uint32_t id, const std::string& path) {
    const HANDLE bitmap =
        LoadImageA(nullptr, path.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_VGACOLOR);
    if (bitmap == nullptr) {
        return false;
    }
    objects_[id] = static_cast<HGDIOBJ>(bitmap);
    return true;
}

void GdiSurface::selectObject(ObjectKind, std::uint32_t id) {
    if (const HGDIOBJ handle = object(id)) {
        SelectObject(dc_, handle);
    }
}

void GdiSurface::deleteObject(ObjectKind, std::uint32_t id) {
    const auto it = objects_.find(id);
    if (it != objects_.end()) {
        DeleteObject(it->second);
        objects_.erase(it);
    }
}

BitmapInfo GdiSurface::bitmapInfo(std::uint32_t bitmap) {
    BITMAP description{};
    const HGDIOBJ handle = object(bitmap);
    if (handle == nullptr || GetObjectA(handle, sizeof description, &description) == 0) {
        return {};
    }
    return BitmapInfo{description.bmWidth, description.bmHeight, description.bmBitsPixel};
}

void GdiSurface::setTextColour(Colour colour) {
    SetTextColor(dc_, colour);
}

void GdiSurface::setBkMode(int mode) {
    SetBkMode(dc_, mode);
}

void GdiSurface::setTextAlign(unsigned align) {
    SetTextAlign(dc_, align);
}

int GdiSurface::deviceCaps(DeviceCap index) {
    return GetDeviceCaps(dc_, static_cast<int>(index));
}

void GdiSurface::textOut(std::int32_t x, std::int32_t y, std::string_view text) {
    TextOutA(dc_, x, y, text.data(), TextLength(text));
}

void GdiSurface::extTextOut(std::int32_t x, std::int32_t y, unsigned options,
                            const DeviceRect* clip, std::string_view text) {
    RECT rect{};
    if (clip != nullptr) {
        rect = RECT{clip->left, clip->top, clip->right, clip->bottom};
    }
    ExtTextOutA(dc_, x, y, options, clip != nullptr ? &rect : nullptr, text.data(),
                static_cast<UINT>(TextLength(text)), nullptr);
}

bool GdiSurface::textExtent(std::string_view text, TextSize& size) {
    SIZE extent{};
    if (!GetTextExtentPoint32A(dc_, text.data(), TextLength(text), &extent)) {
        return false;
    }
    size = TextSize{extent.cx, extent.cy};
    return true;
}

bool GdiSurface::textMetrics(TextMetrics& metrics) {
    TEXTMETRICA tm{};
    if (!GetTextMetricsA(dc_, &tm)) {
        return false;
    }
    metrics.height = tm.tmHeight;
    metrics.ascent = tm.tmAscent;
    metrics.descent = tm.tmDescent;
    metrics.internalLeading = tm.tmInternalLeading;
    metrics.externalLeading = tm.tmExternalLeading;
    metrics.aveCharWidth = tm.tmAveCharWidth;
    metrics.maxCharWidth = tm.tmMaxCharWidth;
    return true;
}

void GdiSurface::moveTo(std::int32_t x, std::int32_t y) {
    MoveToEx(dc_, x, y, nullptr);
}

void GdiSurface::lineTo(std::int32_t x, std::int32_t y) {
    LineTo(dc_, x, y);
}

void GdiSurface::rectangle(std::int32_t left, std::int32_t top, std::int32_t right,
                           std::int32_t bottom) {
    Rectangle(dc_, left, top, right, bottom);
}

void GdiSurface::stretchBlt(std::int32_t x, std::int32_t y, std::int32_t w, std::int32_t h,
                            std::uint32_t bitmap, std::int32_t srcX, std::int32_t srcY,
                            std::int32_t srcW, std::int32_t srcH, std::uint32_t rop) {
    const HGDIOBJ handle = object(bitmap);
    if (handle == nullptr) {
        return;
    }
    const HDC windowDc = GetDC(screenWindow_);
    MemoryContext memory(windowDc);
    ReleaseDC(screenWindow_, windowDc);
    if (memory.dc() == nullptr) {
        return;
    }
    memory.select(handle);
    StretchBlt(dc_, x, y, w, h, memory.dc(), srcX, srcY, srcW, srcH, rop);
}

int GdiSurface::getDIBits(std::uint32_t bitmap, std::uint32_t firstLine, std::uint32_t lines,
                          std::span<std::uint8_t> bits, DibInfo& info, unsigned usage) {
    const HGDIOBJ handle = object(bitmap);
    // GDI writes as many rows as asked for; a buffer too small for them is not handed over.
    if (handle == nullptr || DibBytes(info, lines) == 0 || DibBytes(info, lines) > bits.size()) {
        return 0;
    }
    const HDC windowDc = GetDC(screenWindow_);
    MemoryContext memory(windowDc);
    ReleaseDC(screenWindow_, windowDc);
    if (memory.dc() == nullptr) {
        return 0;
    }
    DibHeader dib = ToGdi(info);
    const int read = GetDIBits(memory.dc(), static_cast<HBITMAP>(handle), firstLine, lines,
                               bits.data(), reinterpret_cast<BITMAPINFO*>(&dib), usage);
    FromGdi(dib, info);
    return read;
}

void GdiSurface::stretchDIBits(std::int32_t x, std::int32_t y, std::int32_t w, std::int32_t h,
                               std::int32_t srcX, std::int32_t srcY, std::int32_t srcW,
                               std::int32_t srcH, std::span<const std::uint8_t> bits,
                               const DibInfo& info, unsigned usage, std::uint32_t rop) {
    const std::uint64_t rows = info.height < 0 ? 0 - static_cast<std::uint64_t>(info.height)
                                               : static_cast<std::uint64_t>(info.height);
    if (DibBytes(info, rows) == 0 || DibBytes(info, rows) > bits.size()) {
        return;
    }
    const DibHeader dib = ToGdi(info);
    StretchDIBits(dc_, x, y, w, h, srcX, srcY, srcW, srcH, bits.data(),
                  reinterpret_cast<const BITMAPINFO*>(&dib), usage, rop);
}

bool GdiSurface::resetDC(std::span<const std::uint8_t> devmode) {
    // GDI reads dmSize + dmDriverExtra bytes; a buffer that does not hold them is refused.
    if (devmode.size() < sizeof(DEVMODEA)) {
        return false;
    }
    DEVMODEA head{};
    std::memcpy(&head, devmode.data(), sizeof head);
    if (static_cast<std::size_t>(head.dmSize) + head.dmDriverExtra > devmode.size()) {
        return false;
    }
    return ResetDCA(dc_, reinterpret_cast<const DEVMODEA*>(devmode.data())) != nullptr;
}

int GdiSurface::startDoc(const std::string& documentName) {
    DOCINFOA info{};
    info.cbSize = sizeof info;
    info.lpszDocName = documentName.c_str();
    return StartDocA(dc_, &info);
}

int GdiSurface::startPage() {
    return StartPage(dc_);
}

int GdiSurface::endPage() {
    return EndPage(dc_);
}

int GdiSurface::endDoc() {
    return EndDoc(dc_);
}

} // namespace velk::win32
