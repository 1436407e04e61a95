#include "samplegen/page_frame.h"

#include "samplegen/sample_palette.h"

namespace samplegen {

using vlkw::kAlignCentre;
using vlkw::kAlignLeft;
using vlkw::kAlignRight;
using vlkw::kBold;

vlkw::PageBuilder StartPage(const vlkw::PageSetup& setup, const PaperArea& area,
                            std::string_view section) {
    vlkw::PageBuilder page(setup);
    const float right = area.width - kMargin;
    page.box({kMargin, 0.45f, right, 0.95f}, -1.0f, kNavy, kNavy);
    page.font(kBold, 14.0f, kWhite, kBodyFace);
    page.text(kMargin + 0.15f, 0.56f, kAlignLeft, "NORTHWIND LAMPS");
    page.font(0, 11.0f, kWhite, kBodyFace);
    page.text(right - 0.15f, 0.6f, kAlignRight, section);
    return page;
}

void AddFooter(vlkw::PageBuilder& page, const PaperArea& area) {
    const float right = area.width - kMargin;
    const float rule = area.height - 0.8f;
    page.line({kMargin, rule, right, rule}, 0.5f, kRule);
    page.font(0, 8.0f, kSlate, kBodyFace);
    page.text(kMargin, rule + 0.1f, kAlignLeft, "Quarterly Sales Report - Third Quarter");
    // "Page N of M" from four records, so each number comes from the viewer.
    page.text(right - 0.55f, rule + 0.1f, kAlignRight, "Page");
    page.pageNumber(right - 0.43f, rule + 0.1f, kAlignCentre);
    page.text(right - 0.25f, rule + 0.1f, kAlignCentre, "of");
    page.pageCount(right, rule + 0.1f, kAlignRight);
}

void AddHeading(vlkw::PageBuilder& page, const PaperArea& area, float y, std::string_view text) {
    page.font(kBold, 13.0f, kNavy, kBodyFace);
    page.text(kMargin, y, kAlignLeft, text);
    page.line({kMargin, y + 0.28f, area.width - kMargin, y + 0.28f}, 0.75f, kNavy);
}

} // namespace samplegen
