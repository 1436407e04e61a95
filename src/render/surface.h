#pragma once

// The drawing surface the page renderer draws on, in GDI's model: pens, brushes, fonts and
// bitmaps are objects that are created, selected (select returns the one it replaced) and
// deleted; text is placed at the top-left of its cell unless SetTextAlign says otherwise;
// LineTo leaves out its end point; all positions and widths are device pixels and colours
// are COLORREF values 0x00BBGGRR.
//
// Two layers:
//   SurfaceBackend - the narrow virtual interface each back end implements (GDI, Cairo,
//                    recording). It does what it is told and keeps no bookkeeping.
//   Surface        - the non-virtual front the renderer calls. It hands out object ids,
//                    knows which pen, brush and font are selected and which objects are
//                    alive, refuses calls on dead or foreign ids, and on destruction selects
//                    the device's own objects back and deletes whatever is still alive.
//
// No native handle appears here: objects are small ids chosen by the front layer.

#include <array>
#include <compare>
#include <cstdint>
#include <map>
#include <span>
#include <string>
#include <string_view>

namespace velk {

using Colour = std::uint32_t; // COLORREF: 0x00BBGGRR

enum class ObjectKind : std::uint8_t { Pen, Brush, Font, Bitmap };

// An object of kind K on one surface; id 0 is "no object" (a failed create or select).
template <ObjectKind K> struct SurfaceObject {
    std::uint32_t id = 0;
    explicit operator bool() const { return id != 0; }
    auto operator<=>(const SurfaceObject&) const = default;
};

using PenId = SurfaceObject<ObjectKind::Pen>;
using BrushId = SurfaceObject<ObjectKind::Brush>;
using FontId = SurfaceObject<ObjectKind::Font>;
using BitmapId = SurfaceObject<ObjectKind::Bitmap>;

// The pen, brush and font the device had selected when the surface was made. They are never
// created or deleted through the surface, only selected back.
inline constexpr PenId kDevicePen{1};
inline constexpr BrushId kDeviceBrush{2};
inline constexpr FontId kDeviceFont{3};
inline constexpr std::uint32_t kFirstObjectId = 4;

// GDI's numbers, so that the GDI back end passes them through unchanged.
inline constexpr int kPenSolid = 0;              // PS_SOLID
inline constexpr int kBkTransparent = 1;         // TRANSPARENT
inline constexpr int kBkOpaque = 2;              // OPAQUE (the device's initial mode)
inline constexpr unsigned kTextAlignLeftTop = 0; // TA_LEFT | TA_TOP
inline constexpr unsigned kTextAlignRight = 2;   // TA_RIGHT
inline constexpr unsigned kTextAlignCenter = 6;  // TA_CENTER
inline constexpr unsigned kTextOpaque = 2;       // ETO_OPAQUE: fill the rectangle with the
                                                 // background colour (white unless set)
inline constexpr unsigned kTextClipped = 4;      // ETO_CLIPPED
inline constexpr std::uint32_t kRopSourceCopy = 0x00CC0020; // SRCCOPY
inline constexpr unsigned kDibRgbColours = 0;               // DIB_RGB_COLORS

// GetDeviceCaps indexes.
enum class DeviceCap : int {
    HorzRes = 8,
    VertRes = 10,
    LogPixelsX = 88,
    LogPixelsY = 90,
    PhysicalWidth = 110,
    PhysicalHeight = 111,
    PhysicalOffsetX = 112,
    PhysicalOffsetY = 113,
};

// LOGFONTA, every field the renderer fills.
struct LogFont {
    std::int32_t height = 0; // negative: character height; positive: cell height
    std::int32_t width = 0;
    std::int32_t escapement = 0;  // tenths of a degree, counter-clockwise
    std::int32_t orientation = 0; // tenths of a degree
    std::int32_t weight = 400;    // 400 normal, 700 bold
    std::uint8_t italic = 0;
    std::uint8_t underline = 0;
    std::uint8_t strikeOut = 0;
    std::uint8_t charSet = 0; // ANSI_CHARSET
    std::uint8_t outPrecision = 0;
    std::uint8_t clipPrecision = 0;
    std::uint8_t quality = 2; // PROOF_QUALITY
    std::uint8_t pitchAndFamily = 0;
    std::string faceName; // at most 31 characters
    bool operator==(const LogFont&) const = default;
};

// TEXTMETRICA, the fields a renderer may ask for; all zero when the query fails.
struct TextMetrics {
    std::int32_t height = 0;
    std::int32_t ascent = 0;
    std::int32_t descent = 0;
    std::int32_t internalLeading = 0;
    std::int32_t externalLeading = 0;
    std::int32_t aveCharWidth = 0;
    std::int32_t maxCharWidth = 0;
};

struct TextSize {
    std::int32_t cx = 0;
    std::int32_t cy = 0;
};

struct DeviceRect {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t right = 0;
    std::int32_t bottom = 0;
};

// BITMAP as GetObject reports it; all zero when the bitmap is unknown.
struct BitmapInfo {
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::int32_t bitsPerPixel = 0;
};

// BITMAPINFOHEADER followed by room for a 256-entry colour table (RGBQUAD as 0x00RRGGBB).
struct DibInfo {
    std::int32_t size = 40;
    std::int32_t width = 0;
    std::int32_t height = 0; // positive: rows bottom-up
    std::uint16_t planes = 1;
    std::uint16_t bitCount = 0;
    std::uint32_t compression = 0; // BI_RGB
    std::uint32_t sizeImage = 0;
    std::int32_t xPelsPerMeter = 0;
    std::int32_t yPelsPerMeter = 0;
    std::uint32_t clrUsed = 0;
    std::uint32_t clrImportant = 0;
    std::array<std::uint32_t, 256> colours{};
};

// What a back end implements. Ids come from the front layer and are unique for the life of
// the surface; the back end maps them to its own objects. Calls arrive only for ids the back
// end created (or the three device ids), so a back end needs no checks of its own.
class SurfaceBackend {
  public:
    virtual ~SurfaceBackend() = default;

    // Objects. A create returns false when the object could not be made.
    virtual bool createPen(std::uint32_t id, int style, int width, Colour colour) = 0;
    virtual bool createSolidBrush(std::uint32_t id, Colour colour) = 0;
    virtual bool createFont(std::uint32_t id, const LogFont& font) = 0;
    // LoadImage(IMAGE_BITMAP, LR_LOADFROMFILE | LR_VGACOLOR) of a .bmp file.
    virtual bool loadBitmapFile(std::uint32_t id, const std::string& path) = 0;
    virtual void selectObject(ObjectKind kind, std::uint32_t id) = 0;
    virtual void deleteObject(ObjectKind kind, std::uint32_t id) = 0;
    virtual BitmapInfo bitmapInfo(std::uint32_t bitmap) = 0;

    // State.
    virtual void setTextColour(Colour colour) = 0;
    virtual void setBkMode(int mode) = 0;
    virtual void setTextAlign(unsigned align) = 0;
    virtual int deviceCaps(DeviceCap index) = 0;

    // Text, with the selected font, text colour, background mode and alignment.
    virtual void textOut(std::int32_t x, std::int32_t y, std::string_view text) = 0;
    virtual void extTextOut(std::int32_t x, std::int32_t y, unsigned options,
                            const DeviceRect* clip, std::string_view text) = 0;
    virtual bool textExtent(std::string_view text, TextSize& size) = 0;
    virtual bool textMetrics(TextMetrics& metrics) = 0;

    // Lines and shapes, with the selected pen and brush.
    virtual void moveTo(std::int32_t x, std::int32_t y) = 0;
    virtual void lineTo(std::int32_t x, std::int32_t y) = 0; // end point not painted
    virtual void rectangle(std::int32_t left, std::int32_t top, std::int32_t right,
                           std::int32_t bottom) = 0;

    // Bitmaps. stretchBlt copies the bitmap through a memory context compatible with the
    // screen; getDIBits reads it as a device-independent bitmap in the format `info` asks
    // for (filling the colour table) and returns the number of lines read.
    virtual void stretchBlt(std::int32_t x, std::int32_t y, std::int32_t w, std::int32_t h,
                            std::uint32_t bitmap, std::int32_t srcX, std::int32_t srcY,
                            std::int32_t srcW, std::int32_t srcH, std::uint32_t rop) = 0;
    virtual int getDIBits(std::uint32_t bitmap, std::uint32_t firstLine, std::uint32_t lines,
                          std::span<std::uint8_t> bits, DibInfo& info, unsigned usage) = 0;
    virtual void stretchDIBits(std::int32_t x, std::int32_t y, std::int32_t w, std::int32_t h,
                               std::int32_t srcX, std::int32_t srcY, std::int32_t srcW,
                               std::int32_t srcH, std::span<const std::uint8_t> bits,
                               const DibInfo& info, unsigned usage, std::uint32_t rop) = 0;

    // Printer pages. resetDC takes a whole DEVMODEA as bytes.
    virtual bool resetDC(std::span<const std::uint8_t> devmode) = 0;
    virtual int startDoc(const std::string& documentName) = 0;
    virtual int startPage() = 0;
    virtual int endPage() = 0;
    virtual int endDoc() = 0;
};

// What the renderer calls. Not copyable; the back end must outlive it.
class Surface {
  public:
    explicit Surface(SurfaceBackend& backend) : backend_(backend) {}
    ~Surface();
    Surface(const Surface&) = delete;
    Surface& operator=(const Surface&) = delete;

    // Creates return the null id when the back end could not make the object.
    PenId createPen(int style, int width, Colour colour);
    BrushId createSolidBrush(Colour colour);
    FontId createFontIndirect(const LogFont& font);
    BitmapId loadBitmapFile(const std::string& path);

    // Selects an object and returns the one of its kind it replaced; the null id (and no
    // change) when `object` is null, deleted or not of this surface.
    PenId selectObject(PenId pen);
    BrushId selectObject(BrushId brush);
    FontId selectObject(FontId font);

    // False (and nothing deleted) for the null id, a device object, an unknown id or an
    // object that is still selected.
    bool deleteObject(PenId pen);
    bool deleteObject(BrushId brush);
    bool deleteObject(FontId font);
    bool deleteObject(BitmapId bitmap);

    BitmapInfo getBitmapInfo(BitmapId bitmap);

    // Each returns the previous value.
    Colour setTextColor(Colour colour);
    int setBkMode(int mode);
    unsigned setTextAlign(unsigned align);
    int getDeviceCaps(DeviceCap index) { return backend_.deviceCaps(index); }

    void textOut(std::int32_t x, std::int32_t y, std::string_view text) {
        backend_.textOut(x, y, text);
    }
    void extTextOut(std::int32_t x, std::int32_t y, unsigned options, const DeviceRect* clip,
                    std::string_view text) {
        backend_.extTextOut(x, y, options, clip, text);
    }
    // Advance width and height of a run; zero when no extent can be had.
    TextSize getTextExtentPoint32(std::string_view text);
    TextMetrics getTextMetrics();

    void moveTo(std::int32_t x, std::int32_t y) { backend_.moveTo(x, y); }
    void lineTo(std::int32_t x, std::int32_t y) { backend_.lineTo(x, y); }
    void rectangle(std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom) {
        backend_.rectangle(left, top, right, bottom);
    }

    // False for an unknown bitmap.
    bool stretchBlt(std::int32_t x, std::int32_t y, std::int32_t w, std::int32_t h, BitmapId bitmap,
                    std::int32_t srcX, std::int32_t srcY, std::int32_t srcW, std::int32_t srcH,
                    std::uint32_t rop);
    // 0 for an unknown bitmap.
    int getDIBits(BitmapId bitmap, std::uint32_t firstLine, std::uint32_t lines,
                  std::span<std::uint8_t> bits, DibInfo& info, unsigned usage);
    void stretchDIBits(std::int32_t x, std::int32_t y, std::int32_t w, std::int32_t h,
                       std::int32_t srcX, std::int32_t srcY, std::int32_t srcW, std::int32_t srcH,
                       std::span<const std::uint8_t> bits, const DibInfo& info, unsigned usage,
                       std::uint32_t rop) {
        backend_.stretchDIBits(x, y, w, h, srcX, srcY, srcW, srcH, bits, info, usage, rop);
    }

    bool resetDC(std::span<const std::uint8_t> devmode) { return backend_.resetDC(devmode); }
    int startDoc(const std::string& documentName) { return backend_.startDoc(documentName); }
    int startPage() { return backend_.startPage(); }
    int endPage() { return backend_.endPage(); }
    int endDoc() { return backend_.endDoc(); }

    // Bookkeeping, for callers that check their own clean-up.
    std::size_t liveObjects() const { return live_.size(); }
    PenId selectedPen() const { return selectedPen_; }
    BrushId selectedBrush() const { return selectedBrush_; }
    FontId selectedFont() const { return selectedFont_; }

  private:
    std::uint32_t created(ObjectKind kind, bool made);
    bool selectable(ObjectKind kind, std::uint32_t id) const;
    bool deletable(ObjectKind kind, std::uint32_t id) const;
    bool remove(ObjectKind kind, std::uint32_t id);

    SurfaceBackend& backend_;
    std::map<std::uint32_t, ObjectKind> live_;
    std::uint32_t nextId_ = kFirstObjectId;
    PenId selectedPen_ = kDevicePen;
    BrushId selectedBrush_ = kDeviceBrush;
    FontId selectedFont_ = kDeviceFont;
    Colour textColour_ = 0;
    int bkMode_ = kBkOpaque;
    unsigned textAlign_ = kTextAlignLeftTop;
};

} // namespace velk
