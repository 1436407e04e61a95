#include "samplegen/number_format.h"
#include "samplegen/page_frame.h"
#include "samplegen/sample_figures.h"
#include "samplegen/sample_pages.h"
#include "samplegen/sample_palette.h"

#include <string>

namespace samplegen {

using namespace vlkw;

PageBytes EuropePage(std::span<const std::uint8_t> siteChartBmp) {
    // The continental office prints on its own paper.
    const PaperArea area = kA4Area;
    PageBuilder page = StartPage({kPaperA4, kPortrait, kBinAuto, {}}, area, "European operations");
    AddHeading(page, area, 1.2f, "European operations (euros)");

    page.font(0, 11.0f, kBlack, kSerifFace);
    const char* intro[] = {
        "The continental business is run from the Harbourside distribution centre, which also",
        "supplies the Old Town showroom and the online shop. Figures on this page are in euros",
        "and are not included in the regional totals, which count only dollar invoicing.",
    };
    float y = 1.75f;
    for (const char* line : intro) {
        page.text(kMargin, y, kAlignLeft, line);
        y += 0.23f;
    }

    // A fixed-pitch listing, as the continental ledger prints it.
    y += 0.25f;
    page.font(kBold, 10.0f, kBlack, kFixedFace);
    page.text(kMargin, y, kAlignLeft, "Site");
    page.text(5.2f, y, kAlignRight, "Staff");
    page.text(6.9f, y, kAlignRight, "Sales");
    page.line({kMargin, y + 0.22f, area.width - kMargin, y + 0.22f}, 0.5f, kBlack);
    page.font(0, 10.0f, kBlack, kFixedFace);
    std::int64_t total = 0;
    std::int32_t staff = 0;
    for (const auto& site : kEuropeanSites) {
        y += 0.27f;
        page.text(kMargin, y, kAlignLeft, site.site);
        page.text(5.2f, y, kAlignRight, std::to_string(site.staff));
        page.text(6.55f, y, kAlignDecimal, Money(site.salesCents));
        total += site.salesCents;
        staff += site.staff;
    }
    page.line({kMargin, y + 0.24f, area.width - kMargin, y + 0.24f}, 0.5f, kBlack);
    y += 0.32f;
    page.font(kBold, 10.0f, kBlack, kFixedFace);
    page.text(kMargin, y, kAlignLeft, "Total");
    page.text(5.2f, y, kAlignRight, std::to_string(staff));
    page.text(6.55f, y, kAlignDecimal, Money(total));

    // The forecast was revised during the quarter; the old figure stays visible, struck out.
    y += 0.55f;
    page.font(0, 10.0f, kSlate, kBodyFace);
    page.text(kMargin, y, kAlignLeft, "Forecast for the fourth quarter:");
    page.font(kStrikeout, 10.0f, kSlate, kBodyFace);
    page.text(6.55f, y, kAlignDecimal, Money(36500000));
    y += 0.25f;
    page.font(kBold | kItalic, 10.0f, kAlert, kBodyFace);
    page.text(kMargin, y, kAlignLeft, "Revised in September:");
    page.text(6.55f, y, kAlignDecimal, Money(39250000));

    // Sales per site as a small embedded chart, one bar per site in one colour.
    y += 0.6f;
    page.embeddedBitmap({kMargin, y, kMargin + 3.2f, y + 2.0f}, siteChartBmp);
    page.font(kItalic, 9.0f, kSlate, kBodyFace);
    page.text(kMargin, y + 2.1f, kAlignLeft,
              "Figure 2. Sales per site, in the order of the table.");

    page.font(0, 8.0f, kSlate, kBodyFace);
    page.text(area.width - kMargin, area.height - 1.2f, kAlignRight,
              "Printed on A4 paper by the continental office.");
    AddFooter(page, area);
    return page.bytes();
}

} // namespace samplegen
