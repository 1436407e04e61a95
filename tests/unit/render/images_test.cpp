#include "base/ansi_text.h"
#include "base/file_names.h"
#include "render/images.h"
#include "support/render_harness.h"
#include "writer/bmp_encoder.h"
#include "writer/byte_writer.h"
#include "writer/page_builder.h"

#include <gtest/gtest.h>

#include <functional>
#include <tuple>

namespace velk {
namespace {

using testing::CallsOf;
using testing::DocumentOf;
using testing::RenderHarness;
using vlkw::PageBuilder;
using Bytes = std::vector<std::uint8_t>;
using Lines = std::vector<std::string>;

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
std::vector<std::uint8_t> BmpHeaders(std::int32_t width, std::int32_t height, std::int16_t bits) {
    vlkw::ByteWriter out;
    out.chars("BM").int32(62).int32(0).int32(62).int32(40).int32(width).int32(height).int16(1);
    return out.int16(bits).bytes(std::vector<std::uint8_t>(32, 0)).take();
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
            h.allowNetworkBitmaps = allowed;
            const auto trace = h.renderScreen();

            const bool drawn = !blocked || allowed;
            const std::string row = std::string(name) + (allowed ? " (allowed)" : "");
            EXPECT_EQ(CallsOf(trace, "StretchBlt").size(), drawn ? 1u : 0u) << row;
            if (!drawn) {
                EXPECT_TRUE(h.files.searched.empty()) << row;
                EXPECT_TRUE(CallsOf(trace, "LoadImage").empty()) << row;
            }
            EXPECT_EQ(CallsOf(trace, "TextOut").size(), 1u) << row;
            EXPECT_TRUE(h.messages.shown.empty()) << row;
        }
    }
}

TEST(BitmapFile, PrintingSendsTheBitmapAsADibWithRowsPaddedToFourBytes) {
    const std::tuple<std::int32_t, std::int32_t, std::int16_t, const char*> cases[] = {
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

// The first free temporary name holds the bitmap while it is drawn and is deleted after, also
// when nothing could be drawn; another program's file of that name is passed over and left
// alone, even one a directory search does not report. Nothing is kept between renderings.
TEST(EmbeddedBitmap, IsDrawnFromATemporaryFileThatIsThenDeleted) {
    constexpr const char* kOnServer = "\\\\fileserver\\temp\\~DB00001.bmp";
    const auto taken = [](bool hidden) {
        return [hidden](RenderHarness& h) { h.files.add(kFirstTemp, {}).hidden = hidden; };
    };
    // temp: the name drawn from, nullptr for none
    const std::tuple<const char*, Bytes, std::function<void(RenderHarness&)>, const char*, bool>
        cases[] = {
            {"drawn", Bmp(200, 100), nullptr, kFirstTemp, true},
            {"on a server", Bmp(20, 10),
             [](RenderHarness& h) { h.files.temporary = "\\\\fileserver\\temp\\"; }, kOnServer,
             true},
            {"no bytes", {}, nullptr, kFirstTemp, false},
            {"cut short", {'B', 'M', 1, 2, 3}, nullptr, kFirstTemp, false},
            {"no such colour depth", BmpHeaders(10, 10, 7), nullptr, kFirstTemp, false},
            {"first name taken", Bmp(20, 10), taken(false), kSecondTemp, true},
            {"first name taken unseen", Bmp(20, 10), taken(true), kSecondTemp, true},
            {"every name taken", Bmp(20, 10),
             [](RenderHarness& h) { testing::TakeTempNames(h.files, 1, 9999); }, nullptr, false},
        };
    for (const auto& [name, payload, arrange, temp, drawn] : cases) {
        RenderHarness h(
            PageBuilder{}.embeddedBitmap({1, 1, 3, 3}, payload).text(1, 1, 0, "next").bytes());
        if (arrange) {
            arrange(h);
        }
        const auto trace = h.renderScreen();
        const Lines loaded{"LoadImage " + TraceText(temp != nullptr ? temp : "") +
                           (drawn ? " -> bitmap 7" : " -> none")};
        EXPECT_EQ(CallsOf(trace, "LoadImage"), temp != nullptr ? loaded : Lines{}) << name;
        EXPECT_EQ(CallsOf(trace, "StretchBlt").size(), drawn ? 1u : 0u) << name;
        EXPECT_EQ(CallsOf(trace, "TextOut").size(), 1u) << name;
        const Lines deleted = temp != nullptr ? Lines{temp} : Lines{};
        EXPECT_EQ(h.files.deleted, deleted) << name;
        EXPECT_TRUE(temp == nullptr || !h.files.contains(temp)) << name;
        EXPECT_TRUE(!h.files.contains(kFirstTemp) || h.files.bytes(kFirstTemp).empty()) << name;
        h.renderPrinter();
        Lines twice = deleted;
        twice.insert(twice.end(), deleted.begin(), deleted.end());
        EXPECT_EQ(h.files.deleted, twice) << name;
    }
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

} // namespace
} // namespace velk
