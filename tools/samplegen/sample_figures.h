#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace samplegen {

// The made-up figures the sample report shows. Money is held in cents so that every total the
// report prints adds up exactly.

struct RegionSales {
    std::string_view region;
    std::array<std::int64_t, 3> monthCents; // July, August, September
};

inline constexpr std::array<std::string_view, 3> kMonths = {"July", "August", "September"};

inline constexpr std::array<RegionSales, 5> kRegionSales = {{
    {"North", {4821050, 5187725, 5510200}},
    {"South", {3940075, 4112340, 4398810}},
    {"East", {2875500, 2790125, 3102450}},
    {"West", {3310980, 3566015, 3720000}},
    {"Export (overseas distributors and online marketplaces)", {1204335, 1388760, 1697205}},
}};

// Product revenues add up to the regional sales total.
struct ProductLine {
    std::string_view name;
    std::int32_t unitsQ2;
    std::int32_t unitsQ3;
    std::int64_t revenueCents;
    std::int32_t marginTenths; // per mille: 412 = 41.2 %
    std::string_view note;
};

inline constexpr std::array<ProductLine, 6> kProductLines = {{
    {"Aurora desk lamp", 4120, 4655, 14210450, 412,
     "Back-to-school demand; second shift added at the Millbrook plant in August"},
    {"Beacon floor lamp", 1980, 2104, 12005300, 385,
     "New linen shade option accounts for a third of orders"},
    {"Cinder reading light", 3550, 3302, 5120880, 298,
     "Clip-on model discontinued; stock cleared at reduced prices"},
    {"Delta pendant", 880, 1215, 9874500, 447,
     "Contract order from a hotel group in the East region"},
    {"Ember wall sconce", 2310, 2590, 6730240, 356, "Steady; no change to pricing"},
    {"Fjord lantern", 640, 1012, 3684200, 271,
     "Outdoor range launched in July, ahead of plan in every region"},
}};

struct EuropeanSite {
    std::string_view site;
    std::int64_t salesCents; // euro cents
    std::int32_t staff;
};

inline constexpr std::array<EuropeanSite, 4> kEuropeanSites = {{
    {"Distribution centre, Harbourside", 21450075, 38},
    {"Showroom, Old Town", 4380050, 6},
    {"Online shop (continental)", 9811240, 4},
    {"Trade fairs", 1260000, 2},
}};

} // namespace samplegen
