#pragma once

#include "writer/page_builder.h"

#include <string_view>

namespace samplegen {

// The size of the paper as the page's coordinates see it, in inches (landscape already turned).
struct PaperArea {
    float width = 8.5f;
    float height = 11.0f;
};

inline constexpr PaperArea kLetterArea{8.5f, 11.0f};
inline constexpr PaperArea kLetterLandscapeArea{11.0f, 8.5f};
inline constexpr PaperArea kA4Area{210.0f / 25.4f, 297.0f / 25.4f};

inline constexpr float kMargin = 0.75f;

inline constexpr std::string_view kBodyFace = "Arial";
inline constexpr std::string_view kSerifFace = "Times New Roman";
inline constexpr std::string_view kFixedFace = "Courier New";

// A new page with the report's band across its top: the company name on the left and the
// section's name on the right.
vlkw::PageBuilder StartPage(const vlkw::PageSetup& setup, const PaperArea& area,
                            std::string_view section);

// The rule and footer line at the bottom: the report's name and "Page N of M".
void AddFooter(vlkw::PageBuilder& page, const PaperArea& area);

// A section heading in the body: bold navy text with a thin rule under it.
void AddHeading(vlkw::PageBuilder& page, const PaperArea& area, float y, std::string_view text);

} // namespace samplegen
