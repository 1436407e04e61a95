#include "samplegen/sample_pictures.h"

#include "samplegen/sample_palette.h"
#include "writer/bmp_encoder.h"

#include <algorithm>
#include <cstdlib>

namespace samplegen {

namespace {

constexpr std::int32_t kGlowRadius2 = 400;

std::uint8_t Blend(std::uint8_t from, std::uint8_t to, std::int32_t weight) {
    return static_cast<std::uint8_t>(from + (to - from) * weight / kGlowRadius2);
}

} // namespace

std::vector<std::uint8_t> LogoBmp() {
    constexpr std::int32_t kWidth = 96;
    constexpr std::int32_t kHeight = 48;
    const vlkw::Colour band{20, 40, 90};
    const vlkw::Colour glow{255, 214, 90};
    const vlkw::Colour shade{240, 240, 232};
    const vlkw::Colour stand{70, 70, 70};

    vlkw::RgbImage image{kWidth, kHeight, {}};
    for (std::int32_t y = 0; y < kHeight; ++y) {
        for (std::int32_t x = 0; x < kWidth; ++x) {
            vlkw::Colour c = band;
            // A soft glow around the bulb, fading with the squared distance from it. Integer
            // arithmetic keeps the picture identical from every compiler.
            const std::int32_t dx = x - 30;
            const std::int32_t dy = y - 22;
            const std::int32_t distance2 = dx * dx + dy * dy;
            if (distance2 < kGlowRadius2) {
                const std::int32_t weight = kGlowRadius2 - distance2;
                c = {Blend(band.r, glow.r, weight), Blend(band.g, glow.g, weight),
                     Blend(band.b, glow.b, weight)};
            }
            // A trapezoid shade over the bulb.
            const std::int32_t halfWidth = 6 + (y - 6) / 2;
            if (y >= 6 && y < 20 && std::abs(x - 30) <= halfWidth) {
                c = shade;
            }
            // The stand and its foot.
            if ((y >= 20 && y < 38 && x >= 29 && x <= 31) ||
                (y >= 38 && y < 41 && std::abs(x - 30) <= 9)) {
                c = stand;
            }
            // Three light stripes to the right stand in for the company name.
            if (x >= 56 && x < 88 &&
                (y == 16 || y == 17 || y == 24 || y == 25 || y == 32 || y == 33)) {
                c = shade;
            }
            image.pixels.push_back(c);
        }
    }
    return vlkw::EncodeBmp24(image);
}

std::vector<std::uint8_t> BarChartBmp(std::int32_t width, std::int32_t height,
                                      std::span<const std::vector<std::int64_t>> groups,
                                      std::int64_t top) {
    vlkw::IndexedImage image{width, height, {}, {}};
    image.palette.push_back({255, 255, 255}); // 0 background
    image.palette.push_back({0, 0, 0});       // 1 axes
    image.palette.push_back({210, 210, 210}); // 2 grid
    for (const vlkw::Colour c : kSeriesColours) {
        image.palette.push_back(c); // 3.. bars
    }
    image.pixels.assign(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), 0);
    auto set = [&](std::int32_t x, std::int32_t y, std::uint8_t index) {
        if (x >= 0 && x < width && y >= 0 && y < height) {
            image.pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
                         static_cast<std::size_t>(x)] = index;
        }
    };

    const std::int32_t left = 12;
    const std::int32_t bottom = height - 10;
    const std::int32_t plotHeight = bottom - 8;
    for (int line = 1; line <= 4; ++line) {
        const std::int32_t y = bottom - plotHeight * line / 4;
        for (std::int32_t x = left; x < width - 4; ++x) {
            set(x, y, 2);
        }
    }
    const auto groupCount = static_cast<std::int32_t>(groups.size());
    const std::int32_t groupWidth = (width - left - 8) / std::max(groupCount, 1);
    for (std::int32_t g = 0; g < groupCount; ++g) {
        const auto& values = groups[static_cast<std::size_t>(g)];
        const auto barCount = static_cast<std::int32_t>(values.size());
        const std::int32_t barWidth = (groupWidth - 8) / std::max(barCount, 1);
        for (std::int32_t b = 0; b < barCount; ++b) {
            const std::int64_t value =
                std::clamp<std::int64_t>(values[static_cast<std::size_t>(b)], 0, top);
            const auto barHeight = static_cast<std::int32_t>((value * plotHeight + top / 2) / top);
            const std::int32_t x0 = left + 4 + g * groupWidth + b * barWidth;
            const auto colour =
                static_cast<std::uint8_t>(3 + b % static_cast<std::int32_t>(kSeriesColours.size()));
            for (std::int32_t x = x0; x < x0 + barWidth - 1; ++x) {
                for (std::int32_t y = bottom - barHeight; y < bottom; ++y) {
                    set(x, y, colour);
                }
            }
        }
    }
    for (std::int32_t x = left; x < width - 4; ++x) {
        set(x, bottom, 1);
    }
    for (std::int32_t y = 4; y <= bottom; ++y) {
        set(left, y, 1);
    }
    return vlkw::EncodeBmp8(image);
}

} // namespace samplegen
