#pragma once

#include "render/surface.h"

#include <functional>
#include <map>
#include <string>
#include <vector>

namespace velk {

class FileSystem;

// A back end that draws nothing and writes one text line per call with its integer arguments,
// in a fixed format that stays the same from build to build, so that traces can be compared
// line by line and kept as golden files.
//
// Queries are answered from simple rules that tests can reason about:
// - device caps from `caps` (LOGPIXELSX/Y 96 unless set, everything else 0);
// - a font's em is its |lfHeight|; a font of height 0 and the device's own font have em 16;
// - a text run is `fixedAdvance` pixels per character wide when that is set, else em / 2
//   (at least 1), and em tall;
// - text metrics: tmHeight em, tmInternalLeading em / 8, tmExternalLeading em / 16,
//   tmAscent em * 4 / 5;
// - a bitmap file loads when the file system holds it with a valid .bmp header, and reports
//   the header's width, |height| and bit count.
class RecordingSurface : public SurfaceBackend {
  public:
    // `files` may be null: then no bitmap loads.
    explicit RecordingSurface(FileSystem* files = nullptr);

    const std::vector<std::string>& lines() const { return lines_; }
    std::string trace() const; // the lines, each ended by "\n"
    void clear() { lines_.clear(); }

    std::map<DeviceCap, int> caps;
    int fixedAdvance = 0;      // 0: derived from the font
    bool failCreates = false;  // every pen, brush, font and bitmap fails to be made
    bool recordQueries = true; // also log extents, metrics and device caps

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
    void add(std::string line) { lines_.push_back(std::move(line)); }
    int selectedEm() const;

    FileSystem* files_;
    std::vector<std::string> lines_;
    std::map<std::uint32_t, LogFont> fonts_;
    std::map<std::uint32_t, BitmapInfo> bitmaps_;
    std::uint32_t selectedFont_ = kDeviceFont.id;
};

// How the trace writes a text: in quotes, with quotes, backslashes and bytes outside
// printable ASCII escaped as \xNN.
std::string TraceText(std::string_view text);

// Width, |height| and bit count from a .bmp file's headers; all zero when the bytes do not
// start like a bitmap file with a known colour depth.
BitmapInfo BmpHeaderInfo(std::span<const std::uint8_t> file);

} // namespace velk
