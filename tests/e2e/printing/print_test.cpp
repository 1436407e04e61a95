// velk.exe printing to a real spooler: CUPS with a PDF queue behind Wine's PostScript driver.
// The pages that come out are read back with the poppler tools.

#include "print_queue.h"
#include "resource.h"
#include "temp_folder.h"
#include "uidriver/controls.h"
#include "viewer_window.h"
#include "writer/document_writer.h"
#include "writer/page_builder.h"

#include <dlgs.h>
#include <gtest/gtest.h>

namespace velk_e2e {
namespace {

constexpr const char* kTitle = "Print Test";
constexpr const char* kPrintDialogCaption = "Print";

std::vector<std::string> PageTexts(int first, int last) {
    std::vector<std::string> texts;
    for (int page = first; page <= last; ++page) {
        texts.push_back("Page " + std::to_string(page));
    }
    return texts;
}

vlkw::DocumentDescription Pages(int count) {
    vlkw::DocumentDescription description;
    description.title = kTitle;
    for (const std::string& text : PageTexts(1, count)) {
        description.pages.push_back(vlkw::PageBuilder()
                                        .font(vlkw::kBold, 20.0f, vlkw::Rgb(0, 0, 0), "Arial")
                                        .text(1.0f, 1.0f, vlkw::kAlignLeft, text)
                                        .bytes());
    }
    return description;
}

class Printing : public ::testing::Test {
  protected:
    void SetUp() override {
        if (const std::string reason = PrintQueue::unavailableReason(); !reason.empty()) {
            GTEST_SKIP() << "no print queue: " << reason;
        }
        ASSERT_TRUE(folder.created());
        ASSERT_TRUE(queue.clear());
    }

    void writeDocument(const vlkw::DocumentDescription& description) {
        ASSERT_FALSE(folder.write("doc.vlk", vlkw::WriteDocument(description)).empty());
    }

    // The print dialog of `run`, its range and copies filled in, and its Print button pressed;
    // returns once the dialog has gone.
    static void printRange(VelkRun& run, int from, int to, int copies) {
        const HWND dialog = run.waitForWindow({uidriver::kDialogClass, kPrintDialogCaption});
        ASSERT_NE(dialog, nullptr);
        ASSERT_TRUE(uidriver::SetControlText(dialog, edt1, std::to_string(from)));
        ASSERT_TRUE(uidriver::SetControlText(dialog, edt2, std::to_string(to)));
        ASSERT_TRUE(uidriver::SetControlText(dialog, edt3, std::to_string(copies)));
        ASSERT_TRUE(uidriver::PressButton(dialog, rad3));
        ASSERT_TRUE(uidriver::PressButton(dialog, IDOK));
        ASSERT_TRUE(WaitUntilGone(dialog));
    }

    TempFolder folder;
    PrintQueue queue;
};

TEST_F(Printing, PrintAllPrintsEveryPageInOrderWithoutADialog) {
    writeDocument(Pages(5));
    VelkRun run(VelkProgram(), "-PA doc.vlk", folder.path());
    const RunEnd end = run.finish();
    EXPECT_EQ(end.exitCode, 0u);
    EXPECT_TRUE(end.messages.empty());
    EXPECT_TRUE(end.closedWindows.empty());

    const auto printed = queue.drain();
    ASSERT_EQ(printed.size(), 1u);
    EXPECT_EQ(printed[0].pages, 5);
    EXPECT_EQ(printed[0].pageTexts, PageTexts(1, 5));
}

TEST_F(Printing, TheDialogsRangeAndCopiesComeOutCollatedInOneJob) {
    writeDocument(Pages(5));
    VelkRun run(VelkProgram(), "/P doc.vlk", folder.path());
    printRange(run, 2, 4, 2);
    const RunEnd end = run.finish();
    EXPECT_EQ(end.exitCode, 0u);
    EXPECT_TRUE(end.messages.empty());

    const auto printed = queue.drain();
    ASSERT_EQ(printed.size(), 1u);
    EXPECT_EQ(printed[0].pages, 6);
    std::vector<std::string> expected = PageTexts(2, 4);
    const std::vector<std::string> secondCopy = expected;
    expected.insert(expected.end(), secondCopy.begin(), secondCopy.end());
    EXPECT_EQ(printed[0].pageTexts, expected);
}

TEST_F(Printing, PrintingFromTheMenuLeavesTheStatusBarAsItWas) {
    writeDocument(Pages(3));
    ViewerWindow viewer("doc.vlk", folder.path(), kTitle);
    ASSERT_TRUE(viewer.opened());
    ASSERT_TRUE(viewer.command(IDT_NEXT));
    const std::string status = viewer.statusText();
    EXPECT_EQ(status, std::string("Page 2 of 3") + kStatusGap);

    ASSERT_TRUE(uidriver::PostCommand(viewer.window(), IDM_PRINT));
    printRange(viewer.run(), 1, 3, 1);
    // The job runs on the window's thread: once the window answers, it has been spooled.
    viewer.settle();
    const auto printed = queue.drain();
    EXPECT_EQ(viewer.statusText(), status);
    ASSERT_EQ(printed.size(), 1u);
    EXPECT_EQ(printed[0].pageTexts, PageTexts(1, 3));

    const RunEnd end = viewer.close();
    EXPECT_EQ(end.exitCode, 0u);
    EXPECT_TRUE(end.messages.empty());
}

TEST_F(Printing, WithoutAPrinterTheReaderIsToldAndTheRunEndsWithSix) {
    writeDocument(Pages(1));
    ASSERT_TRUE(queue.remove());
    VelkRun run(VelkProgram(), "-PA doc.vlk", folder.path());
    const RunEnd end = run.finish();
    const bool restored = queue.restore();
    EXPECT_EQ(end.exitCode, 6u);
    EXPECT_EQ(end.messages,
              (std::vector<ShownMessage>{
                  {kTitle, "In order to print, a default printer must be defined."}}));
    ASSERT_TRUE(restored);
}

} // namespace
} // namespace velk_e2e
