#include "document/document.h"
#include "mail/fax_dialog.h"
#include "mail/fax_document.h"
#include "mail/mail_document.h"
#include "support/documents.h"
#include "support/fake_mapi.h"
#include "support/recording_services.h"

#include <gtest/gtest.h>

#include <functional>

namespace velk {
namespace {

using Items = std::vector<std::string>;
constexpr const char* kDoc = testing::MailingRun::kMailedDocument;
constexpr int kDialogOk = 1;     // IDOK: Enter
constexpr int kDialogCancel = 2; // IDCANCEL: Escape

TEST(FaxRecipients, EveryItemStartsWithThePrefixOnce) {
    const std::pair<const char*, const char*> rows[] = {
        {"", "FAX:"},
        {"Ann@555", "FAX:Ann@555"},
        {"fax:Ann@555;Fax:Bob@1", "fax:Ann@555;Fax:Bob@1"},
        {"FAX:a@1;b@2;", "FAX:a@1;FAX:b@2;FAX:"},
        {" FAX:a@1", "FAX: FAX:a@1"},
    };
    for (const auto& [recipients, normalised] : rows) {
        EXPECT_EQ(NormaliseFaxRecipients(recipients), normalised) << recipients;
    }
}

// The fax dialog's window as its logic leaves it.
class FakeFaxView : public FaxDialogView {
  public:
    std::string nameBox, numberBox, subjectBox, noteBox;
    Items list;
    std::optional<int> selection;
    std::optional<FaxField> focused;
    bool closeRequested = false;
    std::optional<int> ended;

    std::string name() override { return nameBox; }
    std::string faxNumber() override { return numberBox; }
    Items recipients() override { return list; }
    void addRecipient(const std::string& item) override { list.push_back(item); }
    std::optional<int> selectedRecipient() override { return selection; }
    void removeRecipient(int item) override { list.erase(list.begin() + item); }
    void setSubject(const std::string& text) override { subjectBox = text; }
    void setNote(const std::string& text) override { noteBox = text; }
    std::string subject() override { return subjectBox; }
    std::string note() override { return noteBox; }
    void focus(FaxField field) override { focused = field; }
    void requestClose() override { closeRequested = true; }
    void endDialog(int result) override { ended = result; }
};

struct FaxDialogRun {
    FaxOptions options;
    testing::RecordingMessageBox messages;
    FaxDialog dialog{options, messages, "Quarterly Report"};
    FakeFaxView view;

    explicit FaxDialogRun(std::string recipients, std::string subject = "", std::string note = "") {
        options.recipients = std::move(recipients);
        options.subject = std::move(subject);
        options.note = std::move(note);
        dialog.onInitDialog(view);
    }
    std::string shown() const { return messages.shown.empty() ? "" : messages.shown.back().text; }
};

TEST(FaxDialog, ListsTheRecordsRecipientsWithoutTheirCapitalPrefix) {
    const std::string longItem = "FAX:" + std::string(300, 'x');
    FaxDialogRun run("FAX:Ann@1;fax:Bob@2;;FAX:  ;Cy@3;" + longItem, " Hello", "Note");
    EXPECT_EQ(run.view.list, (Items{"Ann@1", "fax:Bob@2", "Cy@3", std::string(195, 'x')}));
    EXPECT_EQ(run.view.subjectBox, " Hello");
    EXPECT_EQ(run.view.noteBox, "Note");

    FaxDialogRun empty("FAX:", "  ", "  ");
    EXPECT_TRUE(empty.view.list.empty());
    EXPECT_EQ(empty.view.subjectBox, "");
    EXPECT_EQ(empty.view.noteBox, "");
}

TEST(FaxDialog, AddNeedsBothFieldsAndPointsAtTheMissingOne) {
    const std::string both = "You must provide both a name and a fax number";
    const std::tuple<std::string, std::string, Items, std::string, std::optional<FaxField>> rows[] =
        {
            {" Ann ", " 555 1234 ", {"Ann@555 1234"}, "", std::nullopt},
            {"   ", "555", {}, both, FaxField::Name},
            {"Ann", "", {}, both, FaxField::FaxNumber},
            {"", "", {}, both, FaxField::Name},
        };
    for (const auto& [name, number, list, shown, focus] : rows) {
        FaxDialogRun run("");
        run.view.nameBox = name;
        run.view.numberBox = number;
        run.dialog.onCommand(IDC_FAX_ADD, run.view);
        EXPECT_EQ(run.view.list, list) << name;
        EXPECT_EQ(run.shown(), shown) << name;
        EXPECT_EQ(run.view.focused, focus) << name;
        EXPECT_EQ(run.view.nameBox, name);
    }
}

TEST(FaxDialog, RemoveTakesOutTheSelectedItemOnly) {
    FaxDialogRun run("a@1;b@2");
    run.dialog.onCommand(IDC_FAX_REMOVE, run.view);
    EXPECT_EQ(run.view.list, (Items{"a@1", "b@2"}));
    run.view.selection = 1;
    run.dialog.onCommand(IDC_FAX_REMOVE, run.view);
    EXPECT_EQ(run.view.list, (Items{"a@1"}));
}

TEST(FaxDialog, SendFaxWritesBackWhatTheDialogShows) {
    FaxDialogRun run("a@1;fax:b@2", "Old", "Old note");
    run.view.subjectBox = "New";
    run.view.noteBox = "New note";
    run.dialog.onCommand(IDC_FAX_SEND, run.view);
    EXPECT_EQ(run.options.recipients, "FAX:a@1;fax:b@2");
    EXPECT_EQ(run.options.subject, "New");
    EXPECT_EQ(run.options.note, "New note");
    EXPECT_TRUE(run.view.closeRequested);
    run.dialog.onClose(run.view);
    EXPECT_EQ(run.view.ended, 1);
}

TEST(FaxDialog, SendFaxWithAnEmptyListStaysOpen) {
    FaxDialogRun run("");
    run.dialog.onCommand(IDC_FAX_SEND, run.view);
    EXPECT_EQ(run.shown(), "You must provide at least one fax recipient in order to continue.");
    EXPECT_EQ(run.view.focused, FaxField::Name);
    EXPECT_FALSE(run.view.closeRequested);
    EXPECT_EQ(run.options.recipients, "");
}

TEST(FaxDialog, CancelEscapeAndTheCloseBoxEndWithoutSending) {
    for (const int command : {IDC_FAX_CANCEL, kDialogCancel}) {
        FaxDialogRun run("a@1");
        run.dialog.onCommand(command, run.view);
        EXPECT_TRUE(run.view.closeRequested) << command;
    }
    FaxDialogRun run("a@1");
    run.dialog.onCommand(kDialogOk, run.view);
    EXPECT_FALSE(run.view.closeRequested);
    run.dialog.onClose(run.view);
    EXPECT_EQ(run.view.ended, 0);
    EXPECT_EQ(run.options.recipients, "a@1");
}

// Runs the dialog's choice on the record: `edit` stands for what the reader did.
class ScriptedFaxDialog : public FaxDialogRunner {
  public:
    std::function<bool(FaxOptions&)> edit = [](FaxOptions&) { return false; };
    std::vector<std::string> shownWith; // the recipients the dialog opened with
    bool run(FaxOptions& options) override {
        shownWith.push_back(options.recipients);
        return edit(options);
    }
};

struct FaxRun : testing::MailingRun {
    ScriptedFaxDialog dialog;

    explicit FaxRun(std::optional<vlkw::OptionRecord> record)
        : MailingRun([&](vlkw::DocumentDescription& d) { d.faxOptions = record; }) {}
    void fax() {
        FaxDocument(services, dialog);
        EXPECT_EQ(files.bytes(kDoc), original);
    }
};

TEST(FaxDocument, ARecordWithRecipientsAndNoDialogSendsTheDocumentAtOnce) {
    FaxRun run(vlkw::FaxOptions(0, "fp", "pw", "Ann@5551234", "Subject", "Note"));
    run.fax();
    EXPECT_TRUE(run.dialog.shownWith.empty());
    EXPECT_EQ(run.mapi.calls,
              (Items{"load", "load", "logon [fp] [pw] 3", "send 7", "logoff 7", "unload"}));
    ASSERT_EQ(run.mapi.sent.size(), 1u);
    const MapiMessage& sent = run.mapi.sent[0];
    EXPECT_EQ(run.mapi.sentFlags, kMapiLogonUi);
    EXPECT_EQ(sent.recipients,
              (std::vector<MapiRecipient>{{kMapiTo, "FAX:Ann@5551234", "FAX:Ann@5551234"}}));
    EXPECT_EQ(sent.subject, "Subject");
    EXPECT_EQ(sent.files, (std::vector<MapiAttachment>{{6, kDoc, "Quarterly Report.vlk"}}));
    EXPECT_EQ(run.mapi.attached, std::vector<std::vector<std::uint8_t>>{run.original});
}

TEST(FaxDocument, TheDialogOpensOnTheNormalisedListAndItsChoiceIsSent) {
    const std::pair<std::optional<vlkw::OptionRecord>, std::string> rows[] = {
        {std::nullopt, "FAX:"},
        {vlkw::FaxOptions(1, "", "", "Ann@1", "", ""), "FAX:Ann@1"},
        {vlkw::FaxOptions(0, "", "", "  ", "", ""), "FAX:  "},
    };
    for (const auto& [record, shownWith] : rows) {
        FaxRun run(record);
        run.dialog.edit = [](FaxOptions& options) {
            options.recipients = "FAX:a@1;FAX:b@2";
            options.subject = "Typed";
            return true;
        };
        run.fax();
        EXPECT_EQ(run.dialog.shownWith, Items{shownWith});
        ASSERT_EQ(run.mapi.sent.size(), 1u);
        EXPECT_EQ(run.mapi.sent[0].recipients,
                  (std::vector<MapiRecipient>{{kMapiTo, "FAX:a@1", "FAX:a@1"},
                                              {kMapiTo, "FAX:b@2", "FAX:b@2"}}));
        EXPECT_EQ(run.mapi.sent[0].subject, "Typed");
    }
}

TEST(FaxDocument, CancelledDialogsAndFailuresSendNothingOrSaySo) {
    struct Row {
        const char* name;
        std::function<void(FaxRun&)> arrange;
        std::vector<std::string> calls;
        std::string shown;
    };
    const Row rows[] = {
        {"cancelled", [](FaxRun&) {}, {"load", "load", "logon [] [] 3", "logoff 7", "unload"}, ""},
        {"no session",
         [](FaxRun& r) { r.mapi.session = 0; },
         {"load", "load", "logon [] [] 3", "unload"},
         "Unable to obtain mapi session handle"},
        {"failure",
         [](FaxRun& r) {
             r.mapi.sendResult = 3;
             r.dialog.edit = [](FaxOptions& o) { return !(o.recipients = "FAX:a@1").empty(); };
         },
         {"load", "load", "logon [] [] 3", "send 7", "logoff 7", "unload"},
         "Unable to fax document. Mapi failure error = 3"},
    };
    for (const Row& row : rows) {
        FaxRun run(std::nullopt);
        row.arrange(run);
        run.fax();
        EXPECT_EQ(run.mapi.calls, row.calls) << row.name;
        EXPECT_EQ(run.messages.shown.empty() ? "" : run.messages.shown[0].text, row.shown)
            << row.name;
    }
}

} // namespace
} // namespace velk
