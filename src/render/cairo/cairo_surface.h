#pragma once

#include "render/surface.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <vector>

namespace velk::cairo {

// A paper's sides in inches, portrait.
struct PaperInches {
    double width = 8.5;
    double height = 11.0;
};

// The paper a DEVMODE paper size code stands for.
using PaperLookup = std::function<PaperInches(std::int32_t paperCode)>;

// A rectangle of device pixels.
struct PixelRect {
    std::int32_t x = 0;
    std::int32_t y = 0;
    std::int32_t width = 0;
    std::int32_t height = 0;
};

// The renderer's surface on Cairo, keeping GDI's rules where Cairo has others: text is placed
// by its cell (top-left unless SetTextAlign says otherwise) and measured in whole pixels from
// the real font; LineTo leaves out its end point; a pen of width 0 or 1 draws one pixel;
// Rectangle covers left..right-1 and top..bottom-1 with the pen centred on that outline;
// bitmaps stretch as GDI's default stretch mode does. Fonts come from fontconfig, so "Arial"
// resolves to a family with the same metrics when the system has one.
//
// Two targets: a raster page (a screen device context: shapes without anti-aliasing, text
// smoothed in grey except at the sizes a font's 'gasp' table keeps black and white, as GDI
// draws them with font smoothing on; or text black and white throughout) and a PDF document (a printer: device pixels at the printer's
// resolution become points, text and lines stay vectors, each page takes the paper and
// orientation of the DEVMODE last given to ResetDC).
class CairoSurface : public SurfaceBackend {
  public:
    // A white page of width x height pixels at dpiX x dpiY; null when it cannot be made.
    static std::unique_ptr<CairoSurface> ForImage(std::int32_t width, std::int32_t height,
                                                  std::int32_t dpiX, std::int32_t dpiY,
                                                  bool smoothText = true);
    // A PDF file at `path`, written as pages are ended and finished by endDoc; check ok()
    // for a file that could not be written.
    static std::unique_ptr<CairoSurface> ForPdf(const std::string& path, std::int32_t dpi,
                                                PaperLookup paper);

    ~CairoSurface() override;
    CairoSurface(const CairoSurface&) = delete;
    CairoSurface& operator=(const CairoSurface&) = delete;

    // False once Cairo has failed (no memory, the file not writable).
    bool ok() const;

    // Row y (0 at the top) of a picture as 0x00RRGGBB pixels, whose top byte may hold
    // anything; no pixels for a row outside the picture.
    using PixelRowReader = std::function<std::span<const std::uint32_t>(std::int32_t y)>;

    // Raster pages: the rows of `from`, stretched to width x height by GDI's default stretch
    // when the sizes differ; pixels outside the page are white. Null for a PDF surface or when
    // the stretched copy cannot be made. The reader and the rows it gives are good while the
    // surface lives and is not drawn on.
    PixelRowReader pixelRows(const PixelRect& from, std::int32_t width, std::int32_t height) const;

    bool createPen(std::uint32_t id, int style, int width, Colour colour) override;
    bool createSolidBrush(std::uint32_t id, Colour colour) override;
    bool createFont(std::uint32_t id, const LogFont& font) override;
    bool loadBitmapFile(std::uint32_t id, const std::string& path) override;
    void selectObject(ObjectKind kind, std::uint32_t id) override;
    void deleteObject(ObjectKind kind, std::uint32_t id) override;
    BitmapInfo bitmapInfo(std::uint32_t bitmap) override;

    void setTextColour(Colour colour) override;
    void setBkMode(int mode) override;
    void setTextAlign(unsigned align) override;
    int deviceCaps(DeviceCap index) override;

    void textOut(std::int32_t x, std::int32_t y, std::string_view text) override;
    void extTextOut(std::int32_t x, std::int32_t y, unsigned options, const DeviceRect* clip,
                    std::string_view text) override;
    bool textExtent(std::string_view text, TextSize& size) override;
    bool textMetrics(TextMetrics& metrics) override;

    void moveTo(std::int32_t x, std::int32_t y) override;
    void lineTo(std::int32_t x, std::int32_t y) override;
    void rectangle(std::int32_t left, std::int32_t top, std::int32_t right,
                   std::int32_t bottom) override;

    void stretchBlt(std::int32_t x, std::int32_t y, std::int32_t w, std::int32_t h,
                    std::uint32_t bitmap, std::int32_t srcX, std::int32_t srcY, std::int32_t srcW,
                    std::int32_t srcH, std::uint32_t rop) override;
    int getDIBits(std::uint32_t bitmap, std::uint32_t firstLine, std::uint32_t lines,
                  std::span<std::uint8_t> bits, DibInfo& info, unsigned usage) override;
    void stretchDIBits(std::int32_t x, std::int32_t y, std::int32_t w, std::int32_t h,
                       std::int32_t srcX, std::int32_t srcY, std::int32_t srcW, std::int32_t srcH,
                       std::span<const std::uint8_t> bits, const DibInfo& info, unsigned usage,
                       std::uint32_t rop) override;

    bool resetDC(std::span<const std::uint8_t> devmode) override;
    int startDoc(const std::string& documentName) override;
    int startPage() override;
    int endPage() override;
    int endDoc() override;

  private:
    struct State;
    explicit CairoSurface(std::unique_ptr<State> state);

    std::unique_ptr<State> s_;
};

// Cairo and fontconfig keep font caches for the whole process. Releasing them once no
// surface is left lets a leak checker see a clean end; surfaces made afterwards fill them
// again.
void ReleaseFontCaches();

} // namespace velk::cairo
