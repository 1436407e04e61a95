#include "render/recording_surface.h"
#include "render/surface.h"
#include "writer/byte_writer.h"

#include <gtest/gtest.h>

#include <tuple>

namespace velk {
namespace {

TEST(Surface, RefusesNullDeadSelectedAndForeignObjectsWithoutAskingTheBackEnd) {
    RecordingSurface recorder;
    Surface surface(recorder);
    const PenId pen = surface.createPen(kPenSolid, 1, 0);
    ASSERT_TRUE(surface.deleteObject(pen));
    const FontId font = surface.createFontIndirect(LogFont{});
    surface.selectObject(font);
    recorder.clear();

    EXPECT_EQ(surface.selectObject(PenId{}), PenId{});
    EXPECT_EQ(surface.selectObject(pen), PenId{});               // deleted
    EXPECT_EQ(surface.selectObject(BrushId{pen.id}), BrushId{}); // id of another kind
    EXPECT_EQ(surface.selectObject(FontId{99}), FontId{});       // never made
    EXPECT_FALSE(surface.deleteObject(pen));                     // twice
    EXPECT_FALSE(surface.deleteObject(kDevicePen));              // the device's own
    EXPECT_FALSE(surface.deleteObject(FontId{}));
    EXPECT_FALSE(surface.deleteObject(font)); // selected
    EXPECT_FALSE(surface.stretchBlt(0, 0, 1, 1, BitmapId{42}, 0, 0, 1, 1, kRopSourceCopy));
    EXPECT_TRUE(recorder.lines().empty());
    EXPECT_EQ(surface.selectedPen(), kDevicePen);
    surface.selectObject(kDeviceFont);
    EXPECT_TRUE(surface.deleteObject(font));
    EXPECT_EQ(surface.liveObjects(), 0u);
}

TEST(Surface, AFailedCreateGivesNoObjectAndNoIdIsUsedTwice) {
    RecordingSurface recorder;
    Surface surface(recorder);
    recorder.failCreates = true;
    EXPECT_EQ(surface.createPen(kPenSolid, 1, 0), PenId{});
    recorder.failCreates = false;
    EXPECT_EQ(surface.createPen(kPenSolid, 1, 0).id, 5u);
    EXPECT_EQ(surface.liveObjects(), 1u);
    EXPECT_EQ(recorder.lines()[0], "CreatePen style=0 width=1 colour=0x000000 -> none");
}

TEST(Surface, OnDestructionPutsTheDeviceObjectsBackAndDeletesWhatIsLeft) {
    RecordingSurface recorder;
    {
        Surface surface(recorder);
        const PenId pen = surface.createPen(kPenSolid, 1, 0);
        const BrushId brush = surface.createSolidBrush(0);
        surface.createSolidBrush(0xFFFFFF);
        surface.selectObject(pen);
        surface.selectObject(brush);
        recorder.clear();
    }
    EXPECT_EQ(recorder.lines(), (std::vector<std::string>{
                                    "SelectObject pen 1",
                                    "SelectObject brush 2",
                                    "DeleteObject pen 4",
                                    "DeleteObject brush 5",
                                    "DeleteObject brush 6",
                                }));
}

TEST(RecordingSurface, WritesTextsSoThatEveryTraceLineStaysOneLine) {
    EXPECT_EQ(TraceText("plain"), "\"plain\"");
    EXPECT_EQ(TraceText(std::string("a\"b\\c\r\n\0\xE9", 9)),
              "\"a\\\"b\\\\c\\x0D\\x0A\\x00\\xE9\"");
}

TEST(RecordingSurface, ReadsBitmapSizesFromBothHeaderForms) {
    const auto sizes = [](const BitmapInfo& i) {
        return std::tuple{i.width, i.height, i.bitsPerPixel};
    };
    // BITMAPINFOHEADER, top-down (negative height): 300 x -10, 8 bits.
    vlkw::ByteWriter info;
    info.chars("BM").bytes(std::vector<std::uint8_t>(12, 0)).int32(40).int32(300).int32(-10);
    info.int16(0).int16(8).bytes(std::vector<std::uint8_t>(24, 0));
    EXPECT_EQ(sizes(BmpHeaderInfo(info.data())), std::tuple(300, 10, 8));

    // BITMAPCOREHEADER: 16-bit sizes, 7 x 5, 4 bits.
    std::vector<std::uint8_t> core = {'B', 'M', 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
                                      0,   12,  0, 0, 0, 7, 0, 5, 0, 0, 0, 4, 0};
    EXPECT_EQ(sizes(BmpHeaderInfo(core)), std::tuple(7, 5, 4));
    core[24] = 3;
    EXPECT_EQ(BmpHeaderInfo(core).width, 0);
    core[1] = 'X';
    core[24] = 4;
    EXPECT_EQ(BmpHeaderInfo(core).width, 0);
}

} // namespace
} // namespace velk
