// The mail and fax option records and the interface text replacements of a document made from
// arbitrary bytes (its header is their first 260). Every text read lies inside the file, a
// replaced interface text included, and the records are read whatever the magic says. The
// records then go where mail and fax take them: the message MAPI would get keeps its limits and
// puts its attachment on the note's last blank, and every fax recipient carries the prefix.

#include "fuzz_check.h"
#include "base/ansi_text.h"
#include "document/document.h"
#include "document/header.h"
#include "document/interface_texts.h"
#include "mail/fax_dialog.h"
#include "mail/mapi_session.h"
#include "support/memory_file_system.h"

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

namespace {

constexpr const char* kDocumentName = "C:\\docs\\options.vlk";

void CheckMailMessage(velk::FileSystem& files, const velk::MailOptions& mail) {
    velk::MailContent content;
    content.subject = mail.subject;
    content.note = mail.note;
    content.recipientNames = mail.recipientNames;
    content.recipientAddresses = mail.recipientAddresses;
    content.attachments = {{kDocumentName, mail.subject}};
    const velk::MapiMessage message = velk::BuildMapiMessage(files, content, {});
    Check(message.subject.size() <= velk::kMapiSubjectLimit);
    Check(message.noteText.size() <= velk::kMapiNoteLimit && message.noteText.ends_with("\r\n "));
    Check(message.files.size() == 1 &&
          message.files[0].position == static_cast<std::int32_t>(message.noteText.size()) - 1 &&
          message.files[0].fileName.size() <= velk::kMapiDisplayNameLimit);
    for (const velk::MapiRecipient& recipient : message.recipients) {
        Check(recipient.name.size() <= velk::kMapiRecipientLimit &&
              recipient.address.size() <= velk::kMapiRecipientLimit);
    }
}

void CheckFaxRecipients(const std::string& recipients) {
    const std::string normalised = velk::NormaliseFaxRecipients(recipients);
    const auto items = std::count(recipients.begin(), recipients.end(), ';');
    Check(std::count(normalised.begin(), normalised.end(), ';') == items);
    for (std::size_t at = 0; at != std::string::npos;) {
        Check(velk::UpperCase(normalised.substr(at, 4)) == "FAX:");
        at = normalised.find(';', at);
        at = at == std::string::npos ? at : at + 1;
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    velk::testing::MemoryFileSystem files;
    files.add(kDocumentName, std::vector<std::uint8_t>(data, data + size));
    velk::Document document;
    if (!document.open(files, kDocumentName, 0)) {
        __builtin_trap();
    }
    document.readHeader();
    document.readOptionRecords();
    velk::InterfaceTexts texts;
    texts.LoadInterfaceTexts(document);

    const velk::MailOptions& mail = document.mailOptions;
    const velk::FaxOptions& fax = document.faxOptions;
    for (const std::string* text :
         {&mail.logonProfile, &mail.logonPassword, &mail.recipientNames, &mail.recipientAddresses,
          &mail.subject, &mail.note, &fax.logonProfile, &fax.logonPassword, &fax.recipients,
          &fax.subject, &fax.note}) {
        Check(text->size() <= size);
    }
    Check(document.header.mailOptionsPos <= 0 || document.header.allowMail == 1);
    Check(document.header.faxOptionsPos <= 0 || document.header.allowFax == 1);
    const velk::InterfaceTexts defaults;
    for (const velk::TextSlot slot : velk::kReplacementTextIds) {
        Check(texts.text(slot) == defaults.text(slot) || texts.text(slot).size() <= size);
    }
    CheckMailMessage(files, mail);
    CheckFaxRecipients(fax.recipients);
    return 0;
}
