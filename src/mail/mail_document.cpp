#include "mail/mail_document.h"

#include "base/ansi_text.h"
#include "base/file_names.h"
#include "base/user_message.h"
#include "document/document.h"
#include "export/marked_copy.h"
#include "export/self_extracting_builder.h"
#include "mail/mapi_session.h"
#include "platform/file_system.h"

namespace velk {

namespace {

constexpr std::string_view kTempPrefix = "~D";
// Another program may take a free temporary name before the viewer creates it.
constexpr int kViewerNameAttempts = 5;

// A file this run created in the temporary directory; it goes when the operation ends.
class TemporaryFile {
  public:
    explicit TemporaryFile(FileSystem& files) : files_(files) {}
    ~TemporaryFile() {
        if (!path_.empty()) {
            files_.deleteFile(path_);
        }
    }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;

    void own(std::string path) { path_ = std::move(path); }
    const std::string& path() const { return path_; }

  private:
    FileSystem& files_;
    std::string path_;
};

class Mailer {
  public:
    explicit Mailer(MailServices& s) : s_(s), attachment_(s.files) {}

    void send() {
        const MailOptions& options = s_.document.mailOptions;
        const bool hasRecord = s_.document.header.mailOptionsPos > 0;
        const bool asViewer = !hasRecord || options.attachAsViewer != 0;
        if (!(asViewer ? makeViewer() : makeCopy())) {
            return;
        }
        MailContent content;
        content.subject = options.subject;
        content.note = options.note;
        content.recipientNames = options.recipientNames;
        content.recipientAddresses = options.recipientAddresses;
        // Without a mail record the recipients are blank.
        content.showDialog = TrimBlanks(options.recipientNames).empty() ||
                             TrimBlanks(options.recipientAddresses).empty() ||
                             options.showDialog != 0;
        content.attachments = {{attachment_.path(), AttachmentName(s_.document.header.title,
                                                                   asViewer ? ".exe" : ".vlk")}};
        WithMapiSession(s_, options.logonProfile, options.logonPassword,
                        [&](std::uint32_t session) {
                            tell(MapiFailureText(
                                "Unable to send document. Mapi failure error =",
                                MapiSendMessage(s_.mapi, s_.files, s_.clock, session, content)));
                        });
    }

  private:
    // The document with the passed-on marks, written to a new ~D file.
    bool makeCopy() {
        attachment_.own(CreateTempFile(s_.files, kTempPrefix, ".vlk"));
        if (attachment_.path().empty()) {
            tell("Unable to create vlk attachment. Can't obtain temp .vlk name for sending.");
            return false;
        }
        const auto document = s_.files.openExisting(s_.document.fileName, OpenAccess::ReadOnly);
        const auto copy =
            s_.files.openExisting(attachment_.path(), OpenAccess::ReadWriteOrReadOnly);
        if (!document || !copy || !copy->writable() ||
            !WriteDocumentCopy(*document, MarkedHeader(s_.document.header), *copy, 0)) {
            tell("Unable to create vlk attachment. Can't write temp .vlk file for sending.");
            return false;
        }
        return true;
    }

    // A viewer that opens the passed-on copy, built into a new ~D file.
    bool makeViewer() {
        for (int attempt = 0; attempt < kViewerNameAttempts; ++attempt) {
            const std::string name = MakeTempFileName(s_.files, kTempPrefix, ".exe");
            if (name.empty()) {
                tell("Unable to create exe attachment. Can't obtain temp .exe name for sending.");
                return false;
            }
            const BuildStatus status = BuildSelfExtractingViewer(s_.files, s_.document.fileName,
                                                                 MarkedHeader(s_.document.header),
                                                                 OwnExecutablePath(s_.files), name);
            if (status == BuildStatus::Written) {
                attachment_.own(name);
                return true;
            }
            if (status != BuildStatus::OutputExists) {
                tell("Can't creating self extracting viewer file as email attachment. Status =" +
                     MessageNumber(static_cast<int>(status)));
                return false;
            }
        }
        tell("Unable to create exe attachment. Can't obtain temp .exe name for sending.");
        return false;
    }

    void tell(const std::string& text) {
        if (!text.empty()) {
            ShowMessage(s_.messages, s_.document.header.title, text);
        }
    }

    MailServices& s_;
    TemporaryFile attachment_;
};

} // namespace

std::string AttachmentName(std::string_view title, std::string_view extension) {
    const std::size_t room = kMapiDisplayNameLimit - extension.size();
    return CutTo(TrimBlanks(CutAtNul(title)), room) + std::string(extension);
}

void WithMapiSession(MailServices& services, std::string_view profile, std::string_view password,
                     const std::function<void(std::uint32_t)>& use) {
    services.mapi.load();
    const std::uint32_t session = MapiLogonSession(services.mapi, profile, password);
    if (session == 0) {
        ShowMessage(services.messages, services.document.header.title,
                    "Unable to obtain mapi session handle");
    } else {
        use(session);
        MapiLogoffSession(services.mapi, session);
    }
    services.mapi.unload();
}

void MailDocument(MailServices& services) {
    Mailer(services).send();
}

} // namespace velk
