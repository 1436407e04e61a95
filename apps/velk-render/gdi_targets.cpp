// The Windows build: pages drawn by GDI into a device-independent bitmap, files through
// Win32. It writes PNG pages only.
#include "render/gdi/gdi_surface.h"
#include "platform/win32/unique_handle.h"
#include "platform/win32/win32_file_system.h"
#include "platform_targets.h"

#include <windows.h>

#include <io.h>

#include <algorithm>
#include <cstdio>
#include <memory>

namespace velk::cli {

namespace {

// A memory device context holding a 32-bit top-down DIB section, white to begin with.
class DibCanvas {
  public:
    DibCanvas(std::int32_t width, std::int32_t height) : width_(width), height_(height) {
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        dc_.reset(CreateCompatibleDC(nullptr));
        bitmap_.reset(CreateDIBSection(dc_.get(), &info, DIB_RGB_COLORS, &bits_, nullptr, 0));
        if (!dc_ || !bitmap_ || bits_ == nullptr) {
            return;
        }
        previous_ = SelectObject(dc_.get(), bitmap_.get());
        PatBlt(dc_.get(), 0, 0, width, height, WHITENESS);
    }
    // The bitmap is selected out before the members delete it and then the context.
    ~DibCanvas() {
        if (previous_ != nullptr) {
            SelectObject(dc_.get(), previous_);
        }
    }
    DibCanvas(const DibCanvas&) = delete;
    DibCanvas& operator=(const DibCanvas&) = delete;

    bool ok() const { return previous_ != nullptr; }
    HDC dc() const { return dc_.get(); }
    std::int32_t width() const { return width_; }
    std::int32_t height() const { return height_; }

    bool holds(const CopyRect& area) const {
        return area.x >= 0 && area.y >= 0 && std::int64_t{area.x} + area.width <= width_ &&
               std::int64_t{area.y} + area.height <= height_;
    }

    // `count` pixels of row y from column x on; none unless the canvas holds them.
    std::span<const std::uint32_t> row(std::int32_t y, std::int32_t x, std::int32_t count) const {
        if (!holds(CopyRect{x, y, count, 1})) {
            return {};
        }
        const auto* pixels = static_cast<const std::uint32_t*>(bits_) +
                             static_cast<std::size_t>(y) * static_cast<std::size_t>(width_);
        return {pixels + x, static_cast<std::size_t>(count)};
    }

  private:
    std::int32_t width_;
    std::int32_t height_;
    win32::UniqueMemoryDc dc_;
    win32::UniqueBitmap bitmap_;
    void* bits_ = nullptr;
    HGDIOBJ previous_ = nullptr;
};

// GDI itself, except that the memory context reports the resolution being rendered at
// instead of the screen's, so that fonts are sized for it, and that every font is smoothed in
// grey or not at all, whatever the document's fonts and the machine's settings ask: an export
// looks the same on every machine.
class PageContext : public SurfaceBackend {
  public:
    PageContext(SurfaceBackend& gdi, std::int32_t dpiX, std::int32_t dpiY, bool aliasedText)
        : gdi_(gdi), dpiX_(dpiX), dpiY_(dpiY),
          fontQuality_(aliasedText ? NONANTIALIASED_QUALITY : ANTIALIASED_QUALITY) {}

    bool createPen(std::uint32_t id, int style, int width, Colour colour) override {
        return gdi_.createPen(id, style, width, colour);
    }
    bool createSolidBrush(std::uint32_t id, Colour colour) override {
        return gdi_.createSolidBrush(id, colour);
    }
    bool createFont(std::uint32_t id, const LogFont& font) override {
        LogFont smoothed = font;
        smoothed.quality = fontQuality_;
        return gdi_.createFont(id, smoothed);
    }
    bool loadBitmapFile(std::uint32_t id, const std::string& path) override {
        return gdi_.loadBitmapFile(id, path);
    }
    void selectObject(ObjectKind kind, std::uint32_t id) override { gdi_.selectObject(kind, id); }
    void deleteObject(ObjectKind kind, std::uint32_t id) override { gdi_.deleteObject(kind, id); }
    BitmapInfo bitmapInfo(std::uint32_t bitmap) override { return gdi_.bitmapInfo(bitmap); }
    void setTextColour(Colour colour) override { gdi_.setTextColour(colour); }
    void setBkMode(int mode) override { gdi_.setBkMode(mode); }
    void setTextAlign(unsigned align) override { gdi_.setTextAlign(align); }
    int deviceCaps(DeviceCap index) override {
        if (index == DeviceCap::LogPixelsX) {
            return dpiX_;
        }
        if (index == DeviceCap::LogPixelsY) {
            return dpiY_;
        }
        return gdi_.deviceCaps(index);
    }
    void textOut(std::int32_t x, std::int32_t y, std::string_view text) override {
        gdi_.textOut(x, y, text);
    }
    void extTextOut(std::int32_t x, std::int32_t y, unsigned options, const DeviceRect* clip,
                    std::string_view text) override {
        gdi_.extTextOut(x, y, options, clip, text);
    }
    bool textExtent(std::string_view text, TextSize& size) override {
        return gdi_.textExtent(text, size);
    }
    bool textMetrics(TextMetrics& metrics) override { return gdi_.textMetrics(metrics); }
    void moveTo(std::int32_t x, std::int32_t y) override { gdi_.moveTo(x, y); }
    void lineTo(std::int32_t x, std::int32_t y) override { gdi_.lineTo(x, y); }
    void rectangle(std::int32_t left, std::int32_t top, std::int32_t right,
                   std::int32_t bottom) override {
        gdi_.rectangle(left, top, right, bottom);
    }
    void stretchBlt(std::int32_t x, std::int32_t y, std::int32_t w, std::int32_t h,
                    std::uint32_t bitmap, std::int32_t srcX, std::int32_t srcY, std::int32_t srcW,
                    std::int32_t srcH, std::uint32_t rop) override {
        gdi_.stretchBlt(x, y, w, h, bitmap, srcX, srcY, srcW, srcH, rop);
    }
    int getDIBits(std::uint32_t bitmap, std::uint32_t firstLine, std::uint32_t lines,
                  std::span<std::uint8_t> bits, DibInfo& info, unsigned usage) override {
        return gdi_.getDIBits(bitmap, firstLine, lines, bits, info, usage);
    }
    void stretchDIBits(std::int32_t x, std::int32_t y, std::int32_t w, std::int32_t h,
                       std::int32_t srcX, std::int32_t srcY, std::int32_t srcW, std::int32_t srcH,
                       std::span<const std::uint8_t> bits, const DibInfo& info, unsigned usage,
                       std::uint32_t rop) override {
        gdi_.stretchDIBits(x, y, w, h, srcX, srcY, srcW, srcH, bits, info, usage, rop);
    }
    bool resetDC(std::span<const std::uint8_t> devmode) override { return gdi_.resetDC(devmode); }
    int startDoc(const std::string& name) override { return gdi_.startDoc(name); }
    int startPage() override { return gdi_.startPage(); }
    int endPage() override { return gdi_.endPage(); }
    int endDoc() override { return gdi_.endDoc(); }

  private:
    SurfaceBackend& gdi_;
    std::int32_t dpiX_;
    std::int32_t dpiY_;
    std::uint8_t fontQuality_;
};

class GdiRasterPage : public RasterPage {
  public:
    GdiRasterPage(std::int32_t width, std::int32_t height, std::int32_t dpiX, std::int32_t dpiY,
                  bool aliasedText)
        : canvas_(width, height), gdi_(canvas_.dc()), backend_(gdi_, dpiX, dpiY, aliasedText) {}

    bool ok() const { return canvas_.ok(); }
    SurfaceBackend& backend() override { return backend_; }

    RowSource rows(const CopyRect& from, std::int32_t width, std::int32_t height) override {
        GdiFlush();
        if (from.width == width && from.height == height && canvas_.holds(from)) {
            return [this, from](std::int32_t y) {
                return canvas_.row(from.y + y, from.x, from.width);
            };
        }
        // Through StretchBlt in the context's own (default) stretch mode, as the viewer copies.
        // GDI clips the source to the canvas, so what lies off it stays white.
        auto copy = std::make_shared<DibCanvas>(width, height);
        if (!copy->ok()) {
            return nullptr;
        }
        StretchBlt(copy->dc(), 0, 0, width, height, canvas_.dc(), from.x, from.y, from.width,
                   from.height, SRCCOPY);
        GdiFlush();
        return [copy, width](std::int32_t y) { return copy->row(y, 0, width); };
    }

  private:
    DibCanvas canvas_;
    win32::GdiSurface gdi_;
    PageContext backend_;
};

class GdiTargets : public RenderTargets {
  public:
    std::unique_ptr<RasterPage> rasterPage(std::int32_t width, std::int32_t height,
                                           std::int32_t dpiX, std::int32_t dpiY,
                                           bool aliasedText) override {
        auto page = std::make_unique<GdiRasterPage>(width, height, dpiX, dpiY, aliasedText);
        if (!page->ok()) {
            return nullptr;
        }
        return page;
    }
    bool printsPdf() const override { return false; }
    std::unique_ptr<SurfaceBackend> pdfPrinter(const std::string&, std::int32_t) override {
        return nullptr;
    }
};

} // namespace

Platform MakePlatform() {
    Platform platform;
    platform.files = std::make_unique<win32::Win32FileSystem>();
    platform.targets = std::make_unique<GdiTargets>();
    platform.stderrIsTerminal = _isatty(_fileno(stderr)) != 0;
    return platform;
}

} // namespace velk::cli
