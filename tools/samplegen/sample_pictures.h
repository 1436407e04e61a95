#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace samplegen {

// The company logo: a lamp on a dark band, 96 x 48 pixels, 24 bits per pixel.
std::vector<std::uint8_t> LogoBmp();

// A bar chart of groups of bars, 8 bits per pixel with a small palette: one group per entry of
// `groups`, one bar per value, bar i of every group in colour i. Values are scaled to `top`, in
// integers so that every compiler draws the same pixels.
std::vector<std::uint8_t> BarChartBmp(std::int32_t width, std::int32_t height,
                                      std::span<const std::vector<std::int64_t>> groups,
                                      std::int64_t top);

} // namespace samplegen
