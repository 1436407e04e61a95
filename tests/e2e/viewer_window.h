#pragma once

// velk.exe's main window and jump dialog as the end-to-end tests see them from outside.

#include "temp_folder.h"
#include "uidriver/in_process.h"
#include "velk_run.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace velk_e2e {

inline constexpr const char* kSampleTitle = "Northwind Lamps - Quarterly Sales Report Q3";
// Between the page number part of the status text and the index captions.
inline constexpr const char* kStatusGap = "       ";

// The sample report and the chart it names, written into `folder`; the document's name
// (velk.exe is started in the folder, where it finds the chart).
std::string WriteSampleReport(const TempFolder& folder);

// The four navigation buttons, first to last: '+' enabled, '-' greyed, '?' not on the toolbar.
// On the first page of several; inside; on the last.
inline constexpr const char* kAtFirst = "--++";
inline constexpr const char* kInside = "++++";
inline constexpr const char* kAtLast = "++--";

// A running velk.exe and its main window (DLG_MAIN).
class ViewerWindow {
  public:
    // Starts velk.exe (this build's, or `program`) with `arguments` in `folder` and waits for
    // the main window, whose caption is the document's title.
    ViewerWindow(const std::string& arguments, const std::string& folder, const std::string& title,
                 const std::string& program = VelkProgram());
    // A velk.exe that another program started, known by its main window.
    explicit ViewerWindow(HWND window);

    bool opened() const { return window_ != nullptr; }
    HWND window() const { return window_; }
    VelkRun& run() { return *run_; }

    std::string statusText() const;

    // DLG_MAIN's controls, the status bar and the toolbar; the zoom label and the two combo
    // boxes, which live on the toolbar; the progress bar inside the status bar.
    HWND control(int id) const;
    HWND progressBar() const;
    bool shows(HWND control) const;

    // Runs a menu or toolbar command and returns once it is done. Only for commands that open
    // no modal window; the others are posted (uidriver::PostCommand).
    bool command(int id) const;
    // Waits until the window has dealt with everything sent to it so far.
    void settle() const;

    std::string navigation() const;
    bool hasButton(int commandId) const;
    std::optional<std::vector<uidriver::MenuEntry>> menu() const;
    // The tooltip the window gives the toolbar for a button.
    std::optional<uidriver::ToolTipAnswer> toolTip(int commandId) const;

    // Pixels of `colour` inside the page area of a fresh capture of the window, which is also
    // written to the captures folder as `name`.bmp; -1 without a capture.
    int pagePixels(const std::string& name, COLORREF colour) const;

    // Closes the window with its close box and lets the run end.
    RunEnd close();

  private:
    std::optional<VelkRun> run_;
    HWND window_ = nullptr;
};

// The jump dialog, opened from a viewer by a command (toolbar button or menu item).
class JumpDialogWindow {
  public:
    JumpDialogWindow(ViewerWindow& viewer, int command);

    bool opened() const { return dialog_ != nullptr; }
    HWND dialog() const { return dialog_; }
    // Still on the screen.
    bool open() const;
    std::string text(int controlId) const;

    // Types into the page field and presses OK; returns when the dialog has acted on it (and,
    // when it closed, when the viewer has moved).
    void enter(const std::string& text);
    void cancel();
    // The Esc key in the page field.
    void escape();

  private:
    void waitUntilClosed();

    ViewerWindow& viewer_;
    HWND dialog_ = nullptr;
};

// A menu's popups, each as its entries' captions ("-" for a separator).
std::vector<std::vector<std::string>> MenuCaptions(const std::vector<uidriver::MenuEntry>& bar);

// Tests that drive one viewer, started in their own folder. A window still running at the end
// is closed, and must end quietly.
class ViewerTest : public ::testing::Test {
  protected:
    void TearDown() override {
        if (viewer && viewer->opened() && viewer->run().process().running()) {
            const RunEnd end = viewer->close();
            EXPECT_TRUE(end.messages.empty());
            EXPECT_EQ(end.exitCode, 0u);
        }
    }

    TempFolder folder;
    std::optional<ViewerWindow> viewer;
};

// Tests that start on the sample report.
class SampleViewerTest : public ViewerTest {
  protected:
    void SetUp() override {
        ASSERT_TRUE(folder.created());
        ASSERT_FALSE(WriteSampleReport(folder).empty());
        viewer.emplace("sample.vlk", folder.path(), kSampleTitle);
        ASSERT_TRUE(viewer->opened());
    }
};

} // namespace velk_e2e
