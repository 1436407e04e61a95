// velk-render's command line: options, page lists and the names of the files it writes.
#include "output_names.h"
#include "page_ranges.h"
#include "render_options.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace velk::cli {
namespace {

TEST(VelkRenderOptions, ValuesComeAfterTheOptionOrAfterAnEqualsSign) {
    // A name starting with a dash is the document after the end of options.
    const ParsedOptions parsed =
        ParseOptions({"--dpi", "150", "--zoom=75", "--pages", "2-3,5", "--password=s3cret word",
                      "--out-dir", "pages", "--decimal", ",", "--allow-network-bitmaps",
                      "--aliased-text", "--", "-odd name.vlk"});
    ASSERT_EQ(parsed.error, "");
    const RenderOptions& o = parsed.options;
    EXPECT_EQ(o.document, "-odd name.vlk");
    EXPECT_EQ(o.dpi, 150);
    EXPECT_EQ(o.zoomPercent, 75);
    EXPECT_EQ(o.pages, (std::vector<PageSpan>{{2, 3}, {5, 5}}));
    EXPECT_EQ(o.password, std::optional<std::string>("s3cret word"));
    EXPECT_EQ(o.outDir, "pages");
    EXPECT_EQ(o.decimalSeparator, ',');
    EXPECT_TRUE(o.allowNetworkBitmaps);
    EXPECT_TRUE(o.aliasedText);
    EXPECT_FALSE(o.pdf.has_value());
    const ParsedOptions empty = ParseOptions({"--password=", "a.vlk"});
    EXPECT_EQ(empty.error, "");
    EXPECT_EQ(empty.options.password, std::optional<std::string>("")); // still a password
}

TEST(VelkRenderOptions, DefaultsAreTheScreenAtNinetySixDotsAndAPrinterAtSixHundred) {
    // An option's value may be the last argument.
    const ParsedOptions parsed = ParseOptions({"a.vlk", "--pdf", "out.pdf"});
    ASSERT_EQ(parsed.error, "");
    EXPECT_EQ(parsed.options.pdf, std::optional<std::string>("out.pdf"));
    EXPECT_EQ(parsed.options.dpi, 96);
    EXPECT_EQ(parsed.options.zoomPercent, 100);
    EXPECT_EQ(parsed.options.printerDpi, 600);
    EXPECT_TRUE(parsed.options.pages.empty());
    EXPECT_EQ(parsed.options.outDir, ".");
    EXPECT_FALSE(parsed.options.password.has_value());
    EXPECT_FALSE(parsed.options.allowNetworkBitmaps);
    EXPECT_FALSE(parsed.options.aliasedText);
    EXPECT_FALSE(parsed.options.help);
    // Help needs no document.
    for (const char* help : {"-h", "--help"}) {
        EXPECT_TRUE(ParseOptions({help}).options.help) << help;
        EXPECT_EQ(ParseOptions({help}).error, "") << help;
    }
}

TEST(VelkRenderOptions, WrongCommandLinesSayWhatIsWrong) {
    const struct {
        std::vector<std::string> arguments;
        std::string error;
    } cases[] = {
        {{}, "no document given"},
        {{"a.vlk", "b.vlk"}, "more than one document given"},
        {{"--colour", "a.vlk"}, "unknown option --colour"},
        {{"a.vlk", "--dpi"}, "--dpi needs a value"},
        {{"--dpi", "9", "a.vlk"}, "--dpi takes a whole number from 10 to 2400"},
        {{"--dpi", "2401", "a.vlk"}, "--dpi takes a whole number from 10 to 2400"},
        {{"--dpi", "96.5", "a.vlk"}, "--dpi takes a whole number from 10 to 2400"},
        {{"--dpi", "", "a.vlk"}, "--dpi takes a whole number from 10 to 2400"},
        {{"--printer-dpi=0", "a.vlk"}, "--printer-dpi takes a whole number from 10 to 2400"},
        {{"--zoom", "9", "a.vlk"}, "--zoom takes a whole percentage from 10 to 1000"},
        {{"--zoom", "75%", "a.vlk"}, "--zoom takes a whole percentage from 10 to 1000"},
        {{"--pages", "3-1", "a.vlk"},
         "--pages takes a list such as 1-3,5 or 4- (pages from 1, ranges upward)"},
        {{"--pdf=", "a.vlk"}, "--pdf needs a file name"},
        {{"--out-dir=", "a.vlk"}, "--out-dir needs a directory"},
        {{"--decimal", ".,", "a.vlk"}, "--decimal takes one character"},
        {{"--allow-network-bitmaps=1", "a.vlk"}, "--allow-network-bitmaps takes no value"},
        {{"--aliased-text=no", "a.vlk"}, "--aliased-text takes no value"},
    };
    for (const auto& c : cases) {
        const ParsedOptions parsed = ParseOptions(c.arguments);
        EXPECT_EQ(parsed.error, c.error) << ::testing::PrintToString(c.arguments);
    }
}

TEST(VelkRenderPageRanges, ListsOfPagesAndRanges) {
    const struct {
        const char* text;
        std::vector<PageSpan> spans;
    } cases[] = {
        {"1", {{1, 1}}},
        {"1-3,5", {{1, 3}, {5, 5}}},
        {"4-", {{4, std::nullopt}}},
        {"-2", {{1, 2}}},
        {"7,2,7", {{7, 7}, {2, 2}, {7, 7}}},
        {"3-3", {{3, 3}}},
        {"32767", {{32767, 32767}}},
        {"32768-65536", {{32768, 65536}}},
        {"2147483647", {{2147483647, 2147483647}}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ParsePageRanges(c.text), c.spans) << '"' << c.text << '"';
    }
    for (const char* wrong : {"2147483648", "", "0", "-", "3-1", "1,,2", "1,", ",1", "1-2-3", "a",
                              "1 ", "+1", "--1", "99999999999"}) {
        EXPECT_EQ(ParsePageRanges(wrong), std::nullopt) << '"' << wrong << '"';
    }
}

TEST(VelkRenderPageRanges, SelectionKeepsTheOrderAskedForAndFindsTheFirstMissingPage) {
    using Runs = std::vector<PageRun>;
    constexpr std::int32_t kLargest = 2147483647;
    const struct {
        std::vector<PageSpan> spans;
        std::int32_t pageCount;
        Runs runs;
        std::optional<std::int32_t> missing;
        std::uint64_t count;
    } cases[] = {
        {{}, 3, Runs{{1, 3}}, std::nullopt, 3},
        {{}, 0, Runs{}, std::nullopt, 0},
        {{}, -5, Runs{}, std::nullopt, 0},
        {{{2, 3}}, 3, Runs{{2, 3}}, std::nullopt, 2},
        {{{3, 3}, {1, 1}, {3, 3}}, 3, Runs{{3, 3}, {1, 1}, {3, 3}}, std::nullopt, 3},
        {{{2, std::nullopt}}, 4, Runs{{2, 4}}, std::nullopt, 3},
        {{{4, 4}}, 3, Runs{}, 4, 0},
        {{{2, 5}}, 3, Runs{}, 4, 0},
        {{{5, std::nullopt}}, 3, Runs{}, 5, 0},
        {{{1, 1}, {9, 9}}, 3, Runs{}, 9, 0},
        {{{1, 1}}, 0, Runs{}, 1, 0},
        // Page numbers are 32-bit: nothing changes where 16 bits end.
        {{}, 32767, Runs{{1, 32767}}, std::nullopt, 32767},
        {{}, 32768, Runs{{1, 32768}}, std::nullopt, 32768},
        {{}, 65536, Runs{{1, 65536}}, std::nullopt, 65536},
        {{{32767, std::nullopt}}, 40000, Runs{{32767, 40000}}, std::nullopt, 7234},
        {{{32768, 32768}}, 40000, Runs{{32768, 32768}}, std::nullopt, 1},
        {{{32768, 32768}}, 32767, Runs{}, 32768, 0},
        {{{65536, 65536}}, 65536, Runs{{65536, 65536}}, std::nullopt, 1},
        {{{32768, 65536}}, 65535, Runs{}, 65536, 0},
        {{{65537, std::nullopt}}, 65536, Runs{}, 65537, 0},
        // A header can claim every page there is; twice that is counted without wrapping.
        {{}, kLargest, Runs{{1, kLargest}}, std::nullopt, 2147483647},
        {{{1, std::nullopt}, {1, std::nullopt}},
         kLargest,
         Runs{{1, kLargest}, {1, kLargest}},
         std::nullopt,
         4294967294u},
    };
    for (const auto& c : cases) {
        const PageSelection selection = SelectPages(c.spans, c.pageCount);
        EXPECT_EQ(selection.runs, c.runs) << c.pageCount;
        EXPECT_EQ(selection.missing, c.missing) << c.pageCount;
        EXPECT_EQ(selection.count(), c.count) << c.pageCount;
    }
}

TEST(VelkRenderOutputNames, PagesAreNumberedSoThatTheirFilesSortInOrder) {
    const struct {
        const char* outDir;
        const char* document;
        std::int32_t page;
        std::int32_t pageCount;
        const char* path;
    } cases[] = {
        {".", "sample.vlk", 3, 7, "./sample-3.png"},
        {"out/", "sample.vlk", 3, 12, "out/sample-03.png"},
        {"out", "/data/reports/q3.report.vlk", 7, 120, "out/q3.report-007.png"},
        {"C:\\pages\\", "C:\\docs\\viewer.exe", 1, 1, "C:\\pages\\viewer-1.png"},
        {"pages", "noextension", 10, 9, "pages/noextension-10.png"},
        {"pages", ".hidden", 1, 2, "pages/.hidden-1.png"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(PageImagePath(c.outDir, c.document, c.page, c.pageCount), c.path) << c.document;
    }
}

} // namespace
} // namespace velk::cli
