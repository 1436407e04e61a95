#include "document/document.h"
#include "platform/memory_file.h"
#include "base/ansi_text.h"
#include "support/documents.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace velk {
namespace {

using testing::MemoryFileSystem;
using testing::ThreePageReport;
using Opened = testing::OpenedDocument;

constexpr const char* kName = "C:\\docs\\report.vlk";

void LoadAll(Opened& o) {
    o.document.readOptionRecords();
    o.document.loadPageTable(false);
    o.document.loadIndex(false);
}

std::vector<std::uint8_t> Slice(const std::vector<std::uint8_t>& bytes, std::int32_t from,
                                std::int32_t to) {
    return {bytes.begin() + from - 1, bytes.begin() + to - 1};
}

TEST(DocumentStore, APageRunsToTheNextPageAndTheLastToThePageTable) {
    const auto written = vlkw::ComposeDocument(ThreePageReport());
    Opened o(written.bytes);
    LoadAll(o);
    Document& d = o.document;
    const auto& pos = written.pagePositions;
    const std::int32_t tablePos = written.header.pageTablePos;

    d.loadPage(2);
    EXPECT_EQ(d.loadedPageNumber, 2);
    EXPECT_EQ(d.loadedPage, Slice(written.bytes, pos[1], pos[2]));

    // The last page carries the end record and the index table with it.
    d.loadPage(3);
    EXPECT_EQ(d.loadedPage, Slice(written.bytes, pos[2], tablePos));
    EXPECT_GT(d.loadedPage.size(), ThreePageReport().pages[2].size());

    for (const std::int32_t outside : {0, -1, 4}) {
        d.loadPage(outside);
        EXPECT_TRUE(d.loadedPage.empty()) << outside;
        EXPECT_EQ(d.loadedPageNumber, 0) << outside;
    }
}

TEST(DocumentStore, MagicIsCaseSensitiveAndAFailedCheckBlanksTheTitle) {
    for (const char* magic : {"300a", "300B", "    ", "300"}) {
        auto description = ThreePageReport();
        description.overrides.header = [magic](vlkw::HeaderFields& h) { h.magic = magic; };
        Opened o(vlkw::WriteDocument(description));
        EXPECT_FALSE(o.headerMatched) << magic;
        EXPECT_EQ(o.document.header.title, std::string(100, ' '));
    }
}

TEST(DocumentStore, BadPageTablesGiveEmptyPagesNeverMoreThanTheFile) {
    const auto written = vlkw::ComposeDocument(ThreePageReport());
    const std::int32_t size = static_cast<std::int32_t>(written.bytes.size());
    const auto& pos = written.pagePositions;
    // empty: page 1..3
    const std::tuple<const char*, std::vector<std::int32_t>, std::vector<bool>> cases[] = {
        {"out of order", {pos[0], pos[2], pos[1]}, {false, true, false}},
        {"all equal", {pos[0], pos[0], pos[0]}, {true, true, false}},
        {"start past the end", {pos[0], size + 10, size + 20}, {false, true, true}},
        {"negative", {-5, pos[1], pos[2]}, {true, false, false}},
        {"zero", {0, pos[1], pos[2]}, {true, false, false}},
        {"the first byte", {1, pos[1], pos[2]}, {false, false, false}},
        {"max", {pos[0], 2147483647, pos[2]}, {false, true, false}},
    };
    for (const auto& [what, table, empty] : cases) {
        auto description = ThreePageReport();
        description.overrides.pageTable = [&table](std::vector<std::int32_t>& t) { t = table; };
        Opened o(vlkw::WriteDocument(description));
        LoadAll(o);
        for (std::int32_t p = 1; p <= 3; ++p) {
            o.document.loadPage(p);
            EXPECT_EQ(o.document.loadedPage.empty(), empty[p - 1]) << what << " page " << p;
            EXPECT_LE(o.document.loadedPage.size(), written.bytes.size());
        }
    }
}

// Nothing is read from outside the file, and a huge count costs no more than the file holds.
TEST(DocumentStore, TablesOutsideTheFileOrWithoutEntriesHoldNothingWhateverTheCount) {
    constexpr std::int32_t keep = 0;        // the position as written
    constexpr std::int32_t upToTheEnd = -1; // the four real entries, then whatever follows
    const struct {
        const char* what;
        std::int32_t pageCount, pageTablePos, indexCount, indexPos, indexEntries;
    } cases[] = {
        {"huge counts", 2147483647, 261, 2147483647, keep, upToTheEnd},
        {"tables past the end", 3, 1 << 30, 4, 1 << 30, 0},
        {"tables before the start", 3, -100, 4, -1000, 0},
        {"huge page count, table before the start", 2147483647, -2147483647, 4, keep, 4},
        {"no pages, no index", 0, keep, 0, keep, 0},
        {"negative counts", -1, keep, -4, keep, 0},
        {"lowest page count", -2147483647 - 1, keep, 4, keep, 4},
    };
    for (const auto& c : cases) {
        auto description = ThreePageReport();
        description.overrides.header = [&c](vlkw::HeaderFields& h) {
            h.pageCount = c.pageCount;
            h.pageTablePos = c.pageTablePos != keep ? c.pageTablePos : h.pageTablePos;
            h.indexCount = c.indexCount;
            h.indexPos = c.indexPos != keep ? c.indexPos : h.indexPos;
        };
        const auto bytes = vlkw::WriteDocument(description);
        Opened o(bytes);
        LoadAll(o);
        const Document& d = o.document;
        EXPECT_EQ(d.pageCount, std::max(c.pageCount, 0)) << c.what;
        EXPECT_LE(d.pageTable.size() * 4, bytes.size()) << c.what;
        o.document.loadPage(c.pageCount);
        EXPECT_LE(d.loadedPage.size(), bytes.size()) << c.what;
        if (c.pageCount <= 0) {
            EXPECT_TRUE(d.pageTable.empty()) << c.what;
            o.document.loadPage(1);
            EXPECT_TRUE(d.loadedPage.empty()) << c.what;
            EXPECT_EQ(d.loadedPageNumber, 0) << c.what;
        }
        if (c.indexEntries == upToTheEnd) {
            EXPECT_GE(d.index.size(), 4u) << c.what;
            EXPECT_LE(d.index.size(), bytes.size() / 4) << c.what;
        } else {
            EXPECT_EQ(d.index.size(), static_cast<std::size_t>(c.indexEntries)) << c.what;
        }
    }
}

TEST(DocumentStore, IndexTextsAreCutTo100AndBadLengthsGiveEmptyTexts) {
    auto description = ThreePageReport();
    description.index = {{1, std::string(120, 'x')}, {2, ""}, {3, "y"}};
    Opened o(vlkw::WriteDocument(description));
    LoadAll(o);
    ASSERT_EQ(o.document.index.size(), 3u);
    EXPECT_EQ(o.document.index[0].caption, std::string(100, 'x'));
    EXPECT_EQ(o.document.index[1].caption, std::string(100, ' '));
    EXPECT_EQ(o.document.index[2].caption, "y" + std::string(99, ' '));
}

TEST(DocumentStore, OptionRecordsSetTheirPermissionsAndBadLengthsGiveEmptyTexts) {
    auto description = ThreePageReport();
    description.allowMail = 0;
    description.allowFax = 0;
    Opened o(vlkw::WriteDocument(description));
    EXPECT_EQ(o.document.header.allowMail, 0);
    o.document.readOptionRecords();
    EXPECT_EQ(o.document.header.allowMail, 1);
    EXPECT_EQ(o.document.header.allowFax, 1);
    const auto& m = o.document.mailOptions;
    const auto& f = o.document.faxOptions;
    EXPECT_EQ((std::vector<std::int32_t>{m.showDialog, m.attachAsViewer, f.showDialog}),
              (std::vector<std::int32_t>{1, 1, 1}));
    EXPECT_EQ((std::vector<std::string>{m.logonProfile, m.logonPassword, m.recipientNames,
                                        m.recipientAddresses, m.subject, m.note, f.logonProfile,
                                        f.logonPassword, f.recipients, f.subject, f.note}),
              (std::vector<std::string>{"profile", "secret", "Ann;Bob", "ann@x;bob@x", "Report",
                                        "Please read.", "faxprofile", "faxpw", "FAX:123;FAX:456",
                                        "Fax report", "See attached."}));
    // Any position counts, however unlikely.
    description.overrides.header = [](vlkw::HeaderFields& h) { h.faxOptionsPos = 1; };
    Opened first(vlkw::WriteDocument(description));
    first.document.readOptionRecords();
    EXPECT_EQ(first.document.header.allowFax, 1);

    // Lengths patched in place: the mail record's third length negative, its fourth past the
    // end of the file.
    auto bytes = vlkw::WriteDocument(ThreePageReport());
    Opened probe(bytes);
    const std::int32_t mail = probe.document.header.mailOptionsPos;
    const std::size_t lengths = static_cast<std::size_t>(mail - 1 + 2 + 8);
    bytes[lengths + 4] = 0xFF; // -1 as int16
    bytes[lengths + 5] = 0xFF;
    bytes[lengths + 6] = 0xFF; // 32767
    bytes[lengths + 7] = 0x7F;
    Opened patched(bytes);
    patched.document.readOptionRecords();
    EXPECT_EQ(patched.document.mailOptions.logonProfile, "profile");
    EXPECT_EQ(patched.document.mailOptions.recipientNames, "");
    EXPECT_EQ(patched.document.mailOptions.recipientAddresses, "");
}

TEST(DocumentStore, ReplacementTextsNeedAPositionAbove32) {
    auto description = ThreePageReport();
    description.replacementTexts[0] = "Kennwort";
    description.replacementTexts[6] = "  Ganze Seite ";
    const auto written = vlkw::ComposeDocument(description);
    Opened o(written.bytes);
    EXPECT_EQ(o.document.readReplacementText(0), "Kennwort");
    EXPECT_EQ(o.document.readReplacementText(6), "  Ganze Seite ");
    EXPECT_EQ(o.document.readReplacementText(1), std::nullopt);

    for (const std::int32_t position : {0, 32, -7}) {
        auto moved = description;
        moved.overrides.header = [position](vlkw::HeaderFields& h) {
            h.replacementTextPos[0] = position;
        };
        Opened m(vlkw::WriteDocument(moved));
        EXPECT_EQ(m.document.readReplacementText(0), std::nullopt) << position;
    }

    // Position 33 reads a record that starts at the header's 33rd byte.
    auto at33 = ThreePageReport();
    at33.overrides.header = [](vlkw::HeaderFields& h) { h.replacementTextPos[2] = 33; };
    at33.overrides.headerBytes = [](std::span<std::uint8_t, vlkw::kHeaderSize> h) {
        const std::uint8_t record[] = {11, 0, 22, 0, 3, 0, 'a', 'b', 'c'};
        std::copy(std::begin(record), std::end(record), h.begin() + 32);
    };
    Opened m(vlkw::WriteDocument(at33));
    EXPECT_EQ(m.document.readReplacementText(2), "abc");
}

TEST(DocumentStore, SelfExtractingCopyReadsLikeThePlainFile) {
    auto description = ThreePageReport();
    description.replacementTexts[7] = "Breite";
    const auto plainBytes = vlkw::WriteDocument(description);
    Opened plain(plainBytes);
    LoadAll(plain);
    Opened carried(testing::SelfExtracting(93184, plainBytes), kName, 93184);
    ASSERT_TRUE(carried.headerMatched);
    LoadAll(carried);

    EXPECT_EQ(carried.document.pageTable, plain.document.pageTable);
    for (std::int32_t p = 1; p <= 3; ++p) {
        plain.document.loadPage(p);
        carried.document.loadPage(p);
        EXPECT_EQ(carried.document.loadedPage, plain.document.loadedPage) << p;
    }
    ASSERT_EQ(carried.document.index.size(), plain.document.index.size());
    EXPECT_EQ(carried.document.index[3].caption, plain.document.index[3].caption);
    EXPECT_EQ(carried.document.mailOptions.subject, plain.document.mailOptions.subject);
    EXPECT_EQ(carried.document.faxOptions.recipients, plain.document.faxOptions.recipients);
    EXPECT_EQ(carried.document.readReplacementText(7), "Breite");
}

TEST(DocumentStore, OpensReadOnlyWhenWritingIsRefused) {
    MemoryFileSystem files;
    files.add(kName, vlkw::WriteDocument(ThreePageReport())).readOnly = true;
    Document d;
    ASSERT_TRUE(d.open(files, kName, 0));
    EXPECT_FALSE(d.file->writable());
    EXPECT_TRUE(d.readHeader());
    EXPECT_EQ(files.opened, std::vector<std::string>{std::string(kName) + " (read-only)"});

    files.add("C:\\locked.vlk", {}).unopenable = true;
    Document locked;
    EXPECT_FALSE(locked.open(files, "C:\\locked.vlk", 0));
}

TEST(DocumentStore, LocateFindsOrdinaryFilesAmongWildcardMatches) {
    MemoryFileSystem files;
    files.add("C:\\d\\a.vlk", {}).hidden = true;
    files.add("C:\\d\\b.vlk", {});
    files.addDirectory("C:\\d\\c.vlk");
    EXPECT_TRUE(locate(files, "C:\\d\\*.vlk"));
    EXPECT_FALSE(locate(files, "C:\\d\\a.vlk"));
    EXPECT_FALSE(locate(files, "C:\\d\\c.vlk"));
    EXPECT_FALSE(locate(files, "C:\\d\\?.txt"));
}

TEST(DocumentStore, BuildingModeGrowsTheTableAsPagesAreAnnounced) {
    const auto finished = vlkw::ComposeDocument(ThreePageReport());
    const auto& pos = finished.pagePositions;
    // The file as the producer left it after writing two pages: the header names the page
    // table at the end of page 1, and later at the end of page 2. Its page count is not read.
    for (const std::int32_t tablePos : {pos[1], pos[2]}) {
        auto description = ThreePageReport();
        description.overrides.header = [tablePos](vlkw::HeaderFields& h) {
            h.pageTablePos = tablePos;
        };
        Opened o(vlkw::WriteDocument(description));
        Document& d = o.document;
        d.loadPageTable(true);
        d.loadIndex(true);
        EXPECT_TRUE(d.pageTable.empty());
        EXPECT_TRUE(d.index.empty());

        d.appendPage(pos[0]);
        d.appendPage(pos[1]);
        EXPECT_EQ(d.pageCount, 2);
        EXPECT_EQ(d.pageTable, (std::vector<std::int32_t>{pos[0], pos[1]}));
        d.loadPage(1);
        EXPECT_EQ(d.loadedPage, Slice(finished.bytes, pos[0], pos[1]));
        // Page 2 ends at the page table: empty while that is below its start.
        d.loadPage(2);
        EXPECT_EQ(d.loadedPageNumber, 2);
        EXPECT_EQ(d.loadedPage, tablePos == pos[1] ? std::vector<std::uint8_t>{}
                                                   : Slice(finished.bytes, pos[1], pos[2]));
    }
}

TEST(DocumentStore, HeaderSurvivesARoundTripByteForByte) {
    auto description = ThreePageReport();
    description.password = "secret";
    description.replacementTexts[3] = "x";
    description.overrides.headerBytes = [](std::span<std::uint8_t, vlkw::kHeaderSize> h) {
        h[118] = 0x5A; // fields nobody interprets are kept as read
        h[228] = 0xA5;
        h[250] = 'Q';
    };
    const auto bytes = vlkw::WriteDocument(description);
    MemoryFile file(bytes);
    std::array<std::uint8_t, kHeaderSize> raw{};
    file.readAt(0, raw);
    EXPECT_EQ(SerializeHeader(ParseHeader(raw)), raw);
}

} // namespace
} // namespace velk
