#pragma once

#include "render/surface.h"

#include <windows.h>

#include <map>

namespace velk::win32 {

// The system's font description for a surface font.
LOGFONTA ToLogFontA(const LogFont& font);

// The renderer's surface on a real device context: every call goes straight to GDI. The
// device context stays the caller's; the objects made through the surface belong to it and
// any still alive when it ends are deleted then (after the device's own are selected back).
// Bitmaps are copied through a memory context compatible with `screenWindow`'s device context
// (the screen's when it is null).
class GdiSurface : public SurfaceBackend {
  public:
    explicit GdiSurface(HDC dc, HWND screenWindow = nullptr);
    ~GdiSurface() override;
    GdiSurface(const GdiSurface&) = delete;
    GdiSurface& operator=(const GdiSurface&) = delete;

    HDC dc() const { return dc_; }

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
    HGDIOBJ object(std::uint32_t id) const;

    HDC dc_;
    HWND screenWindow_;
    HGDIOBJ devicePen_;
    HGDIOBJ deviceBrush_;
    HGDIOBJ deviceFont_;
    std::map<std::uint32_t, HGDIOBJ> objects_;
};

} // namespace velk::win32
