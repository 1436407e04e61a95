#include "render/fonts.h"

#include "platform/settings.h"
#include "base/ansi_text.h"
#include "render/coordinates.h"

namespace velk {

LogFont FontDescription(std::string_view face, std::int16_t style, double size, std::int32_t angle,
                        std::int32_t logPixelsY) {
    const double scaled = -static_cast<double>(logPixelsY) * size;
    const double height = scaled / 72.0;
    LogFont font;
    font.height = DevicePixels(height);
    font.width = 0;
    font.escapement = angle * 10;
    font.orientation = angle * 10;
    font.weight = (style & kStyleBold) != 0 ? 700 : 400;
    font.italic = (style & kStyleItalic) != 0 ? 1 : 0;
    font.underline = (style & kStyleUnderline) != 0 ? 1 : 0;
    font.strikeOut = (style & kStyleStrikeOut) != 0 ? 1 : 0;
    font.charSet = 0;
    font.outPrecision = 0;
    font.clipPrecision = 0;
    font.quality = 2;
    font.pitchAndFamily = 0;
    // The face field is zero-terminated, so a zero byte inside the name ends it there.
    font.faceName = CutAtNul(CutTo(TrimBlanks(face), kFaceNameLimit));
    return font;
}

FontId MakeFont(Surface& surface, std::string_view face, std::int16_t style, double size,
                std::int32_t angle) {
    const int logPixelsY = surface.getDeviceCaps(DeviceCap::LogPixelsY);
    return surface.createFontIndirect(FontDescription(face, style, size, angle, logPixelsY));
}

FontId MakeScreenFont(Surface& surface, ScreenInfo& screen, std::string_view face,
                      std::int16_t style, double size) {
    return surface.createFontIndirect(FontDescription(face, style, size, 0, screen.logPixelsY()));
}

} // namespace velk
