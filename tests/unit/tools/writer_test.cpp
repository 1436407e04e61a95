// The reader's tests take page positions from the writer itself, so a writer that miscounts
// its positions and its page table alike passes them; these positions are worked out by hand.
// The scrambler and the self-extracting container are checked by the reader reading them back.
#include "base/little_endian.h"
#include "writer/document_producer.h"
#include "writer/document_writer.h"
#include "writer/file_output.h"
#include "writer/page_builder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

vlkw::DocumentDescription TwoPages() {
    vlkw::DocumentDescription d;
    d.pages.push_back(vlkw::PageBuilder().text(1, 1, 0, "Hello").bytes());   // 12 + 19 = 31
    d.pages.push_back(vlkw::PageBuilder().line({1, 1, 2, 2}, 1, 0).bytes()); // 12 + 28 = 40
    d.index = {{1, "One"}, {2, "Two pages"}};                                // 7 + 13 = 20
    return d;
}

TEST(WriterDocument, PositionsCountFromOne) {
    const Bytes b = vlkw::WriteDocument(TwoPages());
    // Page 1 at 261 (header bytes 1..260); page 2 at 261 + 31 = 292; EndOfDocument at
    // 292 + 40 = 332; index at 334; page table at 334 + 20 = 354; file 353 + 2 * 4 = 361 bytes.
    ASSERT_EQ(b.size(), 361u);
    const std::pair<std::size_t, std::int32_t> fields[] = {{140, 2},   {144, 2},   {148, 354},
                                                           {152, 334}, {353, 261}, {357, 292}};
    for (const auto& [offset, expected] : fields) {
        EXPECT_EQ(velk::ReadInt32(b, offset), expected) << "offset " << offset;
    }
}

TEST(WriterProducer, HeaderAfterEachPagePointsPastWhatIsWrittenAndEndsAsInOnePiece) {
    const auto path = std::filesystem::temp_directory_path() / "vlkw_producer_test.vlk";
    vlkw::DocumentDescription d = TwoPages();
    d.mailOptions = vlkw::MailOptions(0, 0, "", "", "", "", "", ""); // 22 bytes in page 1
    {
        vlkw::DocumentProducer producer(path, d);
        ASSERT_TRUE(producer.ok());
        // Page 1: 31 + 22 = 53 bytes at 261; page 2 at 314.
        const std::int32_t expectedPositions[] = {261, 314};
        for (std::size_t p = 0; p < 2; ++p) {
            EXPECT_EQ(producer.addPage(d.pages[p]), expectedPositions[p]) << "page " << p + 1;
            const Bytes b = vlkw::ReadBytesFromFile(path).value_or(Bytes{});
            ASSERT_GE(b.size(), 152u);
            EXPECT_EQ(velk::ReadInt32(b, 140), static_cast<std::int32_t>(p + 1));
            EXPECT_EQ(velk::ReadInt32(b, 148), static_cast<std::int32_t>(b.size()) + 1)
                << "page " << p + 1;
        }
        ASSERT_TRUE(producer.finish());
        EXPECT_EQ(producer.addPage(d.pages[0]), 0);
    }
    EXPECT_EQ(vlkw::ReadBytesFromFile(path).value_or(Bytes{}), vlkw::WriteDocument(d));
    std::error_code ignored;
    std::filesystem::remove(path, ignored);
}

} // namespace
