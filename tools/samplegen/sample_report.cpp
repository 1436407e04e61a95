#include "samplegen/sample_report.h"

#include "samplegen/sample_figures.h"
#include "samplegen/sample_pages.h"
#include "samplegen/sample_pictures.h"
#include "writer/option_record.h"

namespace samplegen {

namespace {

// Chart scales: the top gridline of each chart, in cents.
constexpr std::int64_t kRegionChartTop = 6000000;
constexpr std::int64_t kSiteChartTop = 24000000;

std::vector<std::uint8_t> RegionChart() {
    std::vector<std::vector<std::int64_t>> groups;
    for (const auto& region : kRegionSales) {
        groups.emplace_back(region.monthCents.begin(), region.monthCents.end());
    }
    return BarChartBmp(320, 200, groups, kRegionChartTop);
}

std::vector<std::uint8_t> SiteChart() {
    std::vector<std::vector<std::int64_t>> groups;
    for (const auto& site : kEuropeanSites) {
        groups.push_back({site.salesCents});
    }
    return BarChartBmp(160, 100, groups, kSiteChartTop);
}

std::vector<vlkw::IndexEntry> ReportIndex() {
    return {
        {1, "Summary"},
        {1, "Key figures"},
        {2, "Sales by region"},
        {2, "Regional notes"},
        {3, "Monthly sales chart"},
        {4, "Product lines"},
        {5, "European operations"},
        {6, "Outlook for the fourth quarter"},
        {6, "Targets"},
        {7, "Contacts"},
    };
}

} // namespace

SampleReport MakeSampleReport() {
    SampleReport report;
    report.chartBmp = RegionChart();
    const std::vector<std::uint8_t> logo = LogoBmp();

    vlkw::DocumentDescription& d = report.document;
    d.title = "Northwind Lamps - Quarterly Sales Report Q3";
    d.allowFax = vlkw::kFaxAllowed;
    d.allowMail = vlkw::kMailAllowed;
    d.allowSave = vlkw::kSaveAllowed;
    d.initialZoom = vlkw::kZoom100;
    d.pages = {
        CoverPage(logo),         RegionPage(),  ChartPage(kChartFileName), ProductPage(),
        EuropePage(SiteChart()), OutlookPage(), ContactsPage(logo),
    };
    d.index = ReportIndex();
    d.mailOptions =
        vlkw::MailOptions(1, 0, "", "", "Sales team;Board of directors",
                          "sales@northwind-lamps.example;board@northwind-lamps.example",
                          "Quarterly sales report, third quarter",
                          "Please find attached the sales report for July to September.");
    d.faxOptions = vlkw::FaxOptions(1, "", "", "Head office;Harbourside warehouse",
                                    "Quarterly sales report, third quarter",
                                    "Seven pages follow this cover sheet.");
    // The two zoom captions are carried as replacement texts in the viewer's own words, so the
    // sample exercises those records without changing what the viewer shows.
    d.replacementTexts[6] = "Fit Window";
    d.replacementTexts[7] = "Fit Width";
    return report;
}

} // namespace samplegen
