// E-mail and fax through a recording mapi32.dll placed beside a copy of velk.exe: what velk.exe
// hands to MAPI, read back from the DLL's log, and the fax dialog driven through its controls.
// Every message text and length rule is a row of the unit tables.

#include "resource.h"
#include "temp_folder.h"
#include "uidriver/capture.h"
#include "uidriver/controls.h"
#include "uidriver/window_search.h"
#include "velk_run.h"
#include "viewer_window.h"
#include "writer/document_writer.h"
#include "writer/page_builder.h"
#include "writer/self_extracting.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace velk_e2e {
namespace {

using ::testing::HasSubstr;
using ::testing::IsEmpty;
using Bytes = std::vector<std::uint8_t>;

constexpr const char* kTitle = "Mail Test";

vlkw::DocumentDescription Report() {
    vlkw::DocumentDescription description;
    description.title = kTitle;
    description.allowMail = 1;
    description.allowFax = 1;
    // Kept after the run (a temporary document would go), so that it can be compared.
    description.deleteOnClose = 0;
    description.pages.push_back(vlkw::PageBuilder().text(1.0f, 1.0f, 0, "Mail me").bytes());
    return description;
}

std::string ReadText(const std::string& path) {
    const Bytes bytes = ReadFileBytes(path);
    return {bytes.begin(), bytes.end()};
}

// The ~D files in the Windows temporary folder.
std::vector<std::string> TemporaryAttachments() {
    char folder[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, folder);
    std::vector<std::string> names;
    WIN32_FIND_DATAA found{};
    const HANDLE search = FindFirstFileA((std::string(folder) + "~D*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            names.emplace_back(found.cFileName);
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
    return names;
}

// Wine's load order of one DLL for velk.exe, set in Wine's registry: the overrides in the
// environment are read once, when a test program's Wine starts, not again by the programs it
// starts. Undone when it goes; Windows itself ignores the key.
class VelkDllOverride {
  public:
    explicit VelkDllOverride(std::string dll) : dll_(std::move(dll)) {}
    VelkDllOverride(const VelkDllOverride&) = delete;
    VelkDllOverride& operator=(const VelkDllOverride&) = delete;
    ~VelkDllOverride() {
        HKEY key = nullptr;
        if (RegOpenKeyExA(HKEY_CURRENT_USER, kKey, 0, KEY_SET_VALUE, &key) == ERROR_SUCCESS) {
            RegDeleteValueA(key, dll_.c_str());
            RegCloseKey(key);
        }
    }

    // "native", "builtin", or "" for none at all.
    bool set(const std::string& order) const {
        HKEY key = nullptr;
        if (RegCreateKeyExA(HKEY_CURRENT_USER, kKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key,
                            nullptr) != ERROR_SUCCESS) {
            return false;
        }
        const bool written = RegSetValueExA(key, dll_.c_str(), 0, REG_SZ,
                                            reinterpret_cast<const BYTE*>(order.c_str()),
                                            static_cast<DWORD>(order.size() + 1)) == ERROR_SUCCESS;
        RegCloseKey(key);
        return written;
    }

  private:
    static constexpr const char* kKey = "Software\\Wine\\AppDefaults\\velk.exe\\DllOverrides";
    std::string dll_;
};

// A folder with velk.exe, the recording mapi32.dll (or none) and the document.
class Mailing : public ::testing::Test {
  protected:
    enum class Library { Recording, WithoutSend, None };

    void prepare(const vlkw::DocumentDescription& description,
                 Library library = Library::Recording) {
        ASSERT_TRUE(folder.created());
        // Wine's own mapi32 answers success to everything: only ours may be loaded, or none.
        ASSERT_TRUE(mapiLoadOrder.set(library == Library::None ? "" : "native"));
        program = folder.write("velk.exe", ReadFileBytes(VelkProgram()));
        ASSERT_FALSE(program.empty());
        if (library != Library::None) {
            const char* dll = library == Library::Recording ? VELK_E2E_MAPI : VELK_E2E_MAPI_NO_SEND;
            ASSERT_FALSE(folder.write("mapi32.dll", ReadFileBytes(dll)).empty());
        }
        original = vlkw::WriteDocument(description);
        ASSERT_FALSE(folder.write("doc.vlk", original).empty());
        attachmentsBefore = TemporaryAttachments();
    }
    void control(const std::string& text) {
        ASSERT_FALSE(folder.write("mapi-control.txt", {text.begin(), text.end()}).empty());
    }

    RunEnd runSwitch(const std::string& arguments) {
        VelkRun run(program, arguments, folder.path());
        EXPECT_TRUE(run.started());
        return run.finish();
    }
    std::string log() const { return ReadText(folder.pathOf("mapi-log.txt")); }

    // The reader's document as it was, and nothing left in the temporary folder.
    void expectNothingLeft() {
        EXPECT_EQ(ReadFileBytes(folder.pathOf("doc.vlk")), original);
        EXPECT_EQ(TemporaryAttachments(), attachmentsBefore);
    }

    VelkDllOverride mapiLoadOrder{"mapi32"};
    TempFolder folder;
    std::string program;
    Bytes original;
    std::vector<std::string> attachmentsBefore;
};

TEST_F(Mailing, WithoutARecordTheComposeWindowGetsAViewerThatOpensAMarkedCopy) {
    prepare(Report());
    const RunEnd end = runSwitch("/E doc.vlk");
    EXPECT_THAT(end.messages, IsEmpty());
    EXPECT_THAT(end.closedWindows, IsEmpty());
    EXPECT_EQ(end.exitCode, 0u);
    const std::string sent = log();
    EXPECT_THAT(sent, HasSubstr("recording mapi32.dll\nMAPILogon window=0 profile=[] password=[] "
                                "flags=3"));
    EXPECT_THAT(sent, HasSubstr("flags=9"));
    EXPECT_THAT(sent, HasSubstr("subject=[]\nnote=[\\r\\n ]\n"));
    EXPECT_THAT(sent, HasSubstr("recipients=0\nfiles=1\nfile position=2"));
    EXPECT_THAT(sent, HasSubstr("name=[Mail Test.exe] copy=attachment-1"));
    EXPECT_THAT(sent, HasSubstr("MAPILogoff session=7"));
    std::cout << sent;
    expectNothingLeft();

    const Bytes viewer = ReadFileBytes(folder.pathOf("attachment-1"));
    EXPECT_EQ(viewer, vlkw::WriteSelfExtracting(ReadFileBytes(VelkProgram()),
                                                vlkw::MarkAsPassedOn(original)));
    const std::string attached = folder.write("attached.exe", viewer);
    VelkRun run(attached, "", folder.path());
    const HWND window = run.waitForWindow({uidriver::kDialogClass, kTitle});
    ASSERT_NE(window, nullptr);
    ViewerWindow opened(window);
    for (const int id : {IDT_EMAIL, IDT_FAX, IDT_SAVE}) {
        EXPECT_FALSE(opened.hasButton(id)) << id;
    }
    EXPECT_EQ(opened.close().exitCode, 0u);
}

TEST_F(Mailing, ARecordSendsAMarkedDocumentToItsRecipientsWithoutTheComposeWindow) {
    auto description = Report();
    description.mailOptions = vlkw::MailOptions(0, 0, "Work", "pw", "Ann;Bob", "ann@example.com",
                                                "Figures", "See the figures.");
    prepare(description);
    EXPECT_THAT(runSwitch("/E doc.vlk").messages, IsEmpty());
    const std::string sent = log();
    EXPECT_THAT(sent, HasSubstr("profile=[Work] password=[pw] flags=3"));
    EXPECT_THAT(sent, HasSubstr("flags=1 reserved=0\nsubject=[Figures]\n"
                                "note=[See the figures.\\r\\n ]\n"));
    EXPECT_THAT(sent, HasSubstr("recipients=2\nrecipient class=1 name=[Ann] "
                                "address=[ann@example.com]\nrecipient class=1 name=[Bob] "
                                "address=[]\n"));
    EXPECT_THAT(sent, HasSubstr("name=[Mail Test.vlk] copy=attachment-1"));
    std::cout << sent;
    EXPECT_EQ(ReadFileBytes(folder.pathOf("attachment-1")), vlkw::MarkAsPassedOn(original));
    expectNothingLeft();
}

TEST_F(Mailing, FailuresAreReportedWithTheDocumentsTitle) {
    struct Row {
        Library library;
        std::string control;
        std::vector<ShownMessage> shown;
    };
    const Row rows[] = {
        {Library::None, "", {{kTitle, "Unable to obtain mapi session handle"}}},
        {Library::Recording, "logon=0\n", {{kTitle, "Unable to obtain mapi session handle"}}},
        {Library::Recording,
         "send=2\n",
         {{kTitle, "Unable to send document. Mapi failure error = 2"}}},
        {Library::WithoutSend, "", {}},
    };
    for (const Row& row : rows) {
        prepare(Report(), row.library);
        if (!row.control.empty()) {
            control(row.control);
        }
        const RunEnd end = runSwitch("/E doc.vlk");
        EXPECT_EQ(end.messages, row.shown) << row.control;
        EXPECT_EQ(end.exitCode, 0u);
        expectNothingLeft();
        DeleteFileA(folder.pathOf("mapi-log.txt").c_str());
        DeleteFileA(folder.pathOf("mapi32.dll").c_str());
        DeleteFileA(folder.pathOf("mapi-control.txt").c_str());
    }
}

// The fax dialog of a /F run, found once it shows.
class FaxDialogRun {
  public:
    explicit FaxDialogRun(const std::string& program, const std::string& folder)
        : run_(program, "/F doc.vlk", folder) {
        dialog_ = run_.waitForWindow({uidriver::kDialogClass, "Send Fax"});
    }
    HWND dialog() const { return dialog_; }
    VelkRun& run() { return run_; }

    LRESULT listCount() const {
        return SendDlgItemMessageA(dialog_, IDC_FAX_LIST, LB_GETCOUNT, 0, 0);
    }
    // Presses a button and waits until the list holds `count` items.
    bool press(int button, LRESULT count) {
        uidriver::PressButton(dialog_, button);
        for (int waited = 0; waited < 250; ++waited) {
            if (listCount() == count) {
                return true;
            }
            Sleep(20);
        }
        return false;
    }
    // The next message box, which must be owned by the dialog, answered.
    std::optional<ShownMessage> answerOwnedMessage() {
        const HWND box = run_.waitForWindow(uidriver::kMessageBox);
        EXPECT_EQ(box != nullptr ? GetWindow(box, GW_OWNER) : nullptr, dialog_);
        return run_.answerMessage();
    }

  private:
    VelkRun run_;
    HWND dialog_ = nullptr;
};

TEST_F(Mailing, TheFaxDialogBuildsTheRecipientListItSends) {
    prepare(Report());
    FaxDialogRun fax(program, folder.path());
    ASSERT_NE(fax.dialog(), nullptr);

    uidriver::PressButton(fax.dialog(), IDC_FAX_SEND);
    EXPECT_EQ(fax.answerOwnedMessage(),
              (ShownMessage{kTitle,
                            "You must provide at least one fax recipient in order to continue."}));
    uidriver::SetControlText(fax.dialog(), IDC_FAX_NUMBER, "555 1234");
    uidriver::PressButton(fax.dialog(), IDC_FAX_ADD);
    EXPECT_EQ(fax.answerOwnedMessage(),
              (ShownMessage{kTitle, "You must provide both a name and a fax number"}));
    uidriver::SetControlText(fax.dialog(), IDC_FAX_NAME, "Ann");
    ASSERT_TRUE(fax.press(IDC_FAX_ADD, 1));
    uidriver::SetControlText(fax.dialog(), IDC_FAX_NAME, "Bob");
    ASSERT_TRUE(fax.press(IDC_FAX_ADD, 2));
    SendDlgItemMessageA(fax.dialog(), IDC_FAX_LIST, LB_SETCURSEL, 1, 0);
    ASSERT_TRUE(fax.press(IDC_FAX_REMOVE, 1));
    uidriver::SetControlText(fax.dialog(), IDC_FAX_SUBJECT, "Typed subject");
    if (const auto picture = uidriver::CaptureWindow(fax.dialog())) {
        uidriver::SaveBmp(*picture, CapturesFolder() + "\\fax-dialog.bmp");
    }
    uidriver::PressButton(fax.dialog(), IDC_FAX_SEND);
    const RunEnd end = fax.run().finish();
    EXPECT_THAT(end.messages, IsEmpty());
    EXPECT_EQ(end.exitCode, 0u);
    const std::string sent = log();
    EXPECT_THAT(sent, HasSubstr("subject=[Typed subject]\n"));
    EXPECT_THAT(sent, HasSubstr("recipients=1\nrecipient class=1 name=[FAX:Ann@555 1234] "
                                "address=[FAX:Ann@555 1234]\n"));
    std::cout << sent;
    expectNothingLeft();
}

TEST_F(Mailing, TheViewersMenuSendsMailAndFax) {
    auto description = Report();
    description.mailOptions = vlkw::MailOptions(0, 0, "", "", "Ann", "ann@example.com", "", "");
    description.faxOptions = vlkw::FaxOptions(0, "", "", "Ann@555", "", "");
    prepare(description);
    // The copy beside the recording library.
    ViewerWindow viewer("doc.vlk", folder.path(), kTitle, program);
    ASSERT_TRUE(viewer.opened());
    ASSERT_TRUE(viewer.command(IDM_EMAIL));
    ASSERT_TRUE(viewer.command(IDM_FAX));
    const RunEnd end = viewer.close();
    EXPECT_THAT(end.messages, IsEmpty());
    const std::string sent = log();
    EXPECT_THAT(sent, HasSubstr("name=[Ann] address=[ann@example.com]"));
    EXPECT_THAT(sent, HasSubstr("name=[FAX:Ann@555] address=[FAX:Ann@555]"));
}

} // namespace
} // namespace velk_e2e
