#include "startup/startup.h"
#include "support/documents.h"
#include "support/recording_services.h"

#include <gtest/gtest.h>

namespace velk {
namespace {

using testing::MemoryFileSystem;
using testing::ShownMessage;

constexpr const char* kDoc = "C:\\docs\\report.vlk";
const std::string kProgram = "velk Print and Preview";
const std::string kRegister = "RegisterExtension";
const std::string kIsRegistered = "IsExtensionRegistered";

struct StartupRun {
    MemoryFileSystem files;
    testing::RecordingMessageBox box;
    testing::ScriptedOpenDialog dialog;
    testing::RecordingRegistration registration;
    testing::ScriptedPassword password;
    testing::RecordingViewer viewer;
    StartupServices services{files, box, dialog, registration, password, viewer};

    StartupOutcome operator()(const std::string& commandLine) {
        return RunStartup(commandLine, services);
    }
    void addDocument(const vlkw::DocumentDescription& d) {
        files.add(kDoc, vlkw::WriteDocument(d));
    }
};

TEST(Startup, AFileNotFoundOrNotOpenedIsReportedWithTheNameAsGiven) {
    const struct {
        const char* line;
        StartupOutcome outcome;
        std::string message;
    } cases[] = {
        {"  C:\\docs\\missing.vlk  ", StartupOutcome::NotFound,
         "Unable to locate file: C:\\docs\\missing.vlk"},
        {"C:\\hidden.vlk", StartupOutcome::NotFound, "Unable to locate file: C:\\hidden.vlk"},
        {kDoc, StartupOutcome::OpenFailed, std::string("Unable to open file: ") + kDoc},
    };
    for (const auto& c : cases) {
        StartupRun run;
        run.files.add("C:\\hidden.vlk", vlkw::WriteDocument(testing::ThreePageReport())).hidden =
            true;
        run.files.add(kDoc, vlkw::WriteDocument(testing::ThreePageReport())).unopenable = true;
        EXPECT_EQ(run(c.line), c.outcome) << c.line;
        EXPECT_EQ(run.box.shown, (std::vector<ShownMessage>{{c.message, kProgram, 0x40}}));
        EXPECT_EQ(run.viewer.runs, 0);
    }
}

// Only the mark is checked, and what the file lacks reads as zeros; a file with a wrong mark
// is invalid and never deleted, whatever its header says.
TEST(Startup, WrongMarkIsAnInvalidFileThatIsNeverDeleted) {
    auto description = testing::ThreePageReport();
    description.deleteOnClose = 1;
    description.overrides.header = [](vlkw::HeaderFields& h) { h.magic = "300a"; };
    const std::string text = "These are notes.";
    const std::vector<std::uint8_t> contents[] = {
        vlkw::WriteDocument(description), {}, {text.begin(), text.end()}, {'3', '0', '0', 'A'}};
    for (const auto& content : contents) {
        const bool valid = content.size() == 4;
        StartupRun run;
        run.files.add(kDoc, content);
        EXPECT_EQ(run(std::string("-p ") + kDoc),
                  valid ? StartupOutcome::Viewed : StartupOutcome::InvalidFile);
        const ShownMessage invalid{std::string("Invalid File: ") + kDoc +
                                       "\rThis file isn't a velk document.",
                                   kProgram, 0x40};
        EXPECT_EQ(run.box.shown,
                  valid ? std::vector<ShownMessage>{} : std::vector<ShownMessage>{invalid});
        EXPECT_TRUE(run.files.contains(kDoc));
        EXPECT_TRUE(run.files.deleted.empty());
        EXPECT_EQ(run.viewer.runs, valid ? 1 : 0);
    }
}

TEST(Startup, OpenDialogIsAskedExactlyAndCancelEndsSilently) {
    for (const auto& answer : {std::optional<std::string>{}, std::optional<std::string>{"   "}}) {
        StartupRun run;
        run.dialog.answer = answer;
        EXPECT_EQ(run("   "), StartupOutcome::Cancelled);
        EXPECT_TRUE(run.box.shown.empty());
        EXPECT_TRUE(run.registration.calls.empty());
        ASSERT_EQ(run.dialog.requests.size(), 1u);
        const auto& r = run.dialog.requests[0];
        EXPECT_EQ(r.caption, "Open velk Document");
        EXPECT_EQ(r.initialName, "*.vlk");
        EXPECT_EQ(r.filter, "*.vlk");
        EXPECT_EQ(r.defaultExtension, ".vlk");
        EXPECT_EQ(r.initialDirectory, "");
        EXPECT_EQ(r.bufferSize, 256u);
        EXPECT_EQ(r.flags, 0x4u | 0x800u | 0x8000u | 0x80000u | 0x200000u);
    }
}

TEST(Startup, ChosenNameIsTrimmedAndOpenedOrARegistrationWord) {
    for (const bool word : {false, true}) {
        StartupRun run;
        run.addDocument(testing::ThreePageReport());
        run.dialog.answer = word ? std::string("-install") : std::string("  ") + kDoc + " ";
        EXPECT_EQ(run(""), word ? StartupOutcome::Registration : StartupOutcome::Viewed);
        EXPECT_EQ(run.viewer.fileName, word ? "" : kDoc);
        EXPECT_EQ(run.registration.calls, std::vector{word ? kRegister : kIsRegistered});
    }
}

TEST(Startup, RegistrationWordsEndTheRun) {
    const struct {
        const char* line;
        bool registered, succeeds;
        std::vector<std::string> calls;
        std::vector<std::string> messages;
    } cases[] = {
        {"-install", false, true, {kRegister}, {}},
        {"/INSTALL", true, false, {kRegister}, {}},
        {"-INSTALLVERBOSE", false, true, {kRegister}, {"velk documents has been registered"}},
        {"/installverbose", false, false, {kRegister}, {"Couldn't register velk documents."}},
        {"-SHOWREG", true, true, {kIsRegistered, "ShowRegistration"}, {}},
        {"/ShowReg",
         false,
         true,
         {kIsRegistered},
         {".vlk extension IS NOT REGISTERED. Run velk.exe -install to register it."}},
    };
    for (const auto& c : cases) {
        StartupRun run;
        run.registration.registered = c.registered;
        run.registration.registerSucceeds = c.succeeds;
        EXPECT_EQ(run(c.line), StartupOutcome::Registration) << c.line;
        EXPECT_EQ(run.registration.calls, c.calls) << c.line;
        std::vector<std::string> texts;
        for (const auto& shown : run.box.shown) {
            texts.push_back(shown.text);
            EXPECT_EQ(shown.caption, kProgram);
        }
        EXPECT_EQ(texts, c.messages) << c.line;
        EXPECT_TRUE(run.files.opened.empty()) << c.line;
    }
}

TEST(Startup, PlainViewerRegistersSilentlyOnlyWhenUnregistered) {
    const struct {
        bool registered, succeeds;
        std::vector<std::string> calls;
    } cases[] = {
        {false, true, {kIsRegistered, kRegister}},
        {true, true, {kIsRegistered}},
        {false, false, {kIsRegistered, kRegister}}, // a failure is not told
    };
    for (const auto& c : cases) {
        StartupRun run;
        run.registration.registered = c.registered;
        run.registration.registerSucceeds = c.succeeds;
        run.addDocument(testing::ThreePageReport());
        EXPECT_EQ(run(kDoc), StartupOutcome::Viewed);
        EXPECT_EQ(run.registration.calls, c.calls);
        EXPECT_TRUE(run.box.shown.empty());
    }
}

// The request reaches the viewer as parsed (each switch a row of the command line table).
// Building mode does not read the option records, which would allow mail and fax again and
// name the mail's subject. A passed-on copy (any nonzero mark) withholds mail, fax and save.
TEST(Startup, ViewerGetsTheRequestAndTheOpenDocument) {
    const struct {
        const char* line;
        bool printAll, building;
        std::int32_t forwarded;
    } cases[] = {
        {"C:\\docs\\report.vlk", false, false, 0},
        {"-PA C:\\docs\\report.vlk", true, false, 0},
        {"/BV C:\\docs\\report.vlk", false, true, 0},
        {kDoc, false, false, 1},
        {kDoc, false, false, -1},
    };
    for (const auto& c : cases) {
        auto description = testing::ThreePageReport();
        description.allowMail = 0;
        description.allowFax = 0;
        description.allowSave = vlkw::kSaveAllowed;
        description.forwardedCopy = c.forwarded;
        StartupRun run;
        run.addDocument(description);
        EXPECT_EQ(run(c.line), StartupOutcome::Viewed) << c.line;
        ASSERT_EQ(run.viewer.runs, 1) << c.line;
        EXPECT_TRUE(run.viewer.fileOpen);
        EXPECT_EQ(run.viewer.fileName, kDoc);
        EXPECT_EQ(run.viewer.base, 0);
        EXPECT_EQ(run.viewer.request.printRequested, c.printAll) << c.line;
        EXPECT_EQ(run.viewer.request.printAllRequested, c.printAll) << c.line;
        EXPECT_EQ(run.viewer.request.building, c.building) << c.line;
        const bool mail = !c.building && c.forwarded == 0;
        EXPECT_EQ(run.viewer.header.allowMail, mail ? 1 : 0) << c.line << c.forwarded;
        EXPECT_EQ(run.viewer.header.allowFax, mail ? 1 : 0) << c.line << c.forwarded;
        EXPECT_EQ(run.viewer.header.allowSave != 0, c.forwarded == 0) << c.forwarded;
        EXPECT_EQ(run.viewer.mail.subject, c.building ? "" : "Report") << c.line;
    }
}

// A self-extracting viewer opens itself, its name trimmed, at its document's place: without
// the open dialog or registering, ignoring e-mail and fax, withholding mail, fax and save from
// the document, and never deleting itself. Registration words still end the run.
TEST(Startup, SelfExtractingViewerOpensItself) {
    const struct {
        const char* line;
        bool print;
    } cases[] = {{"", false}, {"/E", false}, {"/P", true}, {"-INSTALL", false}};
    for (const auto& c : cases) {
        auto description = testing::ThreePageReport();
        description.deleteOnClose = 1;
        description.allowSave = vlkw::kSaveAllowed;
        StartupRun run;
        run.files.executable = "C:\\Tools\\report.exe ";
        run.files.add("C:\\Tools\\report.exe",
                      testing::SelfExtracting(4096, vlkw::WriteDocument(description)));
        const bool word = std::string(c.line) == "-INSTALL";
        EXPECT_EQ(run(c.line), word ? StartupOutcome::Registration : StartupOutcome::Viewed)
            << c.line;
        EXPECT_TRUE(run.dialog.requests.empty());
        EXPECT_EQ(run.registration.calls,
                  word ? std::vector{kRegister} : std::vector<std::string>{})
            << c.line;
        EXPECT_TRUE(run.files.deleted.empty()) << c.line;
        EXPECT_TRUE(run.files.contains("C:\\Tools\\report.exe"));
        ASSERT_EQ(run.viewer.runs, word ? 0 : 1) << c.line;
        if (!word) {
            EXPECT_EQ(run.viewer.fileName, "C:\\Tools\\report.exe");
            EXPECT_EQ(run.viewer.base, 4096);
            EXPECT_EQ(run.viewer.request.printRequested, c.print) << c.line;
            EXPECT_FALSE(run.viewer.request.mailRequested) << c.line;
            EXPECT_FALSE(run.viewer.request.faxRequested) << c.line;
            EXPECT_EQ(run.viewer.header.allowSave, 0) << c.line;
            EXPECT_EQ(run.viewer.header.allowMail, 0) << c.line;
            EXPECT_EQ(run.viewer.header.allowFax, 0) << c.line;
        }
    }
}

TEST(Startup, TemporaryDocumentIsDeletedAfterViewingPrintingAndARefusedPasswordOthersKept) {
    // The field is an INTEGER tested for nonzero: any bit of either byte counts.
    const struct {
        const char* line;
        std::int16_t deleteOnClose;
        const char* password;
        bool accept;
        StartupOutcome outcome;
        int viewerRuns;
    } cases[] = {
        {"C:\\docs\\report.vlk", 1, "", true, StartupOutcome::Viewed, 1},
        {"/P C:\\docs\\report.vlk", -1, "", true, StartupOutcome::Viewed, 1},
        {"/PA C:\\docs\\report.vlk", 1, "", true, StartupOutcome::NotPrinted, 1},
        // One character is a password too.
        {"C:\\docs\\report.vlk", 256, "s", false, StartupOutcome::PasswordRefused, 0},
        {"C:\\docs\\report.vlk", 1, "secret", true, StartupOutcome::Viewed, 1},
        {"C:\\docs\\report.vlk", 0, "", true, StartupOutcome::Viewed, 1},
    };
    for (const auto& c : cases) {
        auto description = testing::ThreePageReport();
        description.deleteOnClose = c.deleteOnClose;
        description.password = c.password;
        StartupRun run;
        run.password.accept = c.accept;
        run.viewer.outcome = c.outcome; // how the viewer's printing or viewing ended
        run.addDocument(description);
        EXPECT_EQ(run(c.line), c.outcome) << c.line;
        EXPECT_EQ(run.viewer.runs, c.viewerRuns);
        EXPECT_EQ(run.password.asked, std::string(c.password).empty() ? 0 : 1);
        const bool deleted = c.deleteOnClose != 0;
        EXPECT_EQ(run.files.deleted,
                  deleted ? std::vector<std::string>{kDoc} : std::vector<std::string>{})
            << c.deleteOnClose;
        EXPECT_EQ(run.files.contains(kDoc), !deleted);
    }
}

TEST(Startup, PasswordPromptAndViewerSeeTheDocumentsOwnWording) {
    auto description = testing::ThreePageReport();
    description.password = "secret";
    description.replacementTexts[1] = "Dieses Dokument ist geschuetzt.";
    description.replacementTexts[6] = "Ganze Seite";
    StartupRun run;
    run.addDocument(description);
    run(kDoc);
    EXPECT_EQ(run.password.promptSeen, "Dieses Dokument ist geschuetzt.");
    EXPECT_EQ(run.viewer.fitWindowText, "Ganze Seite");
}

} // namespace
} // namespace velk
