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

TEST(MakeTempFileName, PadsTheNumberToEightCharactersWithThePrefix) {
    MemoryFileSystem files;
    files.temporary = " C:\\Temp ";
    EXPECT_EQ(MakeTempFileName(files, "~DB", ".bmp"), "C:\\Temp\\~DB00001.bmp");
    EXPECT_EQ(MakeTempFileName(files, "~D", ".exe"), "C:\\Temp\\~D000001.exe");
    files.temporary = "C:\\Temp\\";
    files.add("C:\\Temp\\~DB00001.bmp", {});
    files.add("C:\\Temp\\~DB00002.bmp", {});
    EXPECT_EQ(MakeTempFileName(files, "~DB", ".bmp"), "C:\\Temp\\~DB00003.bmp");
}

TEST(MakeTempFileName, EmptyWhenAll9999NamesAreTaken) {
    MemoryFileSystem files;
    for (int n = 1; n <= 9999; ++n) {
        std::string number = std::to_string(n);
        files.add("C:\\Temp\\~DB" + std::string(5 - number.size(), '0') + number + ".bmp", {});
    }
    EXPECT_EQ(MakeTempFileName(files, "~DB", ".bmp"), "");
    files.deleteFile("C:\\Temp\\~DB09999.bmp");
    EXPECT_EQ(MakeTempFileName(files, "~DB", ".bmp"), "C:\\Temp\\~DB09999.bmp");
}

} // namespace
} // namespace velk
