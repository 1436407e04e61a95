#include "document/self_extract.h"
#include "platform/memory_file.h"
#include "support/memory_file_system.h"
#include "writer/byte_writer.h"

#include <gtest/gtest.h>

namespace velk {
namespace {

std::vector<std::uint8_t> Container(std::size_t stubSize, std::int32_t offset, std::string mark) {
    return vlkw::ByteWriter{}.chars(std::string(stubSize, 'M')).int32(offset).chars(mark).take();
}

TEST(SelfExtractBase, TrailerDecidesTheOffset) {
    const std::tuple<std::size_t, std::int32_t, const char*, std::int32_t> cases[] = {
        {93184 + 300, 93184, "VELK_SELF_EXTRACT", 93184},
        {1000, 1, "VELK_SELF_EXTRACT", 1},
        {1000, 1021, "VELK_SELF_EXTRACT", 1021}, // the whole file length is still inside
        {1000, 1022, "VELK_SELF_EXTRACT", 0},
        {1000, 0, "VELK_SELF_EXTRACT", 0},
        {1000, -5, "VELK_SELF_EXTRACT", 0},
        {1000, 500, "velk_self_extract", 500}, // compared in capitals
        {1000, 500, "VELK_SELF_EXTRAC ", 0},
        {1000, 500, " ELK_SELF_EXTRACT", 0},
        {1000, 500, "VELK-SELF-EXTRACT", 0},
        {0, 21, "VELK_SELF_EXTRACT", 21}, // the trailer alone
    };
    for (const auto& [size, offset, mark, expected] : cases) {
        MemoryFile file(Container(size, offset, mark));
        EXPECT_EQ(SelfExtractBase(file), expected) << mark << " " << offset;
    }
}

TEST(SelfExtractBase, ShortFilesAndMarksElsewhereDoNotCount) {
    MemoryFile tiny(std::vector<std::uint8_t>(20, 'x'));
    EXPECT_EQ(SelfExtractBase(tiny), 0);

    auto bytes = Container(100, 50, "VELK_SELF_EXTRACT");
    bytes.push_back('x'); // the trailer is no longer the last 21 bytes
    MemoryFile moved(bytes);
    EXPECT_EQ(SelfExtractBase(moved), 0);
}

TEST(DetectSelfExtract, ReadsTheRunningExecutableByItsTrimmedPath) {
    testing::MemoryFileSystem files;
    files.executable = "C:\\Tools\\report.exe  ";
    files.add("C:\\Tools\\report.exe", Container(4096, 4096, "VELK_SELF_EXTRACT"));
    EXPECT_EQ(detectSelfExtract(files), 4096);
    EXPECT_EQ(files.opened, std::vector<std::string>{"C:\\Tools\\report.exe (read-only)"});

    files.executable = "C:\\Tools\\gone.exe";
    EXPECT_EQ(detectSelfExtract(files), 0);
}

} // namespace
} // namespace velk
