#include "document/document.h"
#include "support/documents.h"
#include "support/memory_file_system.h"
#include "viewer/viewer_state.h"
#include "writer/document_writer.h"

#include <gtest/gtest.h>

namespace velk {
namespace {

TEST(PrepareViewer, TheViewerStartsOnPageOneWithTheTableAndIndexLoaded) {
    for (const bool building : {false, true}) {
        testing::OpenedDocument opened(vlkw::WriteDocument(testing::ThreePageReport()));
        ASSERT_TRUE(opened.headerMatched);
        Document& document = opened.document;
        const ViewerState state = PrepareViewer(document, building);
        EXPECT_EQ(state.currentPage, 1);
        EXPECT_EQ(state.building, building);
        // While building nothing is taken from the file's tables: pages arrive one by one.
        EXPECT_EQ(state.pageCount, building ? 0 : 3);
        EXPECT_EQ(document.pageCount, state.pageCount);
        EXPECT_EQ(document.index.size(), building ? 0u : 4u);
    }
}

} // namespace
} // namespace velk
