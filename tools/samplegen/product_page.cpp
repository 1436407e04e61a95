#include "samplegen/number_format.h"
#include "samplegen/page_frame.h"
#include "samplegen/sample_figures.h"
#include "samplegen/sample_pages.h"
#include "samplegen/sample_palette.h"

namespace samplegen {

using namespace vlkw;

PageBytes ProductPage() {
    const PaperArea area = kLetterLandscapeArea;
    PageBuilder page = StartPage({kPaperLetter, kLandscape, kBinAuto, {}}, area, "Product lines");
    AddHeading(page, area, 1.2f, "Product lines in the third quarter");

    constexpr float kNameLeft = 0.85f;
    constexpr float kNameWidth = 1.9f;
    constexpr float kUnitsQ2Right = 3.55f;
    constexpr float kUnitsQ3Right = 4.45f;
    constexpr float kChangePoint = 5.15f;
    constexpr float kRevenuePoint = 6.55f;
    constexpr float kMarginPoint = 7.3f;
    constexpr float kNoteLeft = 7.75f;
    constexpr float kNoteWidth = 2.45f;

    const float titles = 1.75f;
    page.box({kMargin, titles - 0.06f, area.width - kMargin, titles + 0.26f}, -1.0f, kPaleBlue,
             kPaleBlue);
    page.font(kBold, 10.0f, kNavy, kBodyFace);
    page.text(kNameLeft, titles, kAlignLeft, "Product line");
    page.text(kUnitsQ2Right, titles, kAlignRight, "Units Q2");
    page.text(kUnitsQ3Right, titles, kAlignRight, "Units Q3");
    page.text(kChangePoint + 0.2f, titles, kAlignRight, "Change %");
    page.text(kRevenuePoint + 0.2f, titles, kAlignRight, "Revenue");
    page.text(kMarginPoint + 0.2f, titles, kAlignRight, "Margin %");
    page.text(kNoteLeft, titles, kAlignLeft, "Remarks");

    page.font(0, 10.0f, kBlack, kBodyFace);
    float y = titles + 0.4f;
    for (const auto& line : kProductLines) {
        const std::int64_t changeTenths =
            (static_cast<std::int64_t>(line.unitsQ3) - line.unitsQ2) * 1000 / line.unitsQ2;
        page.clipText(kNameLeft, y, kNameWidth, kAlignLeft, line.name);
        page.text(kUnitsQ2Right, y, kAlignRight, Grouped(line.unitsQ2));
        page.text(kUnitsQ3Right, y, kAlignRight, Grouped(line.unitsQ3));
        page.text(kChangePoint, y, kAlignDecimal, Tenths(changeTenths, true));
        page.text(kRevenuePoint, y, kAlignDecimal, Money(line.revenueCents));
        page.text(kMarginPoint, y, kAlignDecimal, Tenths(line.marginTenths));
        page.clipText(kNoteLeft, y, kNoteWidth, kAlignLeft, line.note);
        page.line({kMargin, y + 0.25f, area.width - kMargin, y + 0.25f}, 0.25f, kRule);
        y += 0.3f;
    }

    page.font(0, 9.0f, kSlate, kBodyFace);
    page.text(kMargin, y + 0.2f, kAlignLeft,
              "Remarks are cut to their column; the full texts are in the product managers' "
              "monthly letters.");

    // A rubber stamp across the empty lower part of the sheet.
    page.font(kBold, 40.0f, kStampRed, kBodyFace);
    page.angleText(6.2f, 7.3f, 12, "PRELIMINARY");

    // The sheet number once more, running up the right-hand edge for binders.
    page.font(0, 8.0f, kSlate, kBodyFace);
    page.angleText(area.width - 0.35f, 5.2f, 90, "Sheet");
    page.pageNumber(area.width - 0.35f, 4.75f, kAlignLeft, 90);
    AddFooter(page, area);
    return page.bytes();
}

} // namespace samplegen
