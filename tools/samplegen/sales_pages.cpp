#include "samplegen/number_format.h"
#include "samplegen/page_frame.h"
#include "samplegen/sample_figures.h"
#include "samplegen/sample_pages.h"
#include "samplegen/sample_palette.h"

#include <string>

namespace samplegen {

using namespace vlkw;

namespace {

// Decimal points of the three month columns and the quarter column.
constexpr float kMonthPoints[] = {3.45f, 4.55f, 5.65f};
constexpr float kQuarterPoint = 6.75f;
// Regions are clipped to their column; the share column is right-aligned at its right edge.
constexpr float kRegionLeft = 0.85f;
constexpr float kRegionWidth = 1.65f;
constexpr float kShareRight = 7.65f;
constexpr float kShareWidth = 0.55f;
constexpr float kRowHeight = 0.3f;

std::int64_t Sum(const std::array<std::int64_t, 3>& cents) {
    return cents[0] + cents[1] + cents[2];
}

} // namespace

PageBytes RegionPage() {
    const PaperArea area = kLetterArea;
    PageBuilder page = StartPage({}, area, "Sales by region");
    AddHeading(page, area, 1.2f, "Net sales by region and month (dollars)");

    // Column titles on a shaded band. They are drawn as plain text: clipped text paints its
    // column white and would cut holes into the band.
    const float titles = 1.75f;
    page.box({kMargin, titles - 0.06f, area.width - kMargin, titles + 0.26f}, -1.0f, kPaleBlue,
             kPaleBlue);
    page.font(kBold, 10.0f, kNavy, kBodyFace);
    page.text(kRegionLeft, titles, kAlignLeft, "Region");
    for (std::size_t m = 0; m < kMonths.size(); ++m) {
        page.text(kMonthPoints[m] + 0.15f, titles, kAlignRight, kMonths[m]);
    }
    page.text(kQuarterPoint + 0.15f, titles, kAlignRight, "Quarter");
    page.text(kShareRight, titles, kAlignRight, "Share");

    std::array<std::int64_t, 3> monthTotals{};
    std::int64_t total = 0;
    for (const auto& region : kRegionSales) {
        total += Sum(region.monthCents);
    }

    page.font(0, 10.0f, kBlack, kBodyFace);
    float y = titles + 0.4f;
    for (const auto& region : kRegionSales) {
        page.clipText(kRegionLeft, y, kRegionWidth, kAlignLeft, region.region);
        for (std::size_t m = 0; m < kMonths.size(); ++m) {
            page.text(kMonthPoints[m], y, kAlignDecimal, Money(region.monthCents[m]));
            monthTotals[m] += region.monthCents[m];
        }
        const std::int64_t quarter = Sum(region.monthCents);
        page.text(kQuarterPoint, y, kAlignDecimal, Money(quarter));
        page.clipText(kShareRight, y, kShareWidth, kAlignRight,
                      Tenths((quarter * 1000 + total / 2) / total) + " %");
        page.line({kMargin, y + kRowHeight - 0.05f, area.width - kMargin, y + kRowHeight - 0.05f},
                  0.25f, kRule);
        y += kRowHeight;
    }

    page.line({kMargin, y - 0.02f, area.width - kMargin, y - 0.02f}, 1.5f, kNavy);
    page.font(kBold, 10.0f, kBlack, kBodyFace);
    y += 0.08f;
    page.text(kRegionLeft, y, kAlignLeft, "All regions");
    for (std::size_t m = 0; m < kMonths.size(); ++m) {
        page.text(kMonthPoints[m], y, kAlignDecimal, Money(monthTotals[m]));
    }
    page.text(kQuarterPoint, y, kAlignDecimal, Money(total));
    page.text(kShareRight, y, kAlignRight, "100.0 %");

    AddHeading(page, area, y + 0.7f, "Regional notes");
    page.font(0, 10.0f, kBlack, kSerifFace);
    const char* notes[] = {
        "North: two new garden-centre accounts opened in July; repeat orders in September.",
        "South: Aurora desk lamps sold out twice; the August allocation was raised by 15 %.",
        "East: the delayed Delta shipment arrived on 2 September and was invoiced the same week.",
        "West: flat month on month; the Harbour Street showroom closed for refitting in August.",
        "Export: the long region name above is cut to its column, as every clipped cell is.",
    };
    float line = y + 1.2f;
    for (const char* note : notes) {
        page.box({kMargin + 0.05f, line + 0.06f, kMargin + 0.11f, line + 0.12f}, -1.0f, kNavy,
                 kNavy);
        page.text(kMargin + 0.25f, line, kAlignLeft, note);
        line += 0.24f;
    }
    AddFooter(page, area);
    return page.bytes();
}

PageBytes ChartPage(std::string_view chartFileName) {
    const PaperArea area = kLetterArea;
    PageBuilder page = StartPage({}, area, "Sales chart");
    AddHeading(page, area, 1.2f, "Monthly net sales by region");

    // The chart is a separate file beside the document; the box keeps its 8:5 shape.
    const Corners chart{1.25f, 1.8f, 7.65f, 5.8f};
    page.bitmapFile(chart, chartFileName);
    page.line({chart.x1, chart.y1, chart.x1, chart.y2}, 0.5f, kRule);

    page.font(0, 9.0f, kSlate, kBodyFace);
    page.angleText(0.8f, 4.9f, 90, "Thousands of dollars");
    // Each bar group of the bitmap is 1.2 inches wide at this size; names sit under them.
    float x = 2.08f;
    for (const auto& region : kRegionSales) {
        page.clipText(x, 5.9f, 1.15f, kAlignCentre, region.region);
        x += 1.2f;
    }

    // Legend: one swatch per month in the chart's own colours.
    float legend = 6.5f;
    page.font(0, 10.0f, kBlack, kBodyFace);
    for (std::size_t m = 0; m < kMonths.size(); ++m) {
        page.box({2.0f + 1.6f * static_cast<float>(m), legend, 2.25f + 1.6f * static_cast<float>(m),
                  legend + 0.18f},
                 0.5f, PageColour(kSeriesColours[m]), kBlack);
        page.text(2.35f + 1.6f * static_cast<float>(m), legend, kAlignLeft, kMonths[m]);
    }

    page.font(kItalic, 10.0f, kBlack, kSerifFace);
    page.text(area.width / 2, 7.1f, kAlignCentre,
              "Figure 1. Net sales per region for July, August and September.");
    page.font(0, 9.0f, kSlate, kBodyFace);
    page.text(area.width / 2, 7.4f, kAlignCentre,
              "Gridlines every 15,000 dollars; the export region includes online marketplaces.");
    AddFooter(page, area);
    return page.bytes();
}

} // namespace samplegen
