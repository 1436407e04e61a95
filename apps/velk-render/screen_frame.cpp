#include "screen_frame.h"

#include "base/ansi_text.h"
#include "render/screen_target.h"

#include <algorithm>

namespace velk::cli {

namespace {

std::int32_t Pixels(double value) {
    return static_cast<std::int32_t>(std::max<std::int64_t>(RoundHalfEven(value), 1));
}

} // namespace

ScreenFrame ComputeScreenFrame(const ScreenPageGeometry& page, double zoom,
                               std::int32_t renderOptions) {
    const double pageWidth = static_cast<double>(page.pageWidth) * page.dpiX;
    const double pageHeight = static_cast<double>(page.pageHeight) * page.dpiY;
    ScreenFrame frame;
    frame.width = Pixels(pageWidth * zoom);
    frame.height = Pixels(pageHeight * zoom);
    if (ShrunkOnCopy(renderOptions, zoom)) {
        frame.source = CopyRect{Pixels(1 / zoom), Pixels(1 / zoom), Pixels(frame.width / zoom),
                                Pixels(frame.height / zoom)};
    } else {
        frame.source = CopyRect{1, 1, frame.width, frame.height};
    }
    frame.surfaceWidth = frame.source.x + frame.source.width;
    frame.surfaceHeight = frame.source.y + frame.source.height;
    return frame;
}

} // namespace velk::cli
