#include "render/surface.h"

#include <vector>

namespace velk {

namespace {

constexpr std::uint32_t DeviceId(ObjectKind kind) {
    switch (kind) {
    case ObjectKind::Pen:
        return kDevicePen.id;
    case ObjectKind::Brush:
        return kDeviceBrush.id;
    case ObjectKind::Font:
        return kDeviceFont.id;
    case ObjectKind::Bitmap:
        break;
    }
    return 0;
}

} // namespace

Surface::~Surface() {
    // Whatever a caller left behind is put right here, so that no back end ever has to free
    // an object that is still selected.
    if (selectedPen_ != kDevicePen) {
        selectObject(kDevicePen);
    }
    if (selectedBrush_ != kDeviceBrush) {
        selectObject(kDeviceBrush);
    }
    if (selectedFont_ != kDeviceFont) {
        selectObject(kDeviceFont);
    }
    std::vector<std::pair<std::uint32_t, ObjectKind>> left(live_.begin(), live_.end());
    for (const auto& [id, kind] : left) {
        remove(kind, id);
    }
}

std::uint32_t Surface::created(ObjectKind kind, bool made) {
    const std::uint32_t id = nextId_++;
    if (!made) {
        return 0;
    }
    live_.emplace(id, kind);
    return id;
}

PenId Surface::createPen(int style, int width, Colour colour) {
    const std::uint32_t id = nextId_;
    return PenId{created(ObjectKind::Pen, backend_.createPen(id, style, width, colour))};
}

BrushId Surface::createSolidBrush(Colour colour) {
    const std::uint32_t id = nextId_;
    return BrushId{created(ObjectKind::Brush, backend_.createSolidBrush(id, colour))};
}

FontId Surface::createFontIndirect(const LogFont& font) {
    const std::uint32_t id = nextId_;
    return FontId{created(ObjectKind::Font, backend_.createFont(id, font))};
}

BitmapId Surface::loadBitmapFile(const std::string& path) {
    const std::uint32_t id = nextId_;
    return BitmapId{created(ObjectKind::Bitmap, backend_.loadBitmapFile(id, path))};
}

bool Surface::selectable(ObjectKind kind, std::uint32_t id) const {
    if (id != 0 && id == DeviceId(kind)) {
        return true;
    }
    const auto it = live_.find(id);
    return it != live_.end() && it->second == kind;
}

PenId Surface::selectObject(PenId pen) {
    if (!selectable(ObjectKind::Pen, pen.id)) {
        return {};
    }
    backend_.selectObject(ObjectKind::Pen, pen.id);
    const PenId previous = selectedPen_;
    selectedPen_ = pen;
    return previous;
}

BrushId Surface::selectObject(BrushId brush) {
    if (!selectable(ObjectKind::Brush, brush.id)) {
        return {};
    }
    backend_.selectObject(ObjectKind::Brush, brush.id);
    const BrushId previous = selectedBrush_;
    selectedBrush_ = brush;
    return previous;
}

FontId Surface::selectObject(FontId font) {
    if (!selectable(ObjectKind::Font, font.id)) {
        return {};
    }
    backend_.selectObject(ObjectKind::Font, font.id);
    const FontId previous = selectedFont_;
    selectedFont_ = font;
    return previous;
}

bool Surface::deletable(ObjectKind kind, std::uint32_t id) const {
    const auto it = live_.find(id);
    if (it == live_.end() || it->second != kind) {
        return false;
    }
    // GDI leaves a selected object in place; refusing here keeps every back end consistent.
    return id != selectedPen_.id && id != selectedBrush_.id && id != selectedFont_.id;
}

bool Surface::remove(ObjectKind kind, std::uint32_t id) {
    if (!deletable(kind, id)) {
        return false;
    }
    backend_.deleteObject(kind, id);
    live_.erase(id);
    return true;
}

bool Surface::deleteObject(PenId pen) {
    return remove(ObjectKind::Pen, pen.id);
}
bool Surface::deleteObject(BrushId brush) {
    return remove(ObjectKind::Brush, brush.id);
}
bool Surface::deleteObject(FontId font) {
    return remove(ObjectKind::Font, font.id);
}
bool Surface::deleteObject(BitmapId bitmap) {
    return remove(ObjectKind::Bitmap, bitmap.id);
}

BitmapInfo Surface::getBitmapInfo(BitmapId bitmap) {
    if (!selectable(ObjectKind::Bitmap, bitmap.id)) {
        return {};
    }
    return backend_.bitmapInfo(bitmap.id);
}

Colour Surface::setTextColor(Colour colour) {
    backend_.setTextColour(colour);
    const Colour previous = textColour_;
    textColour_ = colour;
    return previous;
}

int Surface::setBkMode(int mode) {
    backend_.setBkMode(mode);
    const int previous = bkMode_;
    bkMode_ = mode;
    return previous;
}

unsigned Surface::setTextAlign(unsigned align) {
    backend_.setTextAlign(align);
    const unsigned previous = textAlign_;
    textAlign_ = align;
    return previous;
}

TextSize Surface::getTextExtentPoint32(std::string_view text) {
    TextSize size;
    if (!backend_.textExtent(text, size)) {
        return {};
    }
    return size;
}

TextMetrics Surface::getTextMetrics() {
    TextMetrics metrics;
    if (!backend_.textMetrics(metrics)) {
        return {};
    }
    return metrics;
}

bool Surface::stretchBlt(std::int32_t x, std::int32_t y, std::int32_t w, std::int32_t h,
                         BitmapId bitmap, std::int32_t srcX, std::int32_t srcY, std::int32_t srcW,
                         std::int32_t srcH, std::uint32_t rop) {
    if (!selectable(ObjectKind::Bitmap, bitmap.id)) {
        return false;
    }
    backend_.stretchBlt(x, y, w, h, bitmap.id, srcX, srcY, srcW, srcH, rop);
    return true;
}

int Surface::getDIBits(BitmapId bitmap, std::uint32_t firstLine, std::uint32_t lines,
                       std::span<std::uint8_t> bits, DibInfo& info, unsigned usage) {
    if (!selectable(ObjectKind::Bitmap, bitmap.id)) {
        return 0;
    }
    return backend_.getDIBits(bitmap.id, firstLine, lines, bits, info, usage);
}

} // namespace velk
