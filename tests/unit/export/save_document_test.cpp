#include "document/document.h"
#include "export/save_document.h"
#include "export/self_extracting_builder.h"
#include "platform/memory_file.h"
#include "support/documents.h"
#include "support/recording_services.h"
#include "writer/self_extracting.h"

#include <gtest/gtest.h>

#include <functional>
#include <numeric>

namespace velk {
namespace {

using testing::ShownMessage;
using Bytes = std::vector<std::uint8_t>;

constexpr const char* kDoc = "C:\\docs\\report.vlk";
constexpr const char* kStub = "C:\\Tools\\velk.exe";
constexpr const char* kTarget = "C:\\out\\copy.vlk";
constexpr const char* kViewer = "C:\\out\\copy.exe";
constexpr const char* kTitle = "Quarterly Report";

enum class Fault { None, Read, Write, Create, Rename };

// A file whose reads come back short or whose writes fail when the file system says so.
class FaultyFile : public File {
  public:
    FaultyFile(std::unique_ptr<File> file, std::function<bool(Fault)> fails)
        : file_(std::move(file)), fails_(std::move(fails)) {}
    std::int64_t size() const override { return file_->size(); }
    std::size_t readAt(std::int64_t offset, std::span<std::uint8_t> out) override {
        const std::size_t got = file_->readAt(offset, out);
        return fails_(Fault::Read) && got > 0 ? got - 1 : got;
    }
    bool writeAt(std::int64_t offset, std::span<const std::uint8_t> data) override {
        return !fails_(Fault::Write) && file_->writeAt(offset, data);
    }
    bool writable() const override { return file_->writable(); }

  private:
    std::unique_ptr<File> file_;
    std::function<bool(Fault)> fails_;
};

// The in-memory files, failing the n-th operation of one kind.
class FaultyFileSystem : public testing::MemoryFileSystem {
  public:
    Fault fault = Fault::None;
    int failAt = 0;
    int counted = 0; // operations of that kind so far

    bool fails(Fault kind) { return kind == fault && ++counted == failAt; }
    std::unique_ptr<File> openExisting(const std::string& path, OpenAccess access) override {
        auto file = MemoryFileSystem::openExisting(path, access);
        if (!file) {
            return nullptr;
        }
        return std::make_unique<FaultyFile>(std::move(file),
                                            [this](Fault kind) { return fails(kind); });
    }
    bool createNew(const std::string& path) override {
        return !fails(Fault::Create) && MemoryFileSystem::createNew(path);
    }
    bool replaceFile(const std::string& from, const std::string& to) override {
        return !fails(Fault::Rename) && MemoryFileSystem::replaceFile(from, to);
    }
};

using ScriptedSaveDialog = testing::ScriptedDialog<SaveDialog, SaveDialogRequest>;

Bytes StubBytes() {
    Bytes stub(5000);
    std::iota(stub.begin(), stub.end(), std::uint8_t{0}); // counting up, wrapping at 256
    return stub;
}

// The reader's open document: to be deleted after viewing, no e-mail.
struct SaveRun {
    FaultyFileSystem files;
    Document document;
    testing::RecordingMessageBox messages;
    ScriptedSaveDialog dialog;
    SaveServices services{document, files, messages, dialog};
    Bytes original;

    SaveRun() {
        auto description = testing::ThreePageReport();
        description.title = kTitle;
        description.deleteOnClose = 1;
        description.allowMail = 0;
        files.add(kDoc, vlkw::WriteDocument(description));
        files.add(kStub, StubBytes());
        files.executable = kStub;
        original = files.bytes(kDoc);
        EXPECT_TRUE(document.open(files, kDoc, 0));
        EXPECT_TRUE(document.readHeader());
    }
    void save(const std::string& answer) {
        dialog.answer = answer;
        SaveDocumentAs(services);
    }
    // No copy in the making is left anywhere.
    bool partsLeft() { return !files.findFiles("C:\\out\\*.part*").empty(); }
};

using Arrange = std::function<void(SaveRun&)>;

TEST(SaveDocument, TheDialogIsAskedForExactly) {
    SaveRun run;
    run.dialog.answer.reset();
    SaveDocumentAs(run.services);
    ASSERT_EQ(run.dialog.requests.size(), 1u);
    const SaveDialogRequest& request = run.dialog.requests[0];
    EXPECT_EQ(request.title, "Save File");
    EXPECT_EQ(request.filter, "velk Document|*.VLK|Executable file|*.EXE");
    EXPECT_EQ(request.defaultExtension, "EXE|VLK");
    EXPECT_EQ(request.flags, 0x288806u);
    // Cancelled: nothing written, nothing said.
    EXPECT_TRUE(run.messages.shown.empty());
    EXPECT_EQ(run.files.bytes(kDoc), run.original);
    EXPECT_FALSE(run.files.contains(kTarget));
}

TEST(SaveDocument, ACopyIsTheOriginalMarkedAndAViewerCarriesItWhole) {
    const std::tuple<std::string, const char*, bool> cases[] = {
        {"  C:\\out\\copy.vlk ", kTarget, false},
        {"C:\\out\\copy.VLK", "C:\\out\\copy.VLK", false},
        {"C:\\out\\copy.exe", kViewer, true},
        {"C:\\out\\copy.Exe", "C:\\out\\copy.Exe", true},
    };
    for (const auto& [answer, written, viewer] : cases) {
        SaveRun run;
        // A read-only original still gives a marked copy.
        run.files.add(kDoc, run.original).readOnly = true;
        run.save(answer);
        EXPECT_TRUE(run.messages.shown.empty()) << answer;
        const Bytes marked = vlkw::MarkAsPassedOn(run.original);
        EXPECT_EQ(run.files.bytes(written),
                  viewer ? vlkw::WriteSelfExtracting(StubBytes(), marked) : marked)
            << answer;
        EXPECT_EQ(run.files.bytes(kDoc), run.original);
        EXPECT_FALSE(run.partsLeft());
    }
}

TEST(SaveDocument, EveryFailureIsToldAndLeavesNothingBehind) {
    const std::string unable = "\rUnable to save document";
    const std::tuple<const char*, std::string, Arrange, std::string> cases[] = {
        {"extension", "C:\\out\\copy.txt", nullptr,
         "Invalid file name: C:\\out\\copy.txt\rFile must have an .EXE extension"},
        {"short name", "exe", nullptr, "Invalid file name: exe\rFile must have an .EXE extension"},
        {"own document", "C:\\docs\\REPORT.vlk",
         [](SaveRun& r) { r.files.aliases["C:\\docs\\REPORT.vlk"] = kDoc; },
         "Unable to save file."},
        {"own document as a viewer", "C:\\docs\\report.exe",
         [](SaveRun& r) { r.files.aliases["C:\\docs\\report.exe"] = kDoc; },
         "Unable to overwrite output file: C:\\docs\\report.exe" + unable},
        {"own program", kStub, nullptr,
         "Unable to overwrite output file: " + std::string(kStub) + unable},
        {"no stub", kViewer, [](SaveRun& r) { r.files.deleteFile(kStub); },
         "Can't open stub file: " + std::string(kStub) + unable},
        {"document gone", kViewer, [](SaveRun& r) { r.files.deleteFile(kDoc); },
         "Can't find input file: " + std::string(kDoc) + unable},
        {"document unopenable", kViewer,
         [](SaveRun& r) { r.files.add(kDoc, r.original).unopenable = true; },
         "Can't open input file: " + std::string(kDoc) + unable},
        {"document unopenable as a copy", kTarget,
         [](SaveRun& r) { r.files.add(kDoc, r.original).unopenable = true; },
         "Unable to save file."},
        {"output not created", kViewer,
         [](SaveRun& r) {
             r.files.fault = Fault::Create;
             r.files.failAt = 1;
         },
         "Can't open output file: " + std::string(kViewer) + unable},
        {"output not written", kViewer,
         [](SaveRun& r) {
             r.files.fault = Fault::Write;
             r.files.failAt = 1;
         },
         "Can't write output file: " + std::string(kViewer) + unable},
        {"target read-only", kTarget,
         [](SaveRun& r) { r.files.add(kTarget, Bytes(3, 7)).readOnly = true; },
         "Unable to save file."},
        {"viewer read-only", kViewer,
         [](SaveRun& r) { r.files.add(kViewer, Bytes(3, 7)).readOnly = true; },
         "Unable to overwrite output file: " + std::string(kViewer) + unable},
    };
    for (const auto& [name, answer, arrange, message] : cases) {
        SaveRun run;
        if (arrange) {
            arrange(run);
        }
        const Bytes target = run.files.contains(kViewer) ? run.files.bytes(kViewer) : Bytes{};
        run.save(answer);
        EXPECT_EQ(run.messages.texts(), std::vector<std::string>{message}) << name;
        EXPECT_EQ(run.messages.shown.at(0).caption, kTitle) << name;
        EXPECT_FALSE(run.partsLeft()) << name;
        if (run.files.contains(kDoc)) {
            EXPECT_EQ(run.files.bytes(kDoc), run.original) << name;
        }
        if (!target.empty()) {
            EXPECT_EQ(run.files.bytes(kViewer), target) << name;
        }
        EXPECT_FALSE(run.files.contains(kTarget) && name != std::string("target read-only"))
            << name;
    }
}

// Every read, write, creation and replacement of a save failing in turn: the reader is told,
// an existing target keeps its bytes, nothing half-written stays, the original never changes.
TEST(SaveDocument, AFailureAtAnyStepLeavesTheOldTargetAndTheOriginal) {
    const std::string unable = "\rUnable to save document";
    for (const std::string target : {kTarget, kViewer}) {
        const bool viewer = target == kViewer;
        for (const Fault fault : {Fault::Read, Fault::Write, Fault::Create, Fault::Rename}) {
            for (int n = 1;; ++n) {
                SaveRun run;
                run.files.add(target, {9, 9, 9});
                run.files.fault = fault;
                run.files.failAt = n;
                run.save(target);
                if (run.files.counted < n) {
                    // The save ran out of operations of this kind before the n-th: it worked.
                    EXPECT_TRUE(run.messages.shown.empty());
                    EXPECT_NE(run.files.bytes(target), Bytes({9, 9, 9}));
                    break;
                }
                const std::string trace =
                    target + " fault " + std::to_string(int(fault)) + " at " + std::to_string(n);
                ASSERT_EQ(run.messages.shown.size(), 1u) << trace;
                const std::string& told = run.messages.shown[0].text;
                if (viewer) {
                    EXPECT_NE(told.find(unable), std::string::npos) << trace << ": " << told;
                } else {
                    EXPECT_EQ(told, "Unable to save file.") << trace;
                }
                EXPECT_EQ(run.files.bytes(target), Bytes({9, 9, 9})) << trace;
                EXPECT_EQ(run.files.bytes(kDoc), run.original) << trace;
                EXPECT_FALSE(run.partsLeft()) << trace;
            }
        }
    }
}

TEST(CopyRange, CopiesInBlocksToWhereItIsAsked) {
    Bytes bytes(kCopyBlockSize * 5 / 2);
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        bytes[i] = static_cast<std::uint8_t>(i % 251);
    }
    MemoryFile source(bytes);
    MemoryFile target({});
    ASSERT_TRUE(CopyRange(source, 3, source.size(), target, 10));
    Bytes expected(10, 0);
    expected.insert(expected.end(), bytes.begin() + 3, bytes.end());
    EXPECT_EQ(target.bytes(), expected);
}

TEST(SelfExtractingBuilder, ReportsEveryStatusAndNeverTouchesAnExistingOutput) {
    const std::tuple<const char*, Arrange, BuildStatus> cases[] = {
        {"written", nullptr, BuildStatus::Written},
        {"output exists", [](SaveRun& r) { r.files.add(kViewer, Bytes(2, 7)); },
         BuildStatus::OutputExists},
        {"hidden output", [](SaveRun& r) { r.files.add(kViewer, Bytes(2, 7)).hidden = true; },
         BuildStatus::OutputExists},
        {"no document", [](SaveRun& r) { r.files.deleteFile(kDoc); }, BuildStatus::DocumentMissing},
        {"document unopenable", [](SaveRun& r) { r.files.add(kDoc, {}).unopenable = true; },
         BuildStatus::DocumentUnopenable},
        {"no stub", [](SaveRun& r) { r.files.deleteFile(kStub); }, BuildStatus::StubUnopenable},
    };
    for (const auto& [name, arrange, status] : cases) {
        SaveRun run;
        if (arrange) {
            arrange(run);
        }
        const bool existed = run.files.contains(kViewer);
        const Bytes before = existed ? run.files.bytes(kViewer) : Bytes{};
        EXPECT_EQ(BuildSelfExtractingViewer(run.files, kDoc, run.document.header.raw,
                                            " " + std::string(kStub), kViewer + std::string(" ")),
                  status)
            << name;
        if (existed) {
            EXPECT_EQ(run.files.bytes(kViewer), before) << name;
        } else {
            EXPECT_EQ(run.files.contains(kViewer), status == BuildStatus::Written) << name;
        }
    }
}

} // namespace
} // namespace velk
