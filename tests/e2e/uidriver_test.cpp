// The UI driver against a window whose contents are known: every read, press and picture
// the velk.exe tests rely on, checked where a wrong answer cannot be blamed on velk.exe.

#include "fixture.h"
#include "temp_folder.h"

#include "uidriver/capture.h"
#include "uidriver/controls.h"
#include "uidriver/paths.h"
#include "uidriver/process.h"
#include "uidriver/status_bar.h"
#include "uidriver/window_search.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <windows.h>

#include <functional>

namespace velk_e2e {
namespace {

namespace fx = uidriver::fixture;
using ::testing::ElementsAre;
using ::testing::Field;

constexpr DWORD kTimeoutMs = 20000;

// The fixture started with a command line, and its main window once it shows.
struct FixtureRun {
    explicit FixtureRun(const std::string& arguments)
        : process(uidriver::Process::Start(
              uidriver::CommandLine(uidriver::WindowsPath(VELK_E2E_FIXTURE), arguments))) {
        if (process) {
            window = uidriver::WaitForWindow(*process, {"", fx::kCaption}, kTimeoutMs);
        }
    }

    std::optional<uidriver::Process> process;
    HWND window = nullptr;
};

// Posted clicks and commands take effect a moment later.
bool Eventually(const std::function<bool()>& condition) {
    const DWORD start = GetTickCount();
    while (!condition()) {
        if (GetTickCount() - start > kTimeoutMs) {
            return false;
        }
        Sleep(20);
    }
    return true;
}

std::optional<std::string> StatusPart(HWND window, int part) {
    return uidriver::StatusBarText(GetDlgItem(window, fx::kStatusBarId), part);
}

TEST(UiDriver, ReadsEachPartOfAnotherProcesssStatusBar) {
    FixtureRun run("-p  Z:\\some folder\\report.vlk");
    ASSERT_NE(run.window, nullptr);
    EXPECT_EQ(StatusPart(run.window, 0), fx::kReadyText);
    EXPECT_EQ(StatusPart(run.window, 1), "-p  Z:\\some folder\\report.vlk");
    EXPECT_EQ(uidriver::StatusBarText(nullptr, 0), std::nullopt);
}

TEST(UiDriver, TypesIntoAnEditBoxAndPressesAButton) {
    FixtureRun run("");
    ASSERT_NE(run.window, nullptr);
    ASSERT_TRUE(uidriver::SetControlText(run.window, fx::kEditId, "typed by the test"));
    EXPECT_EQ(uidriver::ControlText(run.window, fx::kEditId), "typed by the test");
    ASSERT_TRUE(uidriver::PressButton(run.window, fx::kApplyButtonId));
    EXPECT_TRUE(Eventually([&] { return StatusPart(run.window, 0) == "typed by the test"; }));
    EXPECT_FALSE(uidriver::PressButton(run.window, 999));
}

TEST(UiDriver, ReadsAndAnswersTheMessageBoxACommandOpens) {
    FixtureRun run("");
    ASSERT_NE(run.window, nullptr);
    EXPECT_FALSE(uidriver::IsMessageBox(run.window));
    ASSERT_TRUE(uidriver::PostCommand(run.window, fx::kShowMessageCommand));

    HWND box =
        uidriver::WaitForWindow(*run.process, {uidriver::kDialogClass, fx::kCaption}, kTimeoutMs);
    ASSERT_NE(box, nullptr);
    EXPECT_TRUE(uidriver::IsMessageBox(box));
    EXPECT_EQ(uidriver::MessageBoxText(box), fx::kCommandMessage);
    EXPECT_EQ(uidriver::WindowText(box), fx::kCaption);
    ASSERT_TRUE(uidriver::PressButton(box, IDOK));

    EXPECT_TRUE(Eventually(
        [&] { return uidriver::VisibleTopLevelWindows(run.process->id()).size() == 1; }));
    EXPECT_THAT(uidriver::VisibleTopLevelWindows(run.process->id()),
                ElementsAre(Field(&uidriver::WindowInfo::handle, run.window)));
}

// Client coordinates of the window inside a picture of the whole window, frame included.
POINT ClientOrigin(HWND window) {
    RECT bounds{};
    GetWindowRect(window, &bounds);
    POINT origin{0, 0};
    ClientToScreen(window, &origin);
    return {origin.x - bounds.left, origin.y - bounds.top};
}

TEST(UiDriver, CapturesTheWindowTheRightWayUp) {
    FixtureRun run("");
    ASSERT_NE(run.window, nullptr);
    const std::optional<uidriver::Image> picture = uidriver::CaptureWindow(run.window);
    ASSERT_TRUE(picture.has_value());

    RECT bounds{};
    GetWindowRect(run.window, &bounds);
    EXPECT_EQ(picture->width, bounds.right - bounds.left);
    EXPECT_EQ(picture->height, bounds.bottom - bounds.top);
    const POINT client = ClientOrigin(run.window);
    const int x = client.x + 300; // right of the controls
    EXPECT_EQ(picture->pixel(x, client.y + 5), RGB(255, 0, 0));
    EXPECT_EQ(picture->pixel(x, client.y + fx::kColourSplit - 1), RGB(255, 0, 0));
    EXPECT_EQ(picture->pixel(x, client.y + fx::kColourSplit), RGB(0, 0, 255));
    EXPECT_EQ(picture->pixel(x, client.y + fx::kColourSplit + 60), RGB(0, 0, 255));
}

TEST(UiDriver, SavesAPictureAsA24BitBmpWithTheBottomRowFirst) {
    uidriver::Image image{3, 2, {}};
    // Top row red, green, blue; bottom row white, black, grey; stored blue, green, red.
    image.pixels = {0, 0, 255, 0, 255, 0, 255, 0, 0, 255, 255, 255, 0, 0, 0, 128, 128, 128};
    TempFolder folder;
    ASSERT_TRUE(folder.created());
    const std::string path = folder.pathOf("picture.bmp");
    ASSERT_TRUE(uidriver::SaveBmp(image, path));

    const std::vector<std::uint8_t> file = ReadFileBytes(path);
    const std::size_t header = 14 + 40;
    const std::size_t rowSize = 12; // 9 bytes padded to a multiple of four
    ASSERT_EQ(file.size(), header + 2 * rowSize);
    EXPECT_EQ(file[0], 'B');
    EXPECT_EQ(file[1], 'M');
    EXPECT_EQ(file[10], header); // where the pixels start
    EXPECT_EQ(file[18], 3);      // width
    EXPECT_EQ(file[22], 2);      // height, positive: bottom row first
    EXPECT_EQ(file[28], 24);     // bits per pixel
    const std::vector<std::uint8_t> bottomRow(file.begin() + header,
                                              file.begin() + header + rowSize);
    EXPECT_THAT(bottomRow, ElementsAre(255, 255, 255, 0, 0, 0, 128, 128, 128, 0, 0, 0));
    const std::vector<std::uint8_t> topRow(file.begin() + header + rowSize, file.end());
    EXPECT_THAT(topRow, ElementsAre(0, 0, 255, 0, 255, 0, 255, 0, 0, 0, 0, 0));
}

TEST(UiDriver, PassesOnTheExitCodeOfAProgramThatWasClosed) {
    FixtureRun run("");
    ASSERT_NE(run.window, nullptr);
    EXPECT_EQ(run.process->waitForExit(0), std::nullopt);
    ASSERT_TRUE(uidriver::PostClose(run.window));
    EXPECT_EQ(run.process->waitForExit(kTimeoutMs), fx::kExitCode);
    EXPECT_FALSE(run.process->running());
}

TEST(UiDriver, KillsAProgramStillRunningWhenTheProcessObjectGoes) {
    DWORD id = 0;
    {
        FixtureRun run("");
        ASSERT_NE(run.window, nullptr);
        id = run.process->id();
    }
    uidriver::UniqueHandle process(OpenProcess(SYNCHRONIZE, FALSE, id));
    EXPECT_TRUE(!process || WaitForSingleObject(process.get(), 0) == WAIT_OBJECT_0);
}

struct PathCase {
    const char* unixPath;
    const char* windowsPath;
};

class WindowsPath : public ::testing::TestWithParam<PathCase> {};

TEST_P(WindowsPath, NamesTheLinuxRootAsDriveZ) {
    EXPECT_EQ(uidriver::WindowsPath(GetParam().unixPath), GetParam().windowsPath);
}

INSTANTIATE_TEST_SUITE_P(UiDriver, WindowsPath,
                         ::testing::Values(PathCase{"/", "Z:\\"},
                                           PathCase{"/work/build/velk.exe",
                                                    "Z:\\work\\build\\velk.exe"},
                                           PathCase{"/a b/c", "Z:\\a b\\c"},
                                           PathCase{"C:\\users\\x.vlk", "C:\\users\\x.vlk"}));

TEST(UiDriver, CommandLineQuotesTheProgramAndKeepsTheArgumentsAsTheyAre) {
    EXPECT_EQ(uidriver::CommandLine("C:\\a b\\velk.exe", ""), "\"C:\\a b\\velk.exe\"");
    EXPECT_EQ(uidriver::CommandLine("C:\\velk.exe", "  -p x.vlk "), "\"C:\\velk.exe\"   -p x.vlk ");
}

} // namespace
} // namespace velk_e2e
