#include "viewer/zoom.h"

#include "base/ansi_text.h"
#include "document/interface_texts.h"

#include <algorithm>
#include <cmath>

namespace velk {

namespace {

constexpr std::size_t kTypedDigits = 4;

// 100 x room / pixels, to the nearest whole percent. A page with no extent on the screen has
// nothing to fit; it is shown at 100 %.
std::int64_t FitRatio(std::int64_t room, std::int64_t pixels) {
    if (pixels <= 0) {
        return 100;
    }
    return RoundHalfEven(100.0 * static_cast<double>(room) / static_cast<double>(pixels));
}

std::int32_t LimitFit(std::int64_t percentage) {
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(percentage, kLowestFit, kHighestFit));
}

bool SameKeyword(std::string_view text, const std::string& keyword) {
    return UpperCase(TrimBlanks(text)) == UpperCase(TrimBlanks(keyword));
}

} // namespace

std::array<std::string, kZoomBoxItemCount> ZoomBoxItems(const InterfaceTexts& texts) {
    return {CutTo(texts.text(TextSlot::FitWidth), kWindowTextLimit),
            CutTo(texts.text(TextSlot::FitWindow), kWindowTextLimit), "75%", "100%", "125%"};
}

int InitialZoomItem(std::int32_t initialZoom) {
    switch (initialZoom) {
    case 128:
        return 1;
    case 256:
        return 2;
    case 512:
        return 3;
    case 1024:
        return 4;
    default:
        return 0;
    }
}

std::int32_t FitWindowPercentage(const WindowRect& statusBar, const WindowRect& toolbar,
                                 const PagePixels& page) {
    const std::int64_t widthRoom = statusBar.width() - kSideMargins;
    const std::int64_t heightRoom = statusBar.top - toolbar.bottom - kFitWindowVerticalMargins;
    const std::int64_t byHeight = FitRatio(heightRoom, RoundHalfEven(page.height));
    const std::int64_t byWidth = FitRatio(widthRoom, RoundHalfEven(page.width));
    return LimitFit(std::min(byHeight, byWidth));
}

std::int32_t FitWidthPercentage(const WindowRect& statusBar, const PagePixels& page) {
    const std::int64_t widthRoom = statusBar.width() - kSideMargins;
    return LimitFit(FitRatio(widthRoom, RoundHalfEven(page.width)));
}

std::int32_t TypedZoomPercentage(std::string_view text) {
    const double number = std::floor(LenientNumber(text.substr(0, kTypedDigits)));
    if (number == 0) {
        return 100;
    }
    return static_cast<std::int32_t>(std::clamp<double>(number, kLowestZoom, kHighestZoom));
}

ZoomRequest InterpretZoomText(std::string_view text, const InterfaceTexts& texts) {
    if (SameKeyword(text, texts.text(TextSlot::FitWindow))) {
        return {.mode = ZoomMode::FitWindow, .label = texts.text(TextSlot::FitWindow)};
    }
    if (SameKeyword(text, texts.text(TextSlot::FitWidth))) {
        return {.mode = ZoomMode::FitWidth, .label = texts.text(TextSlot::FitWidth)};
    }
    const std::int32_t percentage = TypedZoomPercentage(text);
    return {ZoomMode::Typed, percentage, std::to_string(percentage) + "%"};
}

std::int32_t MagnifierPercentage(double zoom, MouseButton button) {
    // 10 x floor(10 x zoom + 2) or 10 x floor(10 x zoom - 1.5), worked in whole percents: the
    // zoom always is one, while 10 x zoom in binary floating point can fall just below a whole
    // number (10 x 0.7 on an x87 unit), which floor would turn into the step below.
    const std::int64_t percent = RoundHalfEven(zoom * 100.0);
    const std::int64_t scaled = button == MouseButton::Left ? percent + 20 : percent - 15;
    const std::int64_t steps = scaled / 10 - (scaled % 10 < 0 ? 1 : 0);
    return static_cast<std::int32_t>(10 * steps);
}

} // namespace velk
