#pragma once

#include "writer/bmp_encoder.h"
#include "writer/page_builder.h"

#include <array>
#include <cstdint>

namespace samplegen {

// The report's house colours, as page colours and as bitmap colours, so that the chart legend
// drawn with boxes matches the bars in the chart bitmap.
inline constexpr std::array<vlkw::Colour, 3> kSeriesColours = {{
    {46, 94, 170},  // July
    {240, 160, 40}, // August
    {90, 160, 80},  // September
}};

constexpr std::uint32_t PageColour(const vlkw::Colour& c) {
    return vlkw::Rgb(c.r, c.g, c.b);
}

inline constexpr std::uint32_t kBlack = vlkw::Rgb(0, 0, 0);
inline constexpr std::uint32_t kWhite = vlkw::Rgb(255, 255, 255);
inline constexpr std::uint32_t kNavy = vlkw::Rgb(20, 40, 90);
inline constexpr std::uint32_t kSlate = vlkw::Rgb(90, 100, 115);
inline constexpr std::uint32_t kRule = vlkw::Rgb(160, 165, 175);
inline constexpr std::uint32_t kPaleBlue = vlkw::Rgb(222, 232, 246);
inline constexpr std::uint32_t kPaleGrey = vlkw::Rgb(242, 242, 242);
inline constexpr std::uint32_t kAlert = vlkw::Rgb(190, 30, 45);
inline constexpr std::uint32_t kStampRed = vlkw::Rgb(235, 150, 150);

} // namespace samplegen
