// Saving through the real save dialog: the copy's bytes, also inside a viewer, and what is
// refused. Every message and failure is a row of the unit tables; how a viewer copy opens is the
// mailed viewer's run.

#include "resource.h"
#include "temp_folder.h"
#include "uidriver/common_controls.h"
#include "uidriver/controls.h"
#include "viewer_window.h"
#include "writer/document_writer.h"
#include "writer/page_builder.h"
#include "writer/self_extracting.h"

#include <dlgs.h>
#include <gtest/gtest.h>

namespace velk_e2e {
namespace {

using Bytes = std::vector<std::uint8_t>;

constexpr const char* kTitle = "Save Test";

Bytes Report() {
    vlkw::DocumentDescription description;
    description.title = kTitle;
    description.allowSave = 1;
    description.allowMail = 1;
    description.allowFax = 1;
    for (const char* text : {"First page", "Second page"}) {
        description.pages.push_back(vlkw::PageBuilder().text(1.0f, 1.0f, 0, text).bytes());
    }
    return vlkw::WriteDocument(description);
}

class Saving : public ViewerTest {
  protected:
    void open() {
        ASSERT_TRUE(folder.created());
        original = Report();
        ASSERT_FALSE(folder.write("doc.vlk", original).empty());
        viewer.emplace("doc.vlk", folder.path(), kTitle);
        ASSERT_TRUE(viewer->opened());
    }

    // The save command, the name typed into the dialog and Save pressed; the overwrite prompt
    // answered Yes when one comes. Returns once the dialog has gone.
    void saveAs(const std::string& name, bool replaces = false) {
        ASSERT_TRUE(uidriver::PostCommand(viewer->window(), IDM_SAVE));
        const HWND dialog = viewer->run().waitForWindow({uidriver::kDialogClass, "Save File"});
        ASSERT_NE(dialog, nullptr);
        const HWND box = uidriver::FindChild(GetDlgItem(dialog, cmb13), "ComboBox");
        const HWND edit = uidriver::FindChild(box, "Edit");
        ASSERT_NE(edit, nullptr);
        SendMessageA(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(name.c_str()));
        ASSERT_TRUE(uidriver::PressButton(dialog, IDOK));
        if (replaces) {
            const HWND prompt = viewer->run().waitForWindow(uidriver::kMessageBox);
            ASSERT_NE(prompt, nullptr);
            ASSERT_TRUE(uidriver::PressButton(prompt, IDYES));
        }
        ASSERT_TRUE(WaitUntilGone(dialog));
        viewer->settle();
    }

    Bytes original;
};

TEST_F(Saving, ACopyIsTheOriginalWithTheTwoMarksAlsoInsideAViewer) {
    open();
    ASSERT_TRUE(folder.write("copy.vlk", {1, 2, 3}).size() > 0);
    saveAs("copy.vlk", true);
    const Bytes marked = vlkw::MarkAsPassedOn(original);
    EXPECT_EQ(ReadFileBytes(folder.pathOf("copy.vlk")), marked);
    saveAs("copy.exe");
    EXPECT_EQ(ReadFileBytes(folder.pathOf("copy.exe")),
              vlkw::WriteSelfExtracting(ReadFileBytes(VelkProgram()), marked));
    EXPECT_EQ(ReadFileBytes(folder.pathOf("doc.vlk")), original);
}

TEST_F(Saving, AnotherExtensionOrTheRunningProgramIsRefused) {
    open();
    const std::string program = VelkProgram();
    const Bytes programBytes = ReadFileBytes(program);
    saveAs("copy.txt");
    const auto refused = viewer->run().answerMessage();
    ASSERT_TRUE(refused.has_value());
    EXPECT_EQ(refused->text, "Invalid file name: " + folder.pathOf("copy.txt") +
                                 "\rFile must have an .EXE extension")
        << refused->text;
    EXPECT_FALSE(FileExists(folder.pathOf("copy.txt")));

    saveAs(program, true);
    const auto kept = viewer->run().answerMessage();
    ASSERT_TRUE(kept.has_value());
    EXPECT_EQ(kept->text,
              "Unable to overwrite output file: " + program + "\rUnable to save document");
    EXPECT_EQ(ReadFileBytes(program), programBytes);
}

} // namespace
} // namespace velk_e2e
