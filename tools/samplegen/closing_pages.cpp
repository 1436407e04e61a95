#include "samplegen/page_frame.h"
#include "samplegen/sample_pages.h"
#include "samplegen/sample_palette.h"

namespace samplegen {

using namespace vlkw;

namespace {

void Bullet(PageBuilder& page, float y) {
    page.box({kMargin + 0.08f, y + 0.07f, kMargin + 0.14f, y + 0.13f}, -1.0f, kNavy, kNavy);
}

} // namespace

PageBytes OutlookPage() {
    const PaperArea area = kLetterArea;
    PageBuilder page = StartPage({}, area, "Outlook");
    AddHeading(page, area, 1.2f, "Outlook for the fourth quarter");

    page.font(0, 11.0f, kBlack, kSerifFace);
    const char* paragraph[] = {
        "The fourth quarter is traditionally our strongest. Orders already booked for October",
        "are eleven per cent above last year, and the holiday catalogue goes to print on time.",
        "We expect the following to shape the quarter:",
    };
    float y = 1.75f;
    for (const char* line : paragraph) {
        page.text(kMargin, y, kAlignLeft, line);
        y += 0.23f;
    }
    // The print engine reserves this record for its own bookkeeping; viewers pass over it.
    page.skip20();

    const char* points[] = {
        "Holiday gift sets of the Aurora desk lamp with two spare shades.",
        "A second production line for Fjord lanterns from mid-October.",
        "Price increase of 3 % on Beacon floor lamps from 1 November.",
        "Year-end stock count on 30 December; no shipments that day.",
    };
    y += 0.15f;
    for (const char* point : points) {
        Bullet(page, y);
        page.text(kMargin + 0.3f, y, kAlignLeft, point);
        y += 0.26f;
    }

    // A quotation set off in a framed panel.
    y += 0.35f;
    page.box({kMargin + 0.5f, y, area.width - kMargin - 0.5f, y + 1.0f}, 0.75f, kWhite, kRule);
    page.font(kItalic, 12.0f, kNavy, kSerifFace);
    page.text(area.width / 2, y + 0.2f, kAlignCentre,
              "\"A lamp is the one piece of furniture that works every evening.\"");
    page.font(0, 9.0f, kSlate, kBodyFace);
    page.text(area.width / 2, y + 0.6f, kAlignCentre, "From the autumn catalogue");

    y += 1.5f;
    page.font(kBold, 11.0f, kBlack, kBodyFace);
    page.text(kMargin, y, kAlignLeft, "Targets");
    page.font(0, 11.0f, kBlack, kBodyFace);
    const struct {
        const char* what;
        const char* value;
    } targets[] = {
        {"Net sales (thousands of dollars)", "590.0"},
        {"Units shipped", "21,500"},
        {"Average margin (%)", "38.5"},
    };
    for (const auto& target : targets) {
        y += 0.27f;
        page.text(kMargin + 0.3f, y, kAlignLeft, target.what);
        page.text(6.0f, y, kAlignDecimal, target.value);
    }
    AddFooter(page, area);
    return page.bytes();
}

PageBytes ContactsPage(std::span<const std::uint8_t> logoBmp) {
    const PaperArea area = kLetterArea;
    PageBuilder page = StartPage({}, area, "Contacts");
    AddHeading(page, area, 1.2f, "Who to ask");

    constexpr float kColumns[] = {0.85f, 2.6f, 5.0f, 6.3f};
    constexpr float kWidths[] = {1.65f, 2.3f, 1.2f, 1.4f};
    page.font(kBold, 10.0f, kNavy, kBodyFace);
    const char* titles[] = {"Name", "Responsible for", "Extension", "Mailbox"};
    for (std::size_t c = 0; c < 4; ++c) {
        page.clipText(kColumns[c], 1.75f, kWidths[c], kAlignLeft, titles[c]);
    }
    const char* people[][4] = {
        {"Ilse Brandvold", "Finance Office, this report", "2210", "finance"},
        {"Tomas Okonkwo-Reyes", "North and South regions", "2318", "sales.north"},
        {"Priya Vandermeer", "East and West regions", "2320", "sales.east"},
        {"Juno Castellanos", "Export and online marketplaces", "2402", "export"},
        {"Wendel Haraldsen", "European operations, Harbourside", "+31 2291", "europe"},
    };
    page.font(0, 10.0f, kBlack, kBodyFace);
    float y = 2.05f;
    for (const auto& person : people) {
        for (std::size_t c = 0; c < 4; ++c) {
            page.clipText(kColumns[c], y, kWidths[c], kAlignLeft, person[c]);
        }
        page.line({kMargin, y + 0.25f, area.width - kMargin, y + 0.25f}, 0.25f, kRule);
        y += 0.3f;
    }

    page.font(0, 10.0f, kBlack, kSerifFace);
    page.text(
        kMargin, y + 0.3f, kAlignLeft,
        "Mailboxes are at northwind-lamps.example; extensions are dialled after the main number.");

    page.embeddedBitmap({area.width / 2 - 0.5f, 7.6f, area.width / 2 + 0.5f, 8.1f}, logoBmp);
    page.font(kBold, 10.0f, kNavy, kBodyFace);
    page.text(area.width / 2, 8.3f, kAlignCentre, "End of report");
    AddFooter(page, area);
    return page.bytes();
}

} // namespace samplegen
