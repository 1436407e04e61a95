#include "export/save_document.h"

#include "base/ansi_text.h"
#include "base/file_names.h"
#include "base/user_message.h"
#include "document/document.h"
#include "export/self_extracting_builder.h"
#include "platform/file_system.h"

namespace velk {

namespace {

constexpr int kMaxPartNames = 100;

// A name beside `target` that no file has yet: the copy is written there first.
std::string PartName(FileSystem& files, const std::string& target) {
    for (int number = 1; number <= kMaxPartNames; ++number) {
        const std::string name = target + ".part" + std::to_string(number);
        if (files.findFiles(name).empty()) {
            return name;
        }
    }
    return {};
}

std::string BuildMessage(BuildStatus status, const std::string& document, const std::string& stub,
                         const std::string& target) {
    std::string first;
    std::string path = target;
    switch (status) {
    case BuildStatus::DocumentMissing:
        first = "Can't find input file: ";
        path = document;
        break;
    case BuildStatus::OutputExists:
        first = "Unable to overwrite output file: ";
        break;
    case BuildStatus::DocumentUnopenable:
        first = "Can't open input file: ";
        path = document;
        break;
    case BuildStatus::OutputUnopenable:
        first = "Can't open output file: ";
        break;
    case BuildStatus::StubUnopenable:
        first = "Can't open stub file: ";
        path = stub;
        break;
    case BuildStatus::WriteFailed:
        first = "Can't write output file: ";
        break;
    case BuildStatus::Written:
        return {};
    }
    return first + TrimBlanks(path) + "\rUnable to save document";
}

class Saver {
  public:
    explicit Saver(SaveServices& s) : s_(s), stub_(OwnExecutablePath(s.files)) {}

    void save(const std::string& target) {
        const std::string name = UpperCase(target);
        if (name.ends_with(".VLK")) {
            saveDocument(target);
        } else if (name.ends_with(".EXE")) {
            saveViewer(target);
        } else {
            tell("Invalid file name: " + target + "\rFile must have an .EXE extension");
        }
    }

  private:
    // The reader's document and the running program are never overwritten, whatever name
    // reaches them.
    bool isOwnFile(const std::string& target) {
        return s_.files.sameFile(target, s_.document.fileName) || s_.files.sameFile(target, stub_);
    }

    void saveDocument(const std::string& target) {
        if (isOwnFile(target) || !writeDocument(target)) {
            tell("Unable to save file.");
        }
    }

    bool writeDocument(const std::string& target) {
        const std::string part = PartName(s_.files, target);
        if (part.empty() || !s_.files.createNew(part)) {
            return false;
        }
        bool written = false;
        {
            const auto document = s_.files.openExisting(s_.document.fileName, OpenAccess::ReadOnly);
            const auto copy = s_.files.openExisting(part, OpenAccess::ReadWriteOrReadOnly);
            written = document && copy && copy->writable() &&
                      WriteDocumentCopy(*document, MarkedHeader(s_.document.header), *copy, 0);
        }
        return putInPlace(written, part, target);
    }

    void saveViewer(const std::string& target) {
        BuildStatus status = BuildStatus::OutputExists;
        const std::string part = isOwnFile(target) ? std::string() : PartName(s_.files, target);
        if (!part.empty()) {
            status = BuildSelfExtractingViewer(s_.files, s_.document.fileName,
                                               MarkedHeader(s_.document.header), stub_, part);
            if (status == BuildStatus::Written && !putInPlace(true, part, target)) {
                status = BuildStatus::OutputExists;
            }
        }
        if (status != BuildStatus::Written) {
            tell(BuildMessage(status, s_.document.fileName, stub_, target));
        }
    }

    // The finished copy replaces the target in one step; an unfinished one goes.
    bool putInPlace(bool written, const std::string& part, const std::string& target) {
        if (written && s_.files.replaceFile(part, target)) {
            return true;
        }
        s_.files.deleteFile(part);
        return false;
    }

    void tell(const std::string& text) { ShowMessage(s_.messages, s_.document.header.title, text); }

    SaveServices& s_;
    std::string stub_;
};

} // namespace

SaveDialogRequest DocumentSaveDialog() {
    return SaveDialogRequest{.title = "Save File",
                             .filter = "velk Document|*.VLK|Executable file|*.EXE",
                             .defaultExtension = "EXE|VLK",
                             .flags = kSaveDialogFlags};
}

void SaveDocumentAs(SaveServices& services) {
    const auto chosen = services.dialog.run(DocumentSaveDialog());
    if (!chosen) {
        return;
    }
    Saver(services).save(TrimBlanks(*chosen));
}

} // namespace velk
