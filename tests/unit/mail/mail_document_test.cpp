#include "document/document.h"
#include "mail/mail_document.h"
#include "mail/mapi_session.h"
#include "support/documents.h"
#include "support/fake_mapi.h"
#include "support/recording_services.h"
#include "writer/self_extracting.h"

#include <gtest/gtest.h>

namespace velk {
namespace {

using Calls = std::vector<std::string>;
using Bytes = std::vector<std::uint8_t>;

constexpr const char* kDoc = testing::MailingRun::kMailedDocument;

MailContent Content(std::string note, std::vector<MailAttachment> attachments) {
    MailContent content;
    content.note = std::move(note);
    content.attachments = std::move(attachments);
    return content;
}

TEST(MapiMessage, NoteEndsWithALineEndAndABlankOnWhichEachAttachmentSits) {
    testing::MemoryFileSystem files;
    files.add("C:\\a.vlk", {1});
    files.add("C:\\b;c.exe", {2});
    const LocalTime time{1998, 6, 15, 14, 5, 9};
    struct Row {
        std::string note;
        std::vector<MailAttachment> attachments;
        std::string noteText;
        std::vector<MapiAttachment> files;
    };
    const Row rows[] = {
        {"  Hello  ", {}, "Hello\r\n", {}},
        {"", {{"C:\\a.vlk", "Report.vlk"}}, "\r\n ", {{2, "C:\\a.vlk", "Report.vlk"}}},
        {"Hi",
         {{"C:\\a.vlk", "A"}, {"C:\\b;c.exe", "B;C"}},
         "Hi\r\n  ",
         {{4, "C:\\a.vlk", "A"}, {5, "C:\\b;c.exe", "B;C"}}},
        // A file that cannot be found is left out; its blank stays.
        {"Hi", {{"C:\\gone.vlk", "A"}, {"C:\\a.vlk", "B"}}, "Hi\r\n  ", {{5, "C:\\a.vlk", "B"}}},
    };
    for (const Row& row : rows) {
        const MapiMessage message =
            BuildMapiMessage(files, Content(row.note, row.attachments), time);
        EXPECT_EQ(message.noteText, row.noteText) << row.note;
        EXPECT_EQ(message.files, row.files) << row.note;
        EXPECT_EQ(message.dateReceived, "06-15-1998 14:05:09");
    }
    EXPECT_EQ(MapiDate({2026, 12, 7, 0, 0, 0}), "12-07-2026 00:00:00");
}

TEST(MapiMessage, RecipientsPairNamesWithAddressesItemByItem) {
    testing::MemoryFileSystem files;
    const std::tuple<std::string, std::string, std::vector<MapiRecipient>> rows[] = {
        {"Ann;Bob", "ann@x;bob@x", {{kMapiTo, "Ann", "ann@x"}, {kMapiTo, "Bob", "bob@x"}}},
        {"Ann;Bob", "ann@x", {{kMapiTo, "Ann", "ann@x"}, {kMapiTo, "Bob", ""}}},
        {" Ann;;", "a;b;c;d", {{kMapiTo, " Ann", "a"}, {kMapiTo, "", "b"}, {kMapiTo, "", "c"}}},
        {"   ", "ann@x", {}},
    };
    for (const auto& [names, addresses, recipients] : rows) {
        MailContent content;
        content.recipientNames = names;
        content.recipientAddresses = addresses;
        EXPECT_EQ(BuildMapiMessage(files, content, {}).recipients, recipients) << names;
    }
}

TEST(MapiMessage, TextsAreCutToMapisLengthsAndTheNoteKeepsItsEnd) {
    testing::MemoryFileSystem files;
    files.add("C:\\a.vlk", {1});
    MailContent content = Content(std::string(40000, 'n'), {{"C:\\a.vlk", std::string(120, 'd')}});
    content.subject = std::string(1200, 's');
    content.recipientNames = std::string(300, 'r');
    content.recipientAddresses = std::string(300, 'a');
    const MapiMessage message = BuildMapiMessage(files, content, {});
    EXPECT_EQ(message.subject.size(), 999u);
    ASSERT_EQ(message.noteText.size(), 32767u);
    EXPECT_EQ(message.noteText.substr(32764), "\r\n ");
    ASSERT_EQ(message.files.size(), 1u);
    EXPECT_EQ(message.files[0].position, 32766);
    EXPECT_EQ(message.files[0].fileName.size(), 99u);
    EXPECT_EQ(message.recipients[0].name.size(), 299u);
    EXPECT_EQ(message.recipients[0].address.size(), 299u);
}

TEST(AttachmentName, KeepsItsExtensionWithinTheDisplayNameLength) {
    EXPECT_EQ(AttachmentName("  Quarterly Report   ", ".vlk"), "Quarterly Report.vlk");
    EXPECT_EQ(AttachmentName(std::string("Report\0junk", 11), ".exe"), "Report.exe");
    const std::string longName = AttachmentName(std::string(120, 't'), ".exe");
    EXPECT_EQ(longName, std::string(95, 't') + ".exe");
}

TEST(MapiFailure, SuccessAndCancelAreSilentOtherCodesAreSignedNumbers) {
    EXPECT_EQ(MapiFailureText("E =", kMapiSuccess), "");
    EXPECT_EQ(MapiFailureText("E =", kMapiUserAbort), "");
    EXPECT_EQ(MapiFailureText("E =", 2), "E = 2");
    EXPECT_EQ(MapiFailureText("E =", 0xFFFFFFFFu), "E =-1");
}

// A temporary document, with the report's mail record or a changed one.
struct MailRun : testing::MailingRun {
    Bytes stub = Bytes(3000, 0x90);

    explicit MailRun(std::optional<vlkw::OptionRecord> record)
        : MailingRun([&](vlkw::DocumentDescription& d) {
              d.mailOptions = record;
              d.deleteOnClose = 1;
          }) {
        files.add(files.executable, stub);
    }

    // The reader's document as it was, and nothing of the run left in the temporary folder.
    void expectNothingChanged() {
        EXPECT_EQ(files.bytes(kDoc), original);
        EXPECT_TRUE(files.findFiles("C:\\Temp\\~D*").empty());
    }
};

vlkw::OptionRecord Record(std::int32_t showDialog, std::int32_t attachAsViewer,
                          std::string names = "Ann;Bob", std::string addresses = "ann@x;bob@x") {
    return vlkw::MailOptions(showDialog, attachAsViewer, " profile ", "secret", names, addresses,
                             "Report", " Please read. ");
}

TEST(MailDocument, WithoutARecordTheComposeWindowGetsAViewerOfAMarkedCopy) {
    MailRun run(std::nullopt);
    MailDocument(run.services);
    EXPECT_EQ(run.mapi.calls,
              (Calls{"load", "load", "logon [] [] 3", "send 7", "logoff 7", "unload"}));
    ASSERT_EQ(run.mapi.sent.size(), 1u);
    const MapiMessage& sent = run.mapi.sent[0];
    EXPECT_EQ(run.mapi.sentFlags, kMapiLogonUi | kMapiDialog);
    EXPECT_TRUE(sent.recipients.empty());
    EXPECT_EQ(sent.subject, "");
    EXPECT_EQ(sent.noteText, "\r\n ");
    EXPECT_EQ(sent.files,
              (std::vector<MapiAttachment>{{2, "C:\\Temp\\~D000001.exe", "Quarterly Report.exe"}}));
    EXPECT_EQ(run.mapi.attached, std::vector<Bytes>{vlkw::WriteSelfExtracting(
                                     run.stub, vlkw::MarkAsPassedOn(run.original))});
    EXPECT_TRUE(run.messages.texts().empty());
    run.expectNothingChanged();
}

TEST(MailDocument, ARecordThatAsksForTheDocumentSendsAMarkedCopyToItsRecipients) {
    MailRun run(Record(0, 0));
    MailDocument(run.services);
    EXPECT_EQ(run.mapi.calls, (Calls{"load", "load", "logon [profile] [secret] 3", "send 7",
                                     "logoff 7", "unload"}));
    ASSERT_EQ(run.mapi.sent.size(), 1u);
    const MapiMessage& sent = run.mapi.sent[0];
    EXPECT_EQ(run.mapi.sentFlags, kMapiLogonUi);
    EXPECT_EQ(sent.recipients,
              (std::vector<MapiRecipient>{{kMapiTo, "Ann", "ann@x"}, {kMapiTo, "Bob", "bob@x"}}));
    EXPECT_EQ(sent.subject, "Report");
    EXPECT_EQ(sent.noteText, "Please read.\r\n ");
    EXPECT_EQ(sent.files, (std::vector<MapiAttachment>{
                              {14, "C:\\Temp\\~D000001.vlk", "Quarterly Report.vlk"}}));
    EXPECT_EQ(run.mapi.attached, std::vector<Bytes>{vlkw::MarkAsPassedOn(run.original)});
    run.expectNothingChanged();
}

TEST(MailDocument, TheComposeWindowShowsUnlessTheRecordNamesRecipientsAndDeclinesIt) {
    const std::pair<vlkw::OptionRecord, std::uint32_t> rows[] = {
        {Record(0, 1), kMapiLogonUi},
        {Record(1, 1), kMapiLogonUi | kMapiDialog},
        {Record(0, 1, "  ", "ann@x"), kMapiLogonUi | kMapiDialog},
        {Record(0, 1, "Ann", ""), kMapiLogonUi | kMapiDialog},
    };
    for (const auto& [record, flags] : rows) {
        MailRun run(record);
        MailDocument(run.services);
        EXPECT_EQ(run.mapi.sentFlags, flags) << record.texts[2];
    }
}

TEST(MailDocument, EveryFailureIsReportedAndLeavesNothingBehind) {
    struct Row {
        const char* name;
        std::function<void(MailRun&)> arrange;
        std::vector<std::string> shown;
        bool loggedOff;
    };
    const std::string noSession = "Unable to obtain mapi session handle";
    const std::string failed = "Unable to send document. Mapi failure error =";
    const Row rows[] = {
        {"no library", [](MailRun& r) { r.mapi.loadable = false; }, {noSession}, false},
        {"no MAPILogon", [](MailRun& r) { r.mapi.hasLogon = false; }, {noSession}, false},
        {"logon refused", [](MailRun& r) { r.mapi.session = 0; }, {noSession}, false},
        {"no MAPISendMail", [](MailRun& r) { r.mapi.hasSend = false; }, {}, true},
        {"cancelled", [](MailRun& r) { r.mapi.sendResult = kMapiUserAbort; }, {}, true},
        {"failure 2", [](MailRun& r) { r.mapi.sendResult = 2; }, {failed + " 2"}, true},
        {"no stub",
         [](MailRun& r) { r.files.executable = "C:\\gone.exe"; },
         {"Can't creating self extracting viewer file as email attachment. Status =-1"},
         false},
    };
    for (const Row& row : rows) {
        MailRun run(Record(0, 1));
        row.arrange(run);
        MailDocument(run.services);
        EXPECT_EQ(run.messages.texts(), row.shown) << row.name;
        EXPECT_EQ(std::count(run.mapi.calls.begin(), run.mapi.calls.end(), "logoff 7"),
                  row.loggedOff ? 1 : 0)
            << row.name;
        run.expectNothingChanged();
    }
}

TEST(MailDocument, ACopyThatCannotBeWrittenIsNotSent) {
    MailRun run(Record(0, 0));
    run.files.add(kDoc, run.original).unopenable = true;
    MailDocument(run.services);
    EXPECT_EQ(run.messages.texts(),
              std::vector<std::string>{"Unable to create vlk attachment. Can't write "
                                       "temp .vlk file for sending."});
    EXPECT_TRUE(run.mapi.calls.empty());
    run.expectNothingChanged();
}

TEST(MailDocument, AnotherProgramsTemporaryFileIsPassedOverAndSurvives) {
    for (const int attachAsViewer : {0, 1}) {
        MailRun run(Record(0, attachAsViewer));
        const std::string taken =
            std::string("C:\\Temp\\~D000001") + (attachAsViewer != 0 ? ".exe" : ".vlk");
        run.files.add(taken, {42});
        MailDocument(run.services);
        ASSERT_EQ(run.mapi.sent.size(), 1u);
        EXPECT_NE(run.mapi.sent[0].files.at(0).pathName, taken);
        EXPECT_EQ(run.files.bytes(taken), Bytes{42});
        EXPECT_EQ(run.files.findFiles("C:\\Temp\\~D*").size(), 1u);
    }
}

} // namespace
} // namespace velk
