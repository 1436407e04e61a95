#include "viewer/building_protocol.h"
#include "viewer/main_window_ids.h"
#include "unit/viewer/viewer_fakes.h"
#include "writer/document_assembler.h"
#include "writer/page_builder.h"

#include <gtest/gtest.h>

namespace velk {
namespace {

using testing::PagesDocument;
using testing::ViewerHarness;
using Lines = std::vector<std::string>;
using Pages = std::vector<std::int32_t>;

std::vector<std::uint8_t> Page(const std::string& text) {
    return vlkw::PageBuilder{}.text(1, 1, 0, text).bytes();
}

vlkw::DocumentDescription Growing() {
    vlkw::DocumentDescription description = PagesDocument(0, {{1, "Intro"}, {3, "End"}});
    description.title = "Growing";
    description.producerWindow = 777;
    return description;
}

// The producing application: writes the document the viewer has open, page by page.
class Producer {
  public:
    Producer(File& file, vlkw::DocumentDescription description)
        : file_(file), assembler_(std::move(description)) {
        writeHeader();
    }
    void writeHeader() { file_.writeAt(0, assembler_.headerBytes()); }
    // The page's position as the producer announces it.
    std::int32_t addPage(const std::vector<std::uint8_t>& page, bool updateHeader = true) {
        const auto bytes = assembler_.placePage(page);
        const std::int32_t position = assembler_.pagePositions().back();
        file_.writeAt(position - 1, bytes);
        placed_.push_back(bytes);
        if (updateHeader) {
            writeHeader();
        }
        return position;
    }
    void finish() {
        const std::int32_t at = assembler_.nextPosition();
        file_.writeAt(at - 1, assembler_.closing());
        writeHeader();
    }
    const std::vector<std::uint8_t>& placed(std::size_t page) const { return placed_[page - 1]; }

  private:
    File& file_;
    vlkw::DocumentAssembler assembler_;
    std::vector<std::vector<std::uint8_t>> placed_;
};

// A viewer in building mode with the producer writing its document; open and showing.
struct Building {
    ViewerHarness h;
    Producer producer;

    explicit Building(vlkw::DocumentDescription description = Growing())
        : h(description, true), producer(*h.document.file, description) {
        h.open();
    }
    void announce(std::int32_t position) {
        h.window->onCopyData(kBuildPageAdded, std::to_string(position));
    }
    std::int32_t add(const std::string& text) {
        const std::int32_t position = producer.addPage(Page(text));
        announce(position);
        return position;
    }
};

struct BuildingFixture : ::testing::Test, Building {};

TEST(BuildingProtocol, TheFirstPageIsShownAsSoonAsItArrives) {
    for (const std::int32_t shown : {0, 1}) {
        Building f;
        f.h.state.currentPage = shown;
        f.add("first");
        EXPECT_EQ(f.h.state.pageCount, 1);
        EXPECT_EQ(f.h.state.currentPage, 1);
        EXPECT_EQ(f.h.document.loadedPageNumber, 1);
        EXPECT_EQ(f.h.document.loadedPage, f.producer.placed(1));
        EXPECT_EQ(f.h.renderer.pages, Pages{1});
        EXPECT_EQ(f.h.view.statusText, "1 of ?  Building 2");
        EXPECT_EQ(f.h.view.navigation, (NavigationStates{false, false, false, false}));
    }
}

TEST(BuildingProtocol, OnlyTheLastTwoPagesAreDrawnAgainWhenAPageArrives) {
    const std::pair<std::int32_t, bool> cases[] = {{4, true}, {3, false}, {1, false}, {5, true}};
    for (const auto& [shown, drawn] : cases) {
        Building f;
        for (int page = 1; page <= 4; ++page) {
            f.add("page " + std::to_string(page));
        }
        f.h.state.currentPage = shown;
        f.h.view.setNavigation({});
        f.h.clearLogs();
        f.add("page 5");
        EXPECT_EQ(f.h.state.currentPage, shown);
        EXPECT_EQ(f.h.view.statusText, std::to_string(shown) + " of ?  Building 6") << shown;
        EXPECT_EQ(f.h.view.navigation,
                  (NavigationStates{shown > 1, shown > 1, shown < 5, shown < 5}));
        EXPECT_EQ(f.h.renderer.pages, drawn ? Pages{shown} : Pages{}) << shown;
        EXPECT_EQ(f.h.document.loadedPageNumber, drawn ? shown : 1) << shown;
        EXPECT_EQ(f.h.view.cursorChanges, (drawn ? Lines{"Wait", "Arrow"} : Lines{})) << shown;
    }
}

TEST_F(BuildingFixture, APageAnnouncedBeforeTheHeaderCaughtUpIsReadAgainLater) {
    // The header still ends the document where page 1 starts: the page reads as empty.
    announce(producer.addPage(Page("early"), false));
    EXPECT_EQ(h.document.loadedPageNumber, 1);
    EXPECT_TRUE(h.document.loadedPage.empty());
    // Page 2 arrives with an up-to-date header; page 1, now next-to-last, is read in full.
    add("second");
    EXPECT_EQ(h.document.loadedPage, producer.placed(1));
    EXPECT_EQ(h.renderer.pages, (Pages{1, 1}));
}

TEST_F(BuildingFixture, TheEndOfBuildingShowsTheLastPageWhenTheReaderWasBeyondIt) {
    for (int page = 1; page <= 3; ++page) {
        add("page " + std::to_string(page));
    }
    h.window->onCopyData(kBuildProgress, "60");
    producer.finish();
    h.state.currentPage = 9;
    h.clearLogs();
    h.window->onCopyData(kBuildFinished, "");
    EXPECT_EQ(h.view.removedMenuItems, (std::vector<int>{708, 709, 710}));
    // A second end of building leaves one copy of the index.
    h.window->onCopyData(kBuildFinished, "");

    EXPECT_FALSE(h.state.building);
    EXPECT_EQ(h.state.currentPage, 3);
    EXPECT_EQ(h.document.loadedPageNumber, 3);
    EXPECT_EQ(h.view.progress, std::nullopt);
    EXPECT_EQ(h.view.indexBox.items.size(), 3u);
    EXPECT_EQ(h.view.navigation, (NavigationStates{true, true, false, false}));
    // The page is drawn once the window shows its new state.
    EXPECT_EQ(h.renderer.statusSeen, (Lines{"Page 3 of 3       End", "Page 3 of 3       End"}));

    // Print works from now on, and pages announced after the end are handled the same way.
    h.window->onCommand(kMenuPrint, 0);
    EXPECT_EQ(h.actions.calls, Lines{"print"});
    h.clearLogs();
    announce(999);
    EXPECT_EQ(h.state.pageCount, 4);
    EXPECT_EQ(h.document.pageCount, 4);
    EXPECT_EQ(h.document.pageTable.back(), 999);
    EXPECT_EQ(h.renderer.pages, Pages{3});
    EXPECT_EQ(h.view.statusText, "Page 3 of 4       End");
}

TEST_F(BuildingFixture, PositionsAreReadLenientlyUpToTheTerminatingZero) {
    const std::pair<std::string, std::int32_t> cases[] = {
        {"261", 261}, {" 300.9", 300}, {"abc", 0}, {std::string("512\0 7", 6), 512},
        {"", 0},      {"-4", -4}};
    for (const auto& [text, position] : cases) {
        h.window->onCopyData(kBuildPageAdded, text);
        EXPECT_EQ(h.document.pageTable.back(), position) << text;
    }
    EXPECT_EQ(h.state.pageCount, 6);
}

TEST_F(BuildingFixture, ProgressIsShownAndLimited) {
    const std::pair<const char*, int> cases[] = {{"150", 100}, {"-3", 0},    {"42.9", 42},
                                                 {" 7%", 7},   {"100", 100}, {"0", 0}};
    for (const auto& [text, position] : cases) {
        h.view.showProgress(std::nullopt);
        h.window->onCopyData(kBuildProgress, text);
        EXPECT_EQ(h.view.progress, position) << text;
    }
}

TEST_F(BuildingFixture, OtherCodesAreIgnored) {
    for (const std::uint32_t code : {0u, 99u, kViewerAttached, kViewerClosing, 105u}) {
        h.window->onCopyData(code, "5");
    }
    EXPECT_EQ(h.state.pagesReceived, 0);
    EXPECT_TRUE(h.state.building);
    EXPECT_EQ(h.view.progress, std::nullopt);
    EXPECT_TRUE(h.renderer.pages.empty());
}

// A mail block written at the end offers e-mail; a passed-on copy does not regain what
// start-up took away, neither while building nor at the end.
TEST(BuildingPermissions, TheFinishedHeaderDecidesWithinTheCopyRestrictions) {
    for (const bool forwarded : {false, true}) {
        vlkw::DocumentDescription description = Growing();
        description.forwardedCopy = forwarded ? 1 : 0;
        description.allowMail = forwarded ? vlkw::kMailAllowed : 0;
        description.allowSave = forwarded ? vlkw::kSaveAllowed : 0;
        description.mailOptions = vlkw::MailOptions(0, 0, "", "", "ann", "ann@x", "Report", "");
        Building f(description);
        auto& h = f.h;
        f.add("one");
        EXPECT_EQ(h.document.header.allowSave, 0) << forwarded;
        f.producer.finish();
        h.window->onCopyData(kBuildFinished, "");
        EXPECT_EQ(h.document.header.allowMail != 0, !forwarded);
        EXPECT_EQ(h.document.header.allowSave, 0) << forwarded;
        const std::vector<int> removed =
            forwarded ? std::vector<int>{708, 709, 710} : std::vector<int>{709, 710};
        EXPECT_EQ(h.view.removedMenuItems, removed);
    }
}

} // namespace
} // namespace velk
