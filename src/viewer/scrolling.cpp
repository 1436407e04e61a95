#include "viewer/scrolling.h"

#include "base/ansi_text.h"

#include <algorithm>

namespace velk {

namespace {

constexpr std::int32_t kLineStep = 3;
constexpr std::int32_t kPageStep = 15;

std::int32_t Rounded(double value) {
    return static_cast<std::int32_t>(RoundHalfEven(value));
}

std::int32_t LimitPosition(std::int64_t position) {
    return static_cast<std::int32_t>(
        std::clamp<std::int64_t>(position, kScrollMinimum, kScrollMaximum));
}

// The new position along one direction; `size` is the rounded zoomed page size there.
std::int32_t Recentred(std::int32_t position, std::int32_t size, std::int32_t areaSize,
                       std::int32_t click) {
    if (size <= 0) {
        return 0;
    }
    const std::int32_t offset = Rounded(position / 100.0 * (size - areaSize));
    return LimitPosition(Rounded((offset + click) * 100.0 / size));
}

} // namespace

std::int32_t ScrolledPosition(std::int32_t position, int request, std::int32_t thumbPosition) {
    std::int64_t next = position;
    switch (request) {
    case kScrollLineUp:
        next -= kLineStep;
        break;
    case kScrollLineDown:
        next += kLineStep;
        break;
    case kScrollPageUp:
        next -= kPageStep;
        break;
    case kScrollPageDown:
        next += kPageStep;
        break;
    case kScrollThumbPosition:
        next = thumbPosition;
        break;
    default:
        break;
    }
    return LimitPosition(next);
}

PageCopy ComputePageCopy(const CopyInput& input) {
    const double areaWidth = input.pageArea.width();
    const double areaHeight = input.pageArea.height();
    const double zoomedWidth = input.page.width * input.zoom;
    const double zoomedHeight = input.page.height * input.zoom;

    PageCopy copy;
    copy.destWidth = Rounded(std::min(zoomedWidth, areaWidth));
    copy.destHeight = Rounded(std::min(zoomedHeight, areaHeight));
    copy.sourceX = 1;
    copy.sourceY = 1;
    if (input.hScrollNeeded || input.vScrollNeeded) {
        const std::int32_t overflowX = Rounded(zoomedWidth - areaWidth);
        copy.sourceX =
            Rounded(overflowX * static_cast<double>(input.horizontalPosition) / 100.0 + 1);
        const std::int32_t overflowY = Rounded(zoomedHeight - areaHeight);
        copy.sourceY = Rounded(overflowY * static_cast<double>(input.verticalPosition) / 100.0 + 1);
    }
    if (input.fullSizeRendering && input.zoom < 1.0 && input.zoom > 0.0) {
        // The surface holds the page at 100 %: take the zoomed rectangle's full-size original.
        copy.stretch = true;
        copy.sourceWidth = Rounded(copy.destWidth / input.zoom);
        copy.sourceHeight = Rounded(copy.destHeight / input.zoom);
        copy.sourceX = Rounded(copy.sourceX / input.zoom);
        copy.sourceY = Rounded(copy.sourceY / input.zoom);
    }
    return copy;
}

ScrollPositions RecentredScrollPositions(const RecentreInput& input) {
    const std::int32_t zoomedWidth = Rounded(input.page.width * input.zoom);
    const std::int32_t zoomedHeight = Rounded(input.page.height * input.zoom);
    ScrollPositions next;
    if (input.hScrollNeeded) {
        next.horizontal =
            Recentred(input.current.horizontal, zoomedWidth, input.pageArea.width(), input.x);
    }
    if (input.vScrollNeeded) {
        next.vertical =
            Recentred(input.current.vertical, zoomedHeight, input.pageArea.height(), input.y);
    }
    return next;
}

} // namespace velk
