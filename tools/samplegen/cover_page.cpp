#include "samplegen/number_format.h"
#include "samplegen/page_frame.h"
#include "samplegen/sample_figures.h"
#include "samplegen/sample_pages.h"
#include "samplegen/sample_palette.h"

namespace samplegen {

using namespace vlkw;

namespace {

std::int64_t QuarterCents() {
    std::int64_t total = 0;
    for (const auto& region : kRegionSales) {
        for (const auto cents : region.monthCents) {
            total += cents;
        }
    }
    return total;
}

std::int64_t UnitsQ3() {
    std::int64_t units = 0;
    for (const auto& line : kProductLines) {
        units += line.unitsQ3;
    }
    return units;
}

// Revenue-weighted margin of the product lines, in tenths of a per cent.
std::int64_t AverageMarginTenths() {
    std::int64_t weighted = 0;
    std::int64_t revenue = 0;
    for (const auto& line : kProductLines) {
        weighted += line.revenueCents * line.marginTenths;
        revenue += line.revenueCents;
    }
    return weighted / revenue;
}

// Q2 net sales, against which the quarter's change is reported.
constexpr std::int64_t kPreviousQuarterCents = 48540210;

} // namespace

PageBytes CoverPage(std::span<const std::uint8_t> logoBmp) {
    const PaperArea area = kLetterArea;
    PageBuilder page = StartPage({}, area, "Summary");
    page.embeddedBitmap({kMargin, 1.3f, kMargin + 2.0f, 2.3f}, logoBmp);

    page.font(kBold, 28.0f, kNavy, kSerifFace);
    page.text(kMargin, 2.6f, kAlignLeft, "Quarterly Sales Report");
    page.font(kItalic, 14.0f, kSlate, kBodyFace);
    page.text(kMargin, 3.15f, kAlignLeft, "Third quarter: July to September");

    // Key figures in a shaded panel; the values line up on their decimal points.
    page.box({kMargin, 3.8f, area.width - kMargin, 5.75f}, 1.0f, kPaleBlue, kNavy);
    page.font(kBold, 12.0f, kNavy, kBodyFace);
    page.text(kMargin + 0.25f, 3.95f, kAlignLeft, "Key figures");
    page.font(0, 11.0f, kBlack, kBodyFace);
    const std::int64_t quarter = QuarterCents();
    const std::int64_t changeTenths =
        (quarter - kPreviousQuarterCents) * 1000 / kPreviousQuarterCents;
    const struct {
        const char* label;
        std::string value;
    } figures[] = {
        {"Net sales (dollars)", Money(quarter)},
        {"Units shipped", Grouped(UnitsQ3())},
        {"Change against the second quarter (%)", Tenths(changeTenths, true)},
        {"Average margin (%)", Tenths(AverageMarginTenths())},
        {"Open orders at quarter end (dollars)", Money(4210990)},
    };
    float y = 4.4f;
    for (const auto& figure : figures) {
        page.text(kMargin + 0.25f, y, kAlignLeft, figure.label);
        page.text(6.4f, y, kAlignDecimal, figure.value);
        y += 0.25f;
    }

    page.font(0, 10.5f, kBlack, kSerifFace);
    const char* summary[] = {
        "Sales rose in every month of the quarter. The North and South regions carried most of",
        "the growth, helped by strong back-to-school demand for the Aurora desk lamp, while the",
        "new Fjord outdoor range sold ahead of plan from its first week. Export sales grew by",
        "more than forty per cent against July, mostly through online marketplaces.",
        "",
        "The East region recovered in September after a weak August, when a shipment of Delta",
        "pendants for a hotel contract was delayed at the port. Margins held steady overall.",
    };
    y = 6.15f;
    for (const char* line : summary) {
        page.text(kMargin, y, kAlignLeft, line);
        y += 0.22f;
    }

    page.font(kUnderline, 10.0f, kAlert, kBodyFace);
    page.text(area.width / 2, 8.3f, kAlignCentre, "Confidential: for internal use only");
    page.font(kItalic, 9.0f, kSlate, kBodyFace);
    page.text(area.width / 2, 8.6f, kAlignCentre,
              "Prepared by the Finance Office, Northwind Lamps, Millbrook");
    AddFooter(page, area);
    return page.bytes();
}

} // namespace samplegen
