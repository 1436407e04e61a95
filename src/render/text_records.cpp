#include "render/text_records.h"

#include "document/document.h"
#include "base/ansi_text.h"
#include "base/device_settings.h"
#include "render/fonts.h"
#include "render/page_reader.h"
#include "render/render_state.h"

#include <string>

namespace velk {

namespace {

constexpr std::int16_t kAlignCentre = 1;
constexpr std::int16_t kAlignRight = 2;
constexpr std::int16_t kAlignDecimal = 3;

std::int32_t Extent(Surface& surface, std::string_view text) {
    return surface.getTextExtentPoint32(text).cx;
}

// Right and centre shifts, shared by Text and the numbers.
std::int32_t PlainShift(std::int16_t alignment, std::int32_t width) {
    if (alignment == kAlignRight) {
        return width;
    }
    if (alignment == kAlignCentre) {
        return width / 2;
    }
    return 0;
}

// The separator's right edge goes to x: the shift is the extent of the text up to and
// including the separator, or of the whole text when it has none before its first character.
std::int32_t DecimalShift(Surface& surface, const std::string& text, char separator,
                          std::int32_t width) {
    const auto found = text.find(separator);
    if (found == std::string::npos || found == 0) {
        return width;
    }
    return Extent(surface, TrimBlanks(std::string_view(text).substr(0, found + 1)));
}

// Rotated text and rotated numbers: a font made for this one record from the font state.
void DrawRotated(RenderState& state, float x, float y, std::int16_t angle,
                 const std::string& text) {
    const FontState& font = state.fontState;
    const FontId rotated =
        MakeFont(state.surface, font.faceName, font.style, font.size * state.map.zoom, angle);
    const FontId replaced = state.surface.selectObject(rotated);
    state.surface.setTextColor(font.colour);
    state.surface.textOut(state.map.textX(x), state.map.textY(y), text);
    if (replaced) {
        state.surface.selectObject(replaced);
    }
    state.surface.deleteObject(rotated);
}

bool NumberRecord(RenderState& state, PageReader& reader, std::int64_t number) {
    const float x = reader.float32();
    const float y = reader.float32();
    const std::int16_t alignment = reader.int16();
    const std::int16_t angle = reader.int16();
    if (!reader.ok()) {
        return false;
    }
    const std::string text = std::to_string(number);
    if (angle != 0) {
        DrawRotated(state, x, y, angle, text);
        return true;
    }
    const std::int32_t shift = PlainShift(alignment, Extent(state.surface, text));
    state.surface.textOut(state.map.textX(x, shift), state.map.textY(y), text);
    return true;
}

} // namespace

bool FontRecord(RenderState& state, PageReader& reader) {
    const std::int16_t style = reader.int16();
    const float size = reader.float32();
    const Colour colour = reader.uint32();
    const std::string face = reader.text(reader.int16());
    if (!reader.ok()) {
        return false;
    }
    state.fontState = FontState{TrimBlanks(face), style, size, colour};
    state.surface.selectObject(state.entryFont);
    state.surface.deleteObject(state.currentFont);
    state.currentFont =
        MakeFont(state.surface, state.fontState.faceName, style, size * state.map.zoom, 0);
    state.surface.selectObject(state.currentFont);
    state.surface.setTextColor(colour);
    return true;
}

bool TextRecord(RenderState& state, PageReader& reader) {
    const float x = reader.float32();
    const float y = reader.float32();
    const std::int16_t alignment = reader.int16();
    const std::string raw = reader.text(reader.int16());
    if (!reader.ok()) {
        return false;
    }
    const std::string text = TextBuffer(raw);
    // The width is measured over as many leading characters as the trimmed text has, so
    // leading blanks count and trailing ones do not.
    const std::size_t trimmedLength = TrimBlanks(text).size();
    const std::int32_t width =
        Extent(state.surface, std::string_view(text).substr(0, trimmedLength));
    const std::int32_t shift =
        alignment == kAlignDecimal
            ? DecimalShift(state.surface, text, state.services.settings.decimalSeparator, width)
            : PlainShift(alignment, width);
    state.surface.textOut(state.map.textX(x, shift), state.map.textY(y), text);
    return true;
}

bool AngleTextRecord(RenderState& state, PageReader& reader) {
    const float x = reader.float32();
    const float y = reader.float32();
    const std::int16_t angle = reader.int16();
    const std::string raw = reader.text(reader.int16());
    if (!reader.ok()) {
        return false;
    }
    DrawRotated(state, x, y, angle, TextBuffer(raw));
    return true;
}

bool PageNumberRecord(RenderState& state, PageReader& reader) {
    return NumberRecord(state, reader, state.page);
}

bool PageCountRecord(RenderState& state, PageReader& reader) {
    return NumberRecord(state, reader, state.services.document.pageCount);
}

bool ClipTextRecord(RenderState& state, PageReader& reader) {
    const float x = reader.float32();
    const float y = reader.float32();
    const float width = reader.float32();
    const std::int16_t alignment = reader.int16();
    const std::string raw = reader.text(reader.int16());
    if (!reader.ok()) {
        return false;
    }
    const std::string text = TextBuffer(raw);
    Surface& surface = state.surface;
    const DeviceMapping& map = state.map;
    const TextMetrics metrics = surface.getTextMetrics();
    const std::int64_t lineHeight = static_cast<std::int64_t>(metrics.height) +
                                    metrics.internalLeading + metrics.externalLeading;

    const double left = static_cast<double>(x);
    const double columnWidth = static_cast<double>(width);
    DeviceRect clip;
    if (alignment == kAlignRight) {
        surface.setTextAlign(kTextAlignRight);
        clip.left = map.clipX(left - columnWidth);
    } else if (alignment == kAlignCentre) {
        surface.setTextAlign(kTextAlignCenter);
        clip.left = map.clipX(left - columnWidth * 0.5);
    } else {
        surface.setTextAlign(kTextAlignLeftTop);
        clip.left = map.clipX(left);
    }
    const double span = map.zoom * columnWidth;
    const double spanPixels = span * map.dpiX;
    clip.right = DevicePixels(spanPixels + clip.left);
    clip.top = map.clipY(y);
    // One line of the current font below the reference point.
    clip.bottom = DevicePixels(static_cast<double>(clip.top) + static_cast<double>(lineHeight));
    surface.extTextOut(map.clipX(x), clip.top, kTextOpaque | kTextClipped, &clip, text);
    surface.setTextAlign(kTextAlignLeftTop);
    return true;
}

} // namespace velk
