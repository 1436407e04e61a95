#include "base/file_names.h"
#include "support/memory_file_system.h"

#include <gtest/gtest.h>

namespace velk {
namespace {

using testing::MemoryFileSystem;

TEST(FileExists, OnlyAnOrdinaryFileFoundFirstCounts) {
    MemoryFileSystem files;
    files.add("C:\\a.vlk", {1});
    files.add("C:\\hidden.vlk", {1}).hidden = true;
    files.add("C:\\system.vlk", {1}).system = true;
    files.addDirectory("C:\\dir.vlk");
    EXPECT_TRUE(FileExists(files, "C:\\a.vlk"));
    EXPECT_FALSE(FileExists(files, "C:\\hidden.vlk"));
    EXPECT_FALSE(FileExists(files, "C:\\system.vlk"));
    EXPECT_FALSE(FileExists(files, "C:\\dir.vlk"));
    EXPECT_FALSE(FileExists(files, "C:\\missing.vlk"));
}

TEST(OwnExecutablePath, IsTrimmed) {
    MemoryFileSystem files;
    files.executable = "  C:\\Program Files\\velk\\velk.exe  ";
    EXPECT_EQ(OwnExecutablePath(files), "C:\\Program Files\\velk\\velk.exe");
}

// MakeTempFileName only looks for a free name; CreateTempFile also creates it, so the name it
// gives is taken afterwards.
TEST(TempFileNames, TheFirstFreeNumberPaddedToEightCharactersWithThePrefix) {
    for (const bool create : {false, true}) {
        const auto name = [create](MemoryFileSystem& files, std::string_view prefix,
                                   std::string_view extension) {
            return create ? CreateTempFile(files, prefix, extension)
                          : MakeTempFileName(files, prefix, extension);
        };
        MemoryFileSystem files;
        files.temporary = "  C:\\Temp  ";
        EXPECT_EQ(name(files, "~DB", ".bmp"), "C:\\Temp\\~DB00001.bmp") << create;
        EXPECT_EQ(files.contains("C:\\Temp\\~DB00001.bmp"), create);
        files.add("C:\\Temp\\~D000001.exe", {});
        EXPECT_EQ(name(files, "~D", ".exe"), "C:\\Temp\\~D000002.exe") << create;
        files.temporary = "C:\\Temp\\";
        TakeTempNames(files, 1, 9998);
        // The last of the 9999 names is still tried.
        EXPECT_EQ(name(files, "~DB", ".bmp"), "C:\\Temp\\~DB09999.bmp") << create;
        TakeTempNames(files, 9999, 9999);
        EXPECT_EQ(name(files, "~DB", ".bmp"), "") << create;
    }
}

} // namespace
} // namespace velk
