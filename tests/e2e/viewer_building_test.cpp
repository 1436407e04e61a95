// Building mode against the producer simulator, a second process that writes the document
// page by page and talks to velk.exe through WM_COPYDATA. The test steps the producer one
// action at a time through a named event and reads back the viewer's window and the
// messages the producer received.

#include "resource.h"
#include "temp_folder.h"
#include "uidriver/common_controls.h"
#include "uidriver/controls.h"
#include "uidriver/paths.h"
#include "uidriver/unique_handle.h"
#include "viewer_window.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <fstream>

namespace velk_e2e {
namespace {

using ::testing::Contains;
using ::testing::ElementsAre;
using ::testing::IsEmpty;
using ::testing::Not;

constexpr const char* kTitle = "Building Test";
constexpr DWORD kPollIntervalMs = 20;

class Building : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(folder.created());
        eventName = "velk-e2e-step-" + std::to_string(GetCurrentProcessId()) + "-" +
                    std::to_string(GetTickCount());
        stepEvent.reset(CreateEventA(nullptr, FALSE, FALSE, eventName.c_str()));
        ASSERT_TRUE(stepEvent);
        logPath = folder.pathOf("producer.log");
    }
    void TearDown() override {
        if (viewer && viewer->opened() && viewer->run().process().running()) {
            viewer->close();
        }
        producer.reset();
    }

    // Starts the producer, which starts velk.exe; returns once the viewer has announced its
    // window.
    void start(const std::string& actions, const std::string& more = "") {
        const std::string arguments = "--document " + folder.pathOf("building.vlk") + " --viewer " +
                                      VelkProgram() + " --log " + logPath + " --step-event " +
                                      eventName + " --actions " + actions + " --title \"" + kTitle +
                                      "\" " + more;
        producer = uidriver::Process::Start(
            uidriver::CommandLine(uidriver::WindowsPath(VELK_E2E_PRODUCER), arguments),
            folder.path());
        ASSERT_TRUE(producer.has_value());
        const std::string attached = waitForLine("received 103 ");
        ASSERT_FALSE(attached.empty()) << ::testing::PrintToString(logLines());
        // "received 103 <cbData> <handle>"; each test checks the whole line at its end.
        viewer.emplace(reinterpret_cast<HWND>(std::stoul(attached.substr(attached.rfind(' ')))));
        ASSERT_TRUE(viewer->opened());
        EXPECT_EQ(uidriver::WindowText(viewer->window()), kTitle);
    }

    // Lets the producer do its next action and waits until it has.
    void step() {
        ++steps;
        SetEvent(stepEvent.get());
        ASSERT_FALSE(waitForLine("done " + std::to_string(steps) + " ").empty())
            << ::testing::PrintToString(logLines());
        viewer->settle();
    }

    std::vector<std::string> logLines() const {
        std::vector<std::string> lines;
        std::ifstream text(uidriver::WindowsPath(logPath), std::ios::binary);
        std::string line;
        while (std::getline(text, line)) {
            if (!line.empty() && line.back() == '\r') {
                line.pop_back();
            }
            lines.push_back(line);
        }
        return lines;
    }
    // The first log line that starts with `start`, waited for; empty when none came.
    std::string waitForLine(const std::string& start) const {
        const DWORD begin = GetTickCount();
        while (GetTickCount() - begin < kWindowTimeoutMs) {
            for (const std::string& line : logLines()) {
                if (line.rfind(start, 0) == 0) {
                    return line;
                }
            }
            Sleep(kPollIntervalMs);
        }
        return {};
    }

    // Navy pixels of the producer's pages inside the page area.
    int pagePixels() const { return viewer->pagePixels("viewer-building", RGB(0x1f, 0x3a, 0x6e)); }

    TempFolder folder;
    std::string eventName;
    uidriver::UniqueHandle stepEvent;
    std::string logPath;
    std::optional<uidriver::Process> producer;
    std::optional<ViewerWindow> viewer;
    int steps = 0;
};

// What the producer logged of the viewer's messages, in order.
std::vector<std::string> ReceivedLines(std::vector<std::string> log) {
    std::erase_if(log, [](const std::string& line) { return line.rfind("received ", 0) != 0; });
    return log;
}

// VIEWER_ATTACHED: the window's handle in decimal, sent with its terminating zero.
std::string AttachedLine(HWND window) {
    const std::string handle = std::to_string(reinterpret_cast<std::uintptr_t>(window));
    return "received 103 " + std::to_string(handle.size() + 1) + " " + handle;
}

TEST_F(Building, FollowsTheProducerPageByPageUntilTheEnd) {
    start("page,page,progress:40,page,finish", "--index 2:Middle");

    // No page yet: the building form of the status text; the index box, the progress bar
    // and the menu while building are the unit tables'.
    EXPECT_EQ(viewer->statusText(), "1 of ?  Building 1");
    EXPECT_EQ(pagePixels(), 0);

    step(); // page 1 arrives and is shown
    EXPECT_EQ(viewer->statusText(), "1 of ?  Building 2");
    EXPECT_GT(pagePixels(), 100);
    // Document commands are refused until the end (each refusal a row of the unit table).
    ASSERT_TRUE(uidriver::PostCommand(viewer->window(), IDT_PRINT));
    EXPECT_EQ(viewer->run().answerMessage(),
              (ShownMessage{kTitle, "You can't print until the document has finished building."}));

    step(); // page 2
    EXPECT_EQ(viewer->statusText(), "1 of ?  Building 3");
    EXPECT_EQ(viewer->navigation(), kAtFirst);
    ASSERT_TRUE(viewer->command(IDT_NEXT));
    EXPECT_EQ(viewer->statusText(), "2 of ?  Building 3");

    step(); // progress 40
    EXPECT_TRUE(viewer->shows(viewer->progressBar()));
    EXPECT_EQ(uidriver::ProgressPosition(viewer->progressBar()), 40);

    step(); // page 3, while page 2 is shown
    EXPECT_EQ(viewer->statusText(), "2 of ?  Building 4");

    step(); // finished
    EXPECT_EQ(viewer->statusText(), std::string("Page 2 of 3") + kStatusGap + "Middle");
    EXPECT_FALSE(viewer->shows(viewer->progressBar()));
    EXPECT_TRUE(viewer->shows(viewer->control(IDC_INDEX_BOX)));
    // The producer allows none of them: they leave the menu now.
    const auto bar = viewer->menu();
    ASSERT_TRUE(bar && !bar->empty());
    EXPECT_THAT(MenuCaptions(*bar)[0], ElementsAre("&Print", "-", "&Close"));
    ASSERT_TRUE(viewer->command(IDT_LAST));
    EXPECT_EQ(viewer->statusText(), std::string("Page 3 of 3") + kStatusGap);

    // Closing a finished document tells the producer nothing; it ends with the viewer.
    const HWND window = viewer->window();
    const RunEnd end = viewer->close();
    EXPECT_THAT(end.messages, IsEmpty());
    EXPECT_EQ(end.exitCode, 0u);
    ASSERT_EQ(producer->waitForExit(kRunTimeoutMs), 0u);
    EXPECT_THAT(ReceivedLines(logLines()), ElementsAre(AttachedLine(window)));
}

// Closed while the document is still being built, the viewer says so; the producer stops.
TEST_F(Building, ClosingWhileBuildingTellsTheProducer) {
    start("page,page,finish");
    step();
    const HWND window = viewer->window();
    const RunEnd end = viewer->close();
    EXPECT_THAT(end.messages, IsEmpty());
    EXPECT_EQ(end.exitCode, 0u);
    ASSERT_EQ(producer->waitForExit(kRunTimeoutMs), 0u);
    // The text with its terminating zero: 11 bytes.
    EXPECT_THAT(ReceivedLines(logLines()),
                ElementsAre(AttachedLine(window), "received 104 11 Dummy Info"));
    EXPECT_THAT(logLines(), Not(Contains("done 2 page")));
}

} // namespace
} // namespace velk_e2e
