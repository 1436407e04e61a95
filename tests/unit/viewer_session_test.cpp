#include "document/document.h"
#include "startup/command_line.h"
#include "support/documents.h"
#include "startup/batch_action.h"
#include "document/permissions.h"
#include "viewer/viewer_state.h"
#include "viewer/dialog_font.h"
#include "writer/document_writer.h"

#include <gtest/gtest.h>

namespace velk {
namespace {

TEST(ViewerSession, PrintWinsOverMailAndMailOverFax) {
    const struct {
        bool print;
        bool mail;
        bool fax;
        BatchAction expected;
    } cases[] = {
        {false, false, false, BatchAction::None}, {true, true, true, BatchAction::Print},
        {false, true, true, BatchAction::EMail},  {false, false, true, BatchAction::Fax},
        {true, false, false, BatchAction::Print},
    };
    for (const auto& c : cases) {
        StartupRequest request;
        request.printRequested = c.print;
        request.mailRequested = c.mail;
        request.faxRequested = c.fax;
        EXPECT_EQ(ChooseBatchAction(request), c.expected) << c.print << c.mail << c.fax;
    }
}

TEST(ViewerSession, TheViewerStartsOnPageOneWithTheTableAndIndexLoaded) {
    for (const bool building : {false, true}) {
        testing::MemoryFileSystem files;
        files.add("C:\\r.vlk", vlkw::WriteDocument(testing::ThreePageReport()));
        Document document;
        ASSERT_TRUE(document.open(files, "C:\\r.vlk", 0));
        ASSERT_TRUE(document.readHeader());
        const ViewerState state = PrepareViewer(document, building);
        EXPECT_EQ(state.currentPage, 1);
        EXPECT_EQ(state.building, building);
        // While building nothing is taken from the file's tables: pages arrive one by one.
        EXPECT_EQ(state.pageCount, building ? 0 : 3);
        EXPECT_EQ(document.pageCount, state.pageCount);
        EXPECT_EQ(document.index.size(), building ? 0u : 4u);
    }
}

TEST(ViewerSession, TheDialogFontIsNinePointMsSansSerif) {
    EXPECT_EQ(DialogFontDescription(96), (LogFont{.height = -12, .faceName = "MS Sans Serif"}));
    EXPECT_EQ(DialogFontDescription(120).height, -15);
}

TEST(ViewerSession, CopiesInsideAViewerOrPassedOnLoseMailFaxAndSave) {
    const struct {
        std::int32_t base;
        std::int32_t forwarded;
        bool kept;
    } cases[] = {{0, 0, true}, {4096, 0, false}, {0, 1, false}, {4096, 1, false}};
    for (const auto& c : cases) {
        DocumentHeader header;
        header.allowMail = 4;
        header.allowFax = 2;
        header.allowSave = 8;
        header.forwardedCopy = c.forwarded;
        ApplyCopyRestrictions(header, c.base);
        EXPECT_EQ(header.allowMail != 0 && header.allowFax != 0 && header.allowSave != 0, c.kept)
            << c.base << " " << c.forwarded;
        EXPECT_EQ(header.allowMail == 0 && header.allowFax == 0 && header.allowSave == 0, !c.kept);
    }
}

} // namespace
} // namespace velk
