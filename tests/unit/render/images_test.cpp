#include "base/ansi_text.h"
#include "base/file_names.h"
#include "render/images.h"
#include "support/render_harness.h"
#include "writer/bmp_encoder.h"
#include "writer/page_builder.h"

#include <gtest/gtest.h>

#include <tuple>

namespace velk {
namespace {

using testing::CallsOf;
using testing::DocumentOf;
using testing::MemoryFileSystem;
using testing::RenderHarness;
using vlkw::PageBuilder;

constexpr const char* kPicture = "C:\\pictures\\chart.bmp";
constexpr const char* kFirstTemp = "C:\\Temp\\~DB00001.bmp";
constexpr const char* kSecondTemp = "C:\\Temp\\~DB00002.bmp";

std::vector<std::uint8_t> Bmp(std::int32_t width, std::int32_t height) {
    vlkw::RgbImage image;
    image.width = width;
    image.height = height;
    image.pixels.assign(static_cast<std::size_t>(width * height), vlkw::Colour{200, 10, 10});
    return vlkw::EncodeBmp24(image);
}

// Only the headers of a bitmap file: enough for a surface that reads sizes, not pixels.
std::vector<std::uint8_t> BmpHeaders(std::int32_t width, std::int32_t height, std::uint16_t bits) {
    std::vector<std::uint8_t> bytes(62, 0);
    const auto put = [&bytes](std::size_t at, std::uint32_t value, int count) {
        for (int i = 0; i < count; ++i) {
            bytes[at + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(value >> (8 * i));
        }
    };
    bytes[0] = 'B';
    bytes[1] = 'M';
    put(2, 62, 4);
    put(10, 62, 4);
    put(14, 40, 4);
    put(18, static_cast<std::uint32_t>(width), 4);
    put(22, static_cast<std::uint32_t>(height), 4);
    put(26, 1, 2);
    put(28, bits, 2);
    return bytes;
}

TEST(BitmapFile, ShrinksIntoTheBoxKeepingTheAspectRatioAtTheFirstCorner) {
    const std::tuple<std::int32_t, std::int32_t, vlkw::Corners, const char*> cases[] = {
        {200, 100, {1, 1, 3, 3}, "StretchBlt 96 96 192 96 bitmap 7 0 0 200 100 rop=0x00CC0020"},
        {100, 200, {1, 1, 3, 3}, "StretchBlt 96 96 96 192 bitmap 7 0 0 100 200 rop=0x00CC0020"},
        {100, 100, {1, 1, 3, 3}, "StretchBlt 96 96 192 192 bitmap 7 0 0 100 100 rop=0x00CC0020"},
        {200, 100, {3, 3, 1, 1}, "StretchBlt 288 288 192 96 bitmap 7 0 0 200 100 rop=0x00CC0020"},
        {200, 100, {1, 1, 3, 1}, "StretchBlt 96 96 0 0 bitmap 7 0 0 200 100 rop=0x00CC0020"},
        {3, 2, {0, 0, 1, 1}, "StretchBlt 0 0 96 64 bitmap 7 0 0 3 2 rop=0x00CC0020"},
        {7, 4, {0, 0, 1, 2}, "StretchBlt 0 0 96 55 bitmap 7 0 0 7 4 rop=0x00CC0020"}, // 54.86
    };
    for (const auto& [width, height, box, blt] : cases) {
        RenderHarness h(PageBuilder{}.bitmapFile(box, "  C:\\pictures\\chart.bmp ").bytes());
        h.files.add(kPicture, Bmp(width, height));
        const auto trace = h.renderScreen();
        EXPECT_EQ(CallsOf(trace, "StretchBlt"), std::vector<std::string>{blt}) << blt;
        EXPECT_EQ(CallsOf(trace, "DeleteObject").front(), "DeleteObject bitmap 7");
        EXPECT_EQ(h.surface.liveObjects(), 0u);
    }
}

TEST(BitmapFile, AMissingOrUnloadableFileDrawsNothingAndSaysNothing) {
    for (const bool present : {false, true}) {
        RenderHarness h(
            PageBuilder{}.bitmapFile({1, 1, 2, 2}, kPicture).text(1, 1, 0, "next").bytes());
        if (present) {
            h.files.add(kPicture, {'n', 'o', 't', ' ', 'a', ' ', 'b', 'm', 'p'});
        }
        const auto trace = h.renderScreen();
        EXPECT_EQ(CallsOf(trace, "LoadImage").size(), present ? 1u : 0u);
        EXPECT_TRUE(CallsOf(trace, "StretchBlt").empty());
        EXPECT_EQ(CallsOf(trace, "TextOut").size(), 1u);
        EXPECT_TRUE(h.messages.shown.empty());
    }
}

// The harness's files, with a count of every call made through them.
class CountingFileSystem : public FileSystem {
  public:
    explicit CountingFileSystem(FileSystem& files) : files_(files) {}
    int calls = 0;

    std::vector<DirectoryEntry> findFiles(const std::string& pattern) override {
        ++calls;
        return files_.findFiles(pattern);
    }
    std::unique_ptr<File> openExisting(const std::string& path, OpenAccess access) override {
        ++calls;
        return files_.openExisting(path, access);
    }
    bool createNew(const std::string& path) override {
        ++calls;
        return files_.createNew(path);
    }
    bool deleteFile(const std::string& path) override {
        ++calls;
        return files_.deleteFile(path);
    }
    bool replaceFile(const std::string& from, const std::string& to) override {
        ++calls;
        return files_.replaceFile(from, to);
    }
    bool sameFile(const std::string& first, const std::string& second) override {
        ++calls;
        return files_.sameFile(first, second);
    }
    std::string temporaryDirectory() override {
        ++calls;
        return files_.temporaryDirectory();
    }
    std::string executablePath() override {
        ++calls;
        return files_.executablePath();
    }

  private:
    FileSystem& files_;
};

TEST(BitmapFile, NamesOfServersAndDevicesAreNotEvenLookedForUnlessTheReaderAllowsThem) {
    const std::pair<const char*, bool> cases[] = {
        {"\\\\server\\share\\logo.bmp", true},
        {"//server/share/logo.bmp", true},
        {"\\/server/share\\logo.bmp", true},
        {"/\\server\\share/logo.bmp", true},
        {"  \\\\server\\share\\logo.bmp ", true},
        {"\\\\?\\UNC\\server\\share\\logo.bmp", true},
        {"\\\\?\\C:\\pictures\\logo.bmp", true},
        {"\\\\.\\GLOBALROOT\\Device\\Mup\\server\\share\\logo.bmp", true},
        {"//./pipe/logo.bmp", true},
        {"\\??\\UNC\\server\\share\\logo.bmp", true},
        {"C:\\pictures\\logo.bmp", false},
        {"Z:/reports/logo.bmp", false}, // a network drive the reader mapped
        {"C:logo.bmp", false},
        {"\\pictures\\logo.bmp", false},
        {"pictures\\logo.bmp", false},
        {"./logo.bmp", false},
        {"logo.bmp", false},
    };
    for (const auto& [name, blocked] : cases) {
        for (const bool allowed : {false, true}) {
            RenderHarness h(
                PageBuilder{}.bitmapFile({1, 1, 3, 3}, name).text(1, 1, 0, "next").bytes());
            h.files.add(TrimBlanks(name), Bmp(20, 10));
            CountingFileSystem counted(h.files);
            RenderServices services{h.document, h.settings, h.screen, h.texts, h.messages, counted};
            services.allowNetworkBitmaps = allowed;
            h.recorder.clear();
            RenderPage(services, 1, h.screenTarget());
            const auto trace = h.recorder.lines();

            const bool drawn = !blocked || allowed;
            const std::string row = std::string(name) + (allowed ? " (allowed)" : "");
            EXPECT_EQ(CallsOf(trace, "StretchBlt").size(), drawn ? 1u : 0u) << row;
            if (!drawn) {
                EXPECT_EQ(counted.calls, 0) << row;
                EXPECT_TRUE(CallsOf(trace, "LoadImage").empty()) << row;
            }
            EXPECT_EQ(CallsOf(trace, "TextOut").size(), 1u) << row;
            EXPECT_TRUE(h.messages.shown.empty()) << row;
        }
    }
}

TEST(BitmapFile, PrintingSendsTheBitmapAsADibWithRowsPaddedToFourBytes) {
    const std::tuple<std::int32_t, std::int32_t, std::uint16_t, const char*> cases[] = {
        {3, 5, 1, "GetDIBits bitmap 7 first=0 lines=5 buffer=20 header=40,3,5,1,1,0 usage=0"},
        {33, 2, 1, "GetDIBits bitmap 7 first=0 lines=2 buffer=16 header=40,33,2,1,1,0 usage=0"},
        {3, 5, 24, "GetDIBits bitmap 7 first=0 lines=5 buffer=60 header=40,3,5,1,24,0 usage=0"},
        {5, 1, 4, "GetDIBits bitmap 7 first=0 lines=1 buffer=4 header=40,5,1,1,4,0 usage=0"},
        {2, 3, 8, "GetDIBits bitmap 7 first=0 lines=3 buffer=12 header=40,2,3,1,8,0 usage=0"},
    };
    for (const auto& [width, height, bits, getDIBits] : cases) {
        RenderHarness h(PageBuilder{}.bitmapFile({1, 1, 2, 2}, kPicture).bytes());
        h.files.add(kPicture, BmpHeaders(width, height, bits));
        const auto trace = h.renderPrinter(1, 600, -50, -50);
        EXPECT_EQ(CallsOf(trace, "GetDIBits"), std::vector<std::string>{getDIBits});
        const auto stretch = CallsOf(trace, "StretchDIBits");
        ASSERT_EQ(stretch.size(), 1u);
        EXPECT_EQ(stretch[0].rfind("StretchDIBits 550 550 ", 0), 0u) << stretch[0];
        EXPECT_TRUE(CallsOf(trace, "StretchBlt").empty());
    }
}

TEST(BitmapFile, APixelBufferBeyondTheLimitIsNotAllocatedAndNothingIsPrinted) {
    RenderHarness h(PageBuilder{}.bitmapFile({1, 1, 2, 2}, kPicture).bytes());
    h.files.add(kPicture, BmpHeaders(30000, 30000, 32)); // 3.6 GB of pixels
    const auto trace = h.renderPrinter();
    EXPECT_TRUE(CallsOf(trace, "GetDIBits").empty());
    EXPECT_TRUE(CallsOf(trace, "StretchDIBits").empty());
    EXPECT_EQ(CallsOf(trace, "DeleteObject").front(), "DeleteObject bitmap 7");
    EXPECT_EQ(DibRowBytes(30000, 32), 120000);
}

TEST(EmbeddedBitmap, IsDrawnFromATemporaryFileThatIsThenDeleted) {
    RenderHarness h(PageBuilder{}.embeddedBitmap({1, 1, 3, 3}, Bmp(200, 100)).bytes());
    const auto trace = h.renderScreen();
    EXPECT_EQ(CallsOf(trace, "LoadImage"),
              std::vector<std::string>{"LoadImage \"C:\\\\Temp\\\\~DB00001.bmp\" -> bitmap 7"});
    EXPECT_EQ(CallsOf(trace, "StretchBlt").size(), 1u);
    EXPECT_FALSE(h.files.contains(kFirstTemp));
    EXPECT_EQ(h.files.deleted, std::vector<std::string>{kFirstTemp});

    // Nothing is kept between renderings: the same name is written and deleted again.
    h.renderPrinter();
    EXPECT_EQ(h.files.deleted, (std::vector<std::string>{kFirstTemp, kFirstTemp}));
}

TEST(EmbeddedBitmap, IsDrawnWhereverTheReaderKeepsTemporaryFiles) {
    RenderHarness h(PageBuilder{}.embeddedBitmap({1, 1, 3, 3}, Bmp(20, 10)).bytes());
    h.files.temporary = "\\\\fileserver\\temp\\";
    EXPECT_EQ(CallsOf(h.renderScreen(), "StretchBlt").size(), 1u);
}

TEST(EmbeddedBitmap, TheTemporaryFileIsDeletedEvenWhenNothingCanBeDrawn) {
    const std::vector<std::vector<std::uint8_t>> payloads = {
        {}, {'B', 'M', 1, 2, 3}, BmpHeaders(10, 10, 7), // no such colour depth
    };
    for (const auto& payload : payloads) {
        RenderHarness h(
            PageBuilder{}.embeddedBitmap({1, 1, 3, 3}, payload).text(1, 1, 0, "next").bytes());
        const auto trace = h.renderScreen();
        EXPECT_EQ(CallsOf(trace, "LoadImage"),
                  std::vector<std::string>{"LoadImage \"C:\\\\Temp\\\\~DB00001.bmp\" -> none"});
        EXPECT_FALSE(h.files.contains(kFirstTemp));
        EXPECT_EQ(h.files.deleted, std::vector<std::string>{kFirstTemp});
        EXPECT_EQ(CallsOf(trace, "TextOut").size(), 1u);
    }
}

TEST(EmbeddedBitmap, TakesTheNextNameWhenOneIsTakenAndLeavesTheOtherFileAlone) {
    // An ordinary file, and one a directory search does not report but that exists all the
    // same (as when another viewer creates it between the search and the creation).
    for (const bool visible : {true, false}) {
        RenderHarness h(PageBuilder{}.embeddedBitmap({1, 1, 3, 3}, Bmp(20, 10)).bytes());
        h.files.add(kFirstTemp, {1, 2, 3}).hidden = !visible;
        const auto trace = h.renderScreen();
        EXPECT_EQ(CallsOf(trace, "LoadImage"),
                  std::vector<std::string>{"LoadImage \"C:\\\\Temp\\\\~DB00002.bmp\" -> bitmap 7"});
        EXPECT_EQ(h.files.bytes(kFirstTemp), (std::vector<std::uint8_t>{1, 2, 3}));
        EXPECT_EQ(h.files.deleted, std::vector<std::string>{kSecondTemp});
    }
}

TEST(EmbeddedBitmap, DrawsNothingWhenEveryTemporaryNameIsTaken) {
    RenderHarness h(
        PageBuilder{}.embeddedBitmap({1, 1, 3, 3}, Bmp(20, 10)).text(1, 1, 0, "next").bytes());
    for (int n = 1; n <= 9999; ++n) {
        std::string number = std::to_string(n);
        h.files.add("C:\\Temp\\~DB" + std::string(5 - number.size(), '0') + number + ".bmp", {});
    }
    const auto trace = h.renderScreen();
    EXPECT_TRUE(CallsOf(trace, "LoadImage").empty());
    EXPECT_TRUE(h.files.deleted.empty());
    EXPECT_EQ(CallsOf(trace, "TextOut").size(), 1u);
}

TEST(EmbeddedBitmap, ALengthBeyondThePageEndsItWithoutATemporaryFile) {
    PageBuilder page;
    page.code(12)
        .raw(std::vector<std::uint8_t>(16, 0))
        .raw(std::vector<std::uint8_t>{0xFF, 0xFF, 0xFF, 0xFF});
    page.raw(Bmp(2, 2));
    RenderHarness h(DocumentOf({page.bytes(), PageBuilder{}.bytes()}));
    h.renderScreen();
    EXPECT_TRUE(h.files.deleted.empty());
    EXPECT_FALSE(h.files.contains(kFirstTemp));
}

TEST(CreateTempFile, CreatesTheFirstFreeNameExclusively) {
    MemoryFileSystem files;
    files.temporary = "  C:\\Temp  ";
    EXPECT_EQ(CreateTempFile(files, "~DB", ".bmp"), kFirstTemp);
    EXPECT_TRUE(files.contains(kFirstTemp));
    // The name just created is taken now.
    EXPECT_EQ(CreateTempFile(files, "~DB", ".bmp"), kSecondTemp);
    files.addDirectory("C:\\Temp\\~D000001.exe");
    EXPECT_EQ(CreateTempFile(files, "~D", ".exe"), "C:\\Temp\\~D000002.exe");
    // The last of the 9999 names is still tried.
    for (int n = 3; n <= 9998; ++n) {
        const std::string number = std::to_string(n);
        files.add("C:\\Temp\\~DB" + std::string(5 - number.size(), '0') + number + ".bmp", {});
    }
    EXPECT_EQ(CreateTempFile(files, "~DB", ".bmp"), "C:\\Temp\\~DB09999.bmp");
}

} // namespace
} // namespace velk
