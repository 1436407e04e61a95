#include "viewer/dialog_font.h"

#include "render/fonts.h"

namespace velk {

namespace {
constexpr double kDialogFontPoints = 9.0;
} // namespace

LogFont DialogFontDescription(std::int32_t logPixelsY) {
    return FontDescription("MS Sans Serif", 0, kDialogFontPoints, 0, logPixelsY);
}

} // namespace velk
