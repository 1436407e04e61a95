#pragma once

#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

namespace samplegen {

using PageBytes = std::vector<std::uint8_t>;

// The seven pages of the sample report, in order.
PageBytes CoverPage(std::span<const std::uint8_t> logoBmp);
PageBytes RegionPage();
PageBytes ChartPage(std::string_view chartFileName);
PageBytes ProductPage();                                          // Letter, landscape
PageBytes EuropePage(std::span<const std::uint8_t> siteChartBmp); // A4
PageBytes OutlookPage();
PageBytes ContactsPage(std::span<const std::uint8_t> logoBmp);

inline constexpr std::int32_t kSamplePageCount = 7;

} // namespace samplegen
